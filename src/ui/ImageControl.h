#pragma once
// The image control: a fixed-size child widget that shows a 24-bit image
// exactly as given (no scaling) and reports a press of the left mouse button.
// The title display and the volume dial draw their frames off screen and hand
// them to one of these.

#include "platform/Ids.h"

#include <QImage>
#include <QWidget>

namespace tonlira {

class ImageControl : public QWidget {
    Q_OBJECT
public:
    ImageControl(ControlId id, int left, int top, int width, int height, QWidget* parent);

    ControlId id() const { return id_; }

    // Shows `image` from the next paint on. The image is shared, not copied.
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

signals:
    // The left mouse button went down over the control.
    void leftButtonDown();
    // setImage() handed over a new frame.
    void imageShown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    ControlId id_;
    QImage image_;
};

}  // namespace tonlira
