#include "ui/FocusOverlay.h"

#include "ui/FocusFrame.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace tonlira {
namespace {

class FocusOverlay final : public QWidget {
public:
    explicit FocusOverlay(QWidget* control) : QWidget(control), control_(control) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(control->rect());
        control->installEventFilter(this);
        setVisible(control->hasFocus());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == control_) {
            switch (event->type()) {
            case QEvent::FocusIn:
            case QEvent::FocusOut:
            case QEvent::Resize:
                setGeometry(control_->rect());
                setVisible(control_->hasFocus());
                raiseLater();
                break;
            case QEvent::LayoutRequest: raiseLater(); break;
            default: break;
            }
        }
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        drawFocusFrame(painter, *control_, rect());
    }

private:
    // Above the viewport and the scroll bars, which a scroll area raises
    // when it lays them out, after this filter has seen the event.
    void raiseLater() { QMetaObject::invokeMethod(this, &QWidget::raise, Qt::QueuedConnection); }

    QWidget* const control_;
};

}  // namespace

void addFocusOverlay(QWidget* control) {
    if (control != nullptr) {
        new FocusOverlay(control);  // owned by the control
    }
}

}  // namespace tonlira
