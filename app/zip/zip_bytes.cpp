#include "zip_bytes.h"

#include <ioapi.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace ordelix {
namespace {

// One open "file" over the bytes, with a position of its own; `bytes` only
// when it is written.
struct Cursor {
  const ZipSource* source;
  ZipBytes* bytes;
  std::uint64_t at = 0;
};

voidpf open_bytes(voidpf opaque, const void*, int) {
  auto* bytes = static_cast<ZipBytes*>(opaque);
  return new (std::nothrow) Cursor{bytes, bytes};
}

voidpf open_source(voidpf opaque, const void*, int) {
  return new (std::nothrow) Cursor{static_cast<const ZipSource*>(opaque), nullptr};
}

uLong read_bytes(voidpf, voidpf stream, void* buffer, uLong size) {
  auto* cursor = static_cast<Cursor*>(stream);
  std::size_t n = cursor->source->read(cursor->at, buffer, size);
  cursor->at += n;
  return static_cast<uLong>(n);
}

uLong write_bytes(voidpf, voidpf stream, const void* data, uLong size) {
  auto* cursor = static_cast<Cursor*>(stream);
  if (!cursor->bytes->write(cursor->at, data, size)) return 0;
  cursor->at += size;
  return size;
}

ZPOS64_T tell_bytes(voidpf, voidpf stream) {
  return static_cast<Cursor*>(stream)->at;
}

long seek_bytes(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto* cursor = static_cast<Cursor*>(stream);
  std::uint64_t base = origin == ZLIB_FILEFUNC_SEEK_SET   ? 0
                       : origin == ZLIB_FILEFUNC_SEEK_CUR ? cursor->at
                                                          : cursor->source->size();
  cursor->at = base + offset;
  return 0;
}

int close_bytes(voidpf, voidpf stream) {
  delete static_cast<Cursor*>(stream);
  return 0;
}

uLong refuse_write(voidpf, voidpf, const void*, uLong) {
  return 0;
}

int no_error(voidpf, voidpf) {
  return 0;
}

}  // namespace

ZipBytes::ZipBytes(std::string_view bytes) {
  if (!write(0, bytes.data(), bytes.size())) throw std::bad_alloc();
}

bool ZipBytes::write(std::uint64_t at, const void* data, std::size_t size) {
  const char* from = static_cast<const char*>(data);
  while (size > 0) {
    std::uint64_t block = at / block_size;
    auto offset = static_cast<std::size_t>(at % block_size);
    try {
      while (blocks_.size() <= block) blocks_.emplace_back(new char[block_size]);
    } catch (const std::bad_alloc&) {
      incomplete_ = true;
      return false;
    }
    std::size_t n = std::min(size, block_size - offset);
    std::memcpy(blocks_[static_cast<std::size_t>(block)].get() + offset, from, n);
    from += n;
    at += n;
    size -= n;
    size_ = std::max(size_, at);
  }
  return true;
}

std::size_t ZipBytes::read(std::uint64_t at, void* data, std::size_t size) const {
  char* to = static_cast<char*>(data);
  std::size_t done = 0;
  while (done < size && at < size_) {
    auto offset = static_cast<std::size_t>(at % block_size);
    std::size_t n = static_cast<std::size_t>(
        std::min<std::uint64_t>({size - done, block_size - offset, size_ - at}));
    std::memcpy(to + done, blocks_[static_cast<std::size_t>(at / block_size)].get() + offset, n);
    done += n;
    at += n;
  }
  return done;
}

std::string ZipBytes::joined() const {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size_));
  for (std::string_view block : blocks()) bytes.append(block);
  return bytes;
}

std::vector<std::string_view> ZipBytes::blocks() const {
  std::vector<std::string_view> views;
  for (std::uint64_t at = 0; at < size_; at += block_size)
    views.emplace_back(blocks_[static_cast<std::size_t>(at / block_size)].get(),
                       static_cast<std::size_t>(std::min<std::uint64_t>(block_size, size_ - at)));
  return views;
}

void zip_bytes_write_functions(ZipBytes& bytes, zlib_filefunc64_def& functions) {
  functions = {open_bytes, read_bytes,  write_bytes, tell_bytes,
               seek_bytes, close_bytes, no_error,    &bytes};
}

void zip_bytes_read_functions(const ZipSource& source, zlib_filefunc64_def& functions) {
  // Never written through: the write function refuses.
  functions = {open_source, read_bytes,  refuse_write, tell_bytes,
               seek_bytes,  close_bytes, no_error,     const_cast<ZipSource*>(&source)};
}

}  // namespace ordelix
