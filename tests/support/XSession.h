#pragma once
// A desktop of its own for tests that need a real X server: Xvfb on a
// display number it picks itself, optionally a window manager (openbox) and
// a panel with a notification area (tint2), each with its configuration in a
// temporary folder. Everything started ends with the session.

#include "support/TempDir.h"

#include <QProcess>

#include <memory>
#include <string>
#include <vector>

struct _XDisplay;

namespace tonlira::test {

// Docks an icon (a plain 22 x 22 window) in the notification area of
// `display` and waits until the tray has taken it in; the icon's window, or 0.
unsigned long dockTrayIcon(_XDisplay* display);

class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // False when Xvfb could not be started.
    bool running() const { return display_ != nullptr; }
    const std::string& displayName() const { return name_; }
    _XDisplay* display() const { return display_; }

    bool startWindowManager();
    // Starts the panel and waits until its notification area is there.
    bool startPanel();
    void stopPanel();

    unsigned long dockIcon() { return dockTrayIcon(display_); }

private:
    QProcess* start(const QString& program, const QStringList& arguments);

    TempDir config_;
    std::unique_ptr<QProcess> server_;
    std::vector<std::unique_ptr<QProcess>> clients_;
    QProcess* panel_ = nullptr;
    std::string name_;
    _XDisplay* display_ = nullptr;
};

}  // namespace tonlira::test
