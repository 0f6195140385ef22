#include "ui/Dial.h"

#include "platform/Rounding.h"
#include "ui/Fonts.h"
#include "ui/ImageControl.h"

#include <QCursor>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tonlira {

namespace {

// The table index of a dial position; a dial has at most dialMaxPositions.
std::size_t slot(int position) { return static_cast<std::size_t>(std::clamp(position, 0, dialMaxPositions)); }

constexpr int labelPointSize = 10;
constexpr int tickEvery = 20;        // a tick and a label on every 20th position
constexpr int tickInset = 10;        // ticks end this far inside the image edge
constexpr int rimInset = 2;          // the face circle is this much smaller than the rim
constexpr int labelDivisor = 10;     // labels show the value divided by 10
constexpr int wholeLabelOffset = 3;  // label top-left relative to the tick end
constexpr int fractionLabelOffset = 5;
constexpr double pointerInnerRadius = 18.0;
constexpr double pointerOuterInset = 4.0;
constexpr int tickDarkening = 40;
constexpr int deadZoneMiddle = 345;  // between the two ends, through straight down
constexpr int mathWrapFrom = 300;    // math angles from here on count as negative
constexpr int fullTurn = 360;
constexpr int mathToDial = 90;  // a math angle plus this is a dial angle
constexpr double degreesPerRadian = 57.29577;
const QColor labelColour(Qt::black);
const QColor rimColour(Qt::black);
const QColor pointerColour(255, 0, 0);

double radians(int degrees) { return degrees * std::numbers::pi / 180.0; }

// A point at distance r and dial angle a from the centre.
QPoint pointAt(int ctr, double r, int a) {
    return {rnd(ctr + r * std::sin(radians(a))), rnd(ctr + r * std::cos(radians(a)))};
}

// The scale's spacing in degrees between neighbouring positions.
float degreesPerPosition(const Dial& dial) { return dialArcDegrees / (static_cast<float>(dial.maximum) / dial.step); }

void drawCircles(QPainter& painter, const Dial& dial) {
    const int ctr = dial.centre;
    const int rim = ctr / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(rimColour);
    painter.drawEllipse(QPoint(ctr, ctr), rim, rim);
    painter.setBrush(toQColor(dial.faceColour));
    painter.drawEllipse(QPoint(ctr, ctr), rim - rimInset, rim - rimInset);
    painter.setBrush(Qt::NoBrush);
}

void show(Dial& dial) {
    if (dial.control) {
        dial.control->setImage(dial.image);
    }
}

void drawFace(Dial& dial) {
    QPainter painter;
    if (!painter.begin(&dial.image)) {
        show(dial);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(dial.image.rect(), toQColor(dial.backgroundColour));
    painter.setFont(dial.labelFont);
    const QFontMetrics metrics = painter.fontMetrics();
    const int ctr = dial.centre;
    const int n = dialPositions(dial);
    const bool whole = dialStepIsWhole(dial);
    for (int k = 0; k <= n; k += tickEvery) {
        const QPoint end = dialTickEnd(dial, k);
        painter.setPen(QPen(toQColor(dial.tickColour), 1));
        painter.drawLine(QPoint(ctr, ctr), end);
        drawCircles(painter, dial);

        QString label;
        QPoint topLeft;
        if (whole) {
            label = QString::number(dial.integerValues[slot(k)] / labelDivisor);
            topLeft = end - QPoint(wholeLabelOffset, wholeLabelOffset);
        } else {
            label = QString::number(dial.floatValues[slot(k)] / labelDivisor, 'f', 1);
            topLeft = end - QPoint(fractionLabelOffset, fractionLabelOffset);
        }
        painter.setPen(labelColour);
        painter.drawText(topLeft + QPoint(0, metrics.ascent()), label);
    }
    painter.end();
    show(dial);
}

void drawPointer(Dial& dial, int a) {
    QPainter painter;
    if (painter.begin(&dial.image)) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        drawCircles(painter, dial);
        const int ctr = dial.centre;
        const double outer = ctr / 2.0 - pointerOuterInset;
        painter.setPen(QPen(pointerColour, 1));
        painter.drawLine(pointAt(ctr, pointerInnerRadius, a), pointAt(ctr, outer, a));
        painter.end();
    }
    show(dial);
}

void buildTables(Dial& dial) {
    const int n = dialPositions(dial);
    if (dialStepIsWhole(dial)) {
        const int stepA = rnd(dial.step);
        dial.integerStep = stepA;
        // Positions past the maximum (a maximum that is not a whole multiple
        // of the step) hold the maximum rather than nothing.
        for (int i = 0; i <= n; ++i) {
            dial.integerValues[slot(i)] = std::min(stepA * i, dial.maximum);
        }
    } else {
        for (int i = 0; i <= n; ++i) {
            dial.floatValues[slot(i)] = dial.step * static_cast<float>(i);
        }
    }
    const float spacing = degreesPerPosition(dial);
    for (int i = 0; i <= n; ++i) {
        dial.angles[slot(n - i)] = rnd(static_cast<float>(i) * spacing + static_cast<float>(dialMaximumAngle));
    }
}

}  // namespace

QPoint dialTickEnd(const Dial& dial, int k) {
    return pointAt(dial.centre, dial.centre - tickInset, dial.angles[slot(k)]);
}

int dialPositions(const Dial& dial) { return rnd(static_cast<float>(dial.maximum) / dial.step); }

bool dialStepIsWhole(const Dial& dial) { return dial.step - static_cast<float>(rnd(dial.step)) == 0.0f; }

float dialTableValue(const Dial& dial, int j) {
    if (j < 0 || j >= dialTableSize) {
        return 0.0f;
    }
    return dialStepIsWhole(dial) ? static_cast<float>(dial.integerValues[slot(j)]) : dial.floatValues[slot(j)];
}

Colour dialTickColour(Colour background) {
    int r = redOf(background) - tickDarkening;
    int g = greenOf(background) - tickDarkening;
    int b = blueOf(background) - tickDarkening;
    if (r < 0) {
        r = 1;
    }
    if (g < 0) {
        g = 0;
    }
    if (b < 0) {
        b = 0;
    }
    return makeColour(r, g, b);
}

int dialLabelPixelSize(int logicalDpiY) { return pointsToPixels(labelPointSize, logicalDpiY); }

std::unique_ptr<Dial> createDial(ControlId id, int left, int top, int size, int maximum, float step, Colour face,
                                 Colour background, QWidget* parent) {
    if (parent == nullptr || !(step > 0.0f) || maximum <= 0) {
        return nullptr;
    }
    auto dial = std::make_unique<Dial>();
    dial->controlId = id;
    dial->maximum = maximum;
    dial->step = step;
    const int n = dialPositions(*dial);
    // The face needs room for the ticks outside the rim.
    if (n < 1 || n > dialMaxPositions || size / 2 <= tickInset) {
        return nullptr;
    }
    dial->backgroundColour = background;
    dial->faceColour = face;
    dial->tickColour = dialTickColour(background);
    dial->labelFont = QFont(QString::fromLatin1(fontFamily));
    dial->labelFont.setItalic(true);
    dial->labelFont.setPixelSize(dialLabelPixelSize(parent->logicalDpiY()));
    dial->left = left;
    dial->top = top;
    dial->size = size;
    dial->centre = size / 2;
    dial->image = QImage(size, size, QImage::Format_RGB888);
    dial->control = new ImageControl(id, left, top, size, size, parent);
    buildTables(*dial);
    drawFace(*dial);
    dial->angle = dialZeroAngle;
    drawPointer(*dial, dial->angle);
    return dial;
}

int setDialValue(Dial* dial, float value) {
    if (dial == nullptr) {
        return 0;
    }
    const int n = dialPositions(*dial);
    for (int j = 0; j <= n; ++j) {
        if (dialTableValue(*dial, j) == value) {
            dial->value = value;
            dial->angle = dial->angles[slot(j)];
            drawPointer(*dial, dial->angle);
            return 1;
        }
    }
    return 0;
}

float getDialValue(const Dial* dial) { return dial != nullptr ? dial->value : 0.0f; }

int angleFromPoint(int cx, int cy, int px, int py) {
    const int dx = px - cx;
    const int dy = py - cy;
    const int d = rnd(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
    if (d == 0) {
        return 0;
    }
    const int e = rnd(std::acos(static_cast<double>(dx) / d) * degreesPerRadian);
    return cy < py ? fullTurn - e : e;
}

int dragStep(Dial* dial, QPoint cursor) {
    if (dial == nullptr) {
        return 0;
    }
    const int ctr = dial->centre;
    const int mx = cursor.x() - dial->left;
    const int my = cursor.y() - dial->top;
    if (mx == ctr && my == ctr) {
        // No direction to turn to: keep the value.
        drawPointer(*dial, dial->angle);
        return 1;
    }
    int m = angleFromPoint(ctr, ctr, mx, my);
    if (m >= mathWrapFrom && m <= fullTurn) {
        m -= fullTurn;
    }
    int a = m + mathToDial;
    // Dead zone: the nearer end of the scale; its middle goes to value 0.
    if (a > dialZeroAngle && a <= deadZoneMiddle) {
        a = dialZeroAngle;
    } else if (a < dialMaximumAngle || a > deadZoneMiddle) {
        a = dialMaximumAngle;
    }
    const int h = rnd(degreesPerPosition(*dial) / 2.0f);
    const int n = dialPositions(*dial);
    for (int i = 0; i <= n; ++i) {
        const int t = dial->angles[slot(n - i)];
        if (a - t <= h) {
            a = t;
            dial->value = dialTableValue(*dial, n - i);
            break;
        }
    }
    drawPointer(*dial, a);
    dial->angle = a;
    return 1;
}

QPoint cursorInClientArea(const QWidget* clientArea) {
    if (clientArea == nullptr) {
        return {-1, -1};
    }
    const QPoint local = clientArea->mapFromGlobal(QCursor::pos());
    return clientArea->rect().contains(local) ? local : QPoint(-1, -1);
}

void recolourDial(Dial* dial, Colour background, Colour face) {
    if (dial == nullptr) {
        return;
    }
    dial->backgroundColour = background;
    dial->faceColour = face;
    drawFace(*dial);
    drawPointer(*dial, dial->angle);
}

}  // namespace tonlira
