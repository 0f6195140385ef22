#include "app/ShortcutActions.h"

#include "app/AppState.h"
#include "settings/PreferencesFile.h"
#include "ui/ShortcutTable.h"

#include <QAction>

namespace tonlira {
namespace {

// A menu item's text ends in a tab and its shortcut's name; the label is
// what comes before the tab.
constexpr QChar shortcutSeparator = u'\t';

}  // namespace

void registerShortcuts(AppState& app) {
    app.shortcuts->clear();
    PreferencesFile file;
    file.open(app.settingsFilePath());  // without a file, every code reads 0
    const ShortcutCodes codes = readShortcutCodes(file);
    file.close();
    for (int number = 0; number < shortcutActionCount; ++number) {
        app.shortcuts->add(codes[static_cast<std::size_t>(number)], menuItemOf(shortcutActionAt(number)));
    }
}

void labelMenuItems(AppState& app) {
    PreferencesFile file;
    if (!file.open(app.settingsFilePath())) {
        return;
    }
    const ShortcutCodes codes = readShortcutCodes(file);
    file.close();
    for (int number = 0; number < shortcutActionCount; ++number) {
        QAction* item = app.window->menuItem(menuItemOf(shortcutActionAt(number)));
        if (item == nullptr) {
            continue;
        }
        const QString label = item->text().section(shortcutSeparator, 0, 0);
        item->setText(label + shortcutSeparator +
                      QString::fromStdString(shortcutName(codes[static_cast<std::size_t>(number)])));
    }
}

}  // namespace tonlira
