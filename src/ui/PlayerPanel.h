#pragma once
// The player panel: the seven transport buttons, the position slider, the
// title display and the volume dial, on a fixed 500 x 130 area. Passive: it
// reports what the person does as control events. GUI thread only.

#include "platform/EventQueue.h"
#include "ui/Dial.h"
#include "ui/PanelStyle.h"
#include "ui/PlayerLook.h"
#include "ui/TitleDisplay.h"
#include "ui/skin/SkinImages.h"

#include <QWidget>

#include <memory>

class QSlider;

namespace tonlira {

inline constexpr int volumeDialMaximum = 140;
inline constexpr float volumeDialStep = 1.0F;

class PlayerPanel final : public QWidget {
    Q_OBJECT
public:
    // Adds the panel and its controls to `controls`.
    PlayerPanel(const PlayerLook& look, const SkinImages& skin, QWidget* parent, ControlMap& controls);
    ~PlayerPanel() override;

    QSlider* positionSlider() const { return positionSlider_; }
    TitleDisplay* titleDisplay() const { return titleDisplay_.get(); }
    Dial* volumeDial() const { return volumeDial_.get(); }

    // Sets the slider without reporting it as the person's change.
    void setSliderRange(int maximum);
    void setSliderValue(int value);

    void applyColours(const PlayerLook& look);

signals:
    void controlRaised(tonlira::ControlId id, tonlira::ControlEventType type);

private:
    void buildButtons(const SkinImages& skin, ControlMap& controls);
    void buildSlider(const PlayerLook& look);
    void fitSliderPage();

    QSlider* positionSlider_ = nullptr;
    std::unique_ptr<TitleDisplay> titleDisplay_;
    std::unique_ptr<Dial> volumeDial_;
};

}  // namespace tonlira
