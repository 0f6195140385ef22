#pragma once
// The desktop's taskbar and its notification area (system tray), found on
// X11: the tray is the owner of the selection _NET_SYSTEM_TRAY_S<screen>,
// the taskbar the dock window (_NET_WM_WINDOW_TYPE_DOCK) that holds it.
//
// The tray's rectangle is the owner window's rectangle when that window is
// viewable, else the bounding box of the icons docked in the taskbar. No
// owner, no taskbar or a tray without area means "not found", and so does
// every platform other than X11.
//
// GUI thread only (it talks over the application's X connection).

#include <QRect>
#include <QWindow>

#include <optional>

struct _XDisplay;

namespace tonlira {

class TaskbarTray {
public:
    // On the running application's display; nothing when there is no tray.
    // `ignored`: a window of the program's own inside the taskbar, which is
    // not one of the tray's icons.
    static std::optional<TaskbarTray> find(WId ignored = 0);
    // On a given X display and screen (tests open their own connection).
    static std::optional<TaskbarTray> findOn(_XDisplay* display, int screen, WId ignored = 0);
    // A tray at a known place, for desktops the program is told about.
    static TaskbarTray at(const QRect& pager, WId taskbar, const QRect& taskbarRect) {
        return TaskbarTray(pager, taskbar, taskbarRect);
    }

    // The notification area, in screen coordinates.
    QRect pager() const { return pager_; }
    // The taskbar window and its rectangle in screen coordinates.
    WId taskbar() const { return taskbar_; }
    QRect taskbarRect() const { return taskbarRect_; }

    // Whether the taskbar window still exists (a panel may restart).
    static bool windowExists(WId window);
    static bool windowExistsOn(_XDisplay* display, WId window);

private:
    TaskbarTray(const QRect& pager, WId taskbar, const QRect& taskbarRect)
        : pager_(pager), taskbar_(taskbar), taskbarRect_(taskbarRect) {}

    QRect pager_;
    WId taskbar_ = 0;
    QRect taskbarRect_;
};

}  // namespace tonlira
