#pragma once
// The audio library: the user's music folders, each registered folder
// (level 0) followed by its direct subfolders (level 1), kept in insertion
// order in the list and in the group "Bibliothek" of the preferences file.
// GUI thread only; the folder loader never touches the library.

#include "library/LibraryFolder.h"

#include <string>
#include <vector>

namespace tonlira {

using LibraryList = std::vector<LibraryFolder>;

// A row of the add-folder dialog: a folder's name and its path ending in "/".
struct FolderRow {
    std::string name;
    std::string path;
};

// The folders stored in "Bibliothek", in file order; empty when the file or
// the group is missing.
LibraryList loadLibrary(const std::string& prefsPath);

// Removes the group "Bibliothek" from the file, when the file can be opened.
void removeStoredLibrary(const std::string& prefsPath);

// Registers each row that can be listed, with its direct subfolders in
// listing order, at the end of `library`. Returns the index of the first
// element added (the old size).
std::size_t addFolders(LibraryList& library, const std::vector<FolderRow>& rows);

// What the library's file list shows for a folder: its subfolders and audio
// files, in listing order; nothing when the folder cannot be listed.
std::vector<std::string> folderContents(const std::string& path);

}  // namespace tonlira
