#pragma once
// The disk side of the preferences file: reading it whole, emptying it, and
// replacing its content so that it is never seen half written.

#include <string>
#include <string_view>

namespace tonlira {

struct StoredContent {
    enum class Status {
        Read,        // `bytes` holds the file
        Missing,     // there is no file at the path
        Unreadable,  // something is there but cannot be read as a file
    };
    Status status = Status::Missing;
    std::string bytes;
};

StoredContent readStoredContent(const std::string& path);

// Whether this process may write to the existing file at `path`.
bool isWritableFile(const std::string& path);

// Creates `path` empty, emptying a file that is already there.
bool createEmptyFile(const std::string& path);

// Gives the file at `path` (or, when `path` is a symbolic link, the file it
// leads to) the content `bytes`: they go to a new file in the same folder,
// reach the disk, and then take the old file's place and permission bits in
// one step. On any failure the old file stays as it was and false is
// returned. A missing file is created.
bool replaceStoredContent(const std::string& path, std::string_view bytes);

// Removes the temporary files that rewrites of `path` by processes no longer
// running left beside it (a rewrite cut short by a kill). The file itself,
// and the temporary files of running processes, stay. Returns how many went.
int removeLeftoverTempFiles(const std::string& path);

}  // namespace tonlira
