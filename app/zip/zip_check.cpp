#include "zip_check.h"

#include <unzip.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "xml_check.h"
#include "zip_reader.h"

namespace ordelix {
namespace {

bool ends_with(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The zip's end record closes the file, followed only by its comment: a
// reader that finds the record does not notice when the last bytes are gone.
bool ends_where_its_end_record_says(const ZipSource& zip, std::uint64_t comment_size) {
  constexpr std::uint64_t end_record_size = 22;
  if (zip.size() < end_record_size + comment_size) return false;
  char signature[4] = {};
  return zip.read(zip.size() - end_record_size - comment_size, signature, sizeof signature) ==
             sizeof signature &&
         std::string_view(signature, sizeof signature) == std::string_view("PK\5\6", 4);
}

enum class Depth { index, contents };

// An entry as it stands in the zip, compressed, with how and to what its
// index says it inflates.
struct StoredEntry {
  std::string bytes;
  std::uint64_t method;
  std::uint32_t crc;
  std::uint64_t size;
  bool is_xml;

  bool operator==(const StoredEntry&) const = default;
};

// Small entries found whole before: the workbooks of a batch share most of
// their small parts byte for byte, and bytes that inflated whole once do so
// again. The least recently found go first.
class EntriesFoundWhole {
 public:
  static constexpr std::uint64_t largest = 8192;

  bool holds(const StoredEntry& entry) {
    std::lock_guard lock(mutex_);
    auto found = std::find_if(known_.begin(), known_.end(),
                              [&](const Known& known) { return known.entry == entry; });
    if (found == known_.end()) return false;
    found->used = ++clock_;
    return true;
  }

  void add(StoredEntry entry) {
    std::lock_guard lock(mutex_);
    Known known{std::move(entry), ++clock_};
    if (known_.size() < capacity) {
      known_.push_back(std::move(known));
      return;
    }
    *std::min_element(known_.begin(), known_.end(), [](const Known& a, const Known& b) {
      return a.used < b.used;
    }) = std::move(known);
  }

 private:
  static constexpr std::size_t capacity = 32;
  struct Known {
    StoredEntry entry;
    std::uint64_t used;
  };
  std::mutex mutex_;
  std::vector<Known> known_;
  std::uint64_t clock_ = 0;
};

EntriesFoundWhole& entries_found_whole() {
  static EntriesFoundWhole entries;
  return entries;
}

// The entry the zip is positioned at, read as stored; none where it cannot be.
std::optional<StoredEntry> stored_entry(unzFile zip, const unz_file_info64& info, bool is_xml,
                                        std::span<char> buffer) {
  if (unzOpenCurrentFile2(zip, nullptr, nullptr, 1) != UNZ_OK) return std::nullopt;
  StoredEntry entry{{},
                    info.compression_method,
                    static_cast<std::uint32_t>(info.crc),
                    info.uncompressed_size,
                    is_xml};
  int n;
  while ((n = unzReadCurrentFile(zip, buffer.data(), static_cast<unsigned>(buffer.size()))) > 0)
    entry.bytes.append(buffer.data(), static_cast<std::size_t>(n));
  unzCloseCurrentFile(zip);
  if (n < 0 || entry.bytes.size() != info.compressed_size) return std::nullopt;
  return entry;
}

// The entry the zip is positioned at: its local header, and for `contents`
// its data read through to its end.
Result<void> entry_check(unzFile zip, Depth depth, std::span<char> buffer) {
  std::array<char, 512> name{};
  unz_file_info64 info{};
  if (unzGetCurrentFileInfo64(zip, &info, name.data(), name.size(), nullptr, 0, nullptr, 0) !=
      UNZ_OK)
    return Problem(ProblemKind::zip_entry_unlisted);
  std::string entry(name.data());
  // A worksheet holds only numbers, cell references and indexes of shared
  // strings, all put in place by the library: nothing there can break its
  // XML but a write cut short, and those are caught as they fail. The other
  // parts, where texts from the export file go, are read as XML.
  bool is_xml = (ends_with(entry, ".xml") || ends_with(entry, ".rels")) &&
                !entry.starts_with("xl/worksheets/sheet");
  std::optional<StoredEntry> stored;
  if (depth == Depth::contents && info.compressed_size <= EntriesFoundWhole::largest) {
    stored = stored_entry(zip, info, is_xml, buffer);
    if (stored && entries_found_whole().holds(*stored)) return {};
  }
  // Opening reads the local header, which must agree with the index.
  if (unzOpenCurrentFile(zip) != UNZ_OK)
    return zip_entry_fault(ProblemKind::zip_entry_unopened, entry);
  if (depth == Depth::index) {
    unzCloseCurrentFile(zip);
    return {};
  }

  XmlCheck xml;
  std::uint64_t size = 0;
  for (;;) {
    int n = unzReadCurrentFile(zip, buffer.data(), static_cast<unsigned>(buffer.size()));
    if (n < 0) {
      unzCloseCurrentFile(zip);
      return zip_entry_fault(ProblemKind::zip_entry_not_inflating, entry);
    }
    if (n == 0) break;
    size += static_cast<std::uint64_t>(n);
    if (is_xml) xml.feed(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
  }
  // The checksum is compared only once the recorded size has been read.
  if (size != info.uncompressed_size) {
    unzCloseCurrentFile(zip);
    return zip_entry_fault(ProblemKind::zip_entry_wrong_length, entry);
  }
  if (unzCloseCurrentFile(zip) != UNZ_OK)
    return zip_entry_fault(ProblemKind::zip_entry_bad_checksum, entry);
  if (is_xml && !xml.complete()) return zip_entry_fault(ProblemKind::zip_entry_not_xml, entry);
  if (stored) entries_found_whole().add(std::move(*stored));
  return {};
}

Result<void> check(const ZipSource& bytes, Depth depth) {
  ZipReader zip = zip_reader_open(bytes);
  if (!zip) return Problem(ProblemKind::zip_missing);
  unz_global_info64 global{};
  if (unzGetGlobalInfo64(zip.get(), &global) != UNZ_OK || global.number_entry == 0)
    return Problem(ProblemKind::zip_empty);
  if (!ends_where_its_end_record_says(bytes, global.size_comment))
    return Problem(ProblemKind::zip_cut_short);

  // Unfilled: a file's every check would first clear it.
  constexpr std::size_t buffer_size = 64 * 1024;
  std::unique_ptr<char[]> buffer(new char[buffer_size]);
  std::uint64_t entries = 0;
  int at = unzGoToFirstFile(zip.get());
  for (; at == UNZ_OK; at = unzGoToNextFile(zip.get()), ++entries)
    if (Result<void> checked = entry_check(zip.get(), depth, {buffer.get(), buffer_size}); !checked)
      return checked;
  if (at != UNZ_END_OF_LIST_OF_FILE || entries != global.number_entry)
    return Problem(ProblemKind::zip_index_broken);
  return {};
}

}  // namespace

Result<void> zip_check(const ZipSource& zip) {
  return check(zip, Depth::contents);
}

Result<void> zip_index_check(const ZipSource& zip) {
  return check(zip, Depth::index);
}

}  // namespace ordelix
