#pragma once
// The frame a control reached by the keyboard shows: a band in the
// palette's highlight colour just inside its edge, plain enough to be seen on
// the dark player panel whatever the widget style draws.

#include <QPainter>
#include <QWidget>

namespace tonlira {

inline constexpr int focusFrameWidth = 2;
inline constexpr int focusFrameInset = 2;

// Draws the frame inside `area` while `widget` has the focus.
inline void drawFocusFrame(QPainter& painter, const QWidget& widget, const QRect& area) {
    if (!widget.hasFocus()) {
        return;
    }
    const int edge = focusFrameInset + focusFrameWidth / 2;
    painter.save();
    painter.setPen(QPen(widget.palette().color(QPalette::Highlight), focusFrameWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(edge, edge, -edge - 1, -edge - 1));
    painter.restore();
}

inline void drawFocusFrame(QPainter& painter, const QWidget& widget) {
    drawFocusFrame(painter, widget, widget.rect());
}

}  // namespace tonlira
