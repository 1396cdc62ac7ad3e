#pragma once

#include <cstdio>

namespace ordelix {

// A stream for one part of a workbook, the workbook library's temporary file
// (lxw_set_tmpfile_function), spilling into `folder` should it grow large. It
// stays in memory while small, so a batch of small reports makes no files,
// and moves to an unnamed file in the folder when it grows. Every failed
// write or read is kept for part_streams_failure(). Null when even memory
// cannot be had.
FILE* part_stream_open(char* folder);

// The parts written by this thread: forget earlier failures before a
// workbook, then ask after closing it for the errno of the first write or
// read of a part that failed (0 when none did).
void part_streams_forget();
int part_streams_failure();

}  // namespace ordelix
