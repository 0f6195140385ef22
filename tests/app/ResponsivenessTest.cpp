// What a person meets after the player has been busy: the commands after a
// modal box, a resize after the status bar was switched, leftovers of a
// killed rewrite, the title display's frames when nothing changes.

#include "AppFixture.h"

#include "app/MainLoop.h"
#include "platform/QtRequester.h"
#include "ui/ImageControl.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QTreeWidget>

#include <sys/wait.h>
#include <unistd.h>

namespace tonlira::test {
namespace {

using ResponsivenessTest = AppFixture;

TEST_F(ResponsivenessTest, TheNextCommandAfterAModalBoxIsHandledInOnePass) {
    ASSERT_TRUE(start());
    // A real box, open for a second while the refresh timer keeps firing.
    auto previous = installRequester(std::make_unique<QtRequester>());
    bool boxSeen = false;
    QTimer::singleShot(1000, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxSeen = true;
            box->accept();
        }
    });
    post(Event::menu(MenuId::About));
    const bool closed = passUntil([&] { return boxSeen; });  // the pass returns when the box is closed
    installRequester(std::move(previous));
    ASSERT_TRUE(closed);
    EXPECT_LE(app->events.pending(), 1U) << "ticks of the refresh timer piled up behind the box";

    post(Event::menu(MenuId::StayOnTop));
    runPass(*app);
    EXPECT_TRUE(app->window->isChecked(MenuId::StayOnTop)) << "the command waited behind timer ticks";
}

TEST_F(ResponsivenessTest, AResizeAfterTheStatusBarToggleIsKeptWithinTheBounds) {
    ASSERT_TRUE(start());  // library shown, playlist hidden: 500 wide, 320 to 4000 high
    for (int round = 0; round < 2; ++round) {
        choose(MenuId::ShowStatusBar);
        const int menu = app->window->menuBarHeight();
        app->window->resize(500, 450 + menu);
        passes(5);
        EXPECT_EQ(areaBelowMenu(), QSize(500, 450)) << "round " << round << ": the resize was undone";
        EXPECT_EQ(app->window->playlistView()->parentWidget()->height(), 450 - app->window->statusBarHeight())
            << "the resize pass did not follow";

        app->window->resize(900, 200 + menu);
        passes(5);
        EXPECT_EQ(areaBelowMenu(), QSize(500, 320)) << "held within the bounds";
    }
}

TEST_F(ResponsivenessTest, StartRemovesLeftoversOfKilledRewritesOnly) {
    const pid_t ended = fork();
    if (ended == 0) {
        _exit(0);
    }
    waitpid(ended, nullptr, 0);
    std::filesystem::create_directories(prefsPath().parent_path());
    const std::string settings = "[Allgemein]\r\nplaylist = 1\r\n";
    writeFile(prefsPath(), settings);
    const auto leftover = prefsPath().parent_path() / (".Tonlira.prefs.tmp-" + std::to_string(ended) + "-0-7");
    const auto running = prefsPath().parent_path() / (".Tonlira.prefs.tmp-" + std::to_string(getpid()) + "-0-7");
    writeFile(leftover, "[Allg");
    writeFile(running, "[Allg");

    ASSERT_TRUE(start());
    EXPECT_FALSE(std::filesystem::exists(leftover));
    EXPECT_TRUE(std::filesystem::exists(running)) << "a running writer's file";
    EXPECT_EQ(readFile(prefsPath()), settings);
    EXPECT_TRUE(app->window->isChecked(MenuId::ShowPlaylist));
}

TEST_F(ResponsivenessTest, AnIdlePlayerDrawsNoNewTitleFrames) {
    ASSERT_TRUE(start());
    const ImageControl* control = app->window->titleDisplay()->control;
    const qint64 shown = control->image().cacheKey();
    passes(100);
    EXPECT_EQ(control->image().cacheKey(), shown) << "an empty, idle title display was drawn again";
}

}  // namespace
}  // namespace tonlira::test
