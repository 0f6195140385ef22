#pragma once
// The player window's menu bar as data, in the order shown on screen.

#include "platform/Ids.h"

#include <optional>
#include <span>

namespace tonlira {

struct MenuRow {
    enum class Kind { Menu, Submenu, EndSubmenu, Command, Check, Separator };
    Kind kind;
    const char* label = nullptr;   // menus, submenus and items
    MenuId id = MenuId::OpenFile;  // items only
    std::optional<ImageId> icon;   // items only
    bool checkedAtStart = false;   // check items only
};

std::span<const MenuRow> menuBarRows();

// The label of an item as the menu table gives it.
const char* menuLabel(MenuId id);

// The player panel's seven buttons, from the left.
inline constexpr ControlId transportButtonIds[] = {
    ControlId::PlayButton,        ControlId::PauseButton,    ControlId::StopButton, ControlId::RewindButton,
    ControlId::FastForwardButton, ControlId::PreviousButton, ControlId::NextButton,
};

// The words of one of the player panel's seven buttons, as its tooltip and
// a screen reader give them: the label of the menu item doing what it does
// ("Abspielen" for the play button, which has no item of its own). Null for
// any other control.
const char* transportButtonWords(ControlId id);

}  // namespace tonlira
