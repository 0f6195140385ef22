#include "ui/SongInfoWindow.h"

#include "ui/Fonts.h"
#include "ui/ImageControl.h"
#include "ui/MiniPlayerWindow.h"
#include "ui/TrackSlider.h"

#include <QCloseEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QWindow>

namespace tonlira {
namespace {

constexpr QRect titleGeometry{4, 4, 162, 35};
constexpr QRect sliderGeometry{2, 40, 166, 23};
constexpr int sliderInitialMaximum = 100;

}  // namespace

SongInfoWindow::SongInfoWindow(const SongInfoLook& look, QWidget* owner)
    // Placed by the program, exactly where asked; no window manager moves it.
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint) {
    setWindowTitle(QString());
    setFixedSize(songInfoSize);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(look.background));
    setPalette(palette);
    setAutoFillBackground(true);
    setMask(roundedShape(songInfoSize));

    titleDisplay_ = createTitleDisplay(ControlId::SongInfoTitle, titleGeometry.x(), titleGeometry.y(),
                                       titleGeometry.width(), titleGeometry.height(), QString(), displayFont(),
                                       look.scrollSpeed, look.displayText, look.displayBackground, this);

    slider_ = new TrackSlider(Qt::Horizontal, this);
    slider_->setGeometry(sliderGeometry);
    slider_->setRange(0, sliderInitialMaximum);
    slider_->setFocusPolicy(Qt::NoFocus);
    // The program's own changes are made with the slider's signals blocked.
    auto changed = [this] {
        emit eventRaised(Event::control(WindowId::SongInfo, ControlId::SongInfoSlider, ControlEventType::Change));
    };
    connect(slider_, &QSlider::valueChanged, this, changed);
    connect(slider_, &QSlider::sliderReleased, this, changed);

    if (owner != nullptr && owner->windowHandle() != nullptr) {
        winId();
        windowHandle()->setTransientParent(owner->windowHandle());
    }
}

SongInfoWindow::~SongInfoWindow() = default;

void SongInfoWindow::setSliderRange(int maximum) {
    const QSignalBlocker quiet(slider_);
    slider_->setMaximum(maximum);
}

void SongInfoWindow::setSliderValue(int value) {
    if (slider_->isSliderDown()) {
        return;  // the person is dragging it
    }
    const QSignalBlocker quiet(slider_);
    slider_->setValue(value);
}

void SongInfoWindow::closeEvent(QCloseEvent* event) {
    // The window closes through the mini-player's buttons only.
    event->ignore();
    emit eventRaised(Event::close(WindowId::SongInfo));
}

}  // namespace tonlira
