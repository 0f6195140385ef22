#include "settings/PreferencesFile.h"

#include "settings/PrefsNumbers.h"
#include "settings/PrefsStorage.h"
#include "settings/Utf8.h"

#include <algorithm>

namespace tonlira {

namespace {

bool isGroup(const PrefsEntry& entry) { return entry.kind == PrefsEntry::Kind::Group; }
bool isKey(const PrefsEntry& entry) { return entry.kind == PrefsEntry::Kind::Key; }

std::string trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

}  // namespace

PreferencesFile::~PreferencesFile() { close(); }

void PreferencesFile::reset() {
    open_ = false;
    path_.clear();
    document_ = {};
    origin_ = Origin::Missing;
    modified_ = false;
    groupHeader_.reset();
    pendingGroup_.reset();
    listing_ = false;
    scanFrom_ = 0;
    currentKey_.reset();
}

bool PreferencesFile::open(const std::string& path) {
    close();
    open_ = true;
    path_ = path;
    StoredContent content = readStoredContent(path);
    switch (content.status) {
    case StoredContent::Status::Read:
        document_ = parsePrefs(content.bytes);
        origin_ = isWritableFile(path) ? Origin::Writable : Origin::ReadOnly;
        return true;
    case StoredContent::Status::Missing: origin_ = Origin::Missing; return false;
    case StoredContent::Status::Unreadable:
        // Something is there; it must not be replaced by what little we write.
        origin_ = Origin::ReadOnly;
        return false;
    }
    return false;
}

bool PreferencesFile::create(const std::string& path) {
    close();
    open_ = true;
    path_ = path;
    if (createEmptyFile(path)) {
        origin_ = Origin::Writable;
        return true;
    }
    const bool missing = readStoredContent(path).status == StoredContent::Status::Missing;
    origin_ = missing ? Origin::Missing : Origin::ReadOnly;
    return false;
}

bool PreferencesFile::close() {
    if (!open_) {
        return true;
    }
    bool stored = true;
    if (modified_) {
        stored = origin_ != Origin::ReadOnly && replaceStoredContent(path_, renderPrefs(document_));
    }
    reset();
    return stored;
}

std::size_t PreferencesFile::groupEnd(std::size_t from) const {
    const auto& entries = document_.entries;
    for (std::size_t i = from; i < entries.size(); ++i) {
        if (isGroup(entries[i])) {
            return i;
        }
    }
    return entries.size();
}

PreferencesFile::Range PreferencesFile::currentGroupRange() const {
    const std::size_t begin = groupHeader_ ? *groupHeader_ + 1 : 0;
    return {begin, groupEnd(begin)};
}

std::optional<std::size_t> PreferencesFile::findGroup(std::string_view name) const {
    const auto& entries = document_.entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (isGroup(entries[i]) && namesEqual(entries[i].name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> PreferencesFile::findKey(std::string_view key) const {
    if (!open_ || pendingGroup_) {
        return std::nullopt;
    }
    const Range range = currentGroupRange();
    for (std::size_t i = range.begin; i < range.end; ++i) {
        if (isKey(document_.entries[i]) && namesEqual(document_.entries[i].name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

bool PreferencesFile::selectGroup(std::string_view name) {
    if (!open_) {
        return false;
    }
    listing_ = false;
    currentKey_.reset();
    pendingGroup_.reset();
    groupHeader_.reset();
    if (name.empty()) {
        return true;
    }
    groupHeader_ = findGroup(name);
    if (!groupHeader_) {
        pendingGroup_ = std::string(name);
        return false;
    }
    return true;
}

int PreferencesFile::readInteger(std::string_view key, int defaultValue) const {
    const auto found = findKey(key);
    return found ? parseInteger(document_.entries[*found].value) : defaultValue;
}

float PreferencesFile::readFloat(std::string_view key, float defaultValue) const {
    const auto found = findKey(key);
    return found ? parseFloat(document_.entries[*found].value) : defaultValue;
}

bool PreferencesFile::writeInteger(std::string_view key, int value) { return write(key, formatInteger(value)); }

bool PreferencesFile::writeFloat(std::string_view key, float value) { return write(key, formatFloat(value)); }

bool PreferencesFile::writeString(std::string_view key, std::string_view value) { return write(key, value); }

bool PreferencesFile::write(std::string_view key, std::string_view value) {
    if (!open_ || !isWritableKeyName(key) || !isWritableValue(value)) {
        return false;
    }
    auto& entries = document_.entries;
    if (pendingGroup_) {
        if (!isWritableGroupName(*pendingGroup_)) {
            return false;
        }
        entries.push_back({PrefsEntry::Kind::Group, repairUtf8(*pendingGroup_), {}});
        groupHeader_ = entries.size() - 1;
        pendingGroup_.reset();
    }
    // What is kept in memory is what a later read of the file gives: the
    // blanks that start a value are not read back.
    std::string name = repairUtf8(key);
    std::string text = repairUtf8(value.substr(std::min(value.find_first_not_of(" \t"), value.size())));
    if (const auto found = findKey(name)) {
        entries[*found].name = std::move(name);
        entries[*found].value = std::move(text);
    } else {
        // Always at the end of the current group, so no remembered position
        // (group header, listing cursor) lies behind the new entry.
        const auto at = static_cast<std::ptrdiff_t>(currentGroupRange().end);
        entries.insert(entries.begin() + at, {PrefsEntry::Kind::Key, std::move(name), std::move(text)});
    }
    modified_ = true;
    return true;
}

void PreferencesFile::keepOnlyKeys(const std::vector<std::string>& keys) {
    if (!open_ || pendingGroup_) {
        return;
    }
    const Range range = currentGroupRange();
    std::vector<std::string> wanted;
    wanted.reserve(keys.size());
    for (const std::string& key : keys) {
        wanted.push_back(repairUtf8(key));  // as written
    }
    std::vector<bool> claimed(wanted.size(), false);
    const auto kept = [&](const PrefsEntry& entry) {
        for (std::size_t k = 0; k < wanted.size(); ++k) {
            if (!claimed[k] && namesEqual(entry.name, wanted[k])) {
                claimed[k] = true;
                return true;
            }
        }
        return false;
    };
    auto& entries = document_.entries;
    std::vector<PrefsEntry> rebuilt;
    rebuilt.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i >= range.begin && i < range.end && isKey(entries[i]) && !kept(entries[i])) {
            modified_ = true;
            continue;
        }
        rebuilt.push_back(std::move(entries[i]));
    }
    entries = std::move(rebuilt);
    // Entries after the group moved; the current group's header did not.
    listing_ = false;
    currentKey_.reset();
}

void PreferencesFile::removeGroup(std::string_view name) {
    if (!open_) {
        return;
    }
    modified_ = true;
    Range removed{0, 0};
    if (name.empty()) {
        removed.end = groupEnd(0);
    } else {
        const auto header = findGroup(name);
        if (!header) {
            return;
        }
        removed = {*header, groupEnd(*header + 1)};
    }

    auto& entries = document_.entries;
    std::optional<std::string> lostCurrent;
    if (groupHeader_ && *groupHeader_ >= removed.begin) {
        if (*groupHeader_ < removed.end) {
            lostCurrent = entries[*groupHeader_].name;
        } else {
            *groupHeader_ -= removed.end - removed.begin;
        }
    }
    listing_ = false;
    currentKey_.reset();
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(removed.begin),
                  entries.begin() + static_cast<std::ptrdiff_t>(removed.end));
    if (lostCurrent) {
        // The name stays selected: a later group of that name takes over,
        // or the next write appends the group anew.
        selectGroup(*lostCurrent);
    }
}

bool PreferencesFile::beginKeys() {
    if (!open_ || pendingGroup_) {
        return false;
    }
    listing_ = true;
    scanFrom_ = currentGroupRange().begin;
    currentKey_.reset();
    return true;
}

bool PreferencesFile::nextKey() {
    currentKey_.reset();
    if (!listing_) {
        return false;
    }
    const Range range = currentGroupRange();
    for (std::size_t i = scanFrom_; i < range.end; ++i) {
        if (isKey(document_.entries[i])) {
            currentKey_ = i;
            scanFrom_ = i + 1;
            return true;
        }
    }
    listing_ = false;
    return false;
}

std::string PreferencesFile::keyName() const {
    return currentKey_ ? document_.entries[*currentKey_].name : std::string{};
}

std::string PreferencesFile::keyValue() const {
    return currentKey_ ? trimBlanks(document_.entries[*currentKey_].value) : std::string{};
}

}  // namespace tonlira
