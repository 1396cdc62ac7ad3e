#pragma once

#include <string>
#include <string_view>

namespace ordelix {

// Names cross the core as UTF-8 and the Windows API as UTF-16.
std::wstring wide_of(std::string_view utf8);
std::string utf8_of(std::wstring_view wide);

}  // namespace ordelix
