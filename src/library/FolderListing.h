#pragma once
// Folder listings as the library and the folder loader use them: entries
// sorted by name without regard to letter case (ties by byte order), so a
// folder lists the same way on every machine, and paths joined with "/".

#include "platform/FileSystem.h"

#include <optional>
#include <string>
#include <vector>

namespace tonlira {

// Every entry of `folder` but "." and "..", sorted by name; nothing when the
// folder cannot be listed.
std::optional<std::vector<DirectoryEntry>> listFolderSorted(const std::string& folder);

// True when `a` sorts before `b` in a listing.
bool listsBefore(const std::string& a, const std::string& b);

// `folder` and `name` with one "/" between them, none added when the folder
// already ends with "/" or "\".
std::string joinPath(const std::string& folder, const std::string& name);

// The last component of a folder path that ends with "/", as a row of the
// add-folder dialog names it; the computer's root "/" is named "/".
std::string folderNameOf(const std::string& path);

}  // namespace tonlira
