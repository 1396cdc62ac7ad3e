#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct zlib_filefunc64_def_s;

namespace ordelix {

// Where a zip is read back from: memory, or a file on disk.
class ZipSource {
 public:
  virtual ~ZipSource() = default;
  virtual std::uint64_t size() const = 0;
  // Bytes read from `at` on, up to `size`; fewer at the end, or where a read failed.
  virtual std::size_t read(std::uint64_t at, void* data, std::size_t size) const = 0;
};

// A zip container held in memory, as the workbook library writes it and the
// check reads it back, so that nothing reaches a file before it is checked.
// Kept in blocks: growing never copies what is written.
class ZipBytes : public ZipSource {
 public:
  ZipBytes() = default;
  explicit ZipBytes(std::string_view bytes);
  ZipBytes(ZipBytes&&) noexcept = default;
  ZipBytes& operator=(ZipBytes&&) noexcept = default;

  std::uint64_t size() const override { return size_; }
  // Writes `size` bytes at `at`, growing as needed; false when memory ran out.
  bool write(std::uint64_t at, const void* data, std::size_t size);
  // Whether a write ever ran out of memory.
  bool incomplete() const { return incomplete_; }
  // Bytes read from `at` on, up to `size`; fewer only at the end.
  std::size_t read(std::uint64_t at, void* data, std::size_t size) const override;
  // The bytes in order, a block at a time.
  std::vector<std::string_view> blocks() const;
  // The bytes in one piece, copied.
  std::string joined() const;

 private:
  static constexpr std::size_t block_size = 64 * 1024;
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::uint64_t size_ = 0;
  bool incomplete_ = false;
};

// I/O functions for minizip: over `bytes` for the library to write its zip
// into, over `source` to read one back (unzOpen2_64). The file name they get
// is not used.
void zip_bytes_write_functions(ZipBytes& bytes, zlib_filefunc64_def_s& functions);
void zip_bytes_read_functions(const ZipSource& source, zlib_filefunc64_def_s& functions);

}  // namespace ordelix
