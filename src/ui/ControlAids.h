#pragma once
// Keyboard and pointer aids on the player window's controls:
//  - Tab reaches every control, each showing that it has the focus;
//  - Enter on a playlist row plays it, reported as the double-click is;
//  - the volume dial turns one mark (ten steps) per arrow or page key and
//    per wheel notch; Home and End turn it to its ends;
//  - tooltips: the transport buttons in the menu's words, the dial its
//    volume in decibels, a cut playlist title the full file name.
// GUI thread only.

#include <QPoint>
#include <QString>

#include <functional>

class QTreeWidget;

namespace tonlira {

class PlayerWindow;
struct Dial;

// The volume in decibels for a dial value.
using DecibelsOf = std::function<int(float dialValue)>;

void addControlAids(PlayerWindow& window, DecibelsOf decibelsOf);

// Turns the dial by `steps` of its step, kept within its scale. True when
// the value changed.
bool turnDial(Dial* dial, int steps);

// Turns the dial by `marks` marks of ten steps, to the next mark in that
// direction first when it stands between two. True when the value changed.
bool turnDialByMarks(Dial* dial, int marks);

// The dial's tooltip for its current value: "-45 dB".
QString dialToolTip(const Dial* dial, const DecibelsOf& decibelsOf);

// The full title of the row at `viewportPos` when its title column cuts it,
// else empty.
QString cutTitleToolTip(const QTreeWidget* view, const QPoint& viewportPos);

}  // namespace tonlira
