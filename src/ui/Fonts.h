#pragma once
// The program's fonts. "Arial" resolves through fontconfig to a
// metric-compatible face (Liberation Sans on Debian).

#include <QFont>

namespace tonlira {

inline constexpr int captionFontPoints = 12;
inline constexpr int displayFontPoints = 17;
inline constexpr const char* fontFamily = "Arial";

// Point size to pixels at the screen's vertical resolution.
int pointsToPixels(int points, int logicalDpiY);
// The vertical resolution of the primary screen.
int screenLogicalDpiY();

// "Arial" at `points`, bold.
QFont makeBoldFont(int points);

QFont captionFont();  // 12 pt bold
QFont displayFont();  // 17 pt bold, high-quality rendering

}  // namespace tonlira
