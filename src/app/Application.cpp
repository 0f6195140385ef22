#include "app/Application.h"

#include "app/AppState.h"
#include "app/Desktop.h"
#include "app/LibraryActions.h"
#include "app/MainLoop.h"
#include "app/PlayerViews.h"
#include "app/ShortcutActions.h"
#include "app/StatusBar.h"
#include "library/LibraryKeys.h"
#include "media/MediaEngine.h"
#include "platform/DisplayPlatform.h"
#include "platform/Environment.h"
#include "platform/InstanceLock.h"
#include "platform/ProcessEnd.h"
#include "platform/ToolkitSetup.h"
#include "remote/RemoteControl.h"
#include "settings/PrefsStorage.h"
#include "ui/EdgeSnap.h"

#include <QApplication>

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

namespace tonlira {
namespace {

constexpr const char* instanceLockName = "Global\\MyApplication1";
constexpr int dialStepsPerVolumeStep = 10;

std::vector<std::string> commandLineFiles(int argc, char** argv) {
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        files.emplace_back(argv[i]);
    }
    return files;
}

// Builds the window and everything on it, in start-up order.
void buildUserInterface(AppState& app) {
    app.playerBrush = app.settings.playerfarbe;
    app.window = std::make_unique<PlayerWindow>(app.look(), app.skin);
    installEdgeSnapping(app.window.get());
    app.views = std::make_unique<PlayerViews>(*app.window);
    app.transport = std::make_unique<Transport>(app.playlist, app.playback, *app.views);
    app.playlist.setRows(app.views.get());
    app.playlist.setOwnerWindow(static_cast<NativeWindow>(app.window->winId()));
    QObject::connect(app.window.get(), &PlayerWindow::eventRaised,
                     [&events = app.events](const Event& event) { events.post(event); });
    app.shortcuts = std::make_unique<ShortcutTable>(app.window.get());
    QObject::connect(app.shortcuts.get(), &ShortcutTable::eventRaised,
                     [&events = app.events](const Event& event) { events.post(event); });
    connectDesktop(app);
    // The end of a playing entry ends the main loop's wait.
    setMediaEndWaker([&events = app.events] { events.wake(); });
    app.window->show();
    // Hands the window to the window system now, so it maps while the rest
    // of the start-up (the media engine above all) runs.
    QCoreApplication::processEvents();

    app.window->setChecked(MenuId::ShowPlaylist, app.settings.playlist != 0);
    app.window->setChecked(MenuId::ShowLibrary, app.settings.bibliothek != 0);
    app.window->setChecked(MenuId::ShowStatusBar, true);
    createStatusBar(app);
    app.window->layoutPass(app.settings.bibliothek != 0, app.settings.playlist != 0, true);
}

}  // namespace

AppState::AppState() = default;
AppState::~AppState() {
    setMediaEndWaker({});
    // No loader outlives the playlist it fills.
    loader.stop();
    // The views go before the window they draw on.
    playlist.setRows(nullptr);
}

PlayerLook AppState::look() const {
    PlayerLook look;
    look.background = settings.hintergrundfarbe;
    look.player = settings.playerfarbe;
    look.dialFace = settings.drehreglerfarbe;
    look.displayText = settings.anzeigefeldfarbe;
    look.playlist = settings.playlistfarbe;
    look.library = settings.bibliothekfarbe;
    look.scrollSpeed = settings.scrollspeed;
    look.dialValue = static_cast<float>(dialStepsPerVolumeStep * settings.stdLautstaerke);
    return look;
}

bool claimInstance(AppState& app) {
    if (app.instanceLock) {
        return app.instanceLock->acquired() || app.settings.mehrereInstanzen != 0;
    }
    const std::string dataFolder = applicationDataFolder();
    if (!environmentValue("appdata")) {
        // The desktop's configuration folder may not exist yet on a fresh
        // account; without it no setting would ever be kept.
        std::error_code ignored;
        std::filesystem::create_directories(dataFolder, ignored);
    }
    app.settingsBase = dataFolder + "/";
    app.musicFolder = userProfileFolder() + "/Music/";
    app.settings = loadStartupSettings(app.settingsBase);

    // Held until the process ends; the kernel lets go of it however it ends.
    app.instanceLock = std::make_unique<InstanceLock>(instanceLockName);
    return app.instanceLock->acquired() || app.settings.mehrereInstanzen != 0;
}

bool startUp(AppState& app, std::vector<std::string> arguments) {
    if (!claimInstance(app)) {
        return false;
    }
    // GStreamer is set up while the window is built.
    startMediaEngine();
    app.arguments = std::move(arguments);
    // What a rewrite cut short by a kill left beside the preferences file.
    removeLeftoverTempFiles(app.settingsFilePath());
    app.skin = loadSkinImages();

    app.input = std::make_unique<InputState>();
    buildUserInterface(app);
    registerShortcuts(app);
    labelMenuItems(app);
    app.playlist.addCommandLineFiles(app.arguments);
    loadLibraryAtStartUp(app);
    return true;
}

void shutDown(AppState& app) {
    // A load still running ends first (also when its worker waits in a
    // message box), so nothing touches the playlist while it goes.
    app.loader.stop();
    saveAtExit(app.settingsFilePath(), app.window->isChecked(MenuId::ShowPlaylist),
               app.window->isChecked(MenuId::ShowLibrary), libraryKeys(app.library));
}

int runApplication(int argc, char** argv) {
    // A second instance that may not run ends before anything heavy is set
    // up: no connection to the display, no media engine, no audio device.
    auto app = std::make_unique<AppState>();
    if (!claimInstance(*app)) {
        return 0;
    }
    if (chooseDisplayPlatform() == DisplayChoice::None) {
        std::cerr << noDisplayMessage << '\n';
        return noDisplayExitCode;
    }
    // Before the toolkit, so the two set themselves up side by side.
    startMediaEngine();
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tonlira"));
    QApplication::setDesktopFileName(QStringLiteral("tonlira"));
    keepToolkitSettingsOffDisk();
    loadGermanStandardTexts();

    if (startUp(*app, commandLineFiles(argc, argv))) {
        runMainLoop(*app);
        // The process ends as soon as the preferences are written: a load
        // still running is not waited for, and a big playlist is not freed
        // entry by entry. Both go with the process.
        app->loader.stopAtExit();
        shutDown(*app);
        endProcessNow(0);
    }
    // The widgets go before the application object.
    app.reset();
    return 0;
}

}  // namespace tonlira
