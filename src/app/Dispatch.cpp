#include "app/Dispatch.h"

#include "app/Actions.h"
#include "app/AppState.h"
#include "app/LibraryActions.h"
#include "app/SettingsActions.h"
#include "app/StatusBar.h"
#include "app/TaskbarActions.h"

#include <QSlider>
#include <QTreeWidget>

#include <array>

namespace tonlira {
namespace {

// Adapters from the tables' uniform signature to the operations.
template <void (*Operation)(AppState&)>
void run(AppState& app, const Event&) {
    Operation(app);
}

template <void (Transport::*Operation)()>
void transport(AppState& app, const Event&) {
    (app.transport.get()->*Operation)();
}

void openFilesReplacing(AppState& app, const Event&) { openFiles(app, true); }
void openFilesAppending(AppState& app, const Event&) { openFiles(app, false); }
void clearPlaylist(AppState& app, const Event&) { app.playlist.clearPlaylist(); }

void seekToPlayerSlider(AppState& app, const Event&) {
    app.transport->seekToSlider(app.window->positionSlider()->value());
}

void dialClicked(AppState& app, const Event&) {
    dialDragStep(app);
    app.dialDragging = true;
}

void playSelectedRow(AppState& app, const Event&) {
    if (app.window->playlistView()->topLevelItemCount() == 0) {
        return;
    }
    app.transport->playEntry(app.window->selectedPlaylistEntry());
}

constexpr std::array menuTable{
    MenuRoute{MenuId::OpenFile, openFilesReplacing},
    MenuRoute{MenuId::OpenFolder, run<openFolder>},
    MenuRoute{MenuId::AddLibraryFolder, run<openAddFolderDialog>},
    MenuRoute{MenuId::ClearLibrary, run<clearLibrary>},
    MenuRoute{MenuId::AddFiles, openFilesAppending},
    MenuRoute{MenuId::ClearPlaylist, clearPlaylist},
    MenuRoute{MenuId::Quit, run<requestQuit>},
    MenuRoute{MenuId::PlayPause, transport<&Transport::togglePause>},
    MenuRoute{MenuId::Stop, transport<&Transport::stop>},
    MenuRoute{MenuId::SkipBack, transport<&Transport::skipBack>},
    MenuRoute{MenuId::SkipForward, transport<&Transport::skipForward>},
    MenuRoute{MenuId::Previous, transport<&Transport::previous>},
    MenuRoute{MenuId::Next, transport<&Transport::next>},
    MenuRoute{MenuId::ShowLibrary, run<toggleLibrary>},
    MenuRoute{MenuId::ShowPlaylist, run<togglePlaylist>},
    MenuRoute{MenuId::ShowStatusBar, run<toggleStatusBar>},
    MenuRoute{MenuId::StayOnTop, run<toggleStayOnTop>},
    MenuRoute{MenuId::MinimiseToTaskbar, run<minimiseToTaskbar>},
    MenuRoute{MenuId::Settings, run<openSettingsWindow>},
    MenuRoute{MenuId::Enqueue, run<enqueueLibraryEntry>},
    MenuRoute{MenuId::About, run<showAbout>},
};

constexpr auto any = std::nullopt;
using W = WindowId;
using C = ControlId;
using T = ControlEventType;

constexpr std::array controlTable{
    ControlRoute{W::Player, C::PreviousButton, any, transport<&Transport::previous>},
    ControlRoute{W::Player, C::PauseButton, any, transport<&Transport::togglePause>},
    ControlRoute{W::Player, C::StopButton, any, transport<&Transport::stop>},
    ControlRoute{W::Player, C::PlayButton, any, transport<&Transport::play>},
    ControlRoute{W::Player, C::FastForwardButton, any, transport<&Transport::skipForward>},
    ControlRoute{W::Player, C::RewindButton, any, transport<&Transport::skipBack>},
    ControlRoute{W::Player, C::NextButton, any, transport<&Transport::next>},
    ControlRoute{W::Player, C::PositionSlider, any, seekToPlayerSlider},
    ControlRoute{W::Player, C::VolumeDial, T::LeftClick, dialClicked},
    ControlRoute{W::Player, C::LibraryTree, T::Change, run<showFolderContents>},
    ControlRoute{W::Player, C::LibraryTree, T::RightClick, run<showLibraryPopup>},
    ControlRoute{W::Player, C::PlaylistView, T::LeftDoubleClick, playSelectedRow},
    ControlRoute{W::MiniPlayer, C::MiniPrevious, any, transport<&Transport::previous>},
    ControlRoute{W::MiniPlayer, C::MiniNext, any, transport<&Transport::next>},
    ControlRoute{W::MiniPlayer, C::MiniRewind, any, transport<&Transport::skipBack>},
    ControlRoute{W::MiniPlayer, C::MiniFastForward, any, transport<&Transport::skipForward>},
    ControlRoute{W::MiniPlayer, C::MiniPause, any, transport<&Transport::togglePause>},
    ControlRoute{W::MiniPlayer, C::MiniRestore, any, run<restorePlayer>},
    ControlRoute{W::MiniPlayer, C::MiniSongInfo, any, run<toggleSongInfo>},
    ControlRoute{W::SongInfo, C::SongInfoSlider, any, run<seekToSongInfoSlider>},
    ControlRoute{W::AddFolder, C::AddFolderMoveRight, any, run<addFolderMoveRight>},
    ControlRoute{W::AddFolder, C::AddFolderMoveLeft, any, run<addFolderMoveLeft>},
    ControlRoute{W::AddFolder, C::AddFolderCommit, any, run<addFolderCommit>},
    ControlRoute{W::AddFolder, C::AddFolderCancel, any, run<closeAddFolderDialog>},
    ControlRoute{W::Settings, C::SettingsCancel, any, run<closeSettingsWindow>},
    ControlRoute{W::Settings, C::SettingsSave, any, run<saveSettings>},
    ControlRoute{W::Settings, C::SwatchBackground, T::LeftButtonDown, swatchPressed},
    ControlRoute{W::Settings, C::SwatchPlayer, T::LeftButtonDown, swatchPressed},
    ControlRoute{W::Settings, C::SwatchDial, T::LeftButtonDown, swatchPressed},
    ControlRoute{W::Settings, C::SwatchDisplay, T::LeftButtonDown, swatchPressed},
    ControlRoute{W::Settings, C::SwatchPlaylist, T::LeftButtonDown, swatchPressed},
    ControlRoute{W::Settings, C::SwatchLibrary, T::LeftButtonDown, swatchPressed},
    ControlRoute{W::Settings, C::ShortcutList, T::Change, run<shortcutSelectionChanged>},
    ControlRoute{W::Settings, C::SettingsApply, any, run<applyCapturedShortcut>},
};

void dispatchMenu(AppState& app, const Event& event) {
    for (const MenuRoute& route : menuTable) {
        if (static_cast<int>(route.id) == event.source) {
            if (route.action != nullptr) {
                route.action(app, event);
            }
            return;
        }
    }
}

void dispatchControl(AppState& app, const Event& event) {
    for (const ControlRoute& route : controlTable) {
        if (route.window == event.window && static_cast<int>(route.id) == event.source &&
            (!route.type || *route.type == event.type)) {
            if (route.action != nullptr) {
                route.action(app, event);
            }
            return;
        }
    }
}

}  // namespace

std::span<const MenuRoute> menuRoutes() { return menuTable; }
std::span<const ControlRoute> controlRoutes() { return controlTable; }

void timerTick(AppState& app) {
    app.window->updateMaximiseBox(app.libraryShown, app.playlistShown);
    app.transport->refreshProgress();
    refreshMemoryFields(app);
    watchTaskbar(app);
}

void dispatchEvent(AppState& app, const Event& event) {
    switch (event.kind) {
    case EventKind::Timer:
        if (event.source == static_cast<int>(TimerId::Refresh) && event.window == WindowId::Player) {
            timerTick(app);
        }
        break;
    case EventKind::Close:
        if (event.window == WindowId::Player) {
            requestQuit(app);
        }
        if (event.window == WindowId::AddFolder) {
            closeAddFolderDialog(app);  // its rows are discarded
        }
        if (event.window == WindowId::Settings) {
            closeSettingsWindow(app);
        }
        break;
    case EventKind::Size:
        app.window->resizePass();
        app.layoutSettled = true;
        break;
    case EventKind::Menu: dispatchMenu(app, event); break;
    case EventKind::Control: dispatchControl(app, event); break;
    }
}

}  // namespace tonlira
