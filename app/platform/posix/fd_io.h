#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string_view>

namespace ordelix {

// Through short writes and interruptions: 0, or the errno of the write that failed.
int fd_write_all(int fd, std::string_view bytes);
int fd_write_all_at(int fd, std::string_view bytes, off_t at);
// Through interruptions: the bytes read, or -1 with errno set.
ssize_t fd_read_at(int fd, char* buffer, std::size_t size, off_t at);

}  // namespace ordelix
