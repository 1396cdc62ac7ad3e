#pragma once

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "sheet/report_sheet.h"

namespace ordelix::test {

// Sheet columns by their letters, from 1.
namespace columns {
inline constexpr int A = 1, B = 2, C = 3, D = 4, E = 5, F = 6, G = 7, H = 8, I = 9, J = 10, K = 11,
                     L = 12, M = 13, N = 14, O = 15, P = 16, Q = 17, R = 18, S = 19, T = 20, U = 21,
                     V = 22, W = 23, X = 24, Y = 25, Z = 26;
}  // namespace columns

// `path` in the form that lifts Windows' limits on names (long paths, names
// of devices); elsewhere as it is.
inline std::filesystem::path unlimited(const std::filesystem::path& path) {
#ifdef _WIN32
  // That form is taken as it stands: no "/", ".." or "." in it.
  return L"\\\\?\\" + std::filesystem::absolute(path).lexically_normal().wstring();
#else
  return path;
#endif
}

// A folder of its own for one test; CTest runs tests in parallel processes.
class TempDir {
 public:
  TempDir() {
    static int counter = 0;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    static const unsigned run = std::random_device{}();
    std::string name = "ordelix-unit-" + std::to_string(run) + "-" + std::to_string(++counter) +
                       "-" + (info ? info->name() : "none");
    // A parameterised test's name ("HeaderBlock/0") would make two folders, one left behind.
    std::replace(name.begin(), name.end(), '/', '-');
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  // Whatever long or device-named files a test left in it.
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(unlimited(path_), ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The names a folder holds, hidden ones too, in UTF-8 and in order.
inline std::vector<std::string> names_in(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::u8string name = entry.path().filename().u8string();
    names.emplace_back(name.begin(), name.end());
  }
  std::sort(names.begin(), names.end());
  return names;
}

inline bool is_workbook(const std::string& path) {
  return read_bytes(path).rfind("PK\x03\x04", 0) == 0;
}

// The workbook's `entry` with its stored bytes zeroed, its zip index left
// whole: what a copier that sets the file's size first leaves when stopped.
inline std::string with_entry_zeroed(std::string zip, const std::string& entry) {
  // The central directory's record names the entry after 46 bytes of its
  // own, its stored size at 20 and its local header's place at 42.
  auto read_le = [&zip](std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
      value = value << 8 | static_cast<unsigned char>(zip[at + static_cast<std::size_t>(i)]);
    return static_cast<std::size_t>(value);
  };
  std::size_t record = zip.find("PK\x01\x02");
  while (zip.compare(record + 46, entry.size(), entry) != 0)
    record = zip.find("PK\x01\x02", record + 4);
  std::size_t stored = read_le(record + 20, 4);
  std::size_t local = read_le(record + 42, 4);
  std::size_t data = local + 30 + read_le(local + 26, 2) + read_le(local + 28, 2);
  zip.replace(data, stored, std::string(stored, '\0'));
  return zip;
}

// `path` ("day2/x.OD") spelled with the platform's own separator, as the
// converter joins names.
inline std::string native(std::string path) {
  std::replace(path.begin(), path.end(), '/',
               static_cast<char>(std::filesystem::path::preferred_separator));
  return path;
}

inline void set_environment(const char* name, const char* value) {
#ifdef _WIN32
  ASSERT_EQ(_putenv_s(name, value), 0) << name;
#else
  ASSERT_EQ(::setenv(name, value, 1), 0) << name;
#endif
}

inline void unset_environment(const char* name) {
#ifdef _WIN32
  // An empty value removes the variable there.
  ASSERT_EQ(_putenv_s(name, ""), 0) << name;
#else
  ASSERT_EQ(::unsetenv(name), 0) << name;
#endif
}

// A link to a folder. Windows lets only the privileged make one, and wine
// no one, so there a case must hold with the link missing too.
inline void make_folder_link(const std::filesystem::path& to, const std::filesystem::path& link) {
  std::error_code ec;
  std::filesystem::create_directory_symlink(to, link, ec);
#ifndef _WIN32
  EXPECT_FALSE(ec) << link << ": " << ec.message();
#endif
}

// An entry in `folder` named like an export file that is no file to read: a
// named pipe on POSIX; on Windows a file under the name of a device, which
// only the unlimited form of its path reaches.
inline void make_unreadable_export_entry(const std::filesystem::path& folder) {
#ifdef _WIN32
  std::ofstream(unlimited(folder / "com1.PRO"), std::ios::binary) << "2\r\n";
  EXPECT_TRUE(std::filesystem::is_regular_file(unlimited(folder / "com1.PRO")));
#else
  EXPECT_EQ(::mkfifo((folder / "fifo.PRO").c_str(), 0600), 0);
#endif
}

// Bytes that tell where they were cut or shifted: no two 4-byte windows alike.
inline std::string pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 251) % 256);
  return bytes;
}

// Written in pieces as the library does, then read back from the start.
inline std::string round_trip(std::FILE* part, const std::string& bytes) {
  for (std::size_t at = 0; at < bytes.size(); at += 10000)
    std::fwrite(bytes.data() + at, 1, std::min<std::size_t>(10000, bytes.size() - at), part);
  std::fflush(part);
  std::rewind(part);
  std::string back(bytes.size() + 1, '\0');
  back.resize(std::fread(back.data(), 1, back.size(), part));
  return back;
}

using Lines = std::vector<std::string>;

inline Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline const Font bold{12, true, false, 1};
inline const Font plain{12, false, false, 1};

// An export file as the instrument writes it: every line ended by CR LF.
inline std::string write_export(const TempDir& dir, const std::string& name,
                                const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  std::string path = dir.file(name);
  write_bytes(path, bytes);
  return path;
}

inline std::optional<std::string> text_at(const ReportSheet& sheet, int row, int col) {
  std::optional<std::string_view> text = sheet.text_at(row, col);
  return text ? std::optional<std::string>(*text) : std::nullopt;
}

inline std::optional<double> number_at(const ReportSheet& sheet, int row, int col) {
  return sheet.number_at(row, col);
}

// An empty text is a blank cell in the workbook, so it counts as empty here.
inline bool is_empty(const ReportSheet& sheet, int row, int col) {
  std::optional<CellValue> v = sheet.cell(row, col);
  if (!v) return true;
  const auto* text = std::get_if<std::string_view>(&*v);
  return text != nullptr && text->empty();
}

// Built by appending: GCC 12 warns falsely on "literal" + std::string.
inline std::string numbered(std::string_view prefix, int n) {
  std::string text(prefix);
  text += std::to_string(n);
  return text;
}

// One data line per column letter, each holding its column and `k`: "C1", "E1" ...
inline Lines named_by_columns(std::string_view columns, int k) {
  Lines lines;
  for (char c : columns) lines.push_back(numbered(std::string(1, c), k));
  return lines;
}

inline std::string with_blanks(std::string text, std::size_t blanks) {
  text.append(blanks, ' ');
  return text;
}

// One blank followed by a run of hyphens.
inline std::string separator(std::size_t hyphens) {
  std::string line(hyphens + 1, '-');
  line[0] = ' ';
  return line;
}

inline std::string padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

// Whether any text cell of the sheet begins with `prefix`.
inline bool shows_text_starting_with(const ReportSheet& sheet, const std::string& prefix) {
  for (int row = 1; row <= sheet.last_row(); ++row)
    for (const auto& entry : sheet.row_entries(row)) {
      CellValue value = entry.value();
      const auto* text = std::get_if<std::string_view>(&value);
      if (text != nullptr && text->rfind(prefix, 0) == 0) return true;
    }
  return false;
}

// The report of a conversion that must give one; an empty one, after a
// failure, when it gives none.
inline Conversion converted(Result<Conversion> result) {
  EXPECT_TRUE(result.ok()) << problem_text(result.error());
  return result ? std::move(result).value() : Conversion{};
}

// The error of a conversion that must give no report.
inline Problem refusal(const Result<Conversion>& result) {
  EXPECT_FALSE(result.ok());
  return result ? Problem(ProblemKind::no_report) : result.error();
}

// Converts export files written from line lists, in a folder of the test's own.
class ConversionTest : public ::testing::Test {
 protected:
  Conversion convert_lines(const Lines& lines, const std::string& name) {
    return converted(convert_export_file(write_export(dir_, name, lines)));
  }

  TempDir dir_;
};

}  // namespace ordelix::test
