#pragma once

#include <string>
#include <string_view>

namespace ordelix {

// The path as the wide API takes it whatever its length: absolute, in the
// "\\?\" form that lifts the 260-character limit ("\\?\UNC\" for a share).
std::wstring long_path(const std::string& path);
// `name` in the folder a long path names.
std::wstring long_path_in(const std::wstring& folder, std::wstring_view name);

// Whether the last name of the path is one of the devices every folder
// seems to hold (CON, PRN, AUX, NUL, COM1-9, LPT1-9, any extension), or the
// path reaches into the device namespace ("\\.\"): never a file to read or
// write.
bool names_device(std::string_view path);

}  // namespace ordelix
