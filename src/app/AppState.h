#pragma once
// The application state shared by the program's parts for the whole run.
// Owned by the program's entry; GUI thread only, except the playlist and the
// playback flags, which carry their own threading contracts.

#include "app/TaskbarActions.h"
#include "library/FolderLoader.h"
#include "library/LibraryFolder.h"
#include "library/PlaybackState.h"
#include "library/Playlist.h"
#include "platform/EventQueue.h"
#include "platform/InputState.h"
#include "platform/InstanceLock.h"
#include "settings/Settings.h"
#include "transport/Transport.h"
#include "ui/AddFolderDialog.h"
#include "ui/PlayerWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/ShortcutTable.h"
#include "ui/skin/SkinImages.h"

#include <QPointer>

#include <chrono>

#include <memory>
#include <string>
#include <vector>

namespace tonlira {

class PlayerViews;
class RemoteControl;

struct AppState {
    AppState();
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    std::string settingsBase;  // application-data folder followed by "/"
    std::string musicFolder;   // profile folder followed by "/Music/"
    std::vector<std::string> arguments;

    SkinImages skin;
    Settings settings;
    // The player colour of the last colour re-apply, which the position
    // sliders are painted with; a colour picked and not yet saved waits.
    Colour playerBrush = 0;

    PlaybackState playback;
    Playlist playlist{playback};
    std::vector<LibraryFolder> library;
    // Fills the playlist from a folder; stopped before the playlist goes.
    FolderLoader loader{playlist};

    std::unique_ptr<PlayerWindow> window;
    std::unique_ptr<PlayerViews> views;
    QPointer<AddFolderDialog> addFolderDialog;  // owned by the window; null while closed
    std::unique_ptr<Transport> transport;
    std::unique_ptr<ShortcutTable> shortcuts;
    std::unique_ptr<SettingsWindow> settingsWindow;  // null while closed
    TaskbarWindows taskbar;                          // the mini-player and the song-info window

    std::unique_ptr<InstanceLock> instanceLock;
    EventQueue events;
    std::unique_ptr<InputState> input;
    std::unique_ptr<RemoteControl> remote;  // the desktop's remote control

    bool quitRequested = false;
    bool layoutSettled = false;
    bool playlistShown = false;
    bool libraryShown = false;
    bool statusBarShown = false;
    bool dialDragging = false;
    bool songInfoOpen = false;
    // When the main loop next draws a title frame and polls the Delete key.
    std::chrono::steady_clock::time_point nextFrame{};

    std::string settingsFilePath() const { return settingsPath(settingsBase); }
    // The look the window is built with and re-applies.
    PlayerLook look() const;
};

}  // namespace tonlira
