#pragma once
// A push button showing a skin image centred on a standard button face. While
// the button is held down the image moves one pixel right and down; a
// disabled button shows it greyed.

#include "platform/Ids.h"

#include <QPixmap>
#include <QPushButton>

namespace tonlira {

class SkinButton : public QPushButton {
    Q_OBJECT
public:
    SkinButton(ControlId id, const QPixmap& image, QWidget* parent);

    ControlId id() const { return id_; }
    void setImage(const QPixmap& image);
    const QPixmap& image() const { return image_; }

    // Where the image's top-left corner lands, for the current state.
    QPoint imagePosition() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ControlId id_;
    QPixmap image_;
};

}  // namespace tonlira
