// skingen: draws the player's skin images and the application icon.
//
//   skingen <source folder>
//
// writes src/ui/skin/skinNN.ico for the images 0 to 6 and 8 to 14,
// src/ui/skin/tonlira.png (the window icon, 128 x 128) and
// data/icons/NxN/apps/tonlira.png in the sizes desktops ask for (the
// scalable data/icons/scalable/apps/tonlira.svg is drawn by hand after the
// same layout). The drawing uses no fonts and
// no randomness, so every run writes the same bytes.

#include "Symbols.h"
#include "Tile.h"
#include "ui/skin/IconFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>

#include <cstdio>
#include <vector>

namespace {

constexpr int windowIconSize = 128;
constexpr int desktopIconSizes[] = {48, 64, 128, 256};

struct SkinImage {
    int number;
    std::vector<QImage> images;
};

std::vector<SkinImage> drawSkin() {
    using skingen::drawTile;
    using skingen::Symbol;
    using skingen::symbolPath;
    const auto large = skingen::largeLayout();
    const auto small = skingen::smallLayout();
    return {
        {0, {drawTile(large, symbolPath(Symbol::Previous))}},
        {1, {drawTile(large, symbolPath(Symbol::Pause))}},
        {2, {drawTile(large, symbolPath(Symbol::Stop))}},
        {3, {drawTile(large, symbolPath(Symbol::Play))}},
        {4, {drawTile(large, symbolPath(Symbol::FastForward))}},
        {5, {drawTile(large, symbolPath(Symbol::Rewind))}},
        {6, {drawTile(large, symbolPath(Symbol::Next))}},
        {8, {drawTile(small, symbolPath(Symbol::Previous))}},
        {9, {drawTile(small, symbolPath(Symbol::Pause))}},
        {10, {drawTile(small, symbolPath(Symbol::Next))}},
        {11, {drawTile(small, symbolPath(Symbol::Rewind))}},
        {12, {drawTile(small, symbolPath(Symbol::FastForward))}},
        {13, {skingen::drawScreenSymbol(0), skingen::drawScreenSymbol(1)}},
        {14, {skingen::drawRestoreSymbol(0), skingen::drawRestoreSymbol(1)}},
    };
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writePng(const QString& path, const QImage& image) {
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen <source folder>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QString skinFolder = root.filePath(QStringLiteral("src/ui/skin"));
    if (!QDir().mkpath(skinFolder)) {
        std::fprintf(stderr, "skingen: cannot make the skin folder\n");
        return 1;
    }

    bool ok = true;
    for (const SkinImage& skin : drawSkin()) {
        const QString name = QStringLiteral("skin%1.ico").arg(skin.number, 2, 10, QLatin1Char('0'));
        ok = writeBytes(QDir(skinFolder).filePath(name), tonlira::writeIconFile(skin.images)) && ok;
    }
    const QPainterPath play = skingen::symbolPath(skingen::Symbol::Play);
    const QImage appIcon = skingen::drawTile(skingen::appIconLayout(windowIconSize), play);
    ok = writePng(QDir(skinFolder).filePath(QStringLiteral("tonlira.png")), appIcon) && ok;
    // The sizes desktops ask for, in the icon theme's folder layout.
    for (const int size : desktopIconSizes) {
        const QString folder = root.filePath(QStringLiteral("data/icons/%1x%1/apps").arg(size));
        ok = QDir().mkpath(folder) && ok;
        const QImage icon = skingen::drawTile(skingen::appIconLayout(size), play);
        ok = writePng(QDir(folder).filePath(QStringLiteral("tonlira.png")), icon) && ok;
    }
    return ok ? 0 : 1;
}
