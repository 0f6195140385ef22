#pragma once
// What assistive technology (a screen reader through AT-SPI) reads of the
// player's self-drawn controls, which Qt cannot describe by itself: the
// volume dial as a slider whose value reads in decibels, the title display
// as a text whose value is the title, the position slider with its value as
// a time.
//
// Each control gets a voice: a child object that keeps what the control
// says and announces its changes (QAccessible value-change events; for the
// title a change of its description). A
// factory, installed once, gives a control with a voice its accessible
// interface. GUI thread only.

#include <QAccessible>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QSlider;

namespace tonlira {

class ImageControl;
struct Dial;
struct TitleDisplay;

// The volume in decibels for a dial value.
using DialDecibels = std::function<int(float dialValue)>;
// A position in milliseconds as the time it reads, "01:23".
using TimeText = std::function<QString(int ms)>;

// A control's voice; the control owns it.
class ControlVoice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // A new interface for `control` (Qt owns it), or null.
    virtual QAccessibleInterface* interfaceFor(QWidget* control) = 0;
};

// The dial speaks as a slider: its value the dial's, read in decibels. It
// follows every frame the dial shows.
class DialVoice final : public ControlVoice {
    Q_OBJECT
public:
    DialVoice(Dial* dial, DialDecibels decibels);
    QAccessibleInterface* interfaceFor(QWidget* control) override;

    float value() const { return value_; }
    int maximum() const { return maximum_; }
    float step() const { return step_; }
    QString valueText() const;
    // Turns the dial to `value` when it is on the scale.
    void turnTo(float value);

private:
    void follow();

    // Used only when the dial shows a frame or assistive technology turns
    // it, both while the panel owning the dial lives.
    Dial* dial_;
    DialDecibels decibels_;
    float value_ = 0.0F;
    int maximum_ = 0;
    float step_ = 0.0F;
};

// The title display speaks as a text whose value and description are the
// title shown.
class TitleVoice final : public ControlVoice {
    Q_OBJECT
public:
    explicit TitleVoice(TitleDisplay* display);
    QAccessibleInterface* interfaceFor(QWidget* control) override;
    const QString& title() const { return title_; }

private:
    void follow();

    TitleDisplay* display_;  // read only when it shows a frame
    QString title_;
};

// The position slider speaks as a slider whose value reads as a time.
class TimeSliderVoice final : public ControlVoice {
    Q_OBJECT
public:
    TimeSliderVoice(QSlider* slider, TimeText timeText);
    QAccessibleInterface* interfaceFor(QWidget* control) override;
    QString text(int ms) const { return timeText_(ms); }

private:
    TimeText timeText_;
};

// Installs the factory that hands out the voices' interfaces (once per
// process; later calls do nothing).
void installVoiceFactory();

// Drops the interface Qt made for `control` before it had its voice (Qt
// makes them as widgets are built and keeps them), so that the next query
// gets the voice's.
void renewInterface(QWidget* control);

}  // namespace tonlira
