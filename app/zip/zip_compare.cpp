#include "zip_compare.h"

#include <unzip.h>

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "zip_reader.h"

namespace ordelix {
namespace {

// What memory can hold; a listed size beyond it is no report's.
constexpr std::uint64_t largest_entry = std::numeric_limits<std::size_t>::max();

// The entry's name and size as the index lists them.
bool entry_listed(unzFile zip, std::array<char, 512>& name, unz_file_info64& info) {
  return unzGetCurrentFileInfo64(zip, &info, name.data(), static_cast<uLong>(name.size()), nullptr,
                                 0, nullptr, 0) == UNZ_OK;
}

// Reads the entry at `zip` into `into`, whole: false where it does not
// inflate to its recorded checksum.
bool entry_read(unzFile zip, std::size_t size, std::vector<char>& into) {
  into.resize(size);
  if (unzOpenCurrentFile(zip) != UNZ_OK) return false;
  std::size_t done = 0;
  while (done < size) {
    auto wanted = static_cast<unsigned>(std::min<std::size_t>(size - done, 1u << 20));
    int n = unzReadCurrentFile(zip, into.data() + done, wanted);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  char beyond = 0;
  bool whole = done == size && unzReadCurrentFile(zip, &beyond, 1) == 0;
  // Closing compares the checksum of what was read through to the end.
  return unzCloseCurrentFile(zip) == UNZ_OK && whole;
}

}  // namespace

bool zip_same_contents(const ZipSource& a, const ZipSource& b) {
  ZipReader zip_a = zip_reader_open(a);
  ZipReader zip_b = zip_reader_open(b);
  if (!zip_a || !zip_b) return false;
  unz_global_info64 global_a{}, global_b{};
  if (unzGetGlobalInfo64(zip_a.get(), &global_a) != UNZ_OK ||
      unzGetGlobalInfo64(zip_b.get(), &global_b) != UNZ_OK ||
      global_a.number_entry != global_b.number_entry)
    return false;
  std::vector<char> bytes_a, bytes_b;
  int at_a = unzGoToFirstFile(zip_a.get());
  int at_b = unzGoToFirstFile(zip_b.get());
  for (; at_a == UNZ_OK && at_b == UNZ_OK;
       at_a = unzGoToNextFile(zip_a.get()), at_b = unzGoToNextFile(zip_b.get())) {
    std::array<char, 512> name_a{}, name_b{};
    unz_file_info64 info_a{}, info_b{};
    if (!entry_listed(zip_a.get(), name_a, info_a) || !entry_listed(zip_b.get(), name_b, info_b) ||
        name_a != name_b || info_a.uncompressed_size != info_b.uncompressed_size ||
        info_a.crc != info_b.crc || info_a.uncompressed_size > largest_entry)
      return false;
    auto size = static_cast<std::size_t>(info_a.uncompressed_size);
    if (!entry_read(zip_a.get(), size, bytes_a) || !entry_read(zip_b.get(), size, bytes_b) ||
        bytes_a != bytes_b)
      return false;
  }
  return at_a == UNZ_END_OF_LIST_OF_FILE && at_b == UNZ_END_OF_LIST_OF_FILE;
}

}  // namespace ordelix
