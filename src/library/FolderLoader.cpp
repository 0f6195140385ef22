#include "library/FolderLoader.h"

#include "library/FolderListing.h"
#include "library/Playlist.h"
#include "platform/FileSystem.h"
#include "platform/QtRequester.h"

#include <sys/stat.h>

#include <set>
#include <utility>

namespace tonlira {
namespace {

using FolderIdentity = std::pair<dev_t, ino_t>;

class Scan {
public:
    Scan(Playlist& playlist, std::stop_token stop) : playlist_(playlist), stop_(std::move(stop)) {}

    void folder(const std::string& path) {
        struct stat info {};
        if (stat(path.c_str(), &info) != 0 || !visited_.insert({info.st_dev, info.st_ino}).second) {
            return;  // gone, or entered before through a link
        }
        const auto listing = listFolderSorted(path);
        if (!listing) {
            return;
        }
        for (const DirectoryEntry& entry : *listing) {
            if (stop_.stop_requested()) {
                return;
            }
            const std::string full = joinPath(path, entry.name);
            if (entry.isFolder) {
                folder(full);
            } else if (Playlist::hasAudioExtension(full) && fileKindOf(full) != FileKind::Missing) {
                // A file deleted since the listing has left the folder.
                playlist_.addFile(full, Playlist::Added::KeepsCurrent);
            }
        }
    }

private:
    Playlist& playlist_;
    std::stop_token stop_;
    std::set<FolderIdentity> visited_;
};

void load(Playlist& playlist, const std::string& folder, const std::stop_token& stop) {
    playlist.clearPlaylist();
    Scan(playlist, stop).folder(folder);
    if (stop.stop_requested()) {
        return;
    }
    playlist.access([](PlaylistContents& contents, RowLog&) { contents.current = contents.hasEntries() ? 0 : -1; });
}

}  // namespace

FolderLoader::FolderLoader(Playlist& playlist) : playlist_(playlist) {}

FolderLoader::~FolderLoader() { stop(); }

void FolderLoader::start(const std::string& folder) {
    std::jthread superseded = std::move(worker_);
    superseded.request_stop();
    done_ = std::make_shared<std::atomic<bool>>(false);
    worker_ = std::jthread([&playlist = playlist_, folder, superseded = std::move(superseded),
                            done = done_](const std::stop_token& stop) mutable {
        if (superseded.joinable()) {
            superseded.join();
        }
        if (!stop.stop_requested()) {
            load(playlist, folder, stop);
        }
        done->store(true);
    });
}

void FolderLoader::stop() {
    if (!worker_.joinable()) {
        return;
    }
    worker_.request_stop();
    // A worker waiting for a person to answer a message box is let go.
    releaseWorkerMessages(true);
    worker_.join();
    releaseWorkerMessages(false);
}

void FolderLoader::stopAtExit() {
    if (!worker_.joinable()) {
        return;
    }
    worker_.request_stop();
    releaseWorkerMessages(true);
    // Not joined: a worker held up in the system (a file that does not
    // answer) must not keep the program from ending. It ends with the process.
    worker_.detach();
}

bool FolderLoader::running() const { return worker_.joinable() && done_ && !done_->load(); }

void FolderLoader::waitUntilDone() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

}  // namespace tonlira
