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
                setGeometry(control_->rect());
                setVisible(control_->hasFocus());
                raise();  // above the viewport and scroll bars made after it
                break;
            case QEvent::Resize: setGeometry(control_->rect()); break;
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
    QWidget* const control_;
};

}  // namespace

void addFocusOverlay(QWidget* control) {
    if (control != nullptr) {
        new FocusOverlay(control);  // owned by the control
    }
}

}  // namespace tonlira
