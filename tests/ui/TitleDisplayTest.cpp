#include "ui/TitleDisplay.h"

#include "ui/ImageControl.h"

#include <QFont>
#include <QWidget>
#include <gtest/gtest.h>

namespace tonlira {
namespace {

constexpr int stripWidth = 360;
constexpr int stripHeight = 40;
const Colour textColour = makeColour(1, 29, 254);
const Colour black = 0;

QFont displayFont() {
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(23);
    return font;
}

// Columns and rows holding any pixel that is not the background.
QRect inkBounds(const QImage& image, const QColor& background) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != background) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

TEST(TitleScroll, LongTextSlidesToTheRightEdgeAndBack) {
    ScrollPosition position;
    for (int frame = 1; frame <= 40; ++frame) {
        position = nextScrollPosition(position, 400, stripWidth, 1.0f);
        ASSERT_EQ(position.direction, ScrollDirection::Left) << frame;
    }
    position = nextScrollPosition(position, 400, stripWidth, 1.0f);  // frame 41
    EXPECT_EQ(position.x, -41.0f);
    EXPECT_EQ(position.direction, ScrollDirection::Right);
    for (int frame = 42; frame <= 82; ++frame) {
        position = nextScrollPosition(position, 400, stripWidth, 1.0f);
        ASSERT_EQ(position.direction, ScrollDirection::Right) << frame;
    }
    position = nextScrollPosition(position, 400, stripWidth, 1.0f);  // frame 83
    EXPECT_EQ(position.x, 1.0f);
    EXPECT_EQ(position.direction, ScrollDirection::Left);
}

TEST(TitleScroll, FittingTextIsCentredAndKeepsItsDirection) {
    const ScrollPosition moving{-17.0f, ScrollDirection::Right};
    const ScrollPosition centred = nextScrollPosition(moving, 100, stripWidth, 1.0f);
    EXPECT_EQ(centred.x, 130.0f);
    EXPECT_EQ(centred.direction, ScrollDirection::Right);
    // A text exactly as wide as the strip fits.
    EXPECT_EQ(nextScrollPosition(moving, stripWidth, stripWidth, 1.0f).x, 0.0f);
}

class PlayerTitle : public ::testing::Test {
protected:
    void SetUp() override {
        panel.resize(500, 130);
        display = createTitleDisplay(ControlId::TitleDisplay, 5, 5, stripWidth, stripHeight, QString(), displayFont(),
                                     1.0f, textColour, black, &panel);
        ASSERT_NE(display, nullptr);
    }

    QString longTitle() const {
        QString text = QStringLiteral("Ein ziemlich langer Titel über Größe");
        while (QFontMetrics(displayFont()).horizontalAdvance(text) <= stripWidth) {
            text += QStringLiteral(" und noch mehr");
        }
        return text;
    }

    QWidget panel;
    std::unique_ptr<TitleDisplay> display;
};

TEST_F(PlayerTitle, StartsEmptyOnTheBackground) {
    EXPECT_EQ(display->x, 0.0f);
    EXPECT_EQ(display->direction, ScrollDirection::Left);
    EXPECT_EQ(display->control->geometry(), QRect(5, 5, stripWidth, stripHeight));
    renderTitleFrame(display.get());
    EXPECT_TRUE(inkBounds(display->image, QColor(Qt::black)).isNull());
    EXPECT_EQ(display->textWidth, 0);
}

TEST_F(PlayerTitle, ShortTextIsDrawnCentred) {
    ASSERT_EQ(setTitleText(display.get(), QStringLiteral("Lied")), 1);
    renderTitleFrame(display.get());
    renderTitleFrame(display.get());  // stands still

    ASSERT_GT(display->textWidth, 0);
    ASSERT_LT(display->textWidth, stripWidth);
    EXPECT_EQ(display->x, static_cast<float>(stripWidth / 2 - display->textWidth / 2));
    EXPECT_EQ(display->y, static_cast<float>(stripHeight) / 2.0f - static_cast<float>(display->textHeight) / 2.0f);

    const QRect ink = inkBounds(display->image, QColor(Qt::black));
    ASSERT_FALSE(ink.isNull());
    // Ink lies in the middle: equal margins give or take the glyphs' side bearings.
    EXPECT_NEAR(ink.left(), stripWidth - 1 - ink.right(), 6);
    EXPECT_NEAR(ink.top(), stripHeight - 1 - ink.bottom(), 8);
    // Solid stems show the text colour itself.
    bool solid = false;
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        for (int x = ink.left(); x <= ink.right(); ++x) {
            solid = solid || display->image.pixelColor(x, y) == toQColor(textColour);
        }
    }
    EXPECT_TRUE(solid);
    // The control shows the frame.
    EXPECT_EQ(display->control->image(), display->image);
}

TEST_F(PlayerTitle, LongTextScrollsAndANewTextContinuesFromThere) {
    ASSERT_EQ(setTitleText(display.get(), longTitle()), 1);
    for (int frame = 0; frame < 3; ++frame) {
        renderTitleFrame(display.get());
    }
    EXPECT_GT(display->textWidth, stripWidth);
    EXPECT_EQ(display->x, -3.0f);
    EXPECT_EQ(display->direction, ScrollDirection::Left);

    ASSERT_EQ(setTitleText(display.get(), longTitle() + QStringLiteral(" Ende")), 1);
    EXPECT_EQ(display->x, -3.0f);
    renderTitleFrame(display.get());
    EXPECT_EQ(display->x, -4.0f);

    ASSERT_EQ(setTitleSpeed(display.get(), 2.5f), 1);
    renderTitleFrame(display.get());
    EXPECT_EQ(display->x, -6.5f);

    ASSERT_EQ(setTitleText(display.get(), QStringLiteral("Kurz")), 1);
    EXPECT_EQ(display->x, -6.5f);
    renderTitleFrame(display.get());
    EXPECT_EQ(display->x, static_cast<float>(stripWidth / 2 - display->textWidth / 2));
}

TEST_F(PlayerTitle, ColoursApplyFromTheNextFrame) {
    ASSERT_EQ(setTitleText(display.get(), QStringLiteral("Lied")), 1);
    const Colour background = makeColour(157, 157, 157);
    ASSERT_EQ(setTitleColours(display.get(), makeColour(255, 0, 0), background), 1);
    renderTitleFrame(display.get());
    EXPECT_EQ(display->image.pixelColor(0, 0), toQColor(background));
    bool red = false;
    const QRect ink = inkBounds(display->image, toQColor(background));
    for (int x = ink.left(); x <= ink.right(); ++x) {
        for (int y = ink.top(); y <= ink.bottom(); ++y) {
            red = red || display->image.pixelColor(x, y) == QColor(255, 0, 0);
        }
    }
    EXPECT_TRUE(red);
}

TEST_F(PlayerTitle, AFrameIsHandedOverOnlyWhenItChanges) {
    // Each frame handed to the control is a new image.
    const auto onScreen = [&] { return display->control->image().cacheKey(); };
    const auto render = [&](int frames) {
        for (int i = 0; i < frames; ++i) {
            renderTitleFrame(display.get());
        }
    };
    render(1);
    const qint64 empty = onScreen();
    render(20);
    EXPECT_EQ(onScreen(), empty) << "nothing changed, nothing drawn";

    setTitleText(display.get(), QStringLiteral("Lied"));
    render(1);
    const qint64 withText = onScreen();
    EXPECT_NE(withText, empty) << "a new text";
    render(20);
    EXPECT_EQ(onScreen(), withText) << "a short title stands still";

    setTitleColours(display.get(), textColour, makeColour(0, 255, 0));
    render(1);
    EXPECT_NE(onScreen(), withText) << "new colours";
    EXPECT_EQ(display->control->image().pixelColor(0, 0), QColor(0, 255, 0));

    // A long title moves a whole pixel per frame at speed 1, a tenth of one
    // at speed 0.1: every step that moves the text is shown, no other.
    setTitleText(display.get(), longTitle());
    for (int frame = 0; frame < 10; ++frame) {
        const qint64 before = onScreen();
        render(1);
        EXPECT_NE(onScreen(), before) << "frame " << frame;
    }
    setTitleSpeed(display.get(), 0.1f);
    int handedOver = 0;
    for (int frame = 0; frame < 40; ++frame) {
        const qint64 before = onScreen();
        render(1);
        handedOver += onScreen() != before ? 1 : 0;
    }
    EXPECT_GE(handedOver, 3);
    EXPECT_LE(handedOver, 5);
}

TEST(TitleDisplay, AbsentDisplayChangesNothing) {
    EXPECT_EQ(setTitleText(nullptr, QStringLiteral("x")), 0);
    EXPECT_EQ(setTitleColours(nullptr, 0, 0), 0);
    EXPECT_EQ(setTitleSpeed(nullptr, 1.0f), 0);
    renderTitleFrame(nullptr);
}

}  // namespace
}  // namespace tonlira
