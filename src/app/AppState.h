#pragma once
// The application state shared by the program's parts for the whole run.
// Owned by the program's entry; GUI thread only, except the playlist and the
// playback flags, which carry their own threading contracts.

#include "library/LibraryFolder.h"
#include "library/Playlist.h"
#include "library/PlaybackState.h"
#include "transport/Transport.h"
#include "platform/EventQueue.h"
#include "platform/InputState.h"
#include "platform/InstanceLock.h"
#include "settings/Settings.h"
#include "ui/PlayerWindow.h"
#include "ui/skin/SkinImages.h"

#include <memory>
#include <string>
#include <vector>

namespace tonlira {

class PlayerViews;

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

    PlaybackState playback;
    Playlist playlist{playback};
    std::vector<LibraryFolder> library;

    std::unique_ptr<PlayerWindow> window;
    std::unique_ptr<PlayerViews> views;
    std::unique_ptr<Transport> transport;

    std::unique_ptr<InstanceLock> instanceLock;
    EventQueue events;
    std::unique_ptr<InputState> input;

    bool quitRequested = false;
    bool layoutSettled = false;
    bool playlistShown = false;
    bool libraryShown = false;
    bool statusBarShown = false;
    bool dialDragging = false;
    bool songInfoOpen = false;

    std::string settingsFilePath() const { return settingsPath(settingsBase); }
    // The look the window is built with and re-applies.
    PlayerLook look() const;
};

}  // namespace tonlira
