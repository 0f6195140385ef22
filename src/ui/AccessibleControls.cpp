#include "ui/AccessibleControls.h"

#include "ui/Dial.h"
#include "ui/ImageControl.h"
#include "ui/TitleDisplay.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QSlider>

#include <cmath>

namespace tonlira {
namespace {

void announceValue(QObject* control, const QVariant& value) {
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(control, value);
        QAccessible::updateAccessibility(&event);
    }
}

// A slider that reads its value from a dial's voice.
class DialInterface final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    DialInterface(QWidget* control, DialVoice* voice)
        : QAccessibleWidget(control, QAccessible::Slider), voice_(voice) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return voice_ != nullptr ? voice_->valueText() : QString();
        }
        return QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return voice_ != nullptr ? voice_->value() : 0.0F; }
    void setCurrentValue(const QVariant& value) override {
        if (voice_ != nullptr) {
            voice_->turnTo(value.toFloat());
        }
    }
    QVariant maximumValue() const override { return voice_ != nullptr ? voice_->maximum() : 0; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return voice_ != nullptr ? voice_->step() : 0.0F; }

private:
    QPointer<DialVoice> voice_;
};

// Static text whose value is the title its voice keeps.
class TitleInterface final : public QAccessibleWidget {
public:
    TitleInterface(QWidget* control, TitleVoice* voice)
        : QAccessibleWidget(control, QAccessible::StaticText), voice_(voice) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return voice_ != nullptr ? voice_->title() : QString();
        }
        return QAccessibleWidget::text(kind);
    }

private:
    QPointer<TitleVoice> voice_;
};

// A slider of milliseconds whose value reads as a time. The slider itself
// announces its changes.
class TimeSliderInterface final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    TimeSliderInterface(QSlider* slider, TimeSliderVoice* voice)
        : QAccessibleWidget(slider, QAccessible::Slider), voice_(voice) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return voice_ != nullptr ? voice_->text(slider()->value()) : QString();
        }
        return QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return slider()->value(); }
    // As the person moving it: the slider reports the change.
    void setCurrentValue(const QVariant& value) override { slider()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return slider()->maximum(); }
    QVariant minimumValue() const override { return slider()->minimum(); }
    QVariant minimumStepSize() const override { return slider()->singleStep(); }

private:
    QSlider* slider() const { return static_cast<QSlider*>(widget()); }
    QPointer<TimeSliderVoice> voice_;
};

QAccessibleInterface* voiceFactory(const QString& /*className*/, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    auto* voice = widget->findChild<ControlVoice*>(QString(), Qt::FindDirectChildrenOnly);
    return voice != nullptr ? voice->interfaceFor(widget) : nullptr;
}

}  // namespace

DialVoice::DialVoice(Dial* dial, DialDecibels decibels)
    : ControlVoice(dial->control),
      dial_(dial),
      decibels_(std::move(decibels)),
      value_(getDialValue(dial)),
      maximum_(dial->maximum),
      step_(dial->step) {
    connect(dial->control, &ImageControl::imageShown, this, &DialVoice::follow);
}

QAccessibleInterface* DialVoice::interfaceFor(QWidget* control) { return new DialInterface(control, this); }

QString DialVoice::valueText() const { return QStringLiteral("%1 dB").arg(decibels_(value_)); }

void DialVoice::turnTo(float value) { setDialValue(dial_, value); }

void DialVoice::follow() {
    const float now = getDialValue(dial_);
    if (now != value_) {
        value_ = now;
        announceValue(parent(), value_);
    }
}

TitleVoice::TitleVoice(TitleDisplay* display) : ControlVoice(display->control), display_(display) {
    connect(display->control, &ImageControl::imageShown, this, &TitleVoice::follow);
}

QAccessibleInterface* TitleVoice::interfaceFor(QWidget* control) { return new TitleInterface(control, this); }

void TitleVoice::follow() {
    if (display_->text != title_) {
        title_ = display_->text;
        // AT-SPI carries no value for a text: its readers get the title as
        // the description, whose change Qt announces.
        static_cast<QWidget*>(parent())->setAccessibleDescription(title_);
    }
}

TimeSliderVoice::TimeSliderVoice(QSlider* slider, TimeText timeText)
    : ControlVoice(slider), timeText_(std::move(timeText)) {}

QAccessibleInterface* TimeSliderVoice::interfaceFor(QWidget* control) {
    auto* slider = qobject_cast<QSlider*>(control);
    return slider != nullptr ? new TimeSliderInterface(slider, this) : nullptr;
}

void installVoiceFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(voiceFactory);
        return true;
    }();
    (void)installed;
}

void renewInterface(QWidget* control) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(control)));
}

}  // namespace tonlira
