#include "support/XSession.h"

#include "support/Waits.h"

#include <QProcessEnvironment>

#include <X11/Xlib.h>

namespace tonlira::test {
namespace {

constexpr int iconSize = 22;

bool trayOwned(Display* display) {
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(display));
    return XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False)) != None;
}

}  // namespace

XSession::XSession() {
    server_ = std::make_unique<QProcess>();
    // Xvfb writes the display number it chose to the descriptor given.
    server_->start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                    QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!server_->waitForStarted()) {
        return;
    }
    QByteArray number;
    waitFor([&] {
        server_->waitForReadyRead(50);
        number += server_->readAllStandardOutput();
        return number.contains('\n');
    });
    if (!number.contains('\n')) {
        return;
    }
    name_ = ":" + number.trimmed().toStdString();
    display_ = XOpenDisplay(name_.c_str());
}

XSession::~XSession() {
    for (auto& client : clients_) {
        client->terminate();
        client->waitForFinished(2000);
    }
    clients_.clear();
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
    if (server_) {
        server_->terminate();
        server_->waitForFinished(2000);
    }
}

QProcess* XSession::start(const QString& program, const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromStdString(name_));
    environment.insert(QStringLiteral("HOME"), QString::fromStdString(config_.path().string()));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       QString::fromStdString((config_.path() / "config").string()));
    process->setProcessEnvironment(environment);
    process->setStandardErrorFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(program, arguments);
    if (!process->waitForStarted()) {
        return nullptr;
    }
    clients_.push_back(std::move(process));
    return clients_.back().get();
}

bool XSession::startWindowManager() {
    if (!running() || start(QStringLiteral("openbox"), {}) == nullptr) {
        return false;
    }
    // The manager is up once it owns the screen's manager selection.
    const std::string selection = "WM_S" + std::to_string(DefaultScreen(display_));
    return waitFor(
        [&] { return XGetSelectionOwner(display_, XInternAtom(display_, selection.c_str(), False)) != None; });
}

bool XSession::startPanel() {
    if (!running()) {
        return false;
    }
    panel_ = start(QStringLiteral("tint2"), {});
    return panel_ != nullptr && waitFor([&] { return trayOwned(display_); });
}

void XSession::stopPanel() {
    if (panel_ == nullptr) {
        return;
    }
    panel_->terminate();
    panel_->waitForFinished(2000);
    panel_ = nullptr;
    waitFor([&] { return !trayOwned(display_); });
}

unsigned long dockTrayIcon(Display* display) {
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(display));
    const Window owner = XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False));
    if (owner == None) {
        return 0;
    }
    const Window root = DefaultRootWindow(display);
    const Window icon = XCreateSimpleWindow(display, root, 0, 0, iconSize, iconSize, 0, 0, 0xff0000);
    // Version 0, mapped: the tray shows the icon once it has embedded it.
    const long embedInfo[2] = {0, 1};
    const Atom infoAtom = XInternAtom(display, "_XEMBED_INFO", False);
    XChangeProperty(display, icon, infoAtom, infoAtom, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(embedInfo), 2);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = owner;
    request.xclient.message_type = XInternAtom(display, "_NET_SYSTEM_TRAY_OPCODE", False);
    request.xclient.format = 32;
    request.xclient.data.l[0] = CurrentTime;
    request.xclient.data.l[1] = 0;  // SYSTEM_TRAY_REQUEST_DOCK
    request.xclient.data.l[2] = static_cast<long>(icon);
    XSendEvent(display, owner, False, NoEventMask, &request);
    XFlush(display);
    const bool docked = waitFor([&] {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display, icon, &attributes);
        Window parent = 0;
        Window rootReturn = 0;
        Window* list = nullptr;
        unsigned int count = 0;
        XQueryTree(display, icon, &rootReturn, &parent, &list, &count);
        if (list != nullptr) {
            XFree(list);
        }
        return parent != root && attributes.map_state == IsViewable;
    });
    return docked ? icon : 0;
}

}  // namespace tonlira::test
