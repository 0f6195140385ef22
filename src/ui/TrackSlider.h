#pragma once

#include <QRect>
#include <QSlider>

namespace tonlira {

// A slider that follows a playing track. Its value moves ten times a second
// but its handle only every few pixels' worth of time: a change of value
// that leaves the handle where it is drawn paints nothing.
class TrackSlider : public QSlider {
public:
    using QSlider::QSlider;

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect handleRect() const;

    QRect shownHandle_;  // where the last paint put the handle
};

}  // namespace tonlira
