#pragma once

namespace ordelix {

// The C library's errno for a Windows error code, so that problems are
// worded alike on every platform; EIO for codes with no closer match.
int errno_of(unsigned long windows_error);
// errno_of(GetLastError()).
int last_errno();

}  // namespace ordelix
