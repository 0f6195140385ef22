#include "library/Library.h"

#include "library/FolderListing.h"
#include "library/LibraryKeys.h"
#include "library/Playlist.h"
#include "settings/PreferencesFile.h"
#include "settings/Settings.h"

namespace tonlira {

LibraryList loadLibrary(const std::string& prefsPath) {
    LibraryList library;
    PreferencesFile file;
    if (!file.open(prefsPath)) {
        return library;
    }
    if (file.selectGroup(kGroupLibrary) && file.beginKeys()) {
        while (file.nextKey()) {
            library.push_back(folderFromKey(file.keyName(), file.keyValue()));
        }
    }
    file.close();
    return library;
}

void removeStoredLibrary(const std::string& prefsPath) {
    PreferencesFile file;
    if (!file.open(prefsPath)) {
        return;
    }
    file.removeGroup(kGroupLibrary);
    file.close();
}

std::size_t addFolders(LibraryList& library, const std::vector<FolderRow>& rows) {
    const std::size_t first = library.size();
    for (const FolderRow& row : rows) {
        const auto listing = listFolderSorted(row.path);
        if (!listing) {
            continue;  // vanished or unreadable: skipped
        }
        library.push_back({row.name, row.path, 0});
        for (const DirectoryEntry& entry : *listing) {
            if (entry.isFolder) {
                library.push_back({entry.name, row.path + entry.name, 1});
            }
        }
    }
    return first;
}

std::vector<std::string> folderContents(const std::string& path) {
    std::vector<std::string> names;
    const auto listing = listFolderSorted(path);
    if (!listing) {
        return names;
    }
    for (const DirectoryEntry& entry : *listing) {
        if (entry.isFolder || Playlist::hasAudioExtension(entry.name)) {
            names.push_back(entry.name);
        }
    }
    return names;
}

}  // namespace tonlira
