#include "ui/ShortcutTable.h"

#include "platform/KeyboardMap.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>

namespace tonlira {
namespace {

bool sameCombination(const ShortcutEntry& entry, ShortcutCode code) {
    return entry.key == shortcutKey(code) && entry.shift == hasShift(code) && entry.control == hasControl(code) &&
           entry.alt == hasAlt(code);
}

}  // namespace

std::optional<ShortcutCode> shortcutCodeOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const PressedKey pressed{event.key(), modifiers.testFlag(Qt::KeypadModifier), event.nativeScanCode(),
                             unshiftedSymbolOf(event.nativeScanCode(), event.nativeModifiers())};
    const auto key = virtualKeyOf(pressed);
    if (!key) {
        return std::nullopt;
    }
    // AltGr counts as Control and Alt, as on the platform the codes come from.
    const bool altGr = modifiers.testFlag(Qt::GroupSwitchModifier);
    return makeShortcutCode(*key, modifiers.testFlag(Qt::ShiftModifier),
                            modifiers.testFlag(Qt::ControlModifier) || altGr,
                            modifiers.testFlag(Qt::AltModifier) || altGr);
}

ShortcutTable::ShortcutTable(QWidget* window) : window_(window) { qApp->installEventFilter(this); }

ShortcutTable::~ShortcutTable() {
    if (qApp != nullptr) {
        qApp->removeEventFilter(this);
    }
}

void ShortcutTable::clear() { entries_.clear(); }

void ShortcutTable::add(ShortcutCode code, MenuId action) {
    if (code == noShortcut) {
        return;
    }
    const auto same = [code](const ShortcutEntry& entry) { return sameCombination(entry, code); };
    if (const auto found = std::find_if(entries_.begin(), entries_.end(), same); found != entries_.end()) {
        found->action = action;
        return;
    }
    entries_.push_back({shortcutKey(code), hasShift(code), hasControl(code), hasAlt(code), action});
}

std::optional<MenuId> ShortcutTable::actionFor(ShortcutCode code) const {
    for (const ShortcutEntry& entry : entries_) {
        if (sameCombination(entry, code)) {
            return entry.action;
        }
    }
    return std::nullopt;
}

bool ShortcutTable::eventFilter(QObject* watched, QEvent* event) {
    // A key reaches the window first and then its focus widget; it is looked
    // up once, on its way to the widget, before that widget sees it.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || window_ == nullptr || entries_.empty()) {
        return false;
    }
    const auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != window_ || QApplication::activeWindow() != window_ ||
        QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr) {
        return false;
    }
    const auto code = shortcutCodeOf(*static_cast<QKeyEvent*>(event));
    if (!code) {
        return false;
    }
    const auto action = actionFor(*code);
    if (!action) {
        return false;
    }
    emit eventRaised(Event::menu(*action));
    return true;
}

}  // namespace tonlira
