#include "platform/folder_changes.h"

#include <poll.h>
#include <sys/inotify.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <unordered_map>

#include "platform/console.h"
#include "platform/paths.h"
#include "stop_wake.h"
#include "unique_fd.h"

namespace ordelix {
namespace {

// A file written and closed, moved in, made, retimed or gone; a folder made
// or moved in. A write alone is left out: the watch looks again before it
// reads, and a writer's every block would wake it.
constexpr std::uint32_t watched_events =
    IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_ATTRIB | IN_ONLYDIR;

class InotifyChanges final : public FolderChanges {
 public:
  explicit InotifyChanges(int fd) : fd_(fd) {}

  Result<void> watch(const std::string& folder, bool) override {
    int wd = ::inotify_add_watch(fd_.get(), folder.c_str(), watched_events);
    if (wd < 0) return Problem(ProblemKind::cannot_watch_folder, errno);
    folders_[wd] = folder;
    return {};
  }

  std::vector<FolderChange> wait(std::chrono::milliseconds timeout) override {
    std::vector<FolderChange> changes;
    pollfd waited[2] = {{fd_.get(), POLLIN, 0}, {stop_wake_descriptor(), POLLIN, 0}};
    int ms = static_cast<int>(std::clamp<long long>(timeout.count(), 0, INT_MAX));
    if (console_stop_flag().load() || ::poll(waited, 2, ms) <= 0 || console_stop_flag().load())
      return changes;
    if (waited[0].revents & POLLIN) read_events(changes);
    return changes;
  }

 private:
  void read_events(std::vector<FolderChange>& changes) {
    alignas(inotify_event) char buffer[64 * 1024];
    ssize_t n;
    while ((n = ::read(fd_.get(), buffer, sizeof buffer)) > 0) {
      for (char* at = buffer; at < buffer + n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(at);
        at += sizeof(inotify_event) + event->len;
        if (event->mask & IN_Q_OVERFLOW) {
          changes.push_back({FolderChange::Kind::rescan, {}});
        } else if (event->mask & IN_IGNORED) {
          folders_.erase(event->wd);
        } else if (auto folder = folders_.find(event->wd);
                   folder != folders_.end() && event->len > 0) {
          changes.push_back({FolderChange::Kind::entry, path_join(folder->second, event->name)});
        }
      }
    }
  }

  UniqueFd fd_;
  std::unordered_map<int, std::string> folders_;  // by watch descriptor
};

}  // namespace

Result<std::unique_ptr<FolderChanges>> folder_changes_open() {
  int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0) return Problem(ProblemKind::cannot_watch_folder, errno);
  return std::unique_ptr<FolderChanges>(std::make_unique<InotifyChanges>(fd));
}

}  // namespace ordelix
