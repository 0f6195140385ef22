#include "app/TaskbarActions.h"

#include "app/AppState.h"
#include "app/PlayerViews.h"
#include "ui/EdgeSnap.h"
#include "ui/SliderBackground.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSlider>

namespace tonlira {
namespace {

template <class Window>
void wireEvents(AppState& app, Window* window) {
    QObject::connect(window, &Window::eventRaised,
                     [&events = app.events](const Event& event) { events.post(event); });
}

void closeSongInfo(AppState& app) {
    app.views->setSongInfo(nullptr);
    app.taskbar.songInfo.reset();
    app.songInfoOpen = false;
}

int screenTopAt(const QPoint& point) {
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->geometry().top() : 0;
}

}  // namespace

QPoint songInfoPosition(const QRect& pager, const QRect& taskbar, int screenTop) {
    const int x = pager.left() - miniPlayerOffset;
    const int above = pager.top() - songInfoRise;
    // A taskbar at the top of the screen: below it, not out of sight.
    return {x, above >= screenTop ? above : taskbar.top() + taskbar.height()};
}

void minimiseToTaskbar(AppState& app) {
    if (app.taskbar.miniPlayer) {
        return;  // already in the taskbar
    }
    const std::optional<TaskbarTray> tray = app.taskbar.findTray(0);
    if (!tray) {
        return;
    }
    auto strip = std::make_unique<MiniPlayerWindow>(app.skin);
    wireEvents(app, strip.get());
    installEdgeSnapping(strip.get());
    const QPoint position(tray->pager().left() - miniPlayerOffset, 0);
    strip->embedInto(tray->taskbar(), position);
    placeWithoutSnapping(strip.get(), position);
    strip->show();
    app.taskbar.host = tray->taskbar();
    app.taskbar.miniPlayer = std::move(strip);
    app.window->hide();
}

void toggleSongInfo(AppState& app) {
    const MiniPlayerWindow* strip = app.taskbar.miniPlayer.get();
    const std::optional<TaskbarTray> tray = app.taskbar.findTray(strip != nullptr ? strip->winId() : 0);
    if (!tray) {
        return;
    }
    if (app.songInfoOpen) {
        closeSongInfo(app);
    } else {
        const SongInfoLook look{app.settings.playerfarbe, app.settings.anzeigefeldfarbe, app.settings.playlistfarbe,
                                app.settings.scrollspeed};
        auto info = std::make_unique<SongInfoWindow>(look, app.window.get());
        wireEvents(app, info.get());
        installEdgeSnapping(info.get());
        const QPoint position =
            songInfoPosition(tray->pager(), tray->taskbarRect(), screenTopAt(tray->pager().center()));
        placeWithoutSnapping(info.get(), position);
        info->show();
        app.views->setSongInfo(info.get());
        app.taskbar.songInfo = std::move(info);
        app.songInfoOpen = true;
    }
    applySliderColours(app);
}

void restorePlayer(AppState& app) {
    app.taskbar.miniPlayer.reset();
    app.taskbar.host = 0;
    app.window->show();
    if (app.taskbar.songInfo) {
        closeSongInfo(app);
    }
    applySliderColours(app);
}

void seekToSongInfoSlider(AppState& app) {
    if (app.taskbar.songInfo) {
        app.transport->seekToSlider(app.taskbar.songInfo->slider()->value());
    }
}

void watchTaskbar(AppState& app) {
    const MiniPlayerWindow* strip = app.taskbar.miniPlayer.get();
    if (strip != nullptr && strip->embedded() && !TaskbarTray::windowExists(app.taskbar.host)) {
        restorePlayer(app);
    }
}

TitleDisplay* titleDisplayInUse(const AppState& app) {
    return app.taskbar.songInfo ? app.taskbar.songInfo->titleDisplay() : app.window->titleDisplay();
}

void applySliderColours(AppState& app) {
    const Colour player = app.playerBrush;
    if (app.taskbar.songInfo) {
        setSliderBackground(app.taskbar.songInfo->slider(), player);
        setSliderBackground(app.window->positionSlider(), std::nullopt);
    } else {
        setSliderBackground(app.window->positionSlider(), player);
    }
}

}  // namespace tonlira
