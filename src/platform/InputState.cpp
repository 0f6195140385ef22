#include "platform/InputState.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tonlira {

InputState::InputState() { qApp->installEventFilter(this); }

InputState::~InputState() {
    if (qApp != nullptr) {
        qApp->removeEventFilter(this);
    }
}

bool InputState::takeKeyPress(int qtKey) {
    const bool pressed = keysPressed_.erase(qtKey) > 0;
    return pressed || isKeyDown(qtKey);
}

bool InputState::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        keysDown_.insert(key->key());
        keysPressed_.insert(key->key());
        break;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            keysDown_.erase(key->key());
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        leftButtonDown_ = mouse->buttons().testFlag(Qt::LeftButton);
        break;
    }
    case QEvent::ApplicationDeactivate:
        // Releases outside the application never reach it.
        keysDown_.clear();
        keysPressed_.clear();
        leftButtonDown_ = false;
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tonlira
