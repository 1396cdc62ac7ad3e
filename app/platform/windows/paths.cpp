#include "platform/paths.h"

#include <windows.h>

#include <filesystem>
#include <optional>

#include "unique_handle.h"
#include "windows_paths.h"
#include "windows_text.h"

namespace ordelix {

namespace fs = std::filesystem;

namespace {

// Built from UTF-16: from a narrow string the library would read the ANSI code page.
fs::path fs_path(std::string_view path) {
  return fs::path(wide_of(path));
}

std::string text_of(const fs::path& path) {
  return utf8_of(path.native());
}

// What stands at the path, links followed; nothing when it cannot be opened.
std::optional<BY_HANDLE_FILE_INFORMATION> file_information(const std::string& path) {
  // No access asked for: the attributes and identity need none, and a file
  // open elsewhere without sharing still answers.
  UniqueHandle file(CreateFileW(long_path(path).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  return info;
}

// Names on Windows are the same in any case. A device's name is not looked
// up: a look at CON reaches the console.
std::string identity_of(const std::string& path) {
  std::error_code ec;
  fs::path spelled = fs::absolute(fs_path(path), ec).lexically_normal();
  fs::path identity = names_device(path) ? spelled : fs::weakly_canonical(spelled, ec);
  if (ec) identity = spelled;
  std::wstring wide = identity.make_preferred().native();
  // Upper case as the file system compares names; kernel32's, since
  // user32's would load the window system into a console program.
  std::wstring upper(wide.size(), L'\0');
  int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(),
                        static_cast<int>(wide.size()), upper.data(), static_cast<int>(upper.size()),
                        nullptr, nullptr, 0);
  return utf8_of(n > 0 ? std::wstring_view(upper.data(), static_cast<std::size_t>(n)) : wide);
}

}  // namespace

std::string path_join(std::string_view folder, std::string_view name) {
  return text_of(fs_path(folder) / fs_path(name));
}

std::string path_file_name(std::string_view path) {
  return text_of(fs_path(path).filename());
}

std::string path_folder(std::string_view path) {
  fs::path folder = fs_path(path).parent_path();
  return folder.empty() ? "." : text_of(folder);
}

std::string path_with_extension(std::string_view path, std::string_view extension) {
  return text_of(fs_path(path).replace_extension(fs_path(extension)));
}

std::string temp_folder() {
  wchar_t buffer[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
  if (n == 0 || n > MAX_PATH) return ".";
  return utf8_of({buffer, n});
}

std::vector<std::string> path_identities(const std::vector<std::string>& paths) {
  std::vector<std::string> identities;
  for (const std::string& path : paths) identities.push_back(identity_of(path));
  return identities;
}

// The wide API throughout: the C runtime's calls that std::filesystem uses
// refuse the long form of a path.
bool paths_same_file(const std::string& a, const std::string& b) {
  if (names_device(a) || names_device(b)) return false;
  std::optional<BY_HANDLE_FILE_INFORMATION> x = file_information(a);
  std::optional<BY_HANDLE_FILE_INFORMATION> y = file_information(b);
  return x && y && x->dwVolumeSerialNumber == y->dwVolumeSerialNumber &&
         x->nFileIndexHigh == y->nFileIndexHigh && x->nFileIndexLow == y->nFileIndexLow;
}

PathKind path_kind(const std::string& path) {
  if (names_device(path)) return PathKind::other;
  DWORD attributes = GetFileAttributesW(long_path(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::none;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return PathKind::other;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::folder;
  return PathKind::regular;
}

bool is_folder(const std::string& path) {
  if (names_device(path)) return false;
  std::optional<BY_HANDLE_FILE_INFORMATION> info = file_information(path);
  return info && (info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace ordelix
