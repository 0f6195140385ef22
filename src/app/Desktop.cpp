#include "app/Desktop.h"

#include "app/AppState.h"
#include "app/LibraryActions.h"
#include "media/MediaEngine.h"
#include "remote/RemoteControl.h"
#include "ui/Accessibility.h"
#include "ui/ControlAids.h"
#include "ui/DropTarget.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tonlira {

void connectDesktop(AppState& app) {
    addControlAids(*app.window, dialVolume);
    addAccessibility(*app.window, dialVolume, [](int ms) { return QString::fromStdString(formatTime(ms)); });
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

void tellRemoteEventTaken(AppState& app) {
    if (app.remote) {
        app.remote->eventTaken();
    }
}

void openDroppedPaths(AppState& app, const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            loadFolder(app, path);
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

}  // namespace tonlira
