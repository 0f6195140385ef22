#pragma once
// Colours are 24-bit values 0x00BBGGRR, red in the low byte, as the
// preferences file stores them.

#include <QColor>
#include <cstdint>

namespace tonlira {

using Colour = std::uint32_t;

constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr Colour makeColour(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

inline QColor toQColor(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }
inline Colour fromQColor(const QColor& c) { return makeColour(c.red(), c.green(), c.blue()); }

}  // namespace tonlira
