// Which names a folder takes for one file. Folders are told apart by device
// and inode, whatever the path that reaches them; whether one folds case is
// asked of the folder itself, since a FUSE or network file system's type
// does not tell.

#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wctype.h>
#include <filesystem>
#include <map>
#include <optional>

#include "base/utf8.h"
#include "placing.h"
#include "platform/paths.h"
#include "removal_on_signal.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;

std::optional<struct stat> stat_of(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
  return st;
}

// The name with the case of each ASCII letter turned.
std::string case_turned(std::string_view name) {
  std::string turned(name);
  for (char& c : turned) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return turned;
}

// Asked of a hidden file made for the question, by a name no other file has:
// a FUSE file system may give one file another inode under each spelling,
// so only whether the other spelling finds a file at all tells. A folder
// nothing can be made in is taken to keep case: it gets no reports anyway.
bool folds_case(const std::string& folder) {
  std::string probe = hidden_name(folder);
  RemovalOnSignal removal(probe);
  int err = removal.make([&probe] {
    int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return errno;
    ::close(fd);
    return 0;
  });
  if (err != 0) return false;
  struct stat st {};
  bool folds = ::lstat(path_join(folder, case_turned(path_file_name(probe))).c_str(), &st) == 0;
  removal.take([&probe] { return ::unlink(probe.c_str()) == 0 ? 0 : errno; });
  return folds;
}

// Each character as the C library upper-cases it in UTF-8, as FAT, exFAT
// and SMB compare names; bytes that are no UTF-8 stay as they are.
std::string case_folded(std::string_view name) {
  static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
  std::string folded;
  while (!name.empty()) {
    std::string_view before = name;
    std::optional<char32_t> c = utf8_take(name);
    if (!c) {
      folded.append(before.substr(0, before.size() - name.size()));
      continue;
    }
    wint_t upper = utf8 != locale_t{} ? ::towupper_l(static_cast<wint_t>(*c), utf8)
                   : *c < 0x80        ? static_cast<wint_t>(::toupper(static_cast<int>(*c)))
                                      : static_cast<wint_t>(*c);
    utf8_append(folded, static_cast<char32_t>(upper));
  }
  return folded;
}

struct FolderNaming {
  std::string identity;  // its device and inode
  bool folds_case;
};

fs::path canonical_path(const fs::path& path) {
  std::error_code ec;
  fs::path full = fs::weakly_canonical(fs::absolute(path), ec);
  return ec ? fs::absolute(path).lexically_normal() : full;
}

// The deepest folder on the path that is there, and what stat says of it;
// what is below it will be made in it.
fs::path deepest_folder(fs::path existing, std::optional<struct stat>& st) {
  while (!(st = stat_of(existing.string())) || !S_ISDIR(st->st_mode)) {
    if (existing == existing.parent_path()) break;
    existing = existing.parent_path();
  }
  return existing;
}

}  // namespace

// A folder is resolved once for all the names in it, which a batch's
// reports share by the thousand; a name that is a link, or no name, is
// resolved whole.
std::vector<std::string> path_identities(const std::vector<std::string>& paths) {
  struct Folder {
    fs::path full;
    fs::path existing;
    const FolderNaming* naming;  // in namings
  };
  std::map<std::string, Folder> folders;        // by the folder as spelled
  std::map<std::string, FolderNaming> namings;  // by the path of each existing folder
  std::vector<std::string> identities;
  for (const std::string& path : paths) {
    fs::path spelled(path);
    fs::path name = spelled.filename();
    std::optional<struct stat> leaf = stat_of(path);
    bool whole = name.empty() || name == "." || name == ".." || (leaf && S_ISLNK(leaf->st_mode));
    fs::path full = whole ? canonical_path(spelled) : fs::path{};
    fs::path parent = whole ? full.parent_path() : spelled.parent_path();
    auto [folder, added] = folders.try_emplace(parent.empty() ? "." : parent.string());
    Folder& f = folder->second;
    if (added) {
      f.full = whole ? parent : canonical_path(folder->first);
      std::optional<struct stat> st;
      f.existing = deepest_folder(f.full, st);
      auto [at, fresh] = namings.try_emplace(f.existing.string());
      if (fresh)
        at->second = {st ? std::to_string(st->st_dev) + ':' + std::to_string(st->st_ino)
                         : f.existing.string(),
                      st && folds_case(f.existing.string())};
      f.naming = &at->second;
    }
    if (!whole) full = f.full / name;
    std::string below = full.lexically_relative(f.existing).string();
    identities.push_back(f.naming->identity + '/' +
                         (f.naming->folds_case ? case_folded(below) : below));
  }
  return identities;
}

}  // namespace ordelix
