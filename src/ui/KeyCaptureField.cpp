#include "ui/KeyCaptureField.h"

#include "ui/ShortcutTable.h"

#include <QKeyEvent>

namespace tonlira {
namespace {

bool isModifierKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R: return true;
    default: return false;
    }
}

ShortcutCode modifiersOf(const QKeyEvent& key) {
    const Qt::KeyboardModifiers held = key.modifiers();
    return makeShortcutCode(0, held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::ControlModifier),
                            held.testFlag(Qt::AltModifier));
}

}  // namespace

KeyCaptureField::KeyCaptureField(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setFocusPolicy(Qt::StrongFocus);
}

ShortcutCode KeyCaptureField::code() const { return shortcutKey(code_) == 0 ? noShortcut : code_; }

void KeyCaptureField::setCode(ShortcutCode code) {
    code_ = code;
    setText(QString::fromStdString(shortcutName(code)));
}

bool KeyCaptureField::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // No shortcut of any window takes a key meant for the field.
        event->accept();
        return true;
    case QEvent::KeyPress:
        capture(*static_cast<QKeyEvent*>(event));
        event->accept();
        return true;
    case QEvent::KeyRelease: event->accept(); return true;
    default: return QLineEdit::event(event);
    }
}

void KeyCaptureField::capture(const QKeyEvent& key) {
    if (isModifierKey(key.key())) {
        setCode(modifiersOf(key));
        return;
    }
    if (const auto code = shortcutCodeOf(key)) {
        setCode(*code);
    }
}

}  // namespace tonlira
