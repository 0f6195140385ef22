#pragma once
// The player window's shortcut table: key combinations that raise the menu
// event of their command. A key is looked up before the focused control sees
// it, so shortcuts also work while the playlist or the library has the
// keyboard focus; they work only while their window is the active window and
// no popup or modal dialog takes the keys.
//
// GUI thread only.

#include "platform/EventQueue.h"
#include "platform/VirtualKeys.h"
#include "settings/Shortcuts.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <span>
#include <vector>

class QKeyEvent;

namespace tonlira {

struct ShortcutEntry {
    VirtualKey key;
    bool shift;
    bool control;
    bool alt;
    MenuId action;
};

// The code a key event stands for: the virtual key of the physical key with
// the Shift, Control and Alt it was pressed with (AltGr counts as Control and
// Alt); nothing for keys without a virtual key.
std::optional<ShortcutCode> shortcutCodeOf(const QKeyEvent& event);

class ShortcutTable final : public QObject {
    Q_OBJECT
public:
    // Watches the keys of the whole application for those meant for `window`.
    explicit ShortcutTable(QWidget* window);
    ~ShortcutTable() override;

    void clear();
    // Adds the combination of `code` for `action`; a combination already in
    // the table only takes the new action. Code 0 adds nothing.
    void add(ShortcutCode code, MenuId action);
    std::span<const ShortcutEntry> entries() const { return entries_; }
    // The action bound to the combination of `code`, if any.
    std::optional<MenuId> actionFor(ShortcutCode code) const;

signals:
    void eventRaised(const tonlira::Event& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    std::vector<ShortcutEntry> entries_;
};

}  // namespace tonlira
