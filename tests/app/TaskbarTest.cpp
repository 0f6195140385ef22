// The taskbar mini-player and the song-info window through the real main
// loop: minimising, opening and closing the song-info window, restoring, the
// slider of the song-info window, the slider colours, and quitting while
// minimised. The offscreen platform has no taskbar, so the tray's place is
// given; everything else is the program's own.

#include "AppFixture.h"

#include "app/Application.h"
#include "app/TaskbarActions.h"
#include "media/MediaEngine.h"
#include "support/TestMedia.h"
#include "ui/SliderBackground.h"
#include "ui/skin/SkinButton.h"

#include <QApplication>
#include <QSlider>

namespace tonlira::test {
namespace {

const QRect pagerRect{1200, 1050, 100, 30};
const QRect taskbarRect{0, 1040, 1920, 40};

class TaskbarTest : public AppFixture {
protected:
    void giveTray() {
        app->taskbar.findTray = [](WId) { return TaskbarTray::at(pagerRect, 0, taskbarRect); };
    }
    void press(ControlId id) {
        auto* button = qobject_cast<QAbstractButton*>(app->taskbar.miniPlayer->control(id));
        ASSERT_NE(button, nullptr);
        button->click();
        passUntil([this] { return app->events.empty(); });
        passes(2);
    }
    SongInfoWindow* songInfo() const { return app->taskbar.songInfo.get(); }
    void startPlaying(double seconds) {
        const auto file = TestMedia::make(TestFormat::Wav, media.path(), seconds,
                                          "ein ziemlich langer Titel, der nicht in die Anzeige passt");
        ASSERT_TRUE(start({file.string()}));
        post(Event::control(WindowId::Player, ControlId::PlayButton, ControlEventType::LeftClick));
        ASSERT_TRUE(passUntil([this] { return app->playback.playing != 0; }));
    }

    TempDir media;
};

TEST_F(TaskbarTest, WithoutTrayNothingHappensAndThePlayerStays) {
    ASSERT_TRUE(start());  // the offscreen platform has no taskbar
    choose(MenuId::MinimiseToTaskbar);
    EXPECT_TRUE(app->window->isVisible());
    EXPECT_EQ(app->taskbar.miniPlayer, nullptr);
    post(Event::control(WindowId::MiniPlayer, ControlId::MiniSongInfo, ControlEventType::LeftClick));
    passes(3);
    EXPECT_FALSE(app->songInfoOpen);
    EXPECT_EQ(songInfo(), nullptr);
}

TEST_F(TaskbarTest, MinimiseBuildsTheStripWithItsButtons) {
    giveTray();
    ASSERT_TRUE(start());
    choose(MenuId::MinimiseToTaskbar);
    ASSERT_NE(app->taskbar.miniPlayer, nullptr);
    const MiniPlayerWindow& strip = *app->taskbar.miniPlayer;
    EXPECT_FALSE(app->window->isVisible());
    EXPECT_TRUE(strip.isVisible());
    EXPECT_EQ(strip.pos(), QPoint(980, 0));
    EXPECT_EQ(strip.size(), QSize(170, 30));
    EXPECT_FALSE(strip.mask().contains(QPoint(0, 0))) << "rounded corners";
    EXPECT_TRUE(strip.mask().contains(QPoint(85, 15)));

    using C = ControlId;
    EXPECT_EQ(strip.creationOrder(), (std::vector{C::MiniPrevious, C::MiniRewind, C::MiniPause, C::MiniFastForward,
                                                  C::MiniNext, C::MiniRestore, C::MiniSongInfo}));
    struct Expected {
        ControlId id;
        QRect geometry;
        ImageId image;
        const char* tooltip;
    };
    for (const Expected& e :
         {Expected{C::MiniPrevious, {2, 2, 26, 26}, ImageId::SmallPrevious, "Vorheriges"},
          Expected{C::MiniRewind, {32, 2, 26, 26}, ImageId::SmallRewind, "Zurück"},
          Expected{C::MiniPause, {62, 2, 26, 26}, ImageId::SmallPause, "Play/Pause"},
          Expected{C::MiniFastForward, {92, 2, 26, 26}, ImageId::SmallFastForward, "Weiter"},
          Expected{C::MiniNext, {122, 2, 26, 26}, ImageId::SmallNext, "Nächstes"},
          Expected{C::MiniSongInfo, {152, 2, 13, 13}, ImageId::SongInfo, "Songinformationen anzeigen"},
          Expected{C::MiniRestore, {152, 16, 13, 13}, ImageId::Restore, "Fenster wiederherstellen"}}) {
        const auto* button = qobject_cast<const SkinButton*>(strip.control(e.id));
        ASSERT_NE(button, nullptr) << static_cast<int>(e.id);
        EXPECT_EQ(button->geometry(), e.geometry) << static_cast<int>(e.id);
        EXPECT_EQ(button->image().toImage(), app->skin.pixmap(e.image).toImage()) << static_cast<int>(e.id);
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(e.tooltip)) << static_cast<int>(e.id);
    }

    // A close request for the strip changes nothing; restore brings the player back.
    app->taskbar.miniPlayer->close();
    passes(3);
    EXPECT_NE(app->taskbar.miniPlayer, nullptr);
    press(ControlId::MiniRestore);
    EXPECT_EQ(app->taskbar.miniPlayer, nullptr);
    EXPECT_TRUE(app->window->isVisible());
}

TEST_F(TaskbarTest, SongInfoOpensClosesAndOpensFreshAndRestoreClosesBoth) {
    giveTray();
    startPlaying(5.0);
    choose(MenuId::MinimiseToTaskbar);

    press(ControlId::MiniSongInfo);
    ASSERT_NE(songInfo(), nullptr);
    EXPECT_TRUE(app->songInfoOpen);
    EXPECT_TRUE(songInfo()->isVisible());
    EXPECT_EQ(songInfo()->pos(), QPoint(980, 980));
    EXPECT_EQ(songInfo()->size(), QSize(170, 70));
    EXPECT_EQ(songInfo()->slider()->minimum(), 0);
    EXPECT_EQ(songInfo()->slider()->geometry(), QRect(2, 40, 166, 23));
    const TitleDisplay* display = songInfo()->titleDisplay();
    EXPECT_EQ(QRect(display->left, display->top, display->width, display->height), QRect(4, 4, 162, 35));
    EXPECT_EQ(display->backgroundColour, app->settings.playlistfarbe);
    EXPECT_EQ(display->textColour, app->settings.anzeigefeldfarbe);

    // The long title comes to the song-info display and scrolls there; the
    // player's display stands still meanwhile.
    const float playerX = app->window->titleDisplay()->x;
    ASSERT_TRUE(passUntil([&] { return songInfo()->titleDisplay()->x < -40.0F; }));
    EXPECT_TRUE(songInfo()->titleDisplay()->text.startsWith(QStringLiteral("ein ziemlich langer Titel")));
    EXPECT_EQ(app->window->titleDisplay()->x, playerX);

    press(ControlId::MiniSongInfo);
    EXPECT_EQ(songInfo(), nullptr);
    EXPECT_FALSE(app->songInfoOpen);

    press(ControlId::MiniSongInfo);
    ASSERT_NE(songInfo(), nullptr);
    // A new display: it starts afresh, not where the old one had scrolled
    // to (a frame or two may have moved it since).
    EXPECT_GT(songInfo()->titleDisplay()->x, -20.0F) << "a third opening starts unscrolled";
    EXPECT_EQ(songInfo()->titleDisplay()->direction, ScrollDirection::Left);

    press(ControlId::MiniRestore);
    EXPECT_EQ(songInfo(), nullptr);
    EXPECT_EQ(app->taskbar.miniPlayer, nullptr);
    EXPECT_FALSE(app->songInfoOpen);
    EXPECT_TRUE(app->window->isVisible());
}

TEST_F(TaskbarTest, TheSongInfoSliderFollowsPlaybackAndSeeks) {
    giveTray();
    startPlaying(8.0);
    choose(MenuId::MinimiseToTaskbar);
    press(ControlId::MiniSongInfo);
    ASSERT_NE(songInfo(), nullptr);
    QSlider* slider = songInfo()->slider();
    QSlider* playerSlider = app->window->positionSlider();
    const int playerValue = playerSlider->value();

    ASSERT_TRUE(passUntil([&] { return slider->maximum() == 8000 && slider->value() > 0; }));
    slider->setValue(4500);  // as a drag leaves it
    ASSERT_TRUE(passUntil([&] { return slider->value() >= 4500 && slider->value() < 5500; }));
    EXPECT_EQ(playerSlider->value(), playerValue) << "the player's slider keeps its last value";

    // Once the window is gone, a late change of its slider seeks nothing.
    post(Event::control(WindowId::SongInfo, ControlId::SongInfoSlider, ControlEventType::Change));
    press(ControlId::MiniSongInfo);
    passes(3);
    ASSERT_TRUE(passUntil([&] { return playerSlider->value() != playerValue; }));
    EXPECT_GE(playerSlider->value(), 4500) << "the player's slider takes over again";
}

TEST_F(TaskbarTest, TheSliderInUseIsPaintedInThePlayerColour) {
    giveTray();
    ASSERT_TRUE(start());
    const Colour player = app->settings.playerfarbe;
    const Colour system = fromQColor(QApplication::palette().color(QPalette::Window));
    ASSERT_NE(player, system);
    QSlider* playerSlider = app->window->positionSlider();
    EXPECT_EQ(sliderBackground(playerSlider), player);

    choose(MenuId::MinimiseToTaskbar);
    press(ControlId::MiniSongInfo);
    ASSERT_NE(songInfo(), nullptr);
    EXPECT_EQ(sliderBackground(songInfo()->slider()), player);
    EXPECT_EQ(sliderBackground(playerSlider), system);
    EXPECT_TRUE(playerSlider->autoFillBackground());

    press(ControlId::MiniSongInfo);
    EXPECT_EQ(sliderBackground(playerSlider), player);
    press(ControlId::MiniSongInfo);
    press(ControlId::MiniRestore);
    EXPECT_EQ(sliderBackground(playerSlider), player);

    // A colour picked in the settings and not saved waits for the next
    // re-apply, on the slider as on the panels.
    app->settings.playerfarbe = 0x123456;
    choose(MenuId::MinimiseToTaskbar);
    press(ControlId::MiniSongInfo);
    EXPECT_EQ(sliderBackground(songInfo()->slider()), player);
    press(ControlId::MiniSongInfo);
    press(ControlId::MiniRestore);
    EXPECT_EQ(sliderBackground(playerSlider), player);
}

TEST_F(TaskbarTest, QuittingWhileMinimisedSavesAsUsual) {
    giveTray();
    ASSERT_TRUE(start());
    choose(MenuId::MinimiseToTaskbar);
    press(ControlId::MiniSongInfo);
    post(Event::close(WindowId::Player));
    ASSERT_TRUE(passUntil([this] { return app->quitRequested; }));
    shutDown(*app);
    EXPECT_EQ(readFile(prefsPath()), "[Allgemein]\r\nplaylist = 0\r\nbibliothek = 1\r\n");
}

TEST(SongInfoPlace, StandsAboveTheStripOrBelowATopTaskbar) {
    EXPECT_EQ(songInfoPosition({1200, 1050, 100, 30}, {0, 1040, 1920, 40}, 0), QPoint(980, 980));
    EXPECT_EQ(songInfoPosition({1200, 4, 100, 22}, {0, 0, 1920, 30}, 0), QPoint(980, 30));
    EXPECT_EQ(songInfoPosition({1200, 70, 100, 22}, {0, 66, 1920, 30}, 0), QPoint(980, 0));
}

}  // namespace
}  // namespace tonlira::test
