#pragma once

#include <string_view>

namespace ordelix {

// Writes all of `bytes` to `fd` at its position, through short writes and
// interruptions: 0, or the errno of the write that failed.
int fd_write_all(int fd, std::string_view bytes);

}  // namespace ordelix
