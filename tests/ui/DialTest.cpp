#include "ui/Dial.h"

#include "ui/ImageControl.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <optional>

namespace tonlira {
namespace {

// The volume dial as the player panel makes it.
constexpr int dialLeft = 365;
constexpr int dialTop = 1;
constexpr int dialSize = 130;
constexpr int volumeMaximum = 140;
const Colour playerColour = makeColour(87, 87, 87);
const Colour dialColour = makeColour(183, 183, 183);

QColor pixel(const QImage& image, QPoint p) { return image.pixelColor(p); }

class VolumeDial : public ::testing::Test {
protected:
    void SetUp() override {
        panel.resize(500, 130);
        dial = createDial(ControlId::VolumeDial, dialLeft, dialTop, dialSize, volumeMaximum, 1.0f, dialColour,
                          playerColour, &panel);
        ASSERT_NE(dial, nullptr);
    }

    // A point in the client area whose angle from the dial's centre is `math`.
    std::optional<QPoint> pointAtMathAngle(int math) const {
        const int ctr = dial->centre;
        for (int y = ctr - 50; y <= ctr + 50; ++y) {
            for (int x = ctr - 50; x <= ctr + 50; ++x) {
                const int dx = x - ctr;
                const int dy = y - ctr;
                if (dx * dx + dy * dy >= 30 * 30 && angleFromPoint(ctr, ctr, x, y) == math) {
                    return QPoint(x + dial->left, y + dial->top);
                }
            }
        }
        return std::nullopt;
    }

    void dragTowards(int math) {
        const auto point = pointAtMathAngle(math);
        ASSERT_TRUE(point.has_value()) << math;
        EXPECT_EQ(dragStep(dial.get(), *point), 1);
    }

    QWidget panel;
    std::unique_ptr<Dial> dial;
};

TEST_F(VolumeDial, TablesCoverTheScaleFromSevenToFiveOClock) {
    EXPECT_EQ(dialPositions(*dial), volumeMaximum);
    EXPECT_TRUE(dialStepIsWhole(*dial));
    EXPECT_EQ(dial->integerStep, 1);
    EXPECT_EQ(dial->centre, 65);
    EXPECT_EQ(dial->angles[0], 330);
    EXPECT_EQ(dial->angles[1], 328);
    EXPECT_EQ(dial->angles[50], 223);
    EXPECT_EQ(dial->angles[70], 180);
    EXPECT_EQ(dial->angles[112], 90);
    EXPECT_EQ(dial->angles[140], 30);
    for (int j = 0; j <= volumeMaximum; ++j) {
        EXPECT_EQ(dialTableValue(*dial, j), static_cast<float>(j));
        if (j > 0) {
            const auto slot = static_cast<std::size_t>(j);
            EXPECT_LT(dial->angles[slot], dial->angles[slot - 1]) << j;
        }
    }
    // Created at value 0, pointer at 330.
    EXPECT_EQ(getDialValue(dial.get()), 0.0f);
    EXPECT_EQ(dial->angle, 330);
}

TEST_F(VolumeDial, TicksEndAtTheScalePoints) {
    const QPoint expected[] = {{37, 113}, {12, 81}, {16, 41}, {45, 14}, {85, 14}, {114, 41}, {118, 81}, {92, 113}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(dialTickEnd(*dial, i * 20), expected[i]) << "tick " << i * 20;
    }
}

TEST_F(VolumeDial, SetValueMovesThePointerOnlyToScaleValues) {
    EXPECT_EQ(setDialValue(dial.get(), 50.0f), 1);  // std_lautstärke 5
    EXPECT_EQ(dial->angle, 223);
    EXPECT_EQ(getDialValue(dial.get()), 50.0f);

    EXPECT_EQ(setDialValue(dial.get(), 140.5f), 0);
    EXPECT_EQ(setDialValue(dial.get(), -1.0f), 0);
    EXPECT_EQ(dial->angle, 223);
    EXPECT_EQ(getDialValue(dial.get()), 50.0f);

    EXPECT_EQ(setDialValue(dial.get(), 140.0f), 1);
    EXPECT_EQ(dial->angle, 30);
}

TEST_F(VolumeDial, FaceHasBackgroundTicksRimFaceAndPointer) {
    const QImage& image = dial->image;
    ASSERT_EQ(image.size(), QSize(dialSize, dialSize));
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    EXPECT_EQ(pixel(image, {0, 0}), toQColor(playerColour));
    EXPECT_EQ(pixel(image, {129, 129}), toQColor(playerColour));
    // Rim ring between radius 30 and 32 straight up, face inside it.
    EXPECT_EQ(pixel(image, {65, 34}), QColor(Qt::black));
    EXPECT_EQ(pixel(image, {65, 50}), toQColor(dialColour));
    // Tick for value 60 runs up to (45, 14): a point on it outside the rim.
    const QColor tick = toQColor(dialTickColour(playerColour));
    EXPECT_EQ(tick, QColor(47, 47, 47));
    bool tickSeen = false;
    for (int dx = -1; dx <= 1; ++dx) {
        tickSeen = tickSeen || pixel(image, {49 + dx, 25}) == tick;
    }
    EXPECT_TRUE(tickSeen);
    // Pointer at 330 runs from (56, 81) to (51, 90).
    EXPECT_EQ(pixel(image, {56, 81}), QColor(255, 0, 0));
    EXPECT_EQ(pixel(image, {51, 90}), QColor(255, 0, 0));
    // The label "0" is drawn in black near the first tick.
    bool labelInk = false;
    for (int y = 110; y < 128; ++y) {
        for (int x = 34; x < 46; ++x) {
            labelInk = labelInk || pixel(image, {x, y}) == QColor(Qt::black);
        }
    }
    EXPECT_TRUE(labelInk);
}

TEST_F(VolumeDial, PointerMovesAndTheOldOneIsErased) {
    ASSERT_EQ(setDialValue(dial.get(), 70.0f), 1);
    // Straight up, from radius 18 to 28.5.
    EXPECT_EQ(pixel(dial->image, {65, 40}), QColor(255, 0, 0));
    EXPECT_EQ(pixel(dial->image, {56, 81}), toQColor(dialColour));
    // The control shows the same frame.
    EXPECT_EQ(dial->control->image().pixelColor(65, 40), QColor(255, 0, 0));
}

TEST_F(VolumeDial, DragSnapsToTheScaleAndThroughTheDeadZone) {
    struct Case {
        int math;
        float value;
        int angle;
    };
    const Case cases[] = {
        {90, 70.0f, 180},                     // straight above the centre
        {270, 140.0f, 30},                    // straight below: dead zone, maximum end
        {0, 112.0f, 90},                      // right of the centre
        {300, 140.0f, 30},                    // counted as -60
        {299, 140.0f, 30},                    // a = 389, dead zone
        {239, 1.0f, 328},                     // a = 329 lands on the first angle at most 1 below
        {240, 0.0f, 330},  {255, 0.0f, 330},  // exactly the middle of the dead zone
    };
    for (const Case& c : cases) {
        ASSERT_EQ(setDialValue(dial.get(), 50.0f), 1);
        dragTowards(c.math);
        EXPECT_EQ(getDialValue(dial.get()), c.value) << "math angle " << c.math;
        EXPECT_EQ(dial->angle, c.angle) << "math angle " << c.math;
    }
}

TEST_F(VolumeDial, DragOnTheCentreKeepsTheValue) {
    ASSERT_EQ(setDialValue(dial.get(), 50.0f), 1);
    EXPECT_EQ(dragStep(dial.get(), QPoint(dialLeft + 65, dialTop + 65)), 1);
    EXPECT_EQ(getDialValue(dial.get()), 50.0f);
    EXPECT_EQ(dial->angle, 223);
}

TEST_F(VolumeDial, RecolourKeepsTheTickColourAndThePointer) {
    ASSERT_EQ(setDialValue(dial.get(), 70.0f), 1);
    const Colour newBackground = makeColour(10, 100, 200);
    const Colour newFace = makeColour(20, 30, 40);
    recolourDial(dial.get(), newBackground, newFace);
    EXPECT_EQ(pixel(dial->image, {0, 0}), toQColor(newBackground));
    EXPECT_EQ(pixel(dial->image, {65, 50}), toQColor(newFace));
    EXPECT_EQ(dial->tickColour, dialTickColour(playerColour));
    EXPECT_EQ(pixel(dial->image, {65, 40}), QColor(255, 0, 0));
    EXPECT_EQ(getDialValue(dial.get()), 70.0f);
}

TEST_F(VolumeDial, LeftPressOnTheControlIsReported) {
    int presses = 0;
    QObject::connect(dial->control, &ImageControl::leftButtonDown, [&] { ++presses; });
    const QPointF at(10, 10);
    QMouseEvent left(QEvent::MouseButtonPress, at, dial->control->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QMouseEvent right(QEvent::MouseButtonPress, at, dial->control->mapToGlobal(at), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(dial->control, &right);
    QCoreApplication::sendEvent(dial->control, &left);
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(dial->control->id(), ControlId::VolumeDial);
    EXPECT_EQ(dial->control->geometry(), QRect(dialLeft, dialTop, dialSize, dialSize));
    // What is painted is the image, unscaled.
    const QImage shown = dial->control->grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), toQColor(playerColour));
    EXPECT_EQ(shown.pixelColor(56, 81), QColor(255, 0, 0));
}

TEST(Dial, CursorIsReadRelativeToTheClientArea) {
    QWidget window;
    window.setGeometry(100, 80, 300, 200);
    window.show();
    QCursor::setPos(window.mapToGlobal(QPoint(40, 25)));
    EXPECT_EQ(cursorInClientArea(&window), QPoint(40, 25));
    QCursor::setPos(window.mapToGlobal(QPoint(310, 25)));
    EXPECT_EQ(cursorInClientArea(&window), QPoint(-1, -1));
}

TEST(Dial, TickColourIsTheBackgroundDarkenedBy40) {
    EXPECT_EQ(dialTickColour(makeColour(87, 87, 87)), makeColour(47, 47, 47));
    EXPECT_EQ(dialTickColour(makeColour(30, 20, 10)), makeColour(1, 0, 0));
    EXPECT_EQ(dialTickColour(makeColour(40, 39, 41)), makeColour(0, 0, 1));
}

TEST(Dial, LabelFontFollowsTheScreenResolution) {
    EXPECT_EQ(dialLabelPixelSize(96), 13);
    EXPECT_EQ(dialLabelPixelSize(120), 17);
    EXPECT_EQ(dialLabelPixelSize(72), 10);
}

TEST(Dial, AngleFromPointIsMathematicalDegrees) {
    EXPECT_EQ(angleFromPoint(65, 65, 100, 65), 0);
    EXPECT_EQ(angleFromPoint(65, 65, 65, 20), 90);
    EXPECT_EQ(angleFromPoint(65, 65, 20, 65), 180);
    EXPECT_EQ(angleFromPoint(65, 65, 65, 100), 270);
    EXPECT_EQ(angleFromPoint(0, 0, 40, -40), 45);
    EXPECT_EQ(angleFromPoint(0, 0, -40, 40), 225);
    // Slightly below the horizontal to the right: the far end of the circle.
    EXPECT_EQ(angleFromPoint(0, 0, 5, 1), 360);
    EXPECT_EQ(angleFromPoint(7, 7, 7, 7), 0);
}

TEST(Dial, FunctionsWithoutADialDoNothing) {
    EXPECT_EQ(setDialValue(nullptr, 10.0f), 0);
    EXPECT_EQ(getDialValue(nullptr), 0.0f);
    EXPECT_EQ(dragStep(nullptr, QPoint(1, 1)), 0);
    recolourDial(nullptr, 0, 0);
}

TEST(Dial, ScalesThatDoNotFitAreRefused) {
    QWidget parent;
    EXPECT_EQ(createDial(ControlId::VolumeDial, 0, 0, 130, 140, 0.0f, 0, 0, &parent), nullptr);
    EXPECT_EQ(createDial(ControlId::VolumeDial, 0, 0, 130, 255, 1.0f, 0, 0, &parent), nullptr);
    EXPECT_EQ(createDial(ControlId::VolumeDial, 0, 0, 130, 140, 1.0f, 0, 0, nullptr), nullptr);
    EXPECT_NE(createDial(ControlId::VolumeDial, 0, 0, 130, 254, 1.0f, 0, 0, &parent), nullptr);
}

TEST(Dial, FractionalStepUsesTheFloatTable) {
    QWidget parent;
    const auto dial = createDial(ControlId::VolumeDial, 0, 0, 100, 10, 0.5f, makeColour(200, 200, 200),
                                 makeColour(60, 60, 60), &parent);
    ASSERT_NE(dial, nullptr);
    EXPECT_FALSE(dialStepIsWhole(*dial));
    EXPECT_EQ(dialPositions(*dial), 20);
    EXPECT_EQ(dial->angles[0], 330);
    EXPECT_EQ(dial->angles[20], 30);
    EXPECT_EQ(setDialValue(dial.get(), 2.5f), 1);
    EXPECT_EQ(dial->angle, dial->angles[5]);
    EXPECT_EQ(setDialValue(dial.get(), 2.25f), 0);
    EXPECT_EQ(getDialValue(dial.get()), 2.5f);
}

}  // namespace
}  // namespace tonlira
