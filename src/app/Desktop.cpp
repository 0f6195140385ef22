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
    app.playlist.openFiles(false, audio);
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
