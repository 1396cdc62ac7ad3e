#pragma once

#include <cstdio>

namespace ordelix {

// A stream for one part of a workbook, in `folder` should it grow large: the
// workbook library's temporary file (lxw_set_tmpfile_function). It stays in
// memory while small, so a batch of small reports makes no files, and moves
// to an unnamed file in the folder when it grows; every failed write or read
// is kept for workbook_parts_failure(). Null when even that cannot be had.
FILE* workbook_part_open(char* folder);

// The workbook library's temporary parts, written by this thread: forget
// earlier failures before a workbook, then ask after closing it for the errno
// of the first write or read of a part that failed (0 when none did).
void workbook_parts_reset();
int workbook_parts_failure();

}  // namespace ordelix
