#include "app/SettingsActions.h"

#include "app/AppState.h"
#include "app/ShortcutActions.h"
#include "app/TaskbarActions.h"
#include "platform/Requester.h"
#include "ui/EdgeSnap.h"
#include "ui/SettingsWindow.h"

#include <QAction>

namespace tonlira {
namespace {

Colour& liveColour(Settings& settings, ColourSetting setting) {
    switch (setting) {
    case ColourSetting::Background: return settings.hintergrundfarbe;
    case ColourSetting::Player: return settings.playerfarbe;
    case ColourSetting::Dial: return settings.drehreglerfarbe;
    case ColourSetting::Display: return settings.anzeigefeldfarbe;
    case ColourSetting::Playlist: return settings.playlistfarbe;
    case ColourSetting::Library: break;
    }
    return settings.bibliothekfarbe;
}

ColourSet liveColours(Settings& settings) {
    ColourSet colours{};
    for (int i = 0; i < colourSettingCount; ++i) {
        colours[static_cast<std::size_t>(i)] = liveColour(settings, static_cast<ColourSetting>(i));
    }
    return colours;
}

// The "Aktion" column: each command's menu text up to its tab.
std::array<QString, shortcutActionCount> actionNames(const PlayerWindow& window) {
    std::array<QString, shortcutActionCount> names;
    for (int number = 0; number < shortcutActionCount; ++number) {
        const QAction* item = window.menuItem(menuItemOf(shortcutActionAt(number)));
        names[static_cast<std::size_t>(number)] = item != nullptr ? item->text().section(u'\t', 0, 0) : QString();
    }
    return names;
}

}  // namespace

void openSettingsWindow(AppState& app) {
    if (app.settingsWindow) {
        app.settingsWindow->bringToFront();
        return;
    }
    app.settingsWindow = std::make_unique<SettingsWindow>(actionNames(*app.window), app.window.get());
    QObject::connect(app.settingsWindow.get(), &SettingsWindow::eventRaised,
                     [&events = app.events](const Event& event) { events.post(event); });
    app.settingsWindow->setValues(readEditableSettings(app.settingsFilePath()));
    app.settingsWindow->centreOn(app.window.get());
    installEdgeSnapping(app.settingsWindow.get());
    app.settingsWindow->show();
    app.settingsWindow->bringToFront();
}

void closeSettingsWindow(AppState& app) { app.settingsWindow.reset(); }

void swatchPressed(AppState& app, const Event& event) {
    const auto setting = colourSettingOf(static_cast<ControlId>(event.source));
    if (!app.settingsWindow || !setting) {
        return;
    }
    constexpr Colour preselected = 0;
    const auto picked = requester().chooseColour(preselected);
    // The window may have gone while the chooser was open.
    if (!picked || !app.settingsWindow) {
        return;
    }
    liveColour(app.settings, *setting) = *picked;
    app.settingsWindow->setSwatchColour(*setting, *picked);
}

void shortcutSelectionChanged(AppState& app) {
    if (!app.settingsWindow) {
        return;
    }
    const int row = app.settingsWindow->selectedShortcutRow();
    if (row > -1) {
        app.settingsWindow->setCapturedCode(app.settingsWindow->shortcutCode(row));
    }
}

void applyCapturedShortcut(AppState& app) {
    if (!app.settingsWindow) {
        return;
    }
    const int row = app.settingsWindow->selectedShortcutRow();
    if (row > -1) {
        app.settingsWindow->setShortcutCode(row, app.settingsWindow->capturedCode());
    }
}

void saveSettings(AppState& app) {
    if (!app.settingsWindow) {
        return;
    }
    const EditableSettings edited = app.settingsWindow->values();
    app.settings.scrollspeed = scrollSpeedFor(edited.scrollSteps);
    const SaveResult saved =
        saveEditableSettings(app.settingsFilePath(), edited, {app.settings.scrollspeed, liveColours(app.settings)});

    setTitleSpeed(app.window->titleDisplay(), app.settings.scrollspeed);
    app.window->applyColours(app.look());
    app.playerBrush = app.settings.playerfarbe;
    applySliderColours(app);  // the song-info window's slider, while it is open
    registerShortcuts(app);
    labelMenuItems(app);
    if (saved == SaveResult::WriteFailed) {
        // The file is as it was; what was entered stays in the window, so
        // it can be saved again or dropped.
        showMessage(saveFailedTitle, saveFailedText, MessageIcon::Warning);
        return;
    }
    closeSettingsWindow(app);
}

}  // namespace tonlira
