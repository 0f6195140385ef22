#pragma once
// The colours and start values the player window is built with and
// re-applies.

#include "platform/Colour.h"

namespace tonlira {

struct PlayerLook {
    Colour background = 0;  // window, in the gaps between the panels
    Colour player = 0;      // panels and the dial's background
    Colour dialFace = 0;
    Colour displayText = 0;
    Colour playlist = 0;
    Colour library = 0;
    float scrollSpeed = 1.0F;
    float dialValue = 0.0F;
};

}  // namespace tonlira
