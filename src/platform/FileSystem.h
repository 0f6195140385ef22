#pragma once
// Folder listing and creation, with failures as results, never exceptions.

#include <optional>
#include <string>
#include <vector>

namespace tonlira {

struct DirectoryEntry {
    std::string name;
    bool isFolder = false;
};

// Every entry of `folder` (files and folders alike, without "." and ".."),
// in the order the system lists them; nothing when the folder cannot be listed.
std::optional<std::vector<DirectoryEntry>> listDirectory(const std::string& folder);

// Creates one folder; true when it exists afterwards.
bool createFolder(const std::string& folder);

// What a path names, found without opening it (a symbolic link counts as
// what it points to). Only a regular file may be opened for reading: opening
// a FIFO blocks until someone writes to it, a device may never end.
enum class FileKind { Missing, Regular, Other };
FileKind fileKindOf(const std::string& path);

}  // namespace tonlira
