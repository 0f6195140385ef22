// Docks an icon in the desktop's notification area and keeps it there until
// ended, so that a panel's tray has an area. Prints "docked" once the tray
// holds the icon. Waits up to ten seconds for a tray to appear.

#include "support/Waits.h"
#include "support/XSession.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <string>
#include <thread>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(display));
    const Atom atom = XInternAtom(display, selection.c_str(), False);
    if (!tonlira::test::waitFor([&] { return XGetSelectionOwner(display, atom) != None; }) ||
        tonlira::test::dockTrayIcon(display) == 0) {
        std::fprintf(stderr, "no tray took the icon\n");
        return 1;
    }
    std::printf("docked\n");
    std::fflush(stdout);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}
