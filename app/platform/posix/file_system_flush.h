#pragma once

namespace ordelix {

// Whether one syncfs of the file system that holds `fd` makes its files last
// and tells of their write-back errors. Not through FUSE, whose daemon the
// kernel does not pass it on to, nor before Linux 5.8, whose syncfs reports
// no errors: there each file takes an fsync of its own.
bool syncfs_covers_files(int fd);

}  // namespace ordelix
