#pragma once
// The key-capture field of the settings window: shows one key combination by
// its German name and takes the next one pressed while it has the focus.
// Every key is captured with the Shift, Control and Alt held, Tab, Enter,
// Escape, Space and Delete included, instead of doing what they usually do.
// Modifiers pressed without a key leave no combination (the code reads 0).
//
// GUI thread only.

#include "settings/Shortcuts.h"

#include <QLineEdit>

namespace tonlira {

class KeyCaptureField final : public QLineEdit {
    Q_OBJECT
public:
    explicit KeyCaptureField(QWidget* parent);

    // The combination shown; 0 when there is none or only modifiers.
    ShortcutCode code() const;
    void setCode(ShortcutCode code);

protected:
    bool event(QEvent* event) override;

private:
    void capture(const QKeyEvent& key);

    ShortcutCode code_ = noShortcut;
};

}  // namespace tonlira
