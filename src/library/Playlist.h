#pragma once
// The playlist: the ordered entries the player can play, their rows in the
// playlist view, and the current entry every transport command acts on.
//
// Threading contract. The GUI thread and one folder-loader worker share the
// playlist. Every read or change of the entries and the current entry happens
// under `mutex_`, either inside the operations below or inside access(); no
// MediaObject pointer may be kept past the call that handed it out, so no
// entry is used after it is freed. Files are probed outside the lock, so a
// worker that waits for a message box never holds it.
// Row changes are logged under the same lock, in the order of the entry
// changes, and applied to the view by flushRows() on the GUI thread only; the
// operations flush themselves when they run on the GUI thread, and a worker
// asks the GUI thread to flush.
//
// Lock order. The playlist's `mutex_` is the innermost lock of the program:
// the folder loader takes none of its own around playlist calls, and the
// transport has no lock but this one. Under it only the media engine's
// per-object state and the event queue may be locked. It is never held
// across a probe, the engine's volume pause, a message box, a dialog or the
// join of a loader thread, so a worker adding files waits for it only as long
// as the GUI thread takes for one short step (and the other way round).

#include "library/PlaybackState.h"
#include "library/PlaylistRows.h"
#include "media/MediaEngine.h"

#include <QObject>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace tonlira {

struct PlaylistEntry {
    MediaPtr media;                // may be null when the object could not be created
    std::string title;             // the file name, as the row shows it
    std::string lengthText;        // the length, as the row shows it
    EntrySerial serial = noEntry;  // its row carries it too
    std::string path;              // the file, for the desktop's remote control
};

// What access() hands out, under the lock.
struct PlaylistContents {
    std::vector<PlaylistEntry> entries;
    int current = -1;  // index of the current entry, -1 for none
    EntrySerial nextSerial = noEntry + 1;

    bool hasEntries() const { return !entries.empty(); }
    // Index of the entry with that serial; -1 when it is gone.
    int indexOf(EntrySerial serial) const;
    MediaObject* currentMedia() const {
        return current >= 0 && current < static_cast<int>(entries.size())
                   ? entries[static_cast<std::size_t>(current)].media.get()
                   : nullptr;
    }
};

// Row changes made inside access(), applied later in order.
class RowLog {
public:
    void append(std::string title, std::string length, EntrySerial serial);
    void remove(int row);
    void clear();
    void select(int row);

private:
    friend class Playlist;
    struct Change {
        enum class Kind { Append, Remove, Clear, Select } kind;
        int row = -1;
        EntrySerial serial = noEntry;
        std::string title;
        std::string length;
    };
    std::vector<Change> changes_;
};

class Playlist {
public:
    // Semicolon-separated audio extensions, compared case-sensitively.
    static constexpr const char* audioExtensionList = "mp3;flac;wav;wma;ogg";

    explicit Playlist(PlaybackState& playback);
    ~Playlist();
    Playlist(const Playlist&) = delete;
    Playlist& operator=(const Playlist&) = delete;

    // GUI thread. The view receives the rows; null detaches it.
    void setRows(PlaylistRows* rows);
    // The native handle of the player window, handed to every probe.
    void setOwnerWindow(NativeWindow owner) { owner_ = owner; }

    // The files chosen in the open-file dialog, in its order; none when the
    // person cancelled it. Replacing clears the playlist first.
    void openFiles(bool replace, const std::vector<std::string>& chosen);
    void addCommandLineFiles(const std::vector<std::string>& arguments);
    // What a file added by addFile does to the current entry.
    enum class Added { BecomesCurrent, KeepsCurrent };
    // `KeepsCurrent` leaves the current entry alone when there is one, so a
    // folder being loaded does not move it under the person playing.
    void addFile(const std::string& path, Added added = Added::BecomesCurrent);  // any thread
    void clearPlaylist();                                                        // any thread
    // What removeEntry took away.
    struct Removed {
        bool any = false;                        // false: no such entry
        bool current = false;                    // the current entry was removed
        MediaState state = MediaState::Stopped;  // how the current one played
    };
    // Removes the entry with that serial (nothing when it is gone). The
    // current entry stays current; when it is the one removed, the entry
    // moving into its row (or the new last one) becomes current.
    Removed removeEntry(EntrySerial serial);
    void selectEntryAtRow(int row);

    // Runs `work(contents, rows)` under the lock and returns its result.
    template <class Work>
    decltype(auto) access(Work&& work) {
        struct Flush {
            Playlist& playlist;
            ~Flush() { playlist.flushIfGuiThread(); }
        } flush{*this};
        std::lock_guard lock(mutex_);
        return work(contents_, log_);
    }

    // GUI thread: applies the logged row changes to the view.
    void flushRows();

    std::size_t size();
    std::string currentTitle();  // empty without a current entry

    // The file part of a path: after the last "/" ("\" is an ordinary
    // character of a name here), without the quotes that may enclose the path.
    static std::string titleOf(const std::string& path);
    // True when the extension after the last "." of the file part is one of
    // the audio extensions, letter case included.
    static bool hasAudioExtension(const std::string& path);

private:
    void addProbedFile(const std::string& path, Added added = Added::BecomesCurrent);
    // Empties the playlist and hands its entries to the caller to free.
    std::vector<PlaylistEntry> takeAllLocked();
    void flushIfGuiThread();

    PlaybackState& playback_;
    NativeWindow owner_ = 0;
    PlaylistRows* rows_ = nullptr;  // GUI thread only
    QObject flushContext_;          // GUI thread; queued flushes die with it

    std::mutex mutex_;
    PlaylistContents contents_;    // guarded by mutex_
    RowLog log_;                   // guarded by mutex_
    bool flushRequested_ = false;  // guarded by mutex_
};

}  // namespace tonlira
