#pragma once
// The player on a Linux desktop: the remote control on the session bus, the
// keyboard and tooltip aids on the window's controls, and files or folders
// dropped onto the window.

#include <string>
#include <vector>

namespace tonlira {

struct AppState;

// After the window, the views and the transport exist.
void connectDesktop(AppState& app);
// After each dispatched event: the remote control takes calls again and
// tells the desktop what changed.
void tellRemoteEventTaken(AppState& app);

// Dropped paths: a folder among them is loaded as "Ordner Öffnen" loads a
// chosen folder (the first one, as the folder chooser gives one); otherwise
// the files are added as "Dateien zur Playlist hinzufügen" adds them, those
// with an audio extension only.
void openDroppedPaths(AppState& app, const std::vector<std::string>& paths);
void addDroppedFiles(AppState& app, const std::vector<std::string>& files);

}  // namespace tonlira
