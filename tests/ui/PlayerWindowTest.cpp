// The player window as built: every control under its number, where it
// belongs, in its colour; the menus; the intents it reports.

#include "ui/PlayerWindow.h"

#include "ui/skin/SkinButton.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace tonlira::test {
namespace {

class PlayerWindowTest : public ::testing::Test {
protected:
    PlayerWindowTest() {
        look.background = makeColour(0, 0, 0);
        look.player = makeColour(87, 87, 87);
        look.dialFace = makeColour(183, 183, 183);
        look.displayText = makeColour(1, 29, 254);
        look.playlist = makeColour(157, 157, 157);
        look.library = makeColour(150, 151, 152);
        look.dialValue = 30.0F;
        window = std::make_unique<PlayerWindow>(look, skin);
        QObject::connect(window.get(), &PlayerWindow::eventRaised, [this](const Event& e) { raised.push_back(e); });
    }

    QRect geometryOf(ControlId id) { return window->control(id)->geometry(); }

    PlayerLook look;
    SkinImages skin = loadSkinImages();
    std::unique_ptr<PlayerWindow> window;
    std::vector<Event> raised;
};

TEST_F(PlayerWindowTest, ControlsStandWhereTheyBelong) {
    EXPECT_EQ(geometryOf(ControlId::PlayerPanel), QRect(0, 0, 500, 130));
    const std::pair<ControlId, int> buttons[] = {
        {ControlId::PlayButton, 5},     {ControlId::PauseButton, 52},        {ControlId::StopButton, 99},
        {ControlId::RewindButton, 162}, {ControlId::FastForwardButton, 209}, {ControlId::PreviousButton, 271},
        {ControlId::NextButton, 318},
    };
    for (const auto& [id, x] : buttons) {
        EXPECT_EQ(geometryOf(id), QRect(x, 78, 47, 47)) << static_cast<int>(id);
        EXPECT_EQ(window->control(id)->parentWidget(), window->control(ControlId::PlayerPanel));
    }
    EXPECT_EQ(geometryOf(ControlId::PositionSlider), QRect(0, 46, 370, 29));
    EXPECT_EQ(window->positionSlider()->maximum(), 100);
    EXPECT_EQ(geometryOf(ControlId::TitleDisplay), QRect(5, 5, 360, 40));
    EXPECT_EQ(geometryOf(ControlId::VolumeDial), QRect(365, 1, 130, 130));
    EXPECT_FLOAT_EQ(getDialValue(window->volumeDial()), 30.0F);

    EXPECT_EQ(geometryOf(ControlId::LibraryPanel), QRect(0, 140, 500, 2000));
    EXPECT_EQ(geometryOf(ControlId::LibraryTree), QRect(5, 25, 220, 190));
    EXPECT_EQ(geometryOf(ControlId::LibraryFiles), QRect(230, 25, 265, 190));
    EXPECT_EQ(window->control(ControlId::LibraryTree)->parentWidget(), window->control(ControlId::LibraryPanel));
    EXPECT_EQ(geometryOf(ControlId::PlaylistPanel), QRect(510, 0, 200, 2000));
    EXPECT_EQ(geometryOf(ControlId::PlaylistView), QRect(5, 25, 190, 370));

    QTreeWidget* playlist = window->playlistView();
    EXPECT_EQ(playlist->headerItem()->text(0), "Titel");
    EXPECT_EQ(playlist->headerItem()->text(1), "Länge");
    EXPECT_EQ(playlist->columnWidth(0), 116);
    EXPECT_EQ(playlist->columnWidth(1), 60);
    EXPECT_EQ(playlist->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_FALSE(playlist->font().bold()) << "the list does not take the panel's caption font";
}

TEST_F(PlayerWindowTest, ColoursAndImagesAsBuilt) {
    auto colourOf = [](QWidget* widget, QPalette::ColorRole role) {
        return fromQColor(widget->palette().color(role));
    };
    EXPECT_EQ(colourOf(window->clientArea(), QPalette::Window), look.background);
    EXPECT_EQ(colourOf(window->control(ControlId::PlayerPanel), QPalette::Window), look.player);
    EXPECT_EQ(colourOf(window->playlistView(), QPalette::Base), look.playlist);
    EXPECT_EQ(colourOf(window->control(ControlId::LibraryFiles), QPalette::Base), look.library);
    EXPECT_EQ(window->titleDisplay()->textColour, look.displayText);
    EXPECT_EQ(window->titleDisplay()->backgroundColour, 0U);

    auto* play = static_cast<SkinButton*>(window->control(ControlId::PlayButton));
    EXPECT_EQ(play->image().toImage(), skin.pixmap(ImageId::Play).toImage());
    auto* next = static_cast<SkinButton*>(window->control(ControlId::NextButton));
    EXPECT_EQ(next->image().toImage(), skin.pixmap(ImageId::Next).toImage());
    EXPECT_FALSE(window->menuItem(MenuId::PlayPause)->icon().isNull());
    EXPECT_FALSE(window->menuItem(MenuId::Next)->icon().isNull());
    EXPECT_TRUE(window->menuItem(MenuId::Quit)->icon().isNull());
}

TEST_F(PlayerWindowTest, ReportsIntentsAndLeavesTheDecisionsToTheApplication) {
    window->menuItem(MenuId::ShowPlaylist)->trigger();
    ASSERT_EQ(raised.size(), 1U);
    EXPECT_EQ(raised[0].kind, EventKind::Menu);
    EXPECT_EQ(raised[0].source, 14);
    EXPECT_FALSE(window->isChecked(MenuId::ShowPlaylist)) << "the check mark is the application's to flip";

    static_cast<QAbstractButton*>(window->control(ControlId::StopButton))->click();
    ASSERT_EQ(raised.size(), 2U);
    EXPECT_EQ(raised[1].kind, EventKind::Control);
    EXPECT_EQ(raised[1].source, 4);

    window->setSliderRange(5000);
    window->setSliderValue(1200);
    EXPECT_EQ(raised.size(), 2U) << "the program's own slider changes are no seeks";
    window->positionSlider()->setValue(2500);
    ASSERT_EQ(raised.size(), 3U);
    EXPECT_EQ(raised[2].source, 9);

    window->libraryPopup()->actions().front()->trigger();
    EXPECT_EQ(raised.back().source, 19);
    EXPECT_EQ(window->libraryPopup()->actions().front()->text(), "In Playlist einreihen");
}

// The resize pass fits the side panels and their lists to the window's
// size, less the menu bar and, when it is on, the status bar.
TEST_F(PlayerWindowTest, ResizePassFitsThePanelsToTheWindow) {
    struct Case {
        QSize window;
        bool statusBar;
    };
    for (const Case& c : {Case{{900, 600}, false}, Case{{1200, 450}, true}, Case{{700, 400}, true}}) {
        SCOPED_TRACE(testing::Message() << c.window.width() << "x" << c.window.height()
                                        << (c.statusBar ? " with status bar" : ""));
        if (c.statusBar) {
            window->createStatusBar();
        } else {
            window->freeStatusBar();
        }
        window->layoutPass(true, true, false);
        window->resize(c.window);
        ASSERT_EQ(window->size(), c.window);
        window->resizePass();

        const int w = c.window.width();
        const int below = c.window.height() - window->statusBarHeight();  // bottom of the panels
        const int menu = window->menuBarHeight();
        EXPECT_GT(menu, 0);
        EXPECT_EQ(c.statusBar, window->statusBarHeight() > 0);
        EXPECT_EQ(geometryOf(ControlId::PlaylistPanel), QRect(510, 0, w - 510, below - menu));
        EXPECT_EQ(geometryOf(ControlId::PlaylistView), QRect(5, 25, w - 520, below - menu - 30));
        EXPECT_EQ(geometryOf(ControlId::LibraryPanel), QRect(0, 140, 500, below - menu - 140));
        EXPECT_EQ(geometryOf(ControlId::LibraryTree), QRect(5, 25, 220, below - 190));
        EXPECT_EQ(geometryOf(ControlId::LibraryFiles), QRect(230, 25, 265, below - 190));
    }
}

TEST_F(PlayerWindowTest, TheSliderIsPaintedWhenItsHandleMovesNotAtEveryTick) {
    // A four-minute track ticking every 100 ms: the handle moves every few
    // ticks, and only those are painted, each with the handle where it is.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter;
    QSlider* slider = window->positionSlider();
    slider->setRange(0, 240'000);
    window->show();
    QCoreApplication::processEvents();
    slider->installEventFilter(&counter);
    QStyleOptionSlider option;
    const auto handleAt = [&](int value) {
        option.initFrom(slider);
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = value;
        return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
    };
    int moves = 0;
    for (int value = 100; value <= 20'000; value += 100) {
        moves += handleAt(value) != handleAt(value - 100) ? 1 : 0;
        slider->setValue(value);
        QCoreApplication::processEvents();
    }
    EXPECT_GT(moves, 0);
    EXPECT_GE(counter.paints, moves);
    EXPECT_LE(counter.paints, moves + 1);  // a late first exposure may add one
    EXPECT_LT(counter.paints, 200 / 3);
}

}  // namespace
}  // namespace tonlira::test
