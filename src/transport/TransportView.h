#pragma once
// What the transport shows, as it sees it. The player window (and, while it
// is open, the song-info window) implements it. GUI thread only.

#include <string>

namespace tonlira {

class TransportView {
public:
    virtual ~TransportView() = default;

    // The position slider in use: the song-info window's while it exists,
    // otherwise the player window's.
    virtual void setSliderMaximum(int maximumMs) = 0;
    virtual void setSliderValue(int positionMs) = 0;
    // The player window's own slider, whatever window is open.
    virtual void setPlayerSliderValue(int positionMs) = 0;

    // The title display in use, and the player window's own.
    virtual void setTitleText(const std::string& title) = 0;
    virtual void setPlayerTitleText(const std::string& title) = 0;

    // The status bar's title and time fields; ignored without a status bar.
    virtual void setStatusTitle(const std::string& title) = 0;
    virtual void setStatusTime(const std::string& time) = 0;

    // The volume dial's value, 0 to 140.
    virtual float dialValue() const = 0;
};

}  // namespace tonlira
