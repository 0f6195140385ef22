#include "Tile.h"

#include "Raster.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTransform>

#include <cmath>

namespace skingen {

namespace {

// Everything is drawn this many times larger and then reduced.
constexpr int oversample = 8;

const QColor rimColour(58, 61, 64, 128);
const QColor faceLight(36, 36, 36);
const QColor faceDark(5, 5, 6);
const QColor blueLight(87, 146, 255);
const QColor blueDark(65, 99, 185);
const QColor symbolEdge(22, 38, 92, 170);
const QColor shadowColour(0, 0, 0, 230);
const QColor glossTop(255, 255, 255, 150);
const QColor glossBottom(255, 255, 255, 25);
constexpr double symbolEdgeWidth = 0.5;  // pixels
// The gloss is the upper part of an ellipse wider than the symbol.
constexpr double glossWidenBy = 0.35;
constexpr double glossRaiseBy = 0.55;
constexpr double glossHeight = 1.05;

QPainterPath placed(const QPainterPath& unit, const QRectF& area) {
    QTransform transform;
    transform.translate(area.left() * oversample, area.top() * oversample);
    transform.scale(area.width() * oversample, area.height() * oversample);
    return transform.map(unit);
}

void drawTileBody(QPainter& painter, const TileLayout& layout) {
    const double s = layout.size * oversample;
    const double r = layout.cornerRadius * oversample;
    painter.setPen(Qt::NoPen);
    painter.setBrush(rimColour);
    painter.drawRoundedRect(QRectF(0, 0, s, s), r, r);

    const double inset = oversample;  // the rim is one pixel wide
    QLinearGradient face(QPointF(inset, inset), QPointF(s - inset, s - inset));
    face.setColorAt(0.0, faceLight);
    face.setColorAt(1.0, faceDark);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(inset, inset, s - 2 * inset, s - 2 * inset), r - inset, r - inset);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

QImage shadowOf(const QPainterPath& symbol, const TileLayout& layout) {
    QImage shadow = blankCanvas(layout.size * oversample, layout.size * oversample);
    QPainter painter(&shadow);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shadowColour);
    const double offset = layout.shadowOffset * oversample;
    painter.drawPath(symbol.translated(offset, offset));
    painter.end();
    return blurred(shadow, static_cast<int>(std::lround(layout.shadowSoftness * oversample)));
}

void drawSymbol(QPainter& painter, const QPainterPath& symbol, const QRectF& area) {
    QLinearGradient blue(area.topLeft(), area.bottomRight());
    blue.setColorAt(0.0, blueLight);
    blue.setColorAt(1.0, blueDark);
    painter.setPen(QPen(symbolEdge, symbolEdgeWidth * oversample));
    painter.setBrush(blue);
    painter.drawPath(symbol);

    const QRectF gloss(area.left() - area.width() * glossWidenBy, area.top() - area.height() * glossRaiseBy,
                       area.width() * (1 + 2 * glossWidenBy), area.height() * glossHeight);
    QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
    shine.setColorAt(0.0, glossTop);
    shine.setColorAt(1.0, glossBottom);
    painter.save();
    painter.setClipPath(symbol);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(gloss);
    painter.restore();
}

}  // namespace

TileLayout largeLayout() { return {40, QRectF(7, 7, 26, 26), 4.0, 1.5, 1.2}; }
TileLayout smallLayout() { return {20, QRectF(4, 3, 12, 14), 2.5, 1.0, 0.8}; }
TileLayout appIconLayout(int size) {
    constexpr double designSize = 128.0;
    const double k = size / designSize;
    return {size, QRectF(24 * k, 22 * k, 84 * k, 84 * k), 12.0 * k, 4.0 * k, 3.5 * k};
}

QImage drawTile(const TileLayout& layout, const QPainterPath& unitSymbol) {
    const QPainterPath symbol = placed(unitSymbol, layout.symbolArea);
    const QRectF area = symbol.boundingRect();
    QImage canvas = blankCanvas(layout.size * oversample, layout.size * oversample);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    drawTileBody(painter, layout);
    painter.drawImage(0, 0, shadowOf(symbol, layout));
    drawSymbol(painter, symbol, area);
    painter.end();
    return reduced(canvas, oversample);
}

}  // namespace skingen
