#include "batch_inputs.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "reports/measurement_modes.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;

class FolderSearch {
 public:
  FolderSearch(InputSelection& selection, bool recursive)
      : selection_(selection), recursive_(recursive) {}

  // The system's reason when the folder could not be read, else 0.
  int search(const fs::path& folder, const fs::path& relative) {
    std::error_code ec;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
      if (it->path().filename().string().front() != '.') entries.push_back(*it);
    if (ec) return ec.value();
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
      return a.path().filename() < b.path().filename();
    });
    for (const fs::directory_entry& entry : entries)
      take(entry, relative / entry.path().filename());
    return 0;
  }

 private:
  void take(const fs::directory_entry& entry, const fs::path& relative) {
    std::error_code ec;
    if (entry.is_symlink(ec) && fs::is_directory(entry.path(), ec)) return;
    if (entry.is_directory(ec)) {
      if (!recursive_) {
        ++selection_.skipped_folders;
        return;
      }
      if (int sys_errno = search(entry.path(), relative))
        selection_.problems.push_back(
            {entry.path().string(), Problem(ProblemKind::cannot_read_folder, 0, {}, sys_errno)});
      return;
    }
    if (!entry.is_regular_file(ec) || measurement_mode_of(entry.path().string()) == nullptr) {
      ++selection_.skipped_files;
      return;
    }
    selection_.files.push_back({entry.path().string(), relative.string()});
  }

  InputSelection& selection_;
  bool recursive_;
};

}  // namespace

InputSelection batch_select_inputs(const std::vector<std::string>& arguments, bool recursive) {
  InputSelection selection;
  FolderSearch folders(selection, recursive);
  for (const std::string& argument : arguments) {
    std::error_code ec;
    if (!fs::is_directory(argument, ec)) {
      selection.files.push_back({argument, fs::path(argument).filename().string()});
      continue;
    }
    std::size_t before = selection.files.size();
    if (int sys_errno = folders.search(argument, {}))
      selection.problems.push_back(
          {argument, Problem(ProblemKind::cannot_read_folder, 0, {}, sys_errno)});
    else if (selection.files.size() == before)
      selection.problems.push_back({argument, Problem(ProblemKind::no_export_files)});
  }
  return selection;
}

}  // namespace ordelix
