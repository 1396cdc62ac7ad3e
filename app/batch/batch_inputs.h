#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/problem.h"

namespace ordelix {

// One export file of a batch. `relative` is where its report goes under a
// report folder: its path below the folder argument that found it, or just
// its name when it was named itself.
struct BatchInput {
  std::string path;
  std::string relative;
};

// A folder argument that could not be searched, or held nothing to convert.
struct FolderProblem {
  std::string folder;
  Problem problem;
};

struct InputSelection {
  std::vector<BatchInput> files;
  std::vector<FolderProblem> problems;
  std::vector<std::string> folders;  // searched, the folder arguments among them
  std::size_t skipped_files = 0;     // in folders: not regular, or named for no measurement mode
  std::size_t skipped_folders = 0;   // subfolders left out without `recursive`
};

// Expands the arguments into export files in the order given. A file
// argument is taken as it is; a folder gives its files whose extension names
// a measurement mode, by name, with its subfolders in their place among them
// when `recursive`. Hidden entries are passed over and folder links are not
// followed, so a search always ends.
InputSelection batch_select_inputs(const std::vector<std::string>& arguments, bool recursive);

}  // namespace ordelix
