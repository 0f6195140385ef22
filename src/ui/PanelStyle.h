#pragma once
// What the player window's panels share: placing a control by its table
// geometry, background colours, the panel caption and the lists' font.
// GUI thread only.

#include "platform/Colour.h"
#include "platform/Ids.h"

#include <QPalette>
#include <QRect>

#include <map>

class QLabel;
class QWidget;

namespace tonlira {

// The controls of a window by number, as events name them.
using ControlMap = std::map<ControlId, QWidget*>;

struct Geometry {
    int x, y, width, height;
    constexpr QRect rect() const { return {x, y, width, height}; }
};

void place(QWidget* widget, const Geometry& geometry);

// Fills the widget's `role` with `colour`.
void setBackground(QWidget* widget, Colour colour, QPalette::ColorRole role = QPalette::Window);

// A side panel: its caption centred at its top, in the caption font.
void stylePanel(QLabel* panel, ControlId id, const Geometry& geometry, Colour colour);

// A list control of a side panel, in the ordinary font (not the panel's
// bold caption font) and its background colour.
void styleList(QWidget* list, const Geometry& geometry, Colour background);

}  // namespace tonlira
