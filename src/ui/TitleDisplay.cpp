#include "ui/TitleDisplay.h"

#include "platform/Rounding.h"
#include "ui/ImageControl.h"

#include <QPainter>
#include <QWidget>

namespace tonlira {

namespace {

void show(TitleDisplay& display) {
    if (display.control) {
        display.control->setImage(display.image);
    }
}

}  // namespace

ScrollPosition nextScrollPosition(ScrollPosition current, int textWidth, int stripWidth, float speed) {
    ScrollPosition next = current;
    if (textWidth > stripWidth) {
        if (current.direction == ScrollDirection::Left) {
            next.x = current.x - speed;
            if (next.x + static_cast<float>(textWidth) < static_cast<float>(stripWidth)) {
                next.direction = ScrollDirection::Right;
            }
        } else {
            next.x = current.x + speed;
            if (next.x > 0.0f) {
                next.direction = ScrollDirection::Left;
            }
        }
    } else {
        // The text fits: it stands centred and the direction is kept.
        next.x = static_cast<float>(stripWidth / 2 - textWidth / 2);
    }
    return next;
}

std::unique_ptr<TitleDisplay> createTitleDisplay(ControlId id, int left, int top, int width, int height,
                                                 const QString& text, const QFont& font, float speed,
                                                 Colour textColour, Colour backgroundColour, QWidget* parent) {
    if (parent == nullptr || width <= 0 || height <= 0) {
        return nullptr;
    }
    auto display = std::make_unique<TitleDisplay>();
    display->text = text;
    display->left = left;
    display->top = top;
    display->width = width;
    display->height = height;
    display->controlId = id;
    display->image = QImage(width, height, QImage::Format_RGB888);
    display->image.fill(toQColor(backgroundColour));
    display->textColour = textColour;
    display->backgroundColour = backgroundColour;
    display->speed = speed;
    display->font = font;
    display->control = new ImageControl(id, left, top, width, height, parent);
    show(*display);
    return display;
}

int setTitleText(TitleDisplay* display, const QString& text) {
    if (display == nullptr) {
        return 0;
    }
    display->text = text;
    return 1;
}

int setTitleColours(TitleDisplay* display, Colour textColour, Colour backgroundColour) {
    if (display == nullptr) {
        return 0;
    }
    display->textColour = textColour;
    display->backgroundColour = backgroundColour;
    return 1;
}

int setTitleSpeed(TitleDisplay* display, float speed) {
    if (display == nullptr) {
        return 0;
    }
    display->speed = speed;
    return 1;
}

bool titleDisplayMoves(const TitleDisplay* display) {
    if (display == nullptr) {
        return false;
    }
    const TitleDisplay::Frame& shown = display->shownFrame;
    return !display->shown || display->text != shown.text || display->font != shown.font ||
           display->textColour != shown.textColour || display->backgroundColour != shown.backgroundColour ||
           display->width != shown.width || display->height != shown.height || display->textWidth > display->width;
}

void renderTitleFrame(TitleDisplay* display) {
    if (display == nullptr) {
        return;
    }
    // Measured again only when the text or the font changed.
    if (!display->shown || display->text != display->shownFrame.text || display->font != display->shownFrame.font) {
        const QFontMetrics metrics(display->font, &display->image);
        display->textHeight = metrics.height();
        display->textWidth = metrics.horizontalAdvance(display->text);
        display->textAscent = metrics.ascent();
    }
    display->y = static_cast<float>(display->height) / 2.0f - static_cast<float>(display->textHeight) / 2.0f;
    const ScrollPosition next =
        nextScrollPosition({display->x, display->direction}, display->textWidth, display->width, display->speed);
    display->x = next.x;
    display->direction = next.direction;

    const TitleDisplay::Frame frame{display->text,   rnd(display->x),     rnd(display->y),           display->width,
                                    display->height, display->textColour, display->backgroundColour, display->font};
    if (display->shown && frame == display->shownFrame) {
        return;  // the same picture is already on screen
    }
    QPainter painter;
    if (painter.begin(&display->image)) {
        painter.fillRect(0, 0, display->width, display->height, toQColor(display->backgroundColour));
        painter.setFont(display->font);
        painter.setPen(toQColor(display->textColour));
        painter.drawText(QPoint(frame.x, frame.y + display->textAscent), display->text);
        painter.end();
        display->shownFrame = frame;
        display->shown = true;
    }
    show(*display);
}

}  // namespace tonlira
