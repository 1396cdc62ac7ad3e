#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "base/result.h"

namespace ordelix {

// Reads up to `size` bytes at `at` without moving the handle's position;
// 0 at the end of the file.
Result<std::size_t> handle_read_at(HANDLE handle, std::uint64_t at, char* buffer, std::size_t size);

}  // namespace ordelix
