#include "ui/MenuTable.h"

#include <array>

namespace tonlira {
namespace {

using K = MenuRow::Kind;

constexpr MenuRow menu(const char* label) { return {K::Menu, label, {}, {}, false}; }
constexpr MenuRow submenu(const char* label) { return {K::Submenu, label, {}, {}, false}; }
constexpr MenuRow endSubmenu() { return {K::EndSubmenu, nullptr, {}, {}, false}; }
constexpr MenuRow separator() { return {K::Separator, nullptr, {}, {}, false}; }
constexpr MenuRow command(MenuId id, const char* label, std::optional<ImageId> icon = {}) {
    return {K::Command, label, id, icon, false};
}
constexpr MenuRow check(MenuId id, const char* label, bool checked) { return {K::Check, label, id, {}, checked}; }

// Check marks of "Audiobibliothek" and "Playlist" are set from the
// preferences at start-up.
constexpr std::array rows{
    menu("Datei"),
    command(MenuId::OpenFile, "Datei Öffnen"),
    command(MenuId::OpenFolder, "Ordner Öffnen"),
    separator(),
    submenu("Audiobibliothek"),
    command(MenuId::AddLibraryFolder, "Ordner zur Audiobibliothek hinzufügen"),
    separator(),
    command(MenuId::ClearLibrary, "Audiobibliothek Leeren"),
    endSubmenu(),
    separator(),
    submenu("Playlist"),
    command(MenuId::AddFiles, "Dateien zur Playlist hinzufügen"),
    separator(),
    command(MenuId::ClearPlaylist, "Playlist leeren"),
    endSubmenu(),
    separator(),
    command(MenuId::Quit, "Beenden"),

    menu("Wiedergabe"),
    command(MenuId::PlayPause, "Play/Pause", ImageId::Play),
    command(MenuId::Stop, "Stop", ImageId::Stop),
    separator(),
    command(MenuId::SkipBack, "Zurück", ImageId::Rewind),
    command(MenuId::SkipForward, "Weiter", ImageId::FastForward),
    separator(),
    command(MenuId::Previous, "Vorheriges", ImageId::Previous),
    command(MenuId::Next, "Nächstes", ImageId::Next),

    menu("Ansicht"),
    check(MenuId::StayOnTop, "Fenster im Vordergrund halten", false),
    check(MenuId::ShowStatusBar, "Statusbar zeigen", true),
    command(MenuId::MinimiseToTaskbar, "Player in Taskleiste minimieren"),
    separator(),
    check(MenuId::ShowLibrary, "Audiobibliothek", false),
    check(MenuId::ShowPlaylist, "Playlist", false),

    menu("Optionen"),
    command(MenuId::Settings, "Einstellungen"),

    menu("?"),
    command(MenuId::About, "Über..."),
};

constexpr const char* playButtonWords = "Abspielen";

struct ButtonItem {
    ControlId button;
    MenuId item;  // the menu item doing what the button does
};
constexpr std::array buttonItems{
    ButtonItem{ControlId::PauseButton, MenuId::PlayPause},
    ButtonItem{ControlId::StopButton, MenuId::Stop},
    ButtonItem{ControlId::RewindButton, MenuId::SkipBack},
    ButtonItem{ControlId::FastForwardButton, MenuId::SkipForward},
    ButtonItem{ControlId::PreviousButton, MenuId::Previous},
    ButtonItem{ControlId::NextButton, MenuId::Next},
};

}  // namespace

std::span<const MenuRow> menuBarRows() { return rows; }

const char* transportButtonWords(ControlId id) {
    if (id == ControlId::PlayButton) {
        return playButtonWords;
    }
    for (const ButtonItem& button : buttonItems) {
        if (button.button == id) {
            return menuLabel(button.item);
        }
    }
    return nullptr;
}

const char* menuLabel(MenuId id) {
    if (id == MenuId::Enqueue) {
        return "In Playlist einreihen";
    }
    for (const MenuRow& row : rows) {
        if ((row.kind == K::Command || row.kind == K::Check) && row.id == id) {
            return row.label;
        }
    }
    return "";
}

}  // namespace tonlira
