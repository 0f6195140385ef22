#include "ui/skin/SkinButton.h"

#include "ui/FocusFrame.h"

#include <QIcon>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace tonlira {

namespace {
// How far the image moves right and down while the button is held.
constexpr int pressedShift = 1;
}  // namespace

SkinButton::SkinButton(ControlId id, const QPixmap& image, QWidget* parent)
    : QPushButton(parent), id_(id), image_(image) {}

void SkinButton::setImage(const QPixmap& image) {
    image_ = image;
    update();
}

QPoint SkinButton::imagePosition() const {
    const QSize imageSize = image_.deviceIndependentSize().toSize();
    QPoint position((width() - imageSize.width()) / 2, (height() - imageSize.height()) / 2);
    if (isDown()) {
        position += QPoint(pressedShift, pressedShift);
    }
    return position;
}

void SkinButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    drawFocusFrame(painter, *this);
    if (image_.isNull()) {
        return;
    }
    const QPixmap shown = isEnabled() ? image_ : style()->generatedIconPixmap(QIcon::Disabled, image_, &option);
    painter.drawPixmap(imagePosition(), shown);
}

}  // namespace tonlira
