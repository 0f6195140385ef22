#pragma once
// The background a position slider is painted with: a colour (the player
// colour) or the system's default, whatever lies behind the slider.

#include "platform/Colour.h"

#include <optional>

class QWidget;

namespace tonlira {

// nothing: the system's default slider background.
void setSliderBackground(QWidget* slider, std::optional<Colour> colour);

// The colour the slider is painted with now.
Colour sliderBackground(const QWidget* slider);

}  // namespace tonlira
