#include "ui/ImageControl.h"

#include "ui/FocusFrame.h"

#include <QMouseEvent>
#include <QPainter>

namespace tonlira {

ImageControl::ImageControl(ControlId id, int left, int top, int width, int height, QWidget* parent)
    : QWidget(parent), id_(id) {
    setGeometry(left, top, width, height);
    setFixedSize(width, height);
    // Every frame covers the whole control; nothing behind it needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageControl::setImage(const QImage& image) {
    image_ = image;
    update();
    emit imageShown();
}

void ImageControl::paintEvent(QPaintEvent* /*event*/) {
    if (image_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image_);
    drawFocusFrame(painter, *this);
}

void ImageControl::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void ImageControl::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit leftButtonDown();
    }
    QWidget::mousePressEvent(event);
}

}  // namespace tonlira
