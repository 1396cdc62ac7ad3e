// Which names a folder takes for one file. Folders are told apart by device
// and inode, whatever the path that reaches them; whether one folds case is
// asked of the folder itself, since a FUSE or network file system's type
// does not tell.

#include <dirent.h>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wctype.h>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include "base/utf8.h"
#include "placing.h"
#include "platform/paths.h"
#include "removal_on_signal.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;

// Enough names to find one with a letter in any folder but an odd one.
constexpr int names_asked = 64;

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

std::optional<struct stat> stat_of(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
  return st;
}

// The name with the case of each ASCII letter turned; "" when it has none.
std::string case_turned(std::string_view name) {
  std::string turned(name);
  bool letters = false;
  for (char& c : turned) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
      letters = true;
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
      letters = true;
    }
  }
  return letters ? turned : std::string();
}

// Whether the folder finds `name`, which stands in it, under the name with
// its letters' case turned.
bool finds_in_other_case(const std::string& folder, const std::string& name,
                         const std::string& turned) {
  std::optional<struct stat> as_named = stat_of(path_join(folder, name));
  std::optional<struct stat> as_turned = stat_of(path_join(folder, turned));
  return as_named && as_turned && as_named->st_dev == as_turned->st_dev &&
         as_named->st_ino == as_turned->st_ino;
}

// Asked of a name the folder holds; failing one with a letter, of a hidden
// file made for the question. A folder nothing can be made in is taken to
// keep case: it gets no reports anyway.
bool folds_case(const std::string& folder) {
  if (std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str())); dir) {
    int asked = 0;
    for (const dirent* entry = ::readdir(dir.get()); entry != nullptr && asked < names_asked;
         entry = ::readdir(dir.get()), ++asked) {
      std::string turned = case_turned(entry->d_name);
      if (!turned.empty()) return finds_in_other_case(folder, entry->d_name, turned);
    }
  }
  std::string probe = hidden_name(folder);
  int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  RemovalOnSignal removal(probe);
  ::close(fd);
  std::string name = path_file_name(probe);
  bool folds = finds_in_other_case(folder, name, case_turned(name));
  ::unlink(probe.c_str());
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

}  // namespace

std::vector<std::string> path_identities(const std::vector<std::string>& paths) {
  std::map<std::string, FolderNaming> folders;  // by the path of each existing folder
  std::vector<std::string> identities;
  for (const std::string& path : paths) {
    std::error_code ec;
    fs::path full = fs::weakly_canonical(fs::absolute(path), ec);
    if (ec) full = fs::absolute(path).lexically_normal();
    // The deepest folder on the path that is there; what is below it will be made in it.
    fs::path existing = full.parent_path();
    std::optional<struct stat> st;
    while (!(st = stat_of(existing.string())) || !S_ISDIR(st->st_mode)) {
      if (existing == existing.parent_path()) break;
      existing = existing.parent_path();
    }
    auto [at, added] = folders.try_emplace(existing.string());
    if (added)
      at->second = {
          st ? std::to_string(st->st_dev) + ':' + std::to_string(st->st_ino) : existing.string(),
          st && folds_case(existing.string())};
    std::string below = full.lexically_relative(existing).string();
    identities.push_back(at->second.identity + '/' +
                         (at->second.folds_case ? case_folded(below) : below));
  }
  return identities;
}

}  // namespace ordelix
