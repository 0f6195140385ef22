#include "platform/TaskbarTray.h"

#include <QGuiApplication>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace tonlira {
namespace {

// Deeper than any panel nests its dock window below a frame.
constexpr int dockSearchDepth = 3;

// Collects X errors instead of letting the default handler end the process:
// the windows asked about belong to other programs and may vanish any time.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : display_(display) {
        XSync(display_, False);
        failed() = false;
        previous_ = XSetErrorHandler(&ErrorTrap::record);
    }
    ~ErrorTrap() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    bool failedSoFar() {
        XSync(display_, False);
        return failed();
    }

private:
    static bool& failed() {
        static bool flag = false;
        return flag;
    }
    static int record(Display*, XErrorEvent*) {
        failed() = true;
        return 0;
    }

    Display* display_;
    int (*previous_)(Display*, XErrorEvent*) = nullptr;
};

struct WindowInfo {
    bool viewable = false;
    QRect rect;  // in root coordinates
};

std::optional<WindowInfo> windowInfo(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0) {
        return std::nullopt;
    }
    int x = 0;
    int y = 0;
    Window child = 0;
    if (XTranslateCoordinates(display, window, attributes.root, 0, 0, &x, &y, &child) == 0) {
        return std::nullopt;
    }
    return WindowInfo{attributes.map_state == IsViewable, QRect(x, y, attributes.width, attributes.height)};
}

std::vector<Window> children(Display* display, Window window) {
    Window root = 0;
    Window parent = 0;
    Window* list = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;
    if (XQueryTree(display, window, &root, &parent, &list, &count) != 0 && list != nullptr) {
        result.assign(list, list + count);
    }
    if (list != nullptr) {
        XFree(list);
    }
    return result;
}

Window parentOf(Display* display, Window window) {
    Window root = 0;
    Window parent = 0;
    Window* list = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &root, &parent, &list, &count) == 0) {
        parent = 0;
    }
    if (list != nullptr) {
        XFree(list);
    }
    return parent == root ? 0 : parent;
}

// Every item of an atom or window list property.
std::vector<unsigned long> listProperty(Display* display, Window window, Atom property, Atom type) {
    Atom actualType = 0;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> result;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &actualFormat, &count,
                           &remaining, &data) == Success &&
        data != nullptr && actualType == type && actualFormat == 32) {
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        result.assign(items, items + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return result;
}

class TrayFinder {
public:
    TrayFinder(Display* display, int screen)
        : display_(display),
          root_(RootWindow(display, screen)),
          windowType_(XInternAtom(display, "_NET_WM_WINDOW_TYPE", False)),
          dockType_(XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False)) {}

    bool isDock(Window window) const {
        for (const unsigned long type : listProperty(display_, window, windowType_, XA_ATOM)) {
            if (type == dockType_) {
                return true;
            }
        }
        return false;
    }

    // The dock window that is the owner or one of its ancestors.
    Window dockHolding(Window window) const {
        for (Window w = window; w != 0; w = parentOf(display_, w)) {
            if (isDock(w)) {
                return w;
            }
        }
        return 0;
    }

    // Dock windows: the window manager's client list, then the tree below
    // the root for desktops without one.
    std::vector<Window> docks() const {
        std::vector<Window> found;
        const Atom clientList = XInternAtom(display_, "_NET_CLIENT_LIST", False);
        for (const unsigned long window : listProperty(display_, root_, clientList, XA_WINDOW)) {
            if (isDock(window)) {
                found.push_back(window);
            }
        }
        if (found.empty()) {
            collectDocks(root_, dockSearchDepth, found);
        }
        return found;
    }

    // The bounding box of the viewable windows docked in `dock`.
    QRect iconArea(Window dock, Window ignored) const {
        QRect area;
        for (const Window child : children(display_, dock)) {
            if (child == ignored) {
                continue;
            }
            const auto info = windowInfo(display_, child);
            if (info && info->viewable && !info->rect.isEmpty()) {
                area = area.united(info->rect);
            }
        }
        return area;
    }

private:
    void collectDocks(Window window, int depth, std::vector<Window>& found) const {
        if (depth == 0) {
            return;
        }
        for (const Window child : children(display_, window)) {
            if (isDock(child)) {
                found.push_back(child);
            } else {
                collectDocks(child, depth - 1, found);
            }
        }
    }

    Display* display_;
    Window root_;
    Atom windowType_;
    Atom dockType_;
};

}  // namespace

std::optional<TaskbarTray> TaskbarTray::find(WId ignored) {
    const auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->display() == nullptr) {
        return std::nullopt;
    }
    Display* display = x11->display();
    return findOn(display, DefaultScreen(display), ignored);
}

std::optional<TaskbarTray> TaskbarTray::findOn(_XDisplay* display, int screen, WId ignored) {
    if (display == nullptr) {
        return std::nullopt;
    }
    ErrorTrap trap(display);
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
    const Window owner = XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False));
    if (owner == None) {
        return std::nullopt;
    }
    const TrayFinder finder(display, screen);
    const auto ownerInfo = windowInfo(display, owner);
    if (!ownerInfo) {
        return std::nullopt;
    }

    Window dock = 0;
    QRect pager;
    // A tray window of one pixel is a placeholder, not the area.
    if (ownerInfo->viewable && ownerInfo->rect.width() > 1 && ownerInfo->rect.height() > 1) {
        dock = finder.dockHolding(owner);
        pager = ownerInfo->rect;
    } else {
        for (const Window candidate : finder.docks()) {
            const QRect icons = finder.iconArea(candidate, static_cast<Window>(ignored));
            if (!icons.isEmpty()) {
                dock = candidate;
                pager = icons;
                break;
            }
        }
    }
    if (dock == 0 || pager.isEmpty()) {
        return std::nullopt;
    }
    const auto dockInfo = windowInfo(display, dock);
    if (!dockInfo || trap.failedSoFar()) {
        return std::nullopt;
    }
    return TaskbarTray(pager, static_cast<WId>(dock), dockInfo->rect);
}

bool TaskbarTray::windowExists(WId window) {
    const auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr && windowExistsOn(x11->display(), window);
}

bool TaskbarTray::windowExistsOn(_XDisplay* display, WId window) {
    if (display == nullptr || window == 0) {
        return false;
    }
    ErrorTrap trap(display);
    XWindowAttributes attributes{};
    const bool answered = XGetWindowAttributes(display, static_cast<Window>(window), &attributes) != 0;
    return answered && !trap.failedSoFar();
}

}  // namespace tonlira
