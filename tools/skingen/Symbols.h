#pragma once
// The drawings: transport symbols as shapes in the unit square (filled by the
// tile renderer) and the two small window symbols, drawn whole.

#include <QImage>
#include <QPainterPath>

namespace skingen {

enum class Symbol { Previous, Pause, Stop, Play, FastForward, Rewind, Next };

// The symbol's outline in the unit square (0..1 in both directions).
QPainterPath symbolPath(Symbol symbol);

// A light-blue computer screen on a stand, 12 x 12 on a transparent
// background. Variant 1 is a slightly brighter twin of variant 0.
QImage drawScreenSymbol(int variant);

// A blue arrow pointing up and to the left, 12 x 12 on a transparent
// background; variants as above.
QImage drawRestoreSymbol(int variant);

inline constexpr int windowSymbolSize = 12;

}  // namespace skingen
