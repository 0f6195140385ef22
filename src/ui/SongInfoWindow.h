#pragma once
// The song-info window (window 4): a 170 x 70 borderless window with rounded
// corners in the player colour, with its own title display (control 27) and
// a position slider (control 26). Each opening makes a new one, so its title
// display starts unscrolled and it takes the colours current at opening.
//
// Passive: the slider's changes by the person are reported as control events
// of window 4. GUI thread only.

#include "platform/Colour.h"
#include "platform/EventQueue.h"
#include "ui/TitleDisplay.h"

#include <QWidget>

#include <memory>

class QSlider;

namespace tonlira {

inline constexpr QSize songInfoSize{170, 70};

struct SongInfoLook {
    Colour background = 0;  // the player colour
    Colour displayText = 0;
    Colour displayBackground = 0;  // the playlist colour
    float scrollSpeed = 1.0F;
};

class SongInfoWindow final : public QWidget {
    Q_OBJECT
public:
    // `owner`: the window it belongs to (it stays a window of its own).
    SongInfoWindow(const SongInfoLook& look, QWidget* owner);
    ~SongInfoWindow() override;

    TitleDisplay* titleDisplay() const { return titleDisplay_.get(); }
    QSlider* slider() const { return slider_; }

    // Sets the slider without reporting it as the person's change; the value
    // stays while the person drags it.
    void setSliderRange(int maximum);
    void setSliderValue(int value);

signals:
    void eventRaised(const tonlira::Event& event);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<TitleDisplay> titleDisplay_;
    QSlider* slider_ = nullptr;
};

}  // namespace tonlira
