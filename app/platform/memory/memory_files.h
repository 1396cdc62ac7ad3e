#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "base/result.h"

namespace ordelix {

// The files of the memory platform, where a front end without a file system
// hands export files in and takes reports out: input_file_read reads them,
// folder_entries lists them and a placed StagedFile lands among them. Paths
// are "/"-separated; a relative one starts at the root "/".

// Puts the bytes at `path` with their creation time, replacing a file there,
// and makes the folders above it. Errors: cannot_create_folder (a file
// stands where a folder would), cannot_create (a folder stands at `path`).
Result<void> memory_file_put(const std::string& path, std::string bytes, std::time_t created);

// Takes the file at `path` out: its bytes, or nothing when no file is there.
std::optional<std::string> memory_file_take(const std::string& path);

// Leaves nothing but the empty root and the temporary folder.
void memory_files_clear();

}  // namespace ordelix
