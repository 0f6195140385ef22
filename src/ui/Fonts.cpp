#include "ui/Fonts.h"

#include "platform/Rounding.h"

#include <QGuiApplication>
#include <QScreen>

namespace tonlira {
namespace {

constexpr double pointsPerInch = 72.0;
constexpr int fallbackDpi = 96;

}  // namespace

int pointsToPixels(int points, int logicalDpiY) {
    return rnd(static_cast<double>(points) * logicalDpiY / pointsPerInch);
}

int screenLogicalDpiY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? rnd(screen->logicalDotsPerInchY()) : fallbackDpi;
}

QFont makeBoldFont(int points) {
    QFont font(QString::fromLatin1(fontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pointsToPixels(points, screenLogicalDpiY()));
    font.setBold(true);
    return font;
}

QFont captionFont() { return makeBoldFont(captionFontPoints); }

QFont displayFont() {
    QFont font = makeBoldFont(displayFontPoints);
    font.setStyleStrategy(QFont::PreferQuality);
    return font;
}

}  // namespace tonlira
