// Keyboard shortcuts in the running program: registered and named in the
// menu from the preferences file at start-up, pressed on the player window.

#include "AppFixture.h"

#include "support/TestMedia.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTreeWidget>

namespace tonlira::test {
namespace {

// Keys pressed on a window as the window system delivers them.
void pressOn(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

void makeActive(QWidget* window) {
    window->activateWindow();
    QApplication::setActiveWindow(window);
}

class ShortcutsTest : public AppFixture {
protected:
    void writePrefs(const std::string& text) {
        std::filesystem::create_directories(prefsPath().parent_path());
        writeFile(prefsPath(), text);
    }
    QString menuText(MenuId id) { return app->window->menuItem(id)->text(); }

    TempDir media;
};

TEST_F(ShortcutsTest, TheFileNamesAndBindsTheShortcutsTheHigherNumberWinning) {
    writePrefs(
        "[Shortcuts]\r\n5 = 131152\r\n7 = 131152\r\n0 = 0\r\n12 = 131079\r\n18 = 116\r\n"
        "16 = 393262\r\n9 = 80\r\n");
    ASSERT_TRUE(start());

    const std::pair<MenuId, const char*> texts[] = {
        {MenuId::ClearPlaylist, "Playlist leeren\tStrg + P"},
        {MenuId::PlayPause, "Play/Pause\tStrg + P"},
        {MenuId::OpenFile, "Datei Öffnen\t"},
        {MenuId::Next, "Nächstes\tStrg + "},  // 0x20007 has no name
        {MenuId::Settings, "Einstellungen\tF5"},
        {MenuId::StayOnTop, "Fenster im Vordergrund halten\tStrg + Alt + Delete"},
        {MenuId::SkipBack, "Zurück\tP"},
        {MenuId::Quit, "Beenden\t"},
    };
    for (const auto& [id, text] : texts) {
        EXPECT_EQ(menuText(id), QString::fromUtf8(text)) << static_cast<int>(id);
    }
    EXPECT_EQ(app->window->menuItem(MenuId::PlayPause)->shortcut(), QKeySequence())
        << "Qt draws no shortcut text of its own";
    EXPECT_EQ(menuText(MenuId::About), "Über...") << "only items 0 to 18 are labelled";

    EXPECT_EQ(app->shortcuts->entries().size(), 5U);
    EXPECT_EQ(app->shortcuts->actionFor(131152), MenuId::PlayPause);
    EXPECT_EQ(app->shortcuts->actionFor(0x20007), MenuId::Next) << "kept, though no key reaches it";
    EXPECT_EQ(app->shortcuts->actionFor(0x74), MenuId::Settings);
}

TEST_F(ShortcutsTest, AFreshInstallationBindsNothingAndAnUnreadableFileLabelsNothing) {
    ASSERT_TRUE(start());
    for (int id = 0; id < 19; ++id) {
        EXPECT_TRUE(menuText(static_cast<MenuId>(id)).endsWith(u'\t')) << id;
    }
    EXPECT_TRUE(app->shortcuts->entries().empty());
    app.reset();

    // "Tonlira" as a plain file: the preferences cannot be read at all.
    TempDir other;
    setenv("appdata", other.path().c_str(), 1);
    writeFile(other / "Tonlira", "");
    app = std::make_unique<AppState>();
    ASSERT_TRUE(start());
    EXPECT_EQ(menuText(MenuId::PlayPause), "Play/Pause") << "the texts stay as they were";
    EXPECT_TRUE(app->shortcuts->entries().empty());
}

TEST_F(ShortcutsTest, ControlPTogglesPlaybackWhileTheListHasTheFocus) {
    writePrefs("[Allgemein]\r\nplaylist = 1\r\n[Shortcuts]\r\n7 = 131152\r\n14 = 46\r\n");
    const auto file = TestMedia::make(TestFormat::Wav, media.path(), 2.0, "song");
    ASSERT_TRUE(start({file.string()}));
    makeActive(app->window.get());
    QTreeWidget* list = app->window->playlistView();
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(0));
    passes(2);

    pressOn(app->window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(passUntil([&] { return app->playback.paused.load(); })) << "from rest the first press pauses";
    pressOn(app->window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(passUntil([&] { return !app->playback.paused && app->playback.playing; })) << "the second plays";

    // Delete bound to "Playlist" (14): the command runs and the polled
    // Delete key removes the selected row, as both see the key.
    ASSERT_TRUE(app->window->isChecked(MenuId::ShowPlaylist));
    QTest::keyPress(app->window->windowHandle(), Qt::Key_Delete);
    passes(5);
    QTest::keyRelease(app->window->windowHandle(), Qt::Key_Delete);
    passes(2);
    EXPECT_FALSE(app->window->isChecked(MenuId::ShowPlaylist));
    EXPECT_EQ(list->topLevelItemCount(), 0);
}

}  // namespace
}  // namespace tonlira::test
