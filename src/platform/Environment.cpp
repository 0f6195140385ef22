#include "platform/Environment.h"

#include <algorithm>
#include <cctype>
#include <unistd.h>

extern char** environ;

namespace tonlira {
namespace {

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string nonEmpty(const std::optional<std::string>& value) { return value.value_or(""); }

}  // namespace

std::optional<std::string> environmentValue(const std::string& name) {
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string item(*entry);
        const auto equals = item.find('=');
        if (equals != std::string::npos && equalsIgnoringCase(item.substr(0, equals), name)) {
            return item.substr(equals + 1);
        }
    }
    return std::nullopt;
}

std::string applicationDataFolder() {
    if (auto appdata = environmentValue("appdata")) {
        return *appdata;
    }
    if (auto config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0') {
        return config;
    }
    return nonEmpty(environmentValue("HOME")) + "/.config";
}

std::string userProfileFolder() {
    if (auto profile = environmentValue("Userprofile")) {
        return *profile;
    }
    return nonEmpty(environmentValue("HOME"));
}

}  // namespace tonlira
