#pragma once
// The taskbar mini-player and the song-info window: minimising the player
// into the taskbar, opening and closing the song-info window, restoring the
// player, and what the main loop and the transport use of them. GUI thread
// only.

#include "platform/TaskbarTray.h"
#include "ui/MiniPlayerWindow.h"
#include "ui/SongInfoWindow.h"

#include <functional>
#include <memory>
#include <optional>

namespace tonlira {

struct AppState;

// The mini-player sits this far left of the notification area, and the
// song-info window this high above it.
inline constexpr int miniPlayerOffset = 220;
inline constexpr int songInfoRise = 70;

// Finds the tray; the argument is the mini-player's window while it is in
// the taskbar (it is not one of the tray's icons), else 0.
using TrayFinder = std::function<std::optional<TaskbarTray>(WId)>;

// The two small windows while they exist.
struct TaskbarWindows {
    TrayFinder findTray = [](WId ignored) { return TaskbarTray::find(ignored); };
    std::unique_ptr<MiniPlayerWindow> miniPlayer;
    std::unique_ptr<SongInfoWindow> songInfo;
    WId host = 0;  // the taskbar window holding the mini-player
};

// Where the song-info window stands: right above the mini-player, or right
// below the taskbar when above would leave the screen (`screenTop`).
QPoint songInfoPosition(const QRect& pager, const QRect& taskbar, int screenTop);

// Menu item 17: hides the player and puts the mini-player into the taskbar;
// nothing happens without a taskbar tray.
void minimiseToTaskbar(AppState& app);
// Button 25: opens a fresh song-info window, or closes it.
void toggleSongInfo(AppState& app);
// Button 24: closes both small windows and shows the player again.
void restorePlayer(AppState& app);
// Slider 26 moved by the person: seeks while the song-info window exists.
void seekToSongInfoSlider(AppState& app);
// Every refresh tick: a taskbar that went away (its panel restarted) takes
// the mini-player with it; the player comes back then.
void watchTaskbar(AppState& app);

// The title display the main loop renders: the song-info window's while it
// exists, otherwise the player's.
TitleDisplay* titleDisplayInUse(const AppState& app);
// The position slider in the player colour: the song-info window's while it
// exists (the player's then has the default background), else the player's.
void applySliderColours(AppState& app);

}  // namespace tonlira
