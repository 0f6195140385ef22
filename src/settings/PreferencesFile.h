#pragma once
// The preferences file: a small text file of groups and key/value lines.
//
// The file is never held open. `open` reads it whole into a list of entries,
// the reads and writes work on that list, and `close` writes the file back
// when, and only when, something changed. The rewrite replaces the file in
// one step, so the file on disk always holds either the old or the new
// content.
//
// Group and key names compare without regard to ASCII letter case; when a
// group or key occurs twice, the first one counts. Names and values are UTF-8.

#include "settings/PrefsFormat.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tonlira {

class PreferencesFile {
public:
    PreferencesFile() = default;
    ~PreferencesFile();
    PreferencesFile(const PreferencesFile&) = delete;
    PreferencesFile& operator=(const PreferencesFile&) = delete;

    // Closes the file still open, then reads `path`. False when it cannot be
    // read; the object is usable all the same: reads give their defaults,
    // writes go to memory, and when there was no file at all, `close`
    // creates it if something was written. A file that exists but cannot be
    // written is read, and its changes are dropped at `close`.
    bool open(const std::string& path);
    // Closes the file still open, then creates `path` empty (emptying a file
    // of that name) as an 8-bit file.
    bool create(const std::string& path);
    // Writes the file back when it was changed and forgets it. False when a
    // change could not be stored.
    bool close();

    // Makes the first group of that name current. When there is none, the
    // name is kept as pending and false is returned: reads give defaults and
    // the first write appends the group at the end. "" is the top section,
    // the keys before the first group header.
    bool selectGroup(std::string_view name);

    // A key of the current group: missing gives the default, an empty value 0.
    int readInteger(std::string_view key, int defaultValue) const;
    float readFloat(std::string_view key, float defaultValue) const;

    // Replaces the value of the key in the current group, the key taking the
    // letter case of `key`, or adds the key after the group's last entry.
    // False, and nothing changes, when no file is open or the name or value
    // would not read back as written (a line break, an "=" in a key name, a
    // key name starting with ";" or "[", a "]" in a pending group's name).
    bool writeInteger(std::string_view key, int value);
    bool writeFloat(std::string_view key, float value);
    bool writeString(std::string_view key, std::string_view value);

    // Removes every key of the current group but the first of each name in
    // `keys` (letter case aside), so a group written key by key holds those
    // keys alone, without stale ones or a second spelling of one.
    void keepOnlyKeys(const std::vector<std::string>& keys);

    // Removes the first group of that name with all its entries ("" empties
    // the top section). When it was the current group, the name is selected
    // again: another group of that name becomes current, or it is pending.
    void removeGroup(std::string_view name);

    // Lists the keys of the current group in file order:
    //   if (file.beginKeys()) while (file.nextKey()) use(file.keyName(), file.keyValue());
    // beginKeys fails when no file is open or the current group is pending.
    bool beginKeys();
    bool nextKey();
    std::string keyName() const;
    // The value without leading and trailing spaces and tabs.
    std::string keyValue() const;

    bool isOpen() const { return open_; }
    bool isModified() const { return modified_; }
    PrefsEncoding encoding() const { return document_.encoding; }
    const std::vector<PrefsEntry>& entries() const { return document_.entries; }

private:
    // How the file was found when it was opened, which decides what close does.
    enum class Origin { Writable, ReadOnly, Missing };

    struct Range {
        std::size_t begin;
        std::size_t end;
    };

    void reset();
    // The index of the first group header at or after `from`, or the size.
    std::size_t groupEnd(std::size_t from) const;
    Range currentGroupRange() const;
    std::optional<std::size_t> findGroup(std::string_view name) const;
    std::optional<std::size_t> findKey(std::string_view key) const;
    bool write(std::string_view key, std::string_view value);

    bool open_ = false;
    std::string path_;
    PrefsDocument document_;
    Origin origin_ = Origin::Missing;
    bool modified_ = false;
    std::optional<std::size_t> groupHeader_;  // none: the top section
    std::optional<std::string> pendingGroup_;
    bool listing_ = false;
    std::size_t scanFrom_ = 0;
    std::optional<std::size_t> currentKey_;
};

}  // namespace tonlira
