#include "Symbols.h"

#include "Raster.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QTransform>

namespace skingen {

namespace {

constexpr int oversample = 8;

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

QPainterPath rect(double x, double y, double w, double h) {
    QPainterPath path;
    path.addRect(QRectF(x, y, w, h));
    return path;
}

// Left-right mirror image within the unit square.
QPainterPath mirrored(const QPainterPath& path) { return QTransform(-1, 0, 0, 1, 1, 0).map(path); }

QPainterPath play() { return polygon({{0.14, 0.0}, {0.14, 1.0}, {0.98, 0.5}}); }

QPainterPath pause() { return rect(0.12, 0.0, 0.28, 1.0).united(rect(0.60, 0.0, 0.28, 1.0)); }

QPainterPath stop() { return rect(0.06, 0.06, 0.88, 0.88); }

QPainterPath fastForward() {
    return polygon({{0.02, 0.12}, {0.02, 0.88}, {0.5, 0.5}}).united(polygon({{0.5, 0.12}, {0.5, 0.88}, {0.98, 0.5}}));
}

QPainterPath next() { return polygon({{0.04, 0.06}, {0.04, 0.94}, {0.72, 0.5}}).united(rect(0.76, 0.06, 0.2, 0.88)); }

// Draws at eight times the size with `draw` working in final pixel units.
template <typename Draw>
QImage drawSmall(Draw draw) {
    QImage canvas = blankCanvas(windowSymbolSize * oversample, windowSymbolSize * oversample);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(oversample, oversample);
    draw(painter);
    painter.end();
    return reduced(canvas, oversample);
}

const QColor screenFrame(38, 72, 140);
const QColor standColour(92, 112, 142);
const QColor arrowEdge(22, 38, 92);
const QColor blueLight(87, 146, 255);
const QColor blueDark(65, 99, 185);
// The second variant is a shade brighter.
constexpr int variantLift = 10;

QColor lifted(const QColor& colour, int variant) {
    const int lift = variant * variantLift;
    return QColor(std::min(colour.red() + lift, 255), std::min(colour.green() + lift, 255),
                  std::min(colour.blue() + lift, 255), colour.alpha());
}

}  // namespace

QPainterPath symbolPath(Symbol symbol) {
    switch (symbol) {
    case Symbol::Play: return play();
    case Symbol::Pause: return pause();
    case Symbol::Stop: return stop();
    case Symbol::FastForward: return fastForward();
    case Symbol::Rewind: return mirrored(fastForward());
    case Symbol::Next: return next();
    case Symbol::Previous: return mirrored(next());
    }
    return {};
}

QImage drawScreenSymbol(int variant) {
    return drawSmall([variant](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(standColour);
        painter.drawRect(QRectF(5.0, 8.5, 2.0, 1.5));
        painter.drawRoundedRect(QRectF(3.0, 10.0, 6.0, 1.5), 0.6, 0.6);

        painter.setBrush(screenFrame);
        painter.drawRoundedRect(QRectF(0.5, 1.0, 11.0, 7.5), 1.0, 1.0);
        QLinearGradient glass(QPointF(1.5, 2.0), QPointF(10.5, 7.5));
        glass.setColorAt(0.0, lifted(QColor(188, 224, 255), variant));
        glass.setColorAt(1.0, lifted(QColor(118, 178, 242), variant));
        painter.setBrush(glass);
        painter.drawRect(QRectF(1.5, 2.0, 9.0, 5.5));
    });
}

QImage drawRestoreSymbol(int variant) {
    return drawSmall([variant](QPainter& painter) {
        const QPainterPath head = polygon({{1.0, 1.0}, {8.0, 1.0}, {1.0, 8.0}});
        const QPainterPath shaft = polygon({{4.5, 2.5}, {11.5, 9.5}, {9.5, 11.5}, {2.5, 4.5}});
        QLinearGradient blue(QPointF(1.0, 1.0), QPointF(11.5, 11.5));
        blue.setColorAt(0.0, lifted(blueLight, variant));
        blue.setColorAt(1.0, lifted(blueDark, variant));
        painter.setPen(QPen(arrowEdge, 0.6));
        painter.setBrush(blue);
        painter.drawPath(head.united(shaft));
    });
}

}  // namespace skingen
