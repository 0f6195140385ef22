#include "ui/SliderBackground.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace tonlira {

void setSliderBackground(QWidget* slider, std::optional<Colour> colour) {
    if (slider == nullptr) {
        return;
    }
    QPalette palette = slider->palette();
    palette.setColor(QPalette::Window, colour ? toQColor(*colour) : QApplication::palette().color(QPalette::Window));
    slider->setPalette(palette);
    // Filled either way, so the panel behind it does not show through.
    slider->setAutoFillBackground(true);
}

Colour sliderBackground(const QWidget* slider) { return fromQColor(slider->palette().color(QPalette::Window)); }

}  // namespace tonlira
