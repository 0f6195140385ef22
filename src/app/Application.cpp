#include "app/Application.h"

#include "app/AppState.h"
#include "app/Desktop.h"
#include "app/MainLoop.h"
#include "app/PlayerViews.h"
#include "app/StatusBar.h"
#include "media/MediaEngine.h"
#include "platform/Environment.h"
#include "platform/InstanceLock.h"
#include "remote/RemoteControl.h"

#include <QApplication>

#include <filesystem>
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
    app.window = std::make_unique<PlayerWindow>(app.look(), app.skin);
    app.views = std::make_unique<PlayerViews>(*app.window);
    app.transport = std::make_unique<Transport>(app.playlist, app.playback, *app.views);
    app.playlist.setRows(app.views.get());
    app.playlist.setOwnerWindow(static_cast<NativeWindow>(app.window->winId()));
    QObject::connect(app.window.get(), &PlayerWindow::eventRaised,
                     [&events = app.events](const Event& event) { events.post(event); });
    connectDesktop(app);
    app.window->show();

    app.window->setChecked(MenuId::ShowPlaylist, app.settings.playlist != 0);
    app.window->setChecked(MenuId::ShowLibrary, app.settings.bibliothek != 0);
    app.window->setChecked(MenuId::ShowStatusBar, true);
    createStatusBar(app);
    app.window->layoutPass(app.settings.bibliothek != 0, app.settings.playlist != 0, true);
}

}  // namespace

AppState::AppState() = default;
AppState::~AppState() {
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

bool startUp(AppState& app, std::vector<std::string> arguments) {
    app.arguments = std::move(arguments);
    const std::string dataFolder = applicationDataFolder();
    if (!environmentValue("appdata")) {
        // The desktop's configuration folder may not exist yet on a fresh
        // account; without it no setting would ever be kept.
        std::error_code ignored;
        std::filesystem::create_directories(dataFolder, ignored);
    }
    app.settingsBase = dataFolder + "/";
    app.musicFolder = userProfileFolder() + "/Music/";
    app.skin = loadSkinImages();
    app.settings = loadStartupSettings(app.settingsBase);

    // Held until the process ends; the kernel lets go of it however it ends.
    app.instanceLock = std::make_unique<InstanceLock>(instanceLockName);
    if (!app.instanceLock->acquired() && app.settings.mehrereInstanzen == 0) {
        return false;
    }

    app.input = std::make_unique<InputState>();
    buildUserInterface(app);
    app.playlist.addCommandLineFiles(app.arguments);
    return true;
}

void shutDown(AppState& app) {
    std::vector<PrefsKeyValue> libraryKeys;
    for (const LibraryFolder& folder : app.library) {
        libraryKeys.push_back({folder.name + ":" + std::to_string(folder.level), folder.path});
    }
    saveAtExit(app.settingsFilePath(), app.window->isChecked(MenuId::ShowPlaylist),
               app.window->isChecked(MenuId::ShowLibrary), libraryKeys);
}

int runApplication(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tonlira"));
    QApplication::setDesktopFileName(QStringLiteral("tonlira"));
    initialiseMediaEngine();

    auto app = std::make_unique<AppState>();
    if (!startUp(*app, commandLineFiles(argc, argv))) {
        return 0;
    }
    runMainLoop(*app);
    shutDown(*app);
    return 0;
}

}  // namespace tonlira
