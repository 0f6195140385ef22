#include "ui/ControlAids.h"

#include "ui/Dial.h"
#include "ui/ImageControl.h"
#include "ui/MenuTable.h"
#include "ui/PlayerWindow.h"

#include <QAbstractButton>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QSlider>
#include <QStyle>
#include <QToolTip>
#include <QTreeWidget>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>

namespace tonlira {
namespace {

constexpr int wheelNotch = 120;  // angle delta of one notch, in eighths of a degree
// A notch, an arrow key or a page key turns the dial by one mark: ten
// positions, the steps of the standard volume (5 dB on the volume dial).
constexpr int positionsPerMark = 10;
constexpr int titleColumn = 0;

// The Tab order: the transport buttons left to right, the position slider,
// the dial, then the library and the playlist.
constexpr std::array focusChain{
    ControlId::PlayButton,        ControlId::PauseButton,    ControlId::StopButton,   ControlId::RewindButton,
    ControlId::FastForwardButton, ControlId::PreviousButton, ControlId::NextButton,   ControlId::PositionSlider,
    ControlId::VolumeDial,        ControlId::LibraryTree,    ControlId::LibraryFiles, ControlId::PlaylistView,
};

bool isEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

// Watches the dial and the playlist view for the keys, the wheel and the
// tooltips they answer. It keeps the widgets it watches rather than asking
// the window for them: while the window is being destroyed its children
// still get focus and hide events, and the window is no player window by
// then.
class AidFilter final : public QObject {
public:
    AidFilter(PlayerWindow& window, DecibelsOf decibelsOf)
        : QObject(&window),
          dialControl_(window.control(ControlId::VolumeDial)),
          dial_(window.volumeDial()),
          view_(window.playlistView()),
          viewport_(view_->viewport()),
          raise_([&window](const Event& event) { emit window.eventRaised(event); }),
          decibelsOf_(std::move(decibelsOf)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == dialControl_) {
            return dialEvent(event);
        }
        if (watched == view_) {
            return playlistKey(event);
        }
        if (watched == viewport_ && event->type() == QEvent::ToolTip) {
            return playlistToolTip(static_cast<QHelpEvent*>(event));
        }
        return false;
    }

private:
    bool dialEvent(QEvent* event) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Up:
            case Qt::Key_Right:
            case Qt::Key_PageUp: turnDialByMarks(dial_, 1); return true;
            case Qt::Key_Down:
            case Qt::Key_Left:
            case Qt::Key_PageDown: turnDialByMarks(dial_, -1); return true;
            case Qt::Key_Home: turnDial(dial_, -dialPositions(*dial_)); return true;
            case Qt::Key_End: turnDial(dial_, dialPositions(*dial_)); return true;
            default: return false;
            }
        }
        case QEvent::Wheel: {
            wheelRest_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
            const int notches = wheelRest_ / wheelNotch;
            wheelRest_ -= notches * wheelNotch;
            turnDialByMarks(dial_, notches);
            return true;
        }
        case QEvent::ToolTip:
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), dialToolTip(dial_, decibelsOf_),
                               dialControl_);
            return true;
        default: return false;
        }
    }

    bool playlistKey(QEvent* event) {
        if (event->type() != QEvent::KeyPress || !isEnter(static_cast<QKeyEvent*>(event))) {
            return false;
        }
        // Played as a double-click on the selected row is.
        raise_(Event::control(WindowId::Player, ControlId::PlaylistView, ControlEventType::LeftDoubleClick));
        return true;
    }

    bool playlistToolTip(QHelpEvent* help) {
        const QString tip = cutTitleToolTip(view_, help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), tip, viewport_);
        }
        return true;
    }

    QWidget* const dialControl_;
    Dial* const dial_;
    QTreeWidget* const view_;
    QWidget* const viewport_;
    const std::function<void(const Event&)> raise_;
    DecibelsOf decibelsOf_;
    int wheelRest_ = 0;
};

}  // namespace

bool turnDial(Dial* dial, int steps) {
    if (dial == nullptr || steps == 0) {
        return false;
    }
    const int position = static_cast<int>(std::lround(getDialValue(dial) / dial->step));
    const int target = std::clamp(position + steps, 0, dialPositions(*dial));
    if (target == position) {
        return false;
    }
    return setDialValue(dial, dialTableValue(*dial, target)) == 1;
}

bool turnDialByMarks(Dial* dial, int marks) {
    if (dial == nullptr || marks == 0) {
        return false;
    }
    const int position = static_cast<int>(std::lround(getDialValue(dial) / dial->step));
    // From between two marks the first mark in the direction counts as one.
    const int below = position / positionsPerMark * positionsPerMark;
    const int from = marks > 0 || below == position ? below : below + positionsPerMark;
    return turnDial(dial, from + marks * positionsPerMark - position);
}

QString dialToolTip(const Dial* dial, const DecibelsOf& decibelsOf) {
    return QStringLiteral("%1 dB").arg(decibelsOf(getDialValue(dial)));
}

QString cutTitleToolTip(const QTreeWidget* view, const QPoint& viewportPos) {
    const QTreeWidgetItem* item = view->itemAt(viewportPos);
    if (item == nullptr || view->columnAt(viewportPos.x()) != titleColumn) {
        return {};
    }
    const QString title = item->text(titleColumn);
    // The style leaves a margin either side of an item's text.
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int needed = view->fontMetrics().horizontalAdvance(title) + 2 * margin;
    return needed > view->columnWidth(titleColumn) ? title : QString();
}

void addControlAids(PlayerWindow& window, DecibelsOf decibelsOf) {
    auto* filter = new AidFilter(window, std::move(decibelsOf));

    for (const ControlId button : transportButtonIds) {
        window.control(button)->setToolTip(QString::fromUtf8(transportButtonWords(button)));
    }

    QWidget* previous = nullptr;
    for (const ControlId id : focusChain) {
        QWidget* control = window.control(id);
        control->setFocusPolicy(id == ControlId::VolumeDial ? Qt::WheelFocus : Qt::StrongFocus);
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }

    window.control(ControlId::VolumeDial)->installEventFilter(filter);
    window.playlistView()->installEventFilter(filter);
    window.playlistView()->viewport()->installEventFilter(filter);
}

}  // namespace tonlira
