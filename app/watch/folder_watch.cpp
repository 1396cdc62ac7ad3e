#include "folder_watch.h"

#include <algorithm>
#include <cerrno>
#include <optional>

#include "platform/paths.h"
#include "reports/measurement_modes.h"

namespace ordelix {
namespace {

// The path below the folder `top`; none when it is not below it.
std::optional<std::string> path_below(const std::string& top, const std::string& path) {
  std::string prefix = path_join(top, "x");
  prefix.pop_back();
  if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0)
    return std::nullopt;
  return path.substr(prefix.size());
}

// Hidden names, as a batch passes them, and the lock files office programs
// keep beside what they open.
bool hidden_or_lock(const std::string& name) {
  return name.empty() || name.front() == '.' || name.starts_with("~$");
}

// Those names are passed over, and so are subfolders when they are not
// watched.
bool passed_over(std::string relative, bool recursive) {
  for (;;) {
    if (hidden_or_lock(path_file_name(relative))) return true;
    std::string up = path_folder(relative);
    if (up == ".") return false;
    if (!recursive) return true;
    relative = std::move(up);
  }
}

}  // namespace

FolderWatch::FolderWatch(WatchSettings settings, FolderChanges& changes, WatchClock& clock,
                         WatchActions& actions)
    : settings_(std::move(settings)), changes_(changes), clock_(clock), actions_(actions) {}

bool FolderWatch::start() {
  return scan();
}

void FolderWatch::step() {
  auto wait = std::chrono::ceil<std::chrono::milliseconds>(
      std::max(next_due() - clock_.now(), WatchTime::duration::zero()));
  bool look_through = false;
  for (const FolderChange& change : changes_.wait(wait))
    look_through |= change.kind == FolderChange::Kind::rescan || !entry_changed(change.path);
  if (look_through || clock_.now() >= next_scan_) scan();
  convert_settled();
}

bool FolderWatch::scan() {
  InputSelection found;
  std::vector<FolderProblem> problems;
  std::set<std::string> watched;
  // Each folder is watched before it is looked through, so that nothing
  // comes unseen between; one found and watched anew is looked through again
  // for what came before its watch.
  for (bool anew = true; anew;) {
    anew = false;
    problems.clear();
    auto watch = [&](const std::string& folder) {
      if (Result<void> done = changes_.watch(folder, settings_.recursive); !done)
        problems.push_back({folder, std::move(done).error()});
      else if (watched.insert(folder).second && !watched_.contains(folder))
        anew = true;
    };
    std::vector<std::string> present;
    for (const std::string& top : settings_.folders) {
      if (!is_folder(top)) {
        int why = path_kind(top) == PathKind::none ? ENOENT : ENOTDIR;
        problems.push_back({top, Problem(ProblemKind::cannot_read_folder, why)});
        continue;
      }
      watch(top);
      present.push_back(top);
    }
    found = batch_select_inputs(present, settings_.recursive);
    for (const std::string& folder : found.folders) watch(folder);
  }
  watched_ = std::move(watched);
  // A watched folder is empty until files come.
  for (FolderProblem& p : found.problems)
    if (p.problem.kind != ProblemKind::no_export_files) problems.push_back(std::move(p));
  bool all_read = tell_folder_problems(problems);

  std::set<std::string> seen;
  for (const BatchInput& file : found.files) {
    if (hidden_or_lock(path_file_name(file.path))) continue;
    seen.insert(file.path);
    consider(file);
  }
  std::erase_if(waiting_, [&](const auto& entry) { return !seen.contains(entry.first); });
  std::erase_if(handled_, [&](const auto& entry) { return !seen.contains(entry.first); });
  next_scan_ = clock_.now() + settings_.poll;
  return all_read;
}

bool FolderWatch::tell_folder_problems(const std::vector<FolderProblem>& problems) {
  std::set<std::string> failing;
  for (const FolderProblem& p : problems)
    if (failing.insert(p.folder).second && !failed_folders_.contains(p.folder))
      actions_.folder_failed(p.folder, p.problem);
  failed_folders_ = std::move(failing);
  return problems.empty();
}

bool FolderWatch::entry_changed(const std::string& path) {
  for (const std::string& top : settings_.folders) {
    std::optional<std::string> relative = path_below(top, path);
    if (!relative || passed_over(*relative, settings_.recursive)) continue;
    // A new subfolder may hold files already, made before it was watched.
    if (settings_.recursive && path_kind(path) == PathKind::folder) return false;
    if (measurement_mode_of(path) != nullptr) consider({path, *relative});
    return true;
  }
  return true;
}

void FolderWatch::consider(const BatchInput& input) {
  std::optional<FileStamp> stamp = file_stamp(input.path);
  if (!stamp) return forget(input.path);
  if (auto handled = handled_.find(input.path);
      handled != handled_.end() && handled->second == *stamp) {
    waiting_.erase(input.path);
    return;
  }
  Waiting now{input, *stamp, clock_.now()};
  auto [waiting, added] = waiting_.try_emplace(input.path, now);
  if (!added && waiting->second.stamp != *stamp) waiting->second = now;
}

void FolderWatch::forget(const std::string& path) {
  waiting_.erase(path);
  handled_.erase(path);
}

void FolderWatch::convert_settled() {
  WatchTime now = clock_.now();
  std::vector<BatchInput> ready;
  for (auto it = waiting_.begin(); it != waiting_.end();) {
    auto& [path, waiting] = *it;
    if (now - waiting.since < settings_.settle) {
      ++it;
      continue;
    }
    std::optional<FileStamp> stamp = file_stamp(path);
    if (!stamp) {
      it = waiting_.erase(it);
      continue;
    }
    if (*stamp != waiting.stamp || file_open_for_writing(path)) {
      waiting.stamp = *stamp;
      waiting.since = now;
    } else {
      ready.push_back(waiting.input);
    }
    ++it;
  }
  if (ready.empty()) return;
  std::vector<bool> whole = actions_.convert(ready);
  WatchTime after = clock_.now();
  for (std::size_t i = 0; i < ready.size(); ++i) {
    auto waiting = waiting_.find(ready[i].path);
    if (!whole[i]) {
      waiting->second.since = after;
      continue;
    }
    handled_[ready[i].path] = waiting->second.stamp;
    waiting_.erase(waiting);
  }
}

WatchTime FolderWatch::next_due() const {
  WatchTime due = next_scan_;
  for (const auto& [path, waiting] : waiting_)
    due = std::min(due, waiting.since + settings_.settle);
  return due;
}

}  // namespace ordelix
