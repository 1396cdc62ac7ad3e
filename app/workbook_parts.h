#pragma once

namespace ordelix {

// The workbook library's temporary parts, written by this thread: forget
// earlier failures before a workbook, then ask after closing it for the errno
// of the first write or read of a part that failed (0 when none did).
void workbook_parts_reset();
int workbook_parts_failure();

}  // namespace ordelix
