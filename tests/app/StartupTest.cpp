// Start-up, the view toggles, the status bar and quitting, on the real
// program in-process.

#include "AppFixture.h"

#include "app/Actions.h"
#include "app/Application.h"
#include "ui/StatusBarWidget.h"

#include <QAction>
#include <QMenuBar>
#include <QWindow>

namespace tonlira::test {
namespace {

using StartupTest = AppFixture;

TEST_F(StartupTest, FirstStartCreatesEmptyPreferencesAndSavesPanelFlagsAtExit) {
    ASSERT_TRUE(start());
    EXPECT_TRUE(std::filesystem::exists(prefsPath()));
    EXPECT_EQ(readFile(prefsPath()), "");

    EXPECT_EQ(app->window->windowTitle(), "Tonlira");
    EXPECT_TRUE(app->window->isChecked(MenuId::ShowLibrary));
    EXPECT_FALSE(app->window->isChecked(MenuId::ShowPlaylist));
    EXPECT_TRUE(app->window->isChecked(MenuId::ShowStatusBar));
    EXPECT_FALSE(app->window->isChecked(MenuId::StayOnTop));
    EXPECT_EQ(areaBelowMenu(), QSize(500, 320));

    choose(MenuId::Quit);
    EXPECT_TRUE(app->quitRequested);
    shutDown(*app);
    EXPECT_EQ(readFile(prefsPath()), "[Allgemein]\r\nplaylist = 0\r\nbibliothek = 1\r\n");
}

TEST_F(StartupTest, SavedFlagsDecideThePanelsShownAtStart) {
    std::filesystem::create_directory(appData.path() / "Tonlira");
    writeFile(prefsPath(), "[Allgemein]\r\nplaylist = 1\r\nbibliothek = 0\r\n");
    ASSERT_TRUE(start());
    EXPECT_TRUE(app->window->isChecked(MenuId::ShowPlaylist));
    EXPECT_FALSE(app->window->isChecked(MenuId::ShowLibrary));
    const int statusBar = app->window->statusBarHeight();
    EXPECT_GT(statusBar, 0);
    EXPECT_EQ(areaBelowMenu(), QSize(700, 130 + statusBar));
}

TEST_F(StartupTest, SettingsFolderWithoutFileRunsOnDefaultsAndSavesNothing) {
    std::filesystem::create_directory(appData.path() / "Tonlira");
    ASSERT_TRUE(start());
    EXPECT_EQ(areaBelowMenu(), QSize(500, 320));
    choose(MenuId::ShowPlaylist);
    shutDown(*app);
    EXPECT_FALSE(std::filesystem::exists(prefsPath()));
}

TEST_F(StartupTest, PlainFileNamedLikeTheSettingsFolderBlocksSavingButNotStarting) {
    writeFile(appData.path() / "Tonlira", "not a folder");
    ASSERT_TRUE(start());
    shutDown(*app);
    EXPECT_EQ(readFile(appData.path() / "Tonlira"), "not a folder");
}

TEST_F(StartupTest, VolumeDialStartsAtTenTimesTheStandardVolume) {
    std::filesystem::create_directory(appData.path() / "Tonlira");
    writeFile(prefsPath(), "[Allgemein]\r\nstd_lautst\xE4rke = 5\r\n");  // an 8-bit file
    ASSERT_TRUE(start());
    EXPECT_FLOAT_EQ(getDialValue(app->window->volumeDial()), 50.0F);
}

TEST_F(StartupTest, TogglingThePanelsResizesTheWindowAndStoresTheFlag) {
    ASSERT_TRUE(start());
    choose(MenuId::ShowPlaylist);
    EXPECT_TRUE(app->window->isChecked(MenuId::ShowPlaylist));
    EXPECT_EQ(areaBelowMenu(), QSize(700, 320));
    EXPECT_EQ(app->window->maximumWidth(), 4000);
    EXPECT_EQ(readFile(prefsPath()), "[Allgemein]\r\nplaylist = 1\r\n");

    choose(MenuId::ShowPlaylist);
    EXPECT_EQ(areaBelowMenu(), QSize(500, 320));
    EXPECT_EQ(app->window->maximumWidth(), 500);

    choose(MenuId::ShowLibrary);
    const int statusBar = app->window->statusBarHeight();
    EXPECT_EQ(areaBelowMenu(), QSize(500, 130 + statusBar));
    // The window cannot be made taller than the player panel and the status bar.
    EXPECT_EQ(app->window->maximumHeight() - app->window->menuBarHeight(), 130 + statusBar);
    EXPECT_EQ(readFile(prefsPath()), "[Allgemein]\r\nplaylist = 0\r\nbibliothek = 0\r\n");
}

TEST_F(StartupTest, StatusBarToggleShrinksAndGrowsTheWindowWithTheLibraryHidden) {
    ASSERT_TRUE(start());
    choose(MenuId::ShowLibrary);
    const int statusBar = app->window->statusBarHeight();
    ASSERT_GT(statusBar, 0);
    EXPECT_EQ(areaBelowMenu().height(), 130 + statusBar);

    choose(MenuId::ShowStatusBar);
    EXPECT_FALSE(app->window->isChecked(MenuId::ShowStatusBar));
    EXPECT_EQ(app->window->statusBarWidget(), nullptr);
    EXPECT_EQ(areaBelowMenu().height(), 130);

    choose(MenuId::ShowStatusBar);
    ASSERT_NE(app->window->statusBarWidget(), nullptr);
    EXPECT_EQ(areaBelowMenu().height(), 130 + statusBar);
}

TEST_F(StartupTest, TimerFillsTheMemoryFieldsAndTheMaximiseBoxFollowsThePanels) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(passUntil([&] {
        return app->window->statusBarWidget()->fieldText(StatusBarWidget::MemoryLine).startsWith("RAM auslastung: ");
    }));
    EXPECT_FALSE(app->window->maximiseBoxEnabled());

    choose(MenuId::ShowPlaylist);
    EXPECT_TRUE(passUntil([&] { return app->window->maximiseBoxEnabled(); }));
    choose(MenuId::ShowLibrary);
    EXPECT_TRUE(passUntil([&] { return !app->window->maximiseBoxEnabled(); }));
}

TEST_F(StartupTest, StayOnTopFollowsItsCheckMark) {
    ASSERT_TRUE(start());
    choose(MenuId::StayOnTop);
    EXPECT_TRUE(app->window->isChecked(MenuId::StayOnTop));
    EXPECT_TRUE(app->window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    choose(MenuId::StayOnTop);
    EXPECT_FALSE(app->window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(StartupTest, AboutBoxAndClosingTheWindow) {
    ASSERT_TRUE(start());
    choose(MenuId::About);
    ASSERT_EQ(requests->messageCount(), 1U);
    EXPECT_EQ(requests->messages()[0].request.title, "Über");
    EXPECT_EQ(requests->messages()[0].request.text.rfind("Tonlira v1.00\r\n", 0), 0U);

    app->window->close();
    EXPECT_TRUE(passUntil([&] { return app->quitRequested; }));
    EXPECT_TRUE(app->window->isVisible()) << "closing is the loop's decision";
}

TEST_F(StartupTest, MenuBarCarriesEveryItemWithItsNumber) {
    ASSERT_TRUE(start());
    for (int id = 0; id < menuItemCount; ++id) {
        EXPECT_NE(app->window->menuItem(static_cast<MenuId>(id)), nullptr) << id;
    }
    const QList<QAction*> menus = app->window->menuBar()->actions();
    QStringList titles;
    for (const QAction* menu : menus) {
        titles << menu->text();
    }
    EXPECT_EQ(titles, QStringList({"Datei", "Wiedergabe", "Ansicht", "Optionen", "?"}));
    EXPECT_EQ(app->window->menuItem(MenuId::AddLibraryFolder)->text(), "Ordner zur Audiobibliothek hinzufügen\t")
        << "labelled with its shortcut, none here";
}

}  // namespace
}  // namespace tonlira::test
