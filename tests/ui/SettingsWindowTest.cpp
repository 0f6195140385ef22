// The settings window as built: every control where it belongs with its
// text and font, the values it is filled with, the intents it reports, and
// the key-capture field.

#include "ui/SettingsWindow.h"

#include "ui/Fonts.h"
#include "ui/ImageControl.h"
#include "ui/KeyCaptureField.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace tonlira::test {
namespace {

std::array<QString, shortcutActionCount> names() {
    std::array<QString, shortcutActionCount> result;
    for (int i = 0; i < shortcutActionCount; ++i) {
        result[static_cast<std::size_t>(i)] = QStringLiteral("Befehl %1").arg(i);
    }
    return result;
}

class SettingsWindowTest : public ::testing::Test {
protected:
    SettingsWindowTest() {
        QObject::connect(&window, &SettingsWindow::eventRaised, [this](const Event& e) { raised.push_back(e); });
    }
    QWidget* page(int index) { return window.tabs()->widget(index); }
    template <class Widget>
    Widget* withText(int tab, const QString& text) {
        for (Widget* widget : page(tab)->findChildren<Widget*>()) {
            if (widget->text() == text) {
                return widget;
            }
        }
        ADD_FAILURE() << "no " << text.toStdString();
        return nullptr;
    }
    void showAndFocusField() {
        window.show();
        QApplication::setActiveWindow(&window);
        window.tabs()->setCurrentIndex(2);
        window.captureField()->setFocus();
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window.windowHandle(), key, modifiers);
    }

    std::array<QString, shortcutActionCount> actionNames = names();
    SettingsWindow window{actionNames, nullptr};
    std::vector<Event> raised;
};

TEST_F(SettingsWindowTest, ControlsStandWhereTheyBelong) {
    EXPECT_EQ(window.windowTitle(), "Tonlira - Einstellungen");
    EXPECT_EQ(window.size(), QSize(275, 260));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window.tabs()->geometry(), QRect(5, 5, 265, 220));
    ASSERT_EQ(window.tabs()->count(), 3);
    EXPECT_EQ(window.tabs()->tabText(0), "Allgemein");
    EXPECT_EQ(window.tabs()->tabText(1), "Ansicht");
    EXPECT_EQ(window.tabs()->tabText(2), "Tastenkürzel");
    EXPECT_EQ(window.tabs()->currentIndex(), 0);
    EXPECT_EQ(window.control(ControlId::SettingsCancel)->geometry(), QRect(5, 230, 105, 25));
    EXPECT_EQ(static_cast<QAbstractButton*>(window.control(ControlId::SettingsCancel))->text(), "Abbrechen");
    EXPECT_EQ(window.control(ControlId::SettingsSave)->geometry(), QRect(120, 230, 150, 25));
    EXPECT_EQ(static_cast<QAbstractButton*>(window.control(ControlId::SettingsSave))->text(), "Speichern");

    // "Allgemein"
    EXPECT_EQ(withText<QLabel>(0, "Standardlautstärke:")->geometry(), QRect(10, 10, 100, 15));
    QSpinBox* volume = window.volumeField();
    EXPECT_EQ(volume->geometry(), QRect(110, 5, 55, 25));
    EXPECT_EQ(volume->minimum(), 0);
    EXPECT_EQ(volume->maximum(), 14);
    EXPECT_EQ(volume->font(), captionFont());
    EXPECT_TRUE(volume->findChild<QLineEdit*>()->isReadOnly()) << "its text cannot be typed into";
    EXPECT_FALSE(volume->isReadOnly()) << "its arrows work";
    const std::pair<const char*, QRect> checks[] = {
        {"Playlist beim Start zeigen", {15, 50, 175, 20}},
        {"Audiobibliothek beim Start zeigen", {15, 75, 175, 20}},
        {"Mehrere Instanzen von Tonlira zulassen", {15, 100, 220, 20}},
    };
    for (const auto& [text, geometry] : checks) {
        QCheckBox* box = withText<QCheckBox>(0, QString::fromUtf8(text));
        EXPECT_EQ(box->geometry(), geometry) << text;
        // The 8-point dialog font, so the texts fit their places.
        EXPECT_EQ(box->font().family(), "Arial");
        EXPECT_EQ(box->font().pixelSize(), pointsToPixels(8, screenLogicalDpiY()));
    }
    QLabel* scrollLabel = withText<QLabel>(0, "Songname Scrollgeschwindigkeit:");
    EXPECT_EQ(scrollLabel->geometry(), QRect(15, 140, 105, 30));
    EXPECT_TRUE(scrollLabel->alignment().testFlag(Qt::AlignHCenter));
    QSlider* slider = window.scrollSlider();
    EXPECT_EQ(slider->geometry(), QRect(120, 140, 130, 30));
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), 20);
    EXPECT_NE(slider->tickPosition(), QSlider::NoTicks);

    // "Ansicht"
    const std::tuple<const char*, QRect, ControlId> swatches[] = {
        {"Hintergrundfarbe:", {5, 5, 115, 20}, ControlId::SwatchBackground},
        {"Playerfarbe:", {5, 30, 115, 20}, ControlId::SwatchPlayer},
        {"Drehregler Farbe:", {5, 55, 115, 20}, ControlId::SwatchDial},
        {"Anzeigefeld Schriftfarbe:", {5, 80, 120, 20}, ControlId::SwatchDisplay},
        {"Playlist Farbe:", {6, 105, 115, 20}, ControlId::SwatchPlaylist},
        {"Audiobibliothek Farbe:", {5, 130, 115, 20}, ControlId::SwatchLibrary},
    };
    for (const auto& [text, geometry, id] : swatches) {
        EXPECT_EQ(withText<QLabel>(1, QString::fromUtf8(text))->geometry(), geometry) << text;
        EXPECT_EQ(window.control(id)->geometry(), QRect(130, geometry.y(), 20, 20)) << text;
        EXPECT_EQ(window.control(id)->parentWidget(), page(1));
        EXPECT_EQ(swatchOf(*colourSettingOf(id)), id);
    }

    // "Tastenkürzel"
    QTreeWidget* list = window.shortcutList();
    EXPECT_EQ(list->geometry(), QRect(3, 2, 255, 165));
    EXPECT_EQ(list->headerItem()->text(0), "Aktion");
    EXPECT_EQ(list->headerItem()->text(1), "Tastenkürzel");
    EXPECT_EQ(list->columnWidth(0), 120);
    EXPECT_EQ(list->columnWidth(1), 130);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    ASSERT_EQ(list->topLevelItemCount(), 19);
    for (int row = 0; row < 19; ++row) {
        EXPECT_EQ(list->topLevelItem(row)->text(0), actionNames[static_cast<std::size_t>(row)]);
    }
    EXPECT_EQ(window.captureField()->geometry(), QRect(3, 172, 180, 20));
    EXPECT_EQ(window.captureField()->parentWidget(), page(2));
    EXPECT_EQ(window.control(ControlId::SettingsApply)->geometry(), QRect(187, 172, 70, 20));
    EXPECT_EQ(static_cast<QAbstractButton*>(window.control(ControlId::SettingsApply))->text(), "Übernehmen");
}

TEST_F(SettingsWindowTest, ShowsTheValuesItIsGivenAndReturnsWhatItHolds) {
    EditableSettings values;
    values.defaultVolume = 14;
    values.showPlaylist = true;
    values.showLibrary = false;
    values.multipleInstances = true;
    values.scrollSteps = 15;
    values.colours = {0x0000FF, 1, 2, 3, 4, 5};
    values.shortcuts[7] = 131152;
    values.shortcuts[18] = 0x10074;
    window.setValues(values);

    EXPECT_EQ(window.shortcutText(7), "Strg + P");
    EXPECT_EQ(window.shortcutText(18), "Umschalt + F5");
    EXPECT_EQ(window.shortcutText(0), "");
    const QImage swatch = static_cast<ImageControl*>(window.control(ControlId::SwatchBackground))->image();
    EXPECT_EQ(swatch.size(), QSize(20, 20));
    EXPECT_EQ(swatch.pixelColor(0, 0), QColor(255, 0, 0)) << "0x0000FF is red";
    EXPECT_EQ(swatch.pixelColor(19, 19), QColor(255, 0, 0));

    const EditableSettings back = window.values();
    EXPECT_EQ(back.defaultVolume, 14);
    EXPECT_TRUE(back.showPlaylist);
    EXPECT_FALSE(back.showLibrary);
    EXPECT_TRUE(back.multipleInstances);
    EXPECT_EQ(back.scrollSteps, 15);
    EXPECT_EQ(back.colours, values.colours);
    EXPECT_EQ(back.shortcuts, values.shortcuts);

    values.scrollSteps = 50;
    values.defaultVolume = 99;
    window.setValues(values);
    EXPECT_EQ(window.values().scrollSteps, 20) << "the slider holds its range";
    EXPECT_EQ(window.values().defaultVolume, 14);
}

TEST_F(SettingsWindowTest, ReportsWhatThePersonDoesAndLeavesClosingToTheApplication) {
    window.show();
    static_cast<QAbstractButton*>(window.control(ControlId::SettingsCancel))->click();
    static_cast<QAbstractButton*>(window.control(ControlId::SettingsSave))->click();
    static_cast<QAbstractButton*>(window.control(ControlId::SettingsApply))->click();
    window.tabs()->setCurrentIndex(1);
    QTest::mousePress(window.control(ControlId::SwatchDisplay), Qt::LeftButton);
    QTest::mousePress(window.control(ControlId::SwatchDial), Qt::RightButton);
    window.selectShortcutRow(4);
    window.close();

    const std::vector<std::pair<ControlId, ControlEventType>> expected{
        {ControlId::SettingsCancel, ControlEventType::LeftClick},
        {ControlId::SettingsSave, ControlEventType::LeftClick},
        {ControlId::SettingsApply, ControlEventType::LeftClick},
        {ControlId::SwatchDisplay, ControlEventType::LeftButtonDown},
        {ControlId::ShortcutList, ControlEventType::Change},
    };
    ASSERT_EQ(raised.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(raised[i].kind, EventKind::Control);
        EXPECT_EQ(raised[i].window, WindowId::Settings);
        EXPECT_EQ(raised[i].source, static_cast<int>(expected[i].first)) << i;
        EXPECT_EQ(raised[i].type, expected[i].second) << i;
    }
    EXPECT_EQ(raised.back().kind, EventKind::Close);
    EXPECT_EQ(raised.back().window, WindowId::Settings);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.selectedShortcutRow(), 4);
}

TEST_F(SettingsWindowTest, TheFieldCapturesEveryKeyWithItsModifiers) {
    showAndFocusField();
    KeyCaptureField* field = window.captureField();
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        ShortcutCode code;
        const char* text;
    };
    const Case cases[] = {
        {Qt::Key_Tab, Qt::NoModifier, 0x09, "Tab"},
        {Qt::Key_Delete, Qt::NoModifier, 0x2E, "Delete"},
        {Qt::Key_Delete, Qt::ControlModifier | Qt::AltModifier, 0x6002E, "Strg + Alt + Delete"},
        {Qt::Key_Backtab, Qt::ShiftModifier, 0x10009, "Umschalt + Tab"},
        {Qt::Key_Return, Qt::ControlModifier, 0x2000D, "Strg + Enter"},
        {Qt::Key_Escape, Qt::NoModifier, 0x1B, "Escape"},
        {Qt::Key_Space, Qt::AltModifier, 0x40020, "Alt + Space"},
        {Qt::Key_P, Qt::ControlModifier, 131152, "Strg + P"},
        {Qt::Key_F5, Qt::ShiftModifier, 0x10074, "Umschalt + F5"},
        {Qt::Key_PageUp, Qt::ControlModifier, 0x20021, "Strg + "},
    };
    for (const Case& c : cases) {
        press(c.key, c.modifiers);
        EXPECT_EQ(field->code(), c.code) << c.text;
        EXPECT_EQ(field->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(QApplication::focusWidget(), field) << c.text << " kept the focus in the field";
    }
    EXPECT_TRUE(window.isVisible()) << "Escape does not close the window";
    EXPECT_TRUE(raised.empty()) << "Enter pressed no button";

    press(Qt::Key_Adiaeresis);
    EXPECT_EQ(field->code(), 0x20021U) << "a key without a virtual key changes nothing";
    press(Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(field->code(), 0U) << "modifiers without a key read 0";
    EXPECT_EQ(field->text(), "");

    field->setCode(0x10074);
    EXPECT_EQ(field->text(), "Umschalt + F5");
}

}  // namespace
}  // namespace tonlira::test
