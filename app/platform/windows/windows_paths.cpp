#include "windows_paths.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/paths.h"
#include "windows_text.h"

namespace ordelix {

std::wstring long_path(const std::string& path) {
  std::wstring wide = wide_of(path);
  if (wide.starts_with(L"\\\\?\\")) return wide;
  DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return wide;
  std::wstring full(size, L'\0');
  size = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  full.resize(size);
  if (full.starts_with(L"\\\\.\\")) return full;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

std::wstring long_path_in(const std::wstring& folder, std::wstring_view name) {
  std::wstring path = folder;
  if (!path.ends_with(L'\\')) path += L'\\';
  return path.append(name);
}

bool names_device(std::string_view path) {
  if (path.starts_with("\\\\.\\") || path.starts_with("//./")) return true;
  std::string name = path_file_name(path);
  // The device is named by what stands before the first dot, spaces and
  // dots at the end not counting.
  name = name.substr(0, name.find('.'));
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  static constexpr std::array<std::string_view, 6> plain{"CON", "PRN",    "AUX",
                                                         "NUL", "CONIN$", "CONOUT$"};
  if (std::find(plain.begin(), plain.end(), name) != plain.end()) return true;
  return name.size() == 4 && (name.starts_with("COM") || name.starts_with("LPT")) &&
         name[3] >= '1' && name[3] <= '9';
}

}  // namespace ordelix
