#pragma once
// Edge snapping: a window moved to within 20 pixels inside an edge of the
// screen's work area lands flush with that edge; a window that already
// crosses an edge is pushed 20 pixels further past it.
//
// The steps are a pure function of the window's outer rectangle and the work
// area. installEdgeSnapping() applies them to every move and resize the
// person or the window manager makes to a window, once: the window's own
// corrective move is not snapped again. On Wayland, where a client does not
// place its windows, it does nothing. GUI thread only.

#include <QRect>

class QWidget;

namespace tonlira {

inline constexpr int snapDistance = 20;

// Edges as the work area states them: right and bottom lie just outside.
struct WorkArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static WorkArea of(const QRect& area) {
        return {area.x(), area.y(), area.x() + area.width(), area.y() + area.height()};
    }
};

// The rectangle `frame` (outer edges, x, y, width, height) after the eight
// steps against `area`; the size never changes.
QRect snapToWorkArea(const QRect& frame, const WorkArea& area);

// Snaps `window` (a top-level widget) against the primary screen's available
// geometry, read afresh on every move. One call; the snapper lives as long as
// the window.
void installEdgeSnapping(QWidget* window);

// Moves `window` to `framePosition` as the program's own placement: the
// snapper leaves this position alone.
void placeWithoutSnapping(QWidget* window, const QPoint& framePosition);

}  // namespace tonlira
