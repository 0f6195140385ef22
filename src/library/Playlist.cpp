#include "library/Playlist.h"

#include "platform/GuiThread.h"
#include "platform/MemoryStatus.h"
#include "platform/VisibleText.h"

#include <algorithm>
#include <sstream>

namespace tonlira {
namespace {

// Only "/" separates the parts of a path; "\" is a character of a name.
constexpr char pathSeparator = '/';

// Clearing at least this many entries hands the freed memory back.
constexpr std::size_t manyEntries = 1000;

std::string fileExtension(const std::string& path) {
    const auto separator = path.find_last_of(pathSeparator);
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
        return {};
    }
    return path.substr(dot + 1);
}

}  // namespace

int PlaylistContents::indexOf(EntrySerial serial) const {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [serial](const PlaylistEntry& entry) { return entry.serial == serial; });
    return serial == noEntry || found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

void RowLog::append(std::string title, std::string length, EntrySerial serial) {
    changes_.push_back({Change::Kind::Append, -1, serial, std::move(title), std::move(length)});
}
void RowLog::remove(int row) { changes_.push_back({Change::Kind::Remove, row, noEntry, {}, {}}); }
void RowLog::clear() { changes_.push_back({Change::Kind::Clear, -1, noEntry, {}, {}}); }
void RowLog::select(int row) { changes_.push_back({Change::Kind::Select, row, noEntry, {}, {}}); }

Playlist::Playlist(PlaybackState& playback) : playback_(playback) {}

Playlist::~Playlist() = default;

void Playlist::setRows(PlaylistRows* rows) {
    rows_ = rows;
    {
        // A view attached late shows what is already there.
        std::lock_guard lock(mutex_);
        log_.changes_.clear();
        log_.clear();
        for (const PlaylistEntry& entry : contents_.entries) {
            log_.append(entry.title, entry.lengthText, entry.serial);
        }
    }
    flushRows();
}

std::string Playlist::titleOf(const std::string& path) {
    std::string title = path;
    const auto separator = title.find_last_of(pathSeparator);
    if (separator != std::string::npos) {
        title.erase(0, separator + 1);
    } else if (!title.empty() && title.front() == '"') {
        title.erase(0, 1);
    }
    if (!title.empty() && title.back() == '"' && !path.empty() && path.front() == '"') {
        title.pop_back();
    }
    return title;
}

bool Playlist::hasAudioExtension(const std::string& path) {
    const std::string extension = fileExtension(path);
    std::istringstream fields(audioExtensionList);
    std::string field;
    while (std::getline(fields, field, ';')) {
        if (field == extension) {
            return true;
        }
    }
    return false;
}

void Playlist::addProbedFile(const std::string& path, Added added) {
    ProbeResult probed = probe(path, owner_);
    std::string title = visibleText(titleOf(path));
    std::string length = formatTime(probed.lengthMs);
    {
        std::lock_guard lock(mutex_);
        const EntrySerial serial = contents_.nextSerial++;
        log_.append(title, length, serial);
        contents_.entries.push_back({std::move(probed.media), std::move(title), std::move(length), serial, path});
        if (added == Added::BecomesCurrent || contents_.current < 0) {
            contents_.current = static_cast<int>(contents_.entries.size()) - 1;
        }
    }
    flushIfGuiThread();
}

void Playlist::openFiles(bool replace, const std::vector<std::string>& chosen) {
    // The entry current when the dialog opened, if any.
    const std::uint64_t currentSerial = access([](PlaylistContents& contents, RowLog&) -> std::uint64_t {
        return contents.current >= 0 ? contents.entries[static_cast<std::size_t>(contents.current)].serial : 0;
    });
    const bool hadCurrent = currentSerial != 0;

    if (!chosen.empty()) {
        if (replace) {
            clearPlaylist();
        }
        for (const std::string& path : chosen) {
            addProbedFile(path);
        }
    }

    // A running entry stays current while files are appended behind it or
    // the dialog is cancelled; otherwise the first entry becomes current.
    const bool keepRunning = playback_.playing && hadCurrent;
    access([&](PlaylistContents& contents, RowLog&) {
        if (contents.entries.empty()) {
            contents.current = -1;
            return;
        }
        contents.current = 0;
        if (!keepRunning) {
            return;
        }
        const auto found = std::find_if(contents.entries.begin(), contents.entries.end(),
                                        [&](const PlaylistEntry& entry) { return entry.serial == currentSerial; });
        if (found != contents.entries.end()) {
            contents.current = static_cast<int>(found - contents.entries.begin());
        }
    });
}

void Playlist::addCommandLineFiles(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        addFile(argument);
    }
}

void Playlist::addFile(const std::string& path, Added added) {
    if (hasAudioExtension(path)) {
        addProbedFile(path, added);
    }
}

std::vector<PlaylistEntry> Playlist::takeAllLocked() {
    std::vector<PlaylistEntry> taken;
    if (contents_.entries.empty()) {
        return taken;
    }
    log_.clear();
    playback_.playing = false;
    taken.swap(contents_.entries);
    contents_.current = -1;
    return taken;
}

void Playlist::clearPlaylist() {
    std::size_t freed = 0;
    {
        std::vector<PlaylistEntry> taken;
        {
            std::lock_guard lock(mutex_);
            taken = takeAllLocked();
        }
        flushIfGuiThread();
        // Freed outside the lock: no one else can reach these entries any
        // more, and freeing thousands of them takes long enough to hold up
        // the other thread.
        for (PlaylistEntry& entry : taken) {
            freeMedia(entry.media);
        }
        freed = taken.size();
    }
    if (freed >= manyEntries) {
        returnFreedMemory();
    }
}

Playlist::Removed Playlist::removeEntry(EntrySerial serial) {
    Removed removed;
    {
        std::lock_guard lock(mutex_);
        const int count = static_cast<int>(contents_.entries.size());
        const int row = contents_.indexOf(serial);
        if (row < 0) {
            return removed;  // the view may still show an entry a worker has just removed
        }
        removed.any = true;
        PlaylistEntry& entry = contents_.entries[static_cast<std::size_t>(row)];
        removed.current = row == contents_.current;
        removed.state = removed.current ? getMediaState(entry.media.get()) : MediaState::Stopped;
        freeMedia(entry.media);
        contents_.entries.erase(contents_.entries.begin() + row);
        log_.remove(row);
        // The current entry stays the same entry: one above it moves it up a
        // row; in its own place the entry that moves in (or the new last one)
        // becomes current.
        const int remaining = count - 1;
        if (row < contents_.current) {
            contents_.current -= 1;
        }
        contents_.current = std::min(contents_.current, remaining - 1);
    }
    flushIfGuiThread();
    return removed;
}

void Playlist::selectEntryAtRow(int row) {
    std::lock_guard lock(mutex_);
    if (row >= 0 && row < static_cast<int>(contents_.entries.size())) {
        contents_.current = row;
    }
}

std::size_t Playlist::size() {
    std::lock_guard lock(mutex_);
    return contents_.entries.size();
}

std::string Playlist::currentTitle() {
    std::lock_guard lock(mutex_);
    const int current = contents_.current;
    if (current < 0 || current >= static_cast<int>(contents_.entries.size())) {
        return {};
    }
    return contents_.entries[static_cast<std::size_t>(current)].title;
}

void Playlist::flushIfGuiThread() {
    if (isGuiThread()) {
        flushRows();
        return;
    }
    {
        std::lock_guard lock(mutex_);
        if (flushRequested_) {
            return;
        }
        flushRequested_ = true;
    }
    QMetaObject::invokeMethod(
        &flushContext_, [this] { flushRows(); }, Qt::QueuedConnection);
}

void Playlist::flushRows() {
    std::vector<RowLog::Change> changes;
    {
        std::lock_guard lock(mutex_);
        changes.swap(log_.changes_);
        flushRequested_ = false;
    }
    if (rows_ == nullptr) {
        return;
    }
    for (const RowLog::Change& change : changes) {
        switch (change.kind) {
        case RowLog::Change::Kind::Append: rows_->appendRow(change.title, change.length, change.serial); break;
        case RowLog::Change::Kind::Remove: rows_->removeRow(change.row); break;
        case RowLog::Change::Kind::Clear: rows_->clearRows(); break;
        case RowLog::Change::Kind::Select: rows_->selectRow(change.row); break;
        }
    }
}

}  // namespace tonlira
