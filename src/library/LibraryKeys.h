#pragma once
// How library folders are stored in the group "Bibliothek": one key per
// folder, in list order, the key "name:level" and the folder's path as value
// (e.g. "Musik:0 = /home/anna/Music/", "Jazz:1 = /home/anna/Music/Jazz").
//
// Keys are unique within a group (letter case aside), and a key cannot hold
// every name as it stands. A folder whose plain key would be taken already,
// or whose name or path would not read back (a ":" or "=" in the name, a
// name beginning with "[", ";" or a blank, line breaks, a path with leading
// or trailing blanks) gets an escaped key instead:
//
//     escaped-name ":" level ":~" row-index [ "v" ]
//
// The name is percent-escaped ("%3A" for ":"), so the text before the first
// ":" is still the name's and the text between the first and second ":" is
// still the level. The suffix "~index" makes the key unique and says that the
// name is escaped; a trailing "v" says that the value is escaped too. Keys
// without such a suffix read exactly as plain "name:level" keys, so files
// written before keep their meaning.

#include "library/LibraryFolder.h"
#include "settings/Settings.h"

#include <string>
#include <vector>

namespace tonlira {

// The keys and values for `library`, in list order.
std::vector<PrefsKeyValue> libraryKeys(const std::vector<LibraryFolder>& library);

// The folder a stored key and its value stand for.
LibraryFolder folderFromKey(const std::string& key, const std::string& value);

}  // namespace tonlira
