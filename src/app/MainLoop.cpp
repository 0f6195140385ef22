#include "app/MainLoop.h"

#include "app/Actions.h"
#include "app/AppState.h"
#include "app/Desktop.h"
#include "app/Dispatch.h"
#include "app/TaskbarActions.h"

#include <QApplication>

#include <algorithm>

namespace tonlira {
namespace {

void pollDeleteKey(AppState& app) {
    if (!app.input->takeKeyPress(Qt::Key_Delete) || QApplication::activeWindow() != app.window.get()) {
        return;
    }
    const EntrySerial selected = app.window->selectedPlaylistEntry();
    if (selected != noEntry) {
        app.transport->removeEntry(selected);
    }
}

using Clock = std::chrono::steady_clock;

// How long this pass may wait: not past the next frame while the title
// moves or Delete is held, briefly while the dial is dragged, else until
// something happens: input, a queued call, the end of a playing entry, or at
// the latest the refresh timer's next tick, which keeps the polled work going.
std::chrono::milliseconds waitLimit(AppState& app, Clock::time_point now) {
    if (!app.layoutSettled) {
        return std::chrono::milliseconds(0);
    }
    if (app.dialDragging) {
        return eventWaitLimit;
    }
    if (titleDisplayMoves(titleDisplayInUse(app)) || app.input->isKeyDown(Qt::Key_Delete)) {
        return std::chrono::ceil<std::chrono::milliseconds>(std::max(app.nextFrame - now, Clock::duration::zero()));
    }
    return EventQueue::untilSomething;
}

}  // namespace

void runPass(AppState& app) {
    const auto event = app.events.wait(waitLimit(app, Clock::now()));

    const auto now = Clock::now();
    const bool frameDue = now >= app.nextFrame;
    if (frameDue) {
        // Frames keep their period; after an idle stretch they start afresh.
        app.nextFrame += framePeriod;
        if (app.nextFrame <= now) {
            app.nextFrame = now + framePeriod;
        }
        renderTitleFrame(titleDisplayInUse(app));
    }

    app.playlistShown = app.window->isChecked(MenuId::ShowPlaylist);
    app.libraryShown = app.window->isChecked(MenuId::ShowLibrary);
    app.statusBarShown = app.window->isChecked(MenuId::ShowStatusBar);
    if (!app.layoutSettled) {
        app.window->layoutPass(app.libraryShown, app.playlistShown, true);
        // Done: a pass that sets the size the window already has brings no
        // size event, and a layout pass still pending would undo the
        // person's next resize.
        app.layoutSettled = true;
    }

    if (event) {
        dispatchEvent(app, *event);
        tellRemoteEventTaken(app);
    }

    if (!app.input->isLeftButtonDown()) {
        app.dialDragging = false;
    }
    if (app.dialDragging) {
        dialDragStep(app);
    }
    app.transport->passDuties();
    if (frameDue) {
        pollDeleteKey(app);
    }
}

void runMainLoop(AppState& app) {
    while (!app.quitRequested) {
        runPass(app);
    }
}

}  // namespace tonlira
