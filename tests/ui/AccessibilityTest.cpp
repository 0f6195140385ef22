// What a screen reader learns of the player window: every control's German
// name and role, the values of the dial, the title and the position slider
// as they change, the playlist rows. (Qt hands out value-change events only
// while a screen reader listens, which the offscreen platform never does:
// tests/e2e/accessibility_test.sh hears them over AT-SPI.)

#include "ui/Accessibility.h"

#include "ui/Dial.h"
#include "ui/PlayerWindow.h"
#include "ui/TitleDisplay.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QSlider>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <cmath>

namespace tonlira::test {
namespace {

class AccessibilityTest : public ::testing::Test {
protected:
    AccessibilityTest() {
        look.dialValue = 30.0F;
        window = std::make_unique<PlayerWindow>(look, skin);
        addAccessibility(
            *window, [](float value) { return static_cast<int>(std::lround(value / 2 - 70)); },
            [](int ms) { return QStringLiteral("%1 s").arg(ms / 1000); });
        window->show();
    }

    QAccessibleInterface* of(ControlId id) const {
        return QAccessible::queryAccessibleInterface(window->control(id));
    }

    PlayerLook look;
    SkinImages skin = loadSkinImages();
    std::unique_ptr<PlayerWindow> window;
};

TEST_F(AccessibilityTest, EveryControlHasItsGermanNameAndRole) {
    const std::pair<ControlId, const char*> buttons[] = {
        {ControlId::PlayButton, "Abspielen"},     {ControlId::PauseButton, "Play/Pause"},
        {ControlId::StopButton, "Stop"},          {ControlId::RewindButton, "Zurück"},
        {ControlId::FastForwardButton, "Weiter"}, {ControlId::PreviousButton, "Vorheriges"},
        {ControlId::NextButton, "Nächstes"},
    };
    for (const auto& [id, name] : buttons) {
        ASSERT_NE(of(id), nullptr);
        EXPECT_EQ(of(id)->text(QAccessible::Name), QString::fromUtf8(name));
        EXPECT_EQ(of(id)->role(), QAccessible::Button);
    }
    const std::tuple<ControlId, const char*, QAccessible::Role> others[] = {
        {ControlId::VolumeDial, "Lautstärke", QAccessible::Slider},
        {ControlId::TitleDisplay, "Titel", QAccessible::StaticText},
        {ControlId::PositionSlider, "Position", QAccessible::Slider},
        {ControlId::PlaylistView, "Playlist", QAccessible::Tree},
        {ControlId::LibraryTree, "Audiobibliothek", QAccessible::Tree},
        {ControlId::LibraryFiles, "Ordnerinhalt", QAccessible::List},
    };
    for (const auto& [id, name, role] : others) {
        ASSERT_NE(of(id), nullptr);
        EXPECT_EQ(of(id)->text(QAccessible::Name), QString::fromUtf8(name));
        EXPECT_EQ(of(id)->role(), role) << name;
    }
}

TEST_F(AccessibilityTest, TheDialReadsDecibelsAndTurns) {
    QAccessibleInterface* dial = of(ControlId::VolumeDial);
    QAccessibleValueInterface* value = dial->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toFloat(), 30.0F);
    EXPECT_EQ(value->maximumValue().toInt(), 140);
    EXPECT_EQ(dial->text(QAccessible::Value), QStringLiteral("-55 dB"));

    setDialValue(window->volumeDial(), 60.0F);
    EXPECT_EQ(dial->text(QAccessible::Value), QStringLiteral("-40 dB"));

    // Assistive technology turns it as the person would; off the scale
    // nothing moves.
    value->setCurrentValue(140);
    EXPECT_EQ(getDialValue(window->volumeDial()), 140.0F);
    EXPECT_EQ(dial->text(QAccessible::Value), QStringLiteral("0 dB"));
    value->setCurrentValue(140.5);
    EXPECT_EQ(getDialValue(window->volumeDial()), 140.0F);
}

TEST_F(AccessibilityTest, TheTitleAndThePositionReadWhatTheyShow) {
    setTitleText(window->titleDisplay(), QStringLiteral("Lied 雨 🎵.mp3"));
    renderTitleFrame(window->titleDisplay());
    EXPECT_EQ(of(ControlId::TitleDisplay)->text(QAccessible::Value), QStringLiteral("Lied 雨 🎵.mp3"));
    EXPECT_EQ(of(ControlId::TitleDisplay)->text(QAccessible::Description), QStringLiteral("Lied 雨 🎵.mp3"));

    window->setSliderRange(200000);
    window->setSliderValue(83000);
    QAccessibleInterface* slider = of(ControlId::PositionSlider);
    EXPECT_EQ(slider->text(QAccessible::Value), QStringLiteral("83 s"));
    EXPECT_EQ(slider->valueInterface()->maximumValue().toInt(), 200000);
}

TEST_F(AccessibilityTest, PlaylistRowsReadTitleAndLength) {
    QTreeWidget* view = window->playlistView();
    view->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("Erstes.flac"), QStringLiteral("03:25")}));
    view->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("Zweites.ogg"), QStringLiteral("00:07")}));
    view->doItemsLayout();  // as showing the playlist would
    QAccessibleTableInterface* table = of(ControlId::PlaylistView)->tableInterface();
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->cellAt(1, 0), nullptr);
    EXPECT_EQ(table->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("Erstes.flac, 03:25"));
    EXPECT_EQ(table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("Zweites.ogg, 00:07"));

    view->topLevelItem(1)->setText(1, QStringLiteral("00:08"));
    view->doItemsLayout();
    EXPECT_EQ(table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("Zweites.ogg, 00:08"));
}

}  // namespace
}  // namespace tonlira::test
