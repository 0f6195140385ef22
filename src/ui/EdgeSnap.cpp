#include "ui/EdgeSnap.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <chrono>
#include <cstdlib>
#include <optional>

namespace tonlira {

QRect snapToWorkArea(const QRect& frame, const WorkArea& area) {
    int x = frame.x();
    int y = frame.y();
    const int w = frame.width();
    const int h = frame.height();
    // A window crossing an edge is pushed further past it...
    if (x < 0) {
        x -= snapDistance;
    }
    if (x + w > area.right) {
        x += snapDistance;
    }
    if (y < 0) {
        y -= snapDistance;
    }
    if (y + h > area.bottom) {
        y += snapDistance;
    }
    // ...one close inside an edge lands flush with it.
    if (0 <= x && x <= area.left + snapDistance) {
        x = area.left;
    }
    if (area.right - snapDistance <= x + w && x + w <= area.right) {
        x = area.right - w;
    }
    if (0 <= y && y <= area.top + snapDistance) {
        y = area.top;
    }
    if (area.bottom - snapDistance <= y + h && y + h <= area.bottom) {
        y = area.bottom - h;
    }
    return {x, y, w, h};
}

namespace {

// The window system may answer the program's own move with a report of
// where the window now is: exactly the target, or (a frame's margins, a
// window manager's rounding) close to it and at once. Such a report is that
// move's answer, not a new move.
constexpr auto echoPeriod = std::chrono::milliseconds(150);

// The moves and resizes of a change of the window's state (maximise,
// restore) follow that change at once.
constexpr auto stateChangePeriod = std::chrono::milliseconds(500);

bool near(const QRect& a, const QRect& b) {
    return a.size() == b.size() && std::abs(a.x() - b.x()) < snapDistance && std::abs(a.y() - b.y()) < snapDistance;
}

class EdgeSnapper final : public QObject {
public:
    explicit EdgeSnapper(QWidget* window) : QObject(window), window_(window) { window->installEventFilter(this); }

    void place(const QPoint& framePosition) { moveTo(framePosition); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::WindowStateChange) {
            stateChangedAt_ = std::chrono::steady_clock::now();
        }
        if (watched == window_ && !moving_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
            snap();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void snap() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen == nullptr || !window_->isVisible()) {
            return;
        }
        // A maximised, full-screen or minimised window is where the window
        // manager put it, and so is one it has just restored; moving it
        // would undo that.
        if ((window_->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) != 0 ||
            std::chrono::steady_clock::now() - stateChangedAt_ < stateChangePeriod) {
            placed_.reset();
            return;
        }
        const QRect frame = window_->frameGeometry();
        // The program's own move coming back from the window system.
        if (placed_ && (frame == *placed_ ||
                        (std::chrono::steady_clock::now() - placedAt_ < echoPeriod && near(frame, *placed_)))) {
            placed_.reset();
            return;
        }
        const QRect target = snapToWorkArea(frame, WorkArea::of(screen->availableGeometry()));
        if (target.topLeft() != frame.topLeft()) {
            moveTo(target.topLeft());
        }
    }

    void moveTo(const QPoint& framePosition) {
        placed_ = QRect(framePosition, window_->frameGeometry().size());
        placedAt_ = std::chrono::steady_clock::now();
        moving_ = true;
        window_->move(framePosition);  // a window's position includes its frame
        moving_ = false;
    }

    QPointer<QWidget> window_;
    std::optional<QRect> placed_;  // where the program last moved it
    std::chrono::steady_clock::time_point placedAt_;
    std::chrono::steady_clock::time_point stateChangedAt_;
    bool moving_ = false;
};

EdgeSnapper* snapperOf(QWidget* window) {
    for (QObject* child : window->children()) {
        if (auto* snapper = dynamic_cast<EdgeSnapper*>(child)) {
            return snapper;
        }
    }
    return nullptr;
}

}  // namespace

void installEdgeSnapping(QWidget* window) {
    // A Wayland client neither learns nor sets where its windows are.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return;
    }
    if (window != nullptr && snapperOf(window) == nullptr) {
        new EdgeSnapper(window);  // owned by the window
    }
}

void placeWithoutSnapping(QWidget* window, const QPoint& framePosition) {
    if (EdgeSnapper* snapper = snapperOf(window)) {
        snapper->place(framePosition);
    } else {
        window->move(framePosition);
    }
}

}  // namespace tonlira
