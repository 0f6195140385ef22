// The settings window in the running program: opened from the menu, filled
// from the preferences file, edited, saved, cancelled.

#include "AppFixture.h"

#include "app/SettingsActions.h"
#include "ui/ImageControl.h"
#include "ui/KeyCaptureField.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <csignal>
#include <sys/resource.h>

namespace tonlira::test {
namespace {

void makeActive(QWidget* window) {
    window->activateWindow();
    QApplication::setActiveWindow(window);
}

class SettingsWindowFlowTest : public AppFixture {
protected:
    void writePrefs(const std::string& text) {
        std::filesystem::create_directories(prefsPath().parent_path());
        writeFile(prefsPath(), text);
    }
    SettingsWindow& open() {
        choose(MenuId::Settings);
        EXPECT_NE(app->settingsWindow, nullptr);
        return *app->settingsWindow;
    }
    // Clicks a control of the settings window and lets the loop act on it.
    void click(ControlId id) {
        QWidget* control = app->settingsWindow->control(id);
        if (colourSettingOf(id)) {
            app->settingsWindow->tabs()->setCurrentWidget(control->parentWidget());
            QTest::mousePress(control, Qt::LeftButton);
        } else {
            static_cast<QAbstractButton*>(control)->click();
        }
        passUntil([this] { return app->events.empty(); });
        passes(3);
    }
    Colour swatch(ColourSetting setting) { return app->settingsWindow->swatchColour(setting); }
    std::string prefs() { return readFile(prefsPath()); }
    bool contains(const std::string& line) { return prefs().find(line + "\r\n") != std::string::npos; }
};

TEST_F(SettingsWindowFlowTest, OpensCentredFilledFromTheFileAndOnlyOnce) {
    ASSERT_TRUE(start());
    // Written after the start, so that this instance runs beside any other;
    // the window reads the file when it opens.
    writePrefs(
        "[Allgemein]\r\nstd_lautst\xE4rke = 4\r\nmehrere_instanzen = 0\r\nScrollspeed = 1.0\r\n"
        "[Ansicht]\r\nplayerfarbe = 255\r\n[Shortcuts]\r\n7 = 131152\r\n");
    SettingsWindow& window = open();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.parentWidget(), app->window.get()) << "the window belongs to the player";
    EXPECT_LE((window.frameGeometry().center() - app->window->frameGeometry().center()).manhattanLength(), 4);
    EXPECT_EQ(window.volumeField()->value(), 4);
    EXPECT_FALSE(window.values().showPlaylist) << "as start-up reads it";
    EXPECT_TRUE(window.values().showLibrary) << "as start-up reads it";
    EXPECT_FALSE(window.values().multipleInstances);
    EXPECT_EQ(window.scrollSlider()->value(), 10);
    EXPECT_EQ(swatch(ColourSetting::Player), 255U);
    EXPECT_EQ(swatch(ColourSetting::Dial), 0xB7B7B7U);
    EXPECT_EQ(window.shortcutList()->topLevelItem(7)->text(0), "Play/Pause") << "the label without its tab";
    EXPECT_EQ(window.shortcutList()->topLevelItem(1)->text(0), "Ordner Öffnen");
    EXPECT_EQ(window.shortcutText(7), "Strg + P");

    window.volumeField()->setValue(9);
    choose(MenuId::Settings);
    EXPECT_EQ(app->settingsWindow.get(), &window) << "the open window is brought to the front";
    EXPECT_EQ(window.volumeField()->value(), 9) << "as it is";
}

TEST_F(SettingsWindowFlowTest, AShortcutTakenOverAndSavedWorksAndIsNamedInTheMenu) {
    ASSERT_TRUE(start());
    SettingsWindow& window = open();
    window.tabs()->setCurrentIndex(2);

    // Without a selected row "Übernehmen" does nothing.
    window.setCapturedCode(0x70);
    click(ControlId::SettingsApply);
    for (int row = 0; row < 19; ++row) {
        EXPECT_EQ(window.shortcutCode(row), 0U) << row;
    }

    window.selectShortcutRow(7);
    passes(3);
    EXPECT_EQ(window.capturedCode(), 0U) << "the field shows the row's code";
    makeActive(&window);
    window.captureField()->setFocus();
    QTest::keyClick(window.windowHandle(), Qt::Key_P, Qt::ControlModifier);
    click(ControlId::SettingsApply);
    EXPECT_EQ(window.shortcutText(7), "Strg + P");
    EXPECT_EQ(window.shortcutCode(7), 131152U);
    EXPECT_EQ(prefs().find("Shortcuts"), std::string::npos) << "nothing is stored before \"Speichern\"";

    window.scrollSlider()->setValue(15);
    click(ControlId::SettingsSave);
    EXPECT_EQ(app->settingsWindow, nullptr) << "saving closes the window";
    EXPECT_TRUE(contains("7 = 131152"));
    EXPECT_TRUE(contains("Scrollspeed = 1.500000"));
    EXPECT_FLOAT_EQ(app->settings.scrollspeed, 1.5F);
    EXPECT_FLOAT_EQ(app->window->titleDisplay()->speed, 1.5F);
    EXPECT_EQ(app->window->menuItem(MenuId::PlayPause)->text(), "Play/Pause\tStrg + P");
    EXPECT_EQ(app->shortcuts->actionFor(131152), MenuId::PlayPause);

    // While the settings window is active Control+P is the field's; on the
    // player window it is the shortcut.
    int shortcutsRaised = 0;
    QObject::connect(app->shortcuts.get(), &ShortcutTable::eventRaised, [&] { ++shortcutsRaised; });
    SettingsWindow& again = open();
    makeActive(&again);
    again.tabs()->setCurrentIndex(2);
    again.captureField()->setFocus();
    again.captureField()->setCode(0);
    QTest::keyClick(again.windowHandle(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(shortcutsRaised, 0) << "no shortcut while the settings window is active";
    EXPECT_EQ(again.capturedCode(), 131152U);
    makeActive(app->window.get());
    QTest::keyClick(app->window->windowHandle(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(shortcutsRaised, 1);
}

TEST_F(SettingsWindowFlowTest, APickedColourIsLiveAtOnceKeptOnCancelAndWrittenByTheNextSave) {
    writePrefs("[Ansicht]\r\nplayerfarbe = 5723991\r\n");
    ASSERT_TRUE(start());
    open();
    requests->answerColour(std::nullopt);
    click(ControlId::SwatchPlayer);
    EXPECT_EQ(swatch(ColourSetting::Player), 5723991U) << "a cancelled chooser changes nothing";
    EXPECT_EQ(app->settings.playerfarbe, 5723991U);

    requests->answerColour(0x0000FF);
    click(ControlId::SwatchPlayer);
    EXPECT_EQ(requests->colourInitials(), (std::vector<Colour>{0, 0})) << "black preselected";
    EXPECT_EQ(app->settings.playerfarbe, 0x0000FFU) << "live at once";
    const auto* image = static_cast<ImageControl*>(app->settingsWindow->control(ControlId::SwatchPlayer));
    EXPECT_EQ(image->image().pixelColor(10, 10), QColor(255, 0, 0));

    click(ControlId::SettingsCancel);
    EXPECT_EQ(app->settingsWindow, nullptr);
    EXPECT_TRUE(contains("playerfarbe = 5723991")) << "cancelling writes nothing";
    EXPECT_EQ(app->settings.playerfarbe, 0x0000FFU) << "the picked colour stays live";

    open();
    EXPECT_EQ(swatch(ColourSetting::Player), 5723991U) << "the swatch shows the stored colour";
    click(ControlId::SettingsSave);
    EXPECT_TRUE(contains("playerfarbe = 255"));
    const QWidget* panel = app->window->control(ControlId::PlayerPanel);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(255, 0, 0)) << "colours applied";
}

TEST_F(SettingsWindowFlowTest, TheCloseBoxClosesWithoutWriting) {
    writePrefs("[Allgemein]\r\nplaylist = 0\r\n");
    ASSERT_TRUE(start());
    SettingsWindow& window = open();
    static_cast<QCheckBox*>(window.findChildren<QCheckBox*>().front())->setChecked(true);
    window.close();
    EXPECT_TRUE(passUntil([this] { return app->settingsWindow == nullptr; }));
    EXPECT_EQ(prefs(), "[Allgemein]\r\nplaylist = 0\r\n");
}

TEST_F(SettingsWindowFlowTest, WithoutAFileNothingIsWrittenAndTheWindowCloses) {
    std::filesystem::create_directories(prefsPath().parent_path());  // the folder, but no file
    ASSERT_TRUE(start());
    SettingsWindow& window = open();
    EXPECT_EQ(window.values().scrollSteps, 10);
    window.scrollSlider()->setValue(20);
    click(ControlId::SettingsSave);
    EXPECT_EQ(app->settingsWindow, nullptr);
    EXPECT_FALSE(std::filesystem::exists(prefsPath()));
    EXPECT_FLOAT_EQ(app->window->titleDisplay()->speed, 2.0F) << "the scroll speed still applies";
    EXPECT_EQ(requests->messageCount(), 0U);
}

TEST_F(SettingsWindowFlowTest, AFailedWriteKeepsTheFileAndTheWindowAndSaysSo) {
    const std::string before = "[Shortcuts]\r\n7 = 131152\r\n";
    writePrefs(before);
    ASSERT_TRUE(start());
    SettingsWindow& window = open();
    window.setShortcutCode(7, 0x74);

    // A full disk: the new content cannot be written.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = old;
    tight.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &tight);
    click(ControlId::SettingsSave);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(prefs(), before);
    ASSERT_EQ(requests->messageCount(), 1U);
    EXPECT_EQ(requests->messages()[0].request.text, saveFailedText);
    ASSERT_NE(app->settingsWindow, nullptr) << "what was entered is still there";
    EXPECT_EQ(window.shortcutCode(7), 0x74U);
    EXPECT_EQ(app->window->menuItem(MenuId::PlayPause)->text(), "Play/Pause\tStrg + P")
        << "the menu shows what the file holds";
    EXPECT_EQ(app->shortcuts->actionFor(131152), MenuId::PlayPause);

    click(ControlId::SettingsSave);
    EXPECT_EQ(app->settingsWindow, nullptr);
    EXPECT_TRUE(contains("7 = 116"));
}

}  // namespace
}  // namespace tonlira::test
