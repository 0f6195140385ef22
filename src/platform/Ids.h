#pragma once
// Numbers of windows, controls, menu items, timers and skin images. They are
// the identities through which every event reaches the main loop, and the
// preferences file and keyboard shortcuts address menu items by them.

#include <cstdint>

namespace tonlira {

enum class WindowId : std::uint8_t {
    Player = 0,
    Settings = 1,
    MiniPlayer = 2,
    AddFolder = 3,
    SongInfo = 4,
};

enum class MenuId : std::uint8_t {
    OpenFile = 0,            // "Datei Öffnen"
    OpenFolder = 1,          // "Ordner Öffnen"
    AddLibraryFolder = 2,    // "Ordner zur Audiobibliothek hinzufügen"
    ClearLibrary = 3,        // "Audiobibliothek Leeren"
    AddFiles = 4,            // "Dateien zur Playlist hinzufügen"
    ClearPlaylist = 5,       // "Playlist leeren"
    Quit = 6,                // "Beenden"
    PlayPause = 7,           // "Play/Pause"
    Stop = 8,                // "Stop"
    SkipBack = 9,            // "Zurück"
    SkipForward = 10,        // "Weiter"
    Previous = 11,           // "Vorheriges"
    Next = 12,               // "Nächstes"
    ShowLibrary = 13,        // "Audiobibliothek"
    ShowPlaylist = 14,       // "Playlist"
    ShowStatusBar = 15,      // "Statusbar zeigen"
    StayOnTop = 16,          // "Fenster im Vordergrund halten"
    MinimiseToTaskbar = 17,  // "Player in Taskleiste minimieren"
    Settings = 18,           // "Einstellungen"
    Enqueue = 19,            // "In Playlist einreihen" (popup menu 1)
    About = 20,              // "Über..."
};
inline constexpr int menuItemCount = 21;

enum class ControlId : std::uint8_t {
    // player window
    PlayerPanel = 1,
    PreviousButton = 2,
    PauseButton = 3,
    StopButton = 4,
    PlayButton = 5,
    FastForwardButton = 6,
    RewindButton = 7,
    NextButton = 8,
    PositionSlider = 9,
    TitleDisplay = 10,
    VolumeDial = 11,
    LibraryTree = 13,
    LibraryFiles = 14,
    LibraryPanel = 15,
    PlaylistPanel = 17,
    PlaylistView = 18,
    // taskbar mini-player and song-info window
    MiniPrevious = 19,
    MiniNext = 20,
    MiniRewind = 21,
    MiniFastForward = 22,
    MiniPause = 23,
    MiniRestore = 24,
    MiniSongInfo = 25,
    SongInfoSlider = 26,
    SongInfoTitle = 27,
    // add-folder dialog
    AddFolderMoveRight = 29,
    AddFolderMoveLeft = 30,
    AddFolderCommit = 35,
    AddFolderCancel = 36,
    // settings window
    SettingsCancel = 45,
    SettingsSave = 46,
    SwatchBackground = 48,
    SwatchPlayer = 50,
    SwatchDial = 52,
    SwatchDisplay = 54,
    SwatchPlaylist = 56,
    SwatchLibrary = 58,
    ShortcutList = 59,
    SettingsApply = 60,
};

enum class TimerId : std::uint16_t {
    Refresh = 280,
};

// Skin images, loaded once at start-up. Number 7 is not used.
enum class ImageId : std::uint8_t {
    Previous = 0,
    Pause = 1,
    Stop = 2,
    Play = 3,
    FastForward = 4,
    Rewind = 5,
    Next = 6,
    SmallPrevious = 8,
    SmallPause = 9,
    SmallNext = 10,
    SmallRewind = 11,
    SmallFastForward = 12,
    SongInfo = 13,
    Restore = 14,
};

enum class PopupMenuId : std::uint8_t {
    Library = 1,
};

}  // namespace tonlira
