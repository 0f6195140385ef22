#include "platform/DisplayPlatform.h"

#include <cstdlib>

namespace tonlira {
namespace {

constexpr const char* platformVariable = "QT_QPA_PLATFORM";
constexpr const char* x11Platform = "xcb";
constexpr const char* waylandPlatform = "wayland";

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

DisplayChoice chooseDisplayPlatform() {
    if (isSet(platformVariable)) {
        return DisplayChoice::AsConfigured;
    }
    if (isSet("DISPLAY")) {
        setenv(platformVariable, x11Platform, 1);
        return DisplayChoice::X11;
    }
    if (isSet("WAYLAND_DISPLAY")) {
        setenv(platformVariable, waylandPlatform, 1);
        return DisplayChoice::Wayland;
    }
    return DisplayChoice::None;
}

}  // namespace tonlira
