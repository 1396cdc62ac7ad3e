#include "batch_inputs.h"

#include "platform/folders.h"
#include "platform/paths.h"
#include "reports/measurement_modes.h"

namespace ordelix {
namespace {

class FolderSearch {
 public:
  FolderSearch(InputSelection& selection, bool recursive)
      : selection_(selection), recursive_(recursive) {}

  Result<void> search(const std::string& folder, const std::string& relative) {
    Result<std::vector<FolderEntry>> entries = folder_entries(folder);
    if (!entries) return std::move(entries).error();
    selection_.folders.push_back(folder);
    for (const FolderEntry& entry : entries.value())
      take(entry, path_join(folder, entry.name),
           relative.empty() ? entry.name : path_join(relative, entry.name));
    return {};
  }

 private:
  void take(const FolderEntry& entry, const std::string& path, const std::string& relative) {
    switch (entry.kind) {
      case EntryKind::folder_link:
        return;
      case EntryKind::folder:
        if (!recursive_) {
          ++selection_.skipped_folders;
          return;
        }
        if (Result<void> searched = search(path, relative); !searched)
          selection_.problems.push_back({path, std::move(searched).error()});
        return;
      case EntryKind::other:
        ++selection_.skipped_files;
        return;
      case EntryKind::regular:
        break;
    }
    if (measurement_mode_of(path) == nullptr)
      ++selection_.skipped_files;
    else
      selection_.files.push_back({path, relative});
  }

  InputSelection& selection_;
  bool recursive_;
};

}  // namespace

InputSelection batch_select_inputs(const std::vector<std::string>& arguments, bool recursive) {
  InputSelection selection;
  FolderSearch folders(selection, recursive);
  for (const std::string& argument : arguments) {
    if (!is_folder(argument)) {
      selection.files.push_back({argument, path_file_name(argument)});
      continue;
    }
    std::size_t before = selection.files.size();
    if (Result<void> searched = folders.search(argument, {}); !searched)
      selection.problems.push_back({argument, std::move(searched).error()});
    else if (selection.files.size() == before)
      selection.problems.push_back({argument, Problem(ProblemKind::no_export_files)});
  }
  return selection;
}

}  // namespace ordelix
