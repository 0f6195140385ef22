#include "app/Desktop.h"

#include "app/AppState.h"
#include "remote/RemoteControl.h"
#include "ui/ControlAids.h"
#include "ui/DropTarget.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tonlira {

void connectDesktop(AppState& app) {
    addControlAids(*app.window, dialVolume);
    auto* drops = new FileDropTarget(app.window.get());
    QObject::connect(drops, &FileDropTarget::pathsDropped, app.window.get(), [&app](const QStringList& dropped) {
        std::vector<std::string> paths;
        for (const QString& path : dropped) {
            paths.push_back(path.toStdString());
        }
        openDroppedPaths(app, paths);
    });
    app.remote = std::make_unique<RemoteControl>(
        RemoteTargets{app.events, app.playlist, app.playback, *app.transport, *app.window});
}

void publishRemoteChanges(AppState& app) {
    if (app.remote) {
        app.remote->publishChanges();
    }
}

void openDroppedPaths(AppState& app, const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            loadDroppedFolder(app, path);
            return;
        }
        files.push_back(path);
    }
    addDroppedFiles(app, files);
}

void addDroppedFiles(AppState& app, const std::vector<std::string>& files) {
    std::vector<std::string> audio;
    std::copy_if(files.begin(), files.end(), std::back_inserter(audio), Playlist::hasAudioExtension);
    if (audio.empty()) {
        return;
    }
    // Interim until the playlist takes chosen paths: append, then settle the
    // current entry as the menu command does.
    const std::uint64_t running = app.playlist.access([&](PlaylistContents& contents, RowLog&) -> std::uint64_t {
        return app.playback.playing && contents.current >= 0
                   ? contents.entries[static_cast<std::size_t>(contents.current)].serial
                   : 0;
    });
    for (const std::string& file : audio) {
        app.playlist.addFile(file);
    }
    app.playlist.access([&](PlaylistContents& contents, RowLog&) {
        contents.current = contents.hasEntries() ? 0 : -1;
        for (std::size_t i = 0; i < contents.entries.size(); ++i) {
            if (running != 0 && contents.entries[i].serial == running) {
                contents.current = static_cast<int>(i);
            }
        }
    });
}

void loadDroppedFolder(AppState& app, const std::string& folder) {
    // Interim until the folder loader is there: the folder tree's audio
    // files replace the playlist.
    std::vector<std::string> files;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file(error)) {
            files.push_back(it->path().string());
        }
    }
    std::sort(files.begin(), files.end());
    app.playlist.clearPlaylist();
    for (const std::string& file : files) {
        app.playlist.addFile(file);
    }
}

}  // namespace tonlira
