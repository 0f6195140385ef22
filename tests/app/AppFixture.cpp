#include "AppFixture.h"

#include "app/Application.h"
#include "app/MainLoop.h"
#include "media/MediaEngine.h"

#include <QApplication>

#include <cstdlib>

namespace tonlira::test {

void AppFixture::SetUp() {
    setenv("appdata", appData.path().c_str(), 1);
    // Off the desktop's own bus: a test that wants one starts its own.
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (appData.path() / "no-bus").string()).c_str(), 1);
    setAudioOutput("fakesink sync=true");
    app = std::make_unique<AppState>();
}

void AppFixture::TearDown() {
    app.reset();
    QApplication::processEvents();
    unsetenv("appdata");
}

bool AppFixture::start(std::vector<std::string> arguments) {
    const bool started = startUp(*app, std::move(arguments));
    if (started) {
        passes(3);
    }
    return started;
}

bool AppFixture::passUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        runPass(*app);
        if (done()) {
            return true;
        }
    }
    return done();
}

void AppFixture::passes(int count) {
    for (int i = 0; i < count; ++i) {
        runPass(*app);
    }
}

void AppFixture::choose(MenuId id) {
    post(Event::menu(id));
    passUntil([this] { return app->events.empty(); });
    passes(3);
}

QSize AppFixture::areaBelowMenu() const {
    const QSize size = app->window->size();
    return {size.width(), size.height() - app->window->menuBarHeight()};
}

}  // namespace tonlira::test
