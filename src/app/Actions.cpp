#include "app/Actions.h"

#include "app/AppState.h"
#include "platform/Requester.h"

namespace tonlira {
namespace {

void toggleShowFlag(AppState& app, MenuId item, std::string_view key) {
    const bool shown = !app.window->isChecked(item);
    app.window->setChecked(item, shown);
    app.layoutSettled = false;
    storeShowFlag(app.settingsFilePath(), key, shown);
}

}  // namespace

void openFiles(AppState& app, bool replace) {
    app.playlist.openFiles(replace, requester().chooseFiles(app.musicFolder, openFilesFilter));
}

void requestQuit(AppState& app) { app.quitRequested = true; }

void toggleLibrary(AppState& app) { toggleShowFlag(app, MenuId::ShowLibrary, kKeyShowLibrary); }

void togglePlaylist(AppState& app) { toggleShowFlag(app, MenuId::ShowPlaylist, kKeyShowPlaylist); }

void toggleStayOnTop(AppState& app) {
    const bool onTop = !app.window->isChecked(MenuId::StayOnTop);
    app.window->setChecked(MenuId::StayOnTop, onTop);
    app.window->setStayOnTop(onTop);
}

void showAbout(AppState&) { showMessage(aboutTitle, aboutText, MessageIcon::Information); }

void dialDragStep(AppState& app) {
    Dial* dial = app.window->volumeDial();
    dragStep(dial, cursorInClientArea(app.window->clientArea()));
}

}  // namespace tonlira
