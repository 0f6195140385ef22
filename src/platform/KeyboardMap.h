#pragma once
// The X keyboard map: what a key carries without Shift and AltGr in the
// layout in use now, so that a shortcut follows the key, not the character
// a modifier makes of it. GUI thread only.

#include <cstdint>
#include <optional>

namespace tonlira {

// The keysym at the first level of X key code `keycode` in the layout group
// the modifier state `nativeModifiers` selects, read afresh from the X
// server (the layout may have changed since the last key). Nothing off X11
// or for a key without symbols.
std::optional<std::uint32_t> unshiftedSymbolOf(std::uint32_t keycode, std::uint32_t nativeModifiers);

}  // namespace tonlira
