#include "ui/PlayerPanel.h"

#include "ui/Fonts.h"
#include "ui/ImageControl.h"
#include "ui/Layout.h"
#include "ui/PlayerLook.h"
#include "ui/TrackSlider.h"
#include "ui/skin/SkinButton.h"

#include <QKeyEvent>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

#include <array>
#include <optional>

namespace tonlira {
namespace {

struct ButtonRow {
    ControlId id;
    int x;
    ImageId image;
};

// Three groups: play, pause, stop; rewind, fast forward; previous, next.
constexpr int buttonTop = 78;
constexpr int buttonSize = 47;
constexpr std::array transportButtons{
    ButtonRow{ControlId::PlayButton, 5, ImageId::Play},
    ButtonRow{ControlId::PauseButton, 52, ImageId::Pause},
    ButtonRow{ControlId::StopButton, 99, ImageId::Stop},
    ButtonRow{ControlId::RewindButton, 162, ImageId::Rewind},
    ButtonRow{ControlId::FastForwardButton, 209, ImageId::FastForward},
    ButtonRow{ControlId::PreviousButton, 271, ImageId::Previous},
    ButtonRow{ControlId::NextButton, 318, ImageId::Next},
};

constexpr Geometry playerPanelGeometry{0, 0, layout::playerPanelWidth, layout::playerPanelHeight};
constexpr Geometry sliderGeometry{0, 46, 370, 29};
constexpr Geometry titleDisplayGeometry{5, 5, 360, 40};
constexpr Geometry dialGeometry{365, 1, 130, 130};
constexpr int sliderInitialMaximum = 100;
constexpr int sliderPageFraction = 5;  // a page is this part of the range
constexpr int sliderLineStep = 5000;   // an arrow key's step, in milliseconds
constexpr Colour titleDisplayBackground = 0;

// The position slider's keys, as a track bar takes them: Left and Up step
// back, Right and Down forward, Page Up pages back, Page Down forward, Home
// and End go to the ends.
class PositionSlider final : public TrackSlider {
public:
    using TrackSlider::TrackSlider;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const std::optional<SliderAction> action = actionFor(event->key());
        if (!action) {
            TrackSlider::keyPressEvent(event);
            return;
        }
        triggerAction(*action);
        event->accept();
    }

private:
    static std::optional<SliderAction> actionFor(int key) {
        switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Up: return SliderSingleStepSub;
        case Qt::Key_Right:
        case Qt::Key_Down: return SliderSingleStepAdd;
        case Qt::Key_PageUp: return SliderPageStepSub;
        case Qt::Key_PageDown: return SliderPageStepAdd;
        case Qt::Key_Home: return SliderToMinimum;
        case Qt::Key_End: return SliderToMaximum;
        default: return std::nullopt;
        }
    }
};

}  // namespace

PlayerPanel::PlayerPanel(const PlayerLook& look, const SkinImages& skin, QWidget* parent, ControlMap& controls)
    : QWidget(parent) {
    place(this, playerPanelGeometry);
    setBackground(this, look.player);
    controls[ControlId::PlayerPanel] = this;

    buildButtons(skin, controls);
    buildSlider(look);
    controls[ControlId::PositionSlider] = positionSlider_;

    const Geometry& title = titleDisplayGeometry;
    titleDisplay_ =
        createTitleDisplay(ControlId::TitleDisplay, title.x, title.y, title.width, title.height, QString(),
                           displayFont(), look.scrollSpeed, look.displayText, titleDisplayBackground, this);
    controls[ControlId::TitleDisplay] = titleDisplay_->control;

    volumeDial_ = createDial(ControlId::VolumeDial, dialGeometry.x, dialGeometry.y, dialGeometry.width,
                             volumeDialMaximum, volumeDialStep, look.dialFace, look.player, this);
    setDialValue(volumeDial_.get(), look.dialValue);
    controls[ControlId::VolumeDial] = volumeDial_->control;
    connect(volumeDial_->control, &ImageControl::leftButtonDown, this,
            [this] { emit controlRaised(ControlId::VolumeDial, ControlEventType::LeftClick); });
}

PlayerPanel::~PlayerPanel() = default;

void PlayerPanel::buildButtons(const SkinImages& skin, ControlMap& controls) {
    for (const ButtonRow& row : transportButtons) {
        auto* button = new SkinButton(row.id, skin.pixmap(row.image), this);
        button->setGeometry(row.x, buttonTop, buttonSize, buttonSize);
        button->setFocusPolicy(Qt::NoFocus);
        controls[row.id] = button;
        const ControlId id = row.id;
        connect(button, &QPushButton::clicked, this,
                [this, id] { emit controlRaised(id, ControlEventType::LeftClick); });
    }
}

void PlayerPanel::buildSlider(const PlayerLook& look) {
    positionSlider_ = new PositionSlider(Qt::Horizontal, this);
    place(positionSlider_, sliderGeometry);
    positionSlider_->setRange(0, sliderInitialMaximum);
    fitSliderPage();
    positionSlider_->setSingleStep(sliderLineStep);
    // A click gives it the focus, so the arrows, Page Up/Down, Home and End
    // move it from there.
    positionSlider_->setFocusPolicy(Qt::ClickFocus);
    setBackground(positionSlider_, look.player);
    // The program's own changes are made with the slider's signals blocked,
    // so what arrives here is the person's.
    auto sliderChanged = [this] { emit controlRaised(ControlId::PositionSlider, ControlEventType::Change); };
    connect(positionSlider_, &QSlider::valueChanged, this, sliderChanged);
    connect(positionSlider_, &QSlider::sliderReleased, this, sliderChanged);
}

void PlayerPanel::setSliderRange(int maximum) {
    if (maximum == positionSlider_->maximum()) {
        return;
    }
    const QSignalBlocker quiet(positionSlider_);
    positionSlider_->setMaximum(maximum);
    fitSliderPage();
}

void PlayerPanel::fitSliderPage() {
    // A click on the track and Page Up/Down move by a fifth of the range.
    const int range = positionSlider_->maximum() - positionSlider_->minimum();
    positionSlider_->setPageStep(std::max(1, range / sliderPageFraction));
}

void PlayerPanel::setSliderValue(int value) {
    if (positionSlider_->isSliderDown()) {
        return;  // the person is dragging it
    }
    const QSignalBlocker quiet(positionSlider_);
    positionSlider_->setValue(value);
}

void PlayerPanel::applyColours(const PlayerLook& look) {
    setBackground(this, look.player);
    recolourDial(volumeDial_.get(), look.player, look.dialFace);
    setTitleColours(titleDisplay_.get(), look.displayText, titleDisplayBackground);
    setBackground(positionSlider_, look.player);
}

}  // namespace tonlira
