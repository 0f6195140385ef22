#include "platform/FileSystem.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace tonlira {

std::optional<std::vector<DirectoryEntry>> listDirectory(const std::string& folder) {
    const std::string target = folder.empty() ? std::string("/") : folder;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(target.c_str()), closedir);
    if (!dir) {
        return std::nullopt;
    }
    std::vector<DirectoryEntry> entries;
    while (const dirent* entry = readdir(dir.get())) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) {
            continue;
        }
        DirectoryEntry item{entry->d_name, false};
        if (entry->d_type == DT_DIR) {
            item.isFolder = true;
        } else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info {};
            const std::string full = target + (target.back() == '/' ? "" : "/") + entry->d_name;
            item.isFolder = stat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        }
        entries.push_back(std::move(item));
    }
    return entries;
}

FileKind fileKindOf(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? FileKind::Missing : FileKind::Other;
    }
    return S_ISREG(info.st_mode) ? FileKind::Regular : FileKind::Other;
}

bool createFolder(const std::string& folder) {
    if (mkdir(folder.c_str(), 0700) == 0) {
        return true;
    }
    struct stat info {};
    return errno == EEXIST && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace tonlira
