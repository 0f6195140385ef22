#pragma once
// The transport symbols' common style: a glossy blue symbol with a soft drop
// shadow on a dark square tile. The tile fills the image: a one-pixel, half
// transparent light-grey rim with softened corners around a face that darkens
// from the upper left to the lower right.

#include <QImage>
#include <QPainterPath>
#include <QRectF>

namespace skingen {

struct TileLayout {
    int size = 0;               // width and height of the image
    QRectF symbolArea;          // where the unit-square symbol is drawn
    double cornerRadius = 0;    // of the rim, in pixels
    double shadowOffset = 0;    // right and down, in pixels
    double shadowSoftness = 0;  // blur radius, in pixels
};

TileLayout largeLayout();  // 40 x 40, symbol over 7..33
TileLayout smallLayout();  // 20 x 20, symbol over x 4..15, y 3..16
// The application icon, size x size (drawn for 128 and scaled).
TileLayout appIconLayout(int size);

QImage drawTile(const TileLayout& layout, const QPainterPath& unitSymbol);

}  // namespace skingen
