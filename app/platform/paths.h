#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ordelix {

// Paths as the platform spells them, held as UTF-8 (or the bytes the system
// gave) in std::string. These only read names, and what stands at them.

std::string path_join(std::string_view folder, std::string_view name);
// The last name of the path, "" when it ends in a separator.
std::string path_file_name(std::string_view path);
// The folder the path names its file in: "." when it names none.
std::string path_folder(std::string_view path);
// The path with its extension (from the last dot of its last name on, a
// leading dot not counting) replaced by `extension` (".xlsx").
std::string path_with_extension(std::string_view path, std::string_view extension);

// For each path, one spelling shared by every path that names the same place,
// as far as the file system tells: links and "." and ".." resolved, and
// names in a folder that takes two names differing only in case for one file
// (FAT, exFAT, SMB shares, case-folding ext4 folders; every folder on
// Windows) folded to one case. A folder that does not exist yet is taken to
// name as the folder it would be made in. Each folder is looked at once.
std::vector<std::string> path_identities(const std::vector<std::string>& paths);
// Whether both name one existing file.
bool paths_same_file(const std::string& a, const std::string& b);

// Where temporary files belong.
std::string temp_folder();

enum class PathKind { none, regular, folder, other };
// What stands at the path itself, a link not followed (a link is `other`).
PathKind path_kind(const std::string& path);
// Whether the path leads to a folder, through links.
bool is_folder(const std::string& path);

}  // namespace ordelix
