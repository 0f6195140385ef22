#include "library/FolderListing.h"

#include <QString>

#include <algorithm>

namespace tonlira {
namespace {

// The only separator: "\" is a character of a name.
constexpr char separator = '/';

struct Keyed {
    QString key;
    DirectoryEntry entry;
};

}  // namespace

bool listsBefore(const std::string& a, const std::string& b) {
    const int order = QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
}

std::optional<std::vector<DirectoryEntry>> listFolderSorted(const std::string& folder) {
    auto listing = listDirectory(folder);
    if (!listing) {
        return std::nullopt;
    }
    // Each name is converted once, not on every comparison.
    std::vector<Keyed> keyed;
    keyed.reserve(listing->size());
    for (DirectoryEntry& entry : *listing) {
        keyed.push_back({QString::fromStdString(entry.name), std::move(entry)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int order = a.key.compare(b.key, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.entry.name < b.entry.name;
    });
    std::vector<DirectoryEntry> sorted;
    sorted.reserve(keyed.size());
    for (Keyed& item : keyed) {
        sorted.push_back(std::move(item.entry));
    }
    return sorted;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == separator) {
        return folder + name;
    }
    return folder + separator + name;
}

std::string folderNameOf(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == separator) {
        trimmed.pop_back();
    }
    if (trimmed == std::string(1, separator)) {
        return trimmed;
    }
    const auto last = trimmed.find_last_of(separator);
    return last == std::string::npos ? trimmed : trimmed.substr(last + 1);
}

}  // namespace tonlira
