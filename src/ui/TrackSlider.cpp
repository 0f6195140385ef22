#include "ui/TrackSlider.h"

#include <QStyle>
#include <QStyleOptionSlider>

namespace tonlira {

void TrackSlider::sliderChange(SliderChange change) {
    if (change == SliderValueChange && handleRect() == shownHandle_) {
        return;
    }
    QSlider::sliderChange(change);
}

void TrackSlider::paintEvent(QPaintEvent* event) {
    shownHandle_ = handleRect();
    QSlider::paintEvent(event);
}

QRect TrackSlider::handleRect() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

}  // namespace tonlira
