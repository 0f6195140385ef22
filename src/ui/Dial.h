#pragma once
// A dial: a round knob drawn into a square image, with a scale from 0 to a
// maximum over a 300-degree arc, tick marks with number labels and a red
// pointer. The user turns it by holding the left mouse button on it and
// moving the mouse; the main loop calls dragStep() on every pass while the
// button is held.
//
// Dial angles are degrees from straight down, counterclockwise on screen
// (0 down, 90 right, 180 up, 270 left). Value 0 sits at 330, the maximum at
// 30; the 60 degrees between them, through straight down, are a dead zone.
//
// A null Dial* stands for a control without a dial: every function accepts
// it and then does nothing (returning 0).

#include "platform/Colour.h"
#include "platform/Ids.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QPointer>

#include <array>
#include <cstdint>
#include <memory>

class QWidget;

namespace tonlira {

class ImageControl;

inline constexpr int dialTableSize = 255;
// The largest number of scale positions above 0 a dial can have.
inline constexpr int dialMaxPositions = dialTableSize - 1;

inline constexpr int dialZeroAngle = 330;    // angle of value 0
inline constexpr int dialMaximumAngle = 30;  // angle of the maximum
inline constexpr float dialArcDegrees = 300.0f;

struct Dial {
    ControlId controlId{};
    QImage image;  // size x size, 24-bit colour
    int maximum = 0;
    float step = 0.0f;
    int integerStep = 0;  // set only when the step is whole
    Colour backgroundColour = 0;
    Colour faceColour = 0;
    Colour tickColour = 0;
    QFont labelFont;
    int left = 0;
    int top = 0;
    int angle = 0;  // the pointer's current angle
    int size = 0;
    int centre = 0;  // size / 2, both x and y in the image
    float value = 0.0f;
    std::array<float, dialTableSize> floatValues{};           // used when the step is not whole
    std::array<std::int32_t, dialTableSize> integerValues{};  // used when it is
    std::array<std::int32_t, dialTableSize> angles{};

    // The control showing the image; owned by its parent widget.
    QPointer<ImageControl> control;
};

// Makes the dial and its image control (size x size at left, top in
// `parent`), builds the tables, draws the face and the pointer at 330
// (value 0). Returns null when the scale cannot be built: a step that is not
// positive, a maximum below one step, more than dialMaxPositions positions,
// or a size too small to draw.
std::unique_ptr<Dial> createDial(ControlId id, int left, int top, int size, int maximum, float step, Colour face,
                                 Colour background, QWidget* parent);

// Number of scale positions above 0: rnd(maximum / step).
int dialPositions(const Dial& dial);

// True when the dial's step is a whole number (the integer table is used).
bool dialStepIsWhole(const Dial& dial);

// Value of scale position j, from whichever table the dial uses.
float dialTableValue(const Dial& dial, int j);

// Where the tick of scale position k ends: ctr - 10 from the centre, at the
// position's angle.
QPoint dialTickEnd(const Dial& dial, int k);

// Sets the dial to `value` when it is exactly one of the scale values:
// stores it with its angle, redraws the pointer and returns 1. Otherwise
// returns 0 and changes nothing.
int setDialValue(Dial* dial, float value);

// The stored value, 0.0 without a dial.
float getDialValue(const Dial* dial);

// Angle of the point (px, py) seen from (cx, cy), in whole degrees
// counterclockwise from the right, 0 to 360. A point on the centre gives 0.
int angleFromPoint(int cx, int cy, int px, int py);

// Turns the dial towards the cursor, given relative to the client area of
// the window the dial sits in (both coordinates -1 when the cursor is
// outside). Snaps to the scale, redraws the pointer and returns 1; 0 without
// a dial. A cursor exactly on the dial's centre leaves the dial as it is.
int dragStep(Dial* dial, QPoint cursorInClientArea);

// The mouse cursor relative to `clientArea`, or (-1, -1) when it is outside.
QPoint cursorInClientArea(const QWidget* clientArea);

// Redraws the face in new colours and the pointer at the stored angle. The
// tick colour stays the one computed at creation.
void recolourDial(Dial* dial, Colour background, Colour face);

// The tick colour for a background: each channel lowered by 40; a red result
// below 0 becomes 1, a green or blue one 0.
Colour dialTickColour(Colour background);

// The pixel size of the label font, 10 pt italic at the screen's resolution.
int dialLabelPixelSize(int logicalDpiY);

}  // namespace tonlira
