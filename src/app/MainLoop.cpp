#include "app/MainLoop.h"

#include "app/Actions.h"
#include "app/AppState.h"
#include "app/Desktop.h"
#include "app/Dispatch.h"
#include "app/TaskbarActions.h"

#include <QApplication>

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

}  // namespace

void runPass(AppState& app) {
    const auto event = app.events.wait(eventWaitLimit);

    renderTitleFrame(titleDisplayInUse(app));

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
    pollDeleteKey(app);
}

void runMainLoop(AppState& app) {
    while (!app.quitRequested) {
        runPass(app);
    }
}

}  // namespace tonlira
