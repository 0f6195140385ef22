#pragma once
// Environment lookup and the two folders the program starts from.

#include <optional>
#include <string>

namespace tonlira {

// The value of the variable whose name equals `name` without regard to letter
// case; nothing when no such variable is set.
std::optional<std::string> environmentValue(const std::string& name);

// The application-data folder: "appdata" when set, else $XDG_CONFIG_HOME,
// else $HOME/.config. Without a trailing separator.
std::string applicationDataFolder();

// The user's profile folder: "Userprofile" when set, else $HOME.
std::string userProfileFolder();

}  // namespace tonlira
