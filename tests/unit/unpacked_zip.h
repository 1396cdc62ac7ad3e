#pragma once

#include <unzip.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "zip/zip_bytes.h"

namespace ordelix::test {

struct Unpacked {
  std::string name;
  std::string bytes;
  unz_file_info64 info;
};

struct UnzipCloser {
  void operator()(void* zip) const { unzClose(zip); }
};

// Every member as an unzip program reads it.
inline std::vector<Unpacked> unpacked(const ZipBytes& zip) {
  zlib_filefunc64_def from_zip{};
  zip_bytes_read_functions(zip, from_zip);
  std::unique_ptr<void, UnzipCloser> archive(unzOpen2_64("archive.zip", &from_zip));
  EXPECT_NE(archive, nullptr);
  std::vector<Unpacked> members;
  if (!archive) return members;
  for (int at = unzGoToFirstFile(archive.get()); at == UNZ_OK;
       at = unzGoToNextFile(archive.get())) {
    Unpacked member;
    char name[256] = {};
    unzGetCurrentFileInfo64(archive.get(), &member.info, name, sizeof name, nullptr, 0, nullptr, 0);
    member.name = name;
    EXPECT_EQ(unzOpenCurrentFile(archive.get()), UNZ_OK);
    char buffer[4096];
    for (int n; (n = unzReadCurrentFile(archive.get(), buffer, sizeof buffer)) > 0;)
      member.bytes.append(buffer, static_cast<std::size_t>(n));
    EXPECT_EQ(unzCloseCurrentFile(archive.get()), UNZ_OK) << "checksum of " << member.name;
    members.push_back(std::move(member));
  }
  return members;
}

}  // namespace ordelix::test
