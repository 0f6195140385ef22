#include "platform/KeyboardMap.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <memory>

namespace tonlira {
namespace {

constexpr std::uint32_t lowestKeycode = 8;
constexpr std::uint32_t highestKeycode = 255;

struct FreeKeyboard {
    void operator()(XkbDescPtr keyboard) const { XkbFreeKeyboard(keyboard, 0, True); }
};

}  // namespace

std::optional<std::uint32_t> unshiftedSymbolOf(std::uint32_t keycode, std::uint32_t nativeModifiers) {
    const auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->display() == nullptr || keycode < lowestKeycode || keycode > highestKeycode) {
        return std::nullopt;
    }
    const std::unique_ptr<XkbDescRec, FreeKeyboard> keyboard(
        XkbGetMap(x11->display(), XkbKeySymsMask, XkbUseCoreKbd));
    if (!keyboard) {
        return std::nullopt;
    }
    const auto key = static_cast<KeyCode>(keycode);
    const int groups = XkbKeyNumGroups(keyboard.get(), key);
    if (groups == 0) {
        return std::nullopt;
    }
    // A group beyond the key's own wraps round, as the server does by default.
    const int group = static_cast<int>(XkbGroupForCoreState(nativeModifiers)) % groups;
    const KeySym symbol = XkbKeySymEntry(keyboard.get(), key, 0, group);
    if (symbol == NoSymbol) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(symbol);
}

}  // namespace tonlira
