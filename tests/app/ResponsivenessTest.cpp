// What a person meets after the player has been busy: the commands after a
// modal box, a resize after the status bar was switched, leftovers of a
// killed rewrite, the title display's frames when nothing changes.

#include "AppFixture.h"

#include "app/MainLoop.h"
#include "platform/QtRequester.h"
#include "ui/ImageControl.h"
#include "ui/TitleDisplay.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QTreeWidget>

#include <sys/wait.h>
#include <thread>
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

TEST_F(ResponsivenessTest, AnIdleLoopSleepsYetAnswersAtOnceAndTheTitleKeepsItsSpeed) {
    using Clock = std::chrono::steady_clock;
    ASSERT_TRUE(start());
    // Nothing moves: the loop sleeps between the refresh timer's ticks.
    int idlePasses = 0;
    for (const auto end = Clock::now() + std::chrono::seconds(1); Clock::now() < end; ++idlePasses) {
        runPass(*app);
    }
    EXPECT_LT(idlePasses, 40) << "an idle loop that polls";

    // A command from another thread (the remote's, a loader's) ends the
    // sleep and is handled.
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        post(Event::menu(MenuId::StayOnTop));
    });
    poster.join();
    EXPECT_TRUE(passUntil([&] { return app->window->isChecked(MenuId::StayOnTop); }));

    // A title too long for the display scrolls by its speed once per frame
    // period, however many passes input brings.
    TitleDisplay* title = app->window->titleDisplay();
    setTitleText(title, QString(200, QChar('W')));
    runPass(*app);
    const float from = title->x;
    const auto began = Clock::now();
    while (Clock::now() - began < std::chrono::milliseconds(600)) {
        post(Event::menu(MenuId::StayOnTop));  // a flood of passes
        runPass(*app);
    }
    const double frames = std::chrono::duration<double>(Clock::now() - began) / framePeriod;
    EXPECT_NEAR(from - title->x, frames * title->speed, 0.1 * frames * title->speed + 2 * title->speed);
}

}  // namespace
}  // namespace tonlira::test
