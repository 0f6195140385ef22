#pragma once
// The folder loader: replaces the playlist with every audio file of one
// folder tree, depth first in listing order, on a worker thread, while the
// main loop goes on playing. The first entry becomes current when the scan
// is done.
//
// The loader is owned and stoppable. A load started while another runs
// supersedes it: the running scan stops at its next entry, and the new
// load's thread waits for it before it clears the playlist, so the two never
// interleave and the GUI thread never waits. stop() (and the destructor)
// ends the running load and joins it, releasing a message box the worker may
// be waiting on; call it before the playlist goes.
//
// A tree that links back into itself is scanned once: every folder is
// entered at most once, by its device and inode. Folders that cannot be
// listed are skipped.
//
// start() and stop() are for the GUI thread. See Playlist.h for the lock order.

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace tonlira {

class Playlist;

class FolderLoader {
public:
    explicit FolderLoader(Playlist& playlist);
    ~FolderLoader();
    FolderLoader(const FolderLoader&) = delete;
    FolderLoader& operator=(const FolderLoader&) = delete;

    // Starts a load of `folder` (its own copy) and returns at once.
    void start(const std::string& folder);
    // Ends the running load, if any, and waits for its thread.
    void stop();
    // For the end of the program: asks the running load to end and lets go
    // of the message box it may wait on, without waiting for it. The worker
    // is left behind, so the process must end before the playlist goes.
    void stopAtExit();
    // True while a started load has not finished.
    bool running() const;
    // Waits until the running load has finished by itself (tests, benchmarks).
    void waitUntilDone();

private:
    Playlist& playlist_;
    std::shared_ptr<std::atomic<bool>> done_;
    std::jthread worker_;  // the newest load; it owns and joins the one it superseded
};

}  // namespace tonlira
