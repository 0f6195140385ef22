#pragma once
// The title display: a text strip drawn off screen and shown by an image
// control. A text wider than the strip slides back and forth by `speed`
// pixels per frame; a narrower one stands centred. The main loop renders one
// frame per pass.
//
// A frame is drawn and handed to the control only when it differs from the
// one on screen (text, scroll step, colours, size, font), so an idle display
// costs nothing but the arithmetic of its scroll position.
//
// A null TitleDisplay* stands for an absent display: the setters then return
// 0 and change nothing.

#include "platform/Colour.h"
#include "platform/Ids.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

class QWidget;

namespace tonlira {

class ImageControl;

enum class ScrollDirection : std::uint8_t { Left = 0, Right = 1 };

struct TitleDisplay {
    QString text;
    float x = 0.0f;  // left edge of the text in the strip
    float y = 0.0f;  // top edge of the text, recomputed every frame
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    ControlId controlId{};
    QImage image;       // width x height, 24-bit colour
    int textWidth = 0;  // measured in the last frame
    int textHeight = 0;
    int textAscent = 0;  // of the font, measured with the text
    Colour textColour = 0;
    Colour backgroundColour = 0;
    ScrollDirection direction = ScrollDirection::Left;
    float speed = 0.0f;  // pixels per frame
    QFont font;

    // The control showing the image; owned by its parent widget.
    QPointer<ImageControl> control;

    // What the image on screen shows; an empty text with `shown` false
    // until the first frame.
    struct Frame {
        QString text;
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        Colour textColour = 0;
        Colour backgroundColour = 0;
        QFont font;
        bool operator==(const Frame&) const = default;
    };
    Frame shownFrame;
    bool shown = false;
};

// Makes the display and its image control (width x height at left, top in
// `parent`). x and the direction start at 0.
std::unique_ptr<TitleDisplay> createTitleDisplay(ControlId id, int left, int top, int width, int height,
                                                 const QString& text, const QFont& font, float speed,
                                                 Colour textColour, Colour backgroundColour, QWidget* parent);

// Replaces the text only: the scroll position and direction carry over.
int setTitleText(TitleDisplay* display, const QString& text);
int setTitleColours(TitleDisplay* display, Colour textColour, Colour backgroundColour);
int setTitleSpeed(TitleDisplay* display, float speed);

// Draws one frame and shows it.
void renderTitleFrame(TitleDisplay* display);
// True when the next frame would differ from the picture on screen: the
// text scrolls, or its text, colours or font changed since the last frame.
bool titleDisplayMoves(const TitleDisplay* display);

struct ScrollPosition {
    float x = 0.0f;
    ScrollDirection direction = ScrollDirection::Left;
};

// Where the text stands in the next frame, from where it stood, for a text
// of `textWidth` in a strip of `stripWidth`.
ScrollPosition nextScrollPosition(ScrollPosition current, int textWidth, int stripWidth, float speed);

}  // namespace tonlira
