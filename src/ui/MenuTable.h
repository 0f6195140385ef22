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

}  // namespace tonlira
