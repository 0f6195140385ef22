#pragma once
// Which window system the program talks to. An X display (XWayland
// included) is preferred: window positions, edge snapping and the taskbar
// strip need X11. Without one, a Wayland session is used natively, where the
// taskbar is not found and edge snapping does nothing. Without either there
// is nothing to show a window on.
//
// Called once, before the application object exists.

#include <string_view>

namespace tonlira {

enum class DisplayChoice {
    AsConfigured,  // QT_QPA_PLATFORM names the platform; it is left alone
    X11,
    Wayland,
    None,
};

// Decides from DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM and sets
// QT_QPA_PLATFORM for X11 and Wayland.
DisplayChoice chooseDisplayPlatform();

// The one line printed when there is no display.
inline constexpr std::string_view noDisplayMessage =
    "Tonlira: keine grafische Anzeige gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt).";

// The exit code of a start without a display.
inline constexpr int noDisplayExitCode = 1;

}  // namespace tonlira
