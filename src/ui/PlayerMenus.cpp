#include "ui/PlayerMenus.h"

#include "ui/MenuTable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tonlira {

PlayerMenus::PlayerMenus(QMenuBar* bar, const SkinImages& skin, QWidget* owner) : QObject(owner) {
    buildMenuBar(bar, skin);
    libraryPopup_ = new QMenu(owner);
    addItem(libraryPopup_->addAction(QString::fromUtf8(menuLabel(MenuId::Enqueue))), MenuId::Enqueue);
}

void PlayerMenus::buildMenuBar(QMenuBar* bar, const SkinImages& skin) {
    QMenu* menu = nullptr;
    QMenu* target = nullptr;
    for (const MenuRow& row : menuBarRows()) {
        const QString label = QString::fromUtf8(row.label != nullptr ? row.label : "");
        switch (row.kind) {
        case MenuRow::Kind::Menu:
            menu = bar->addMenu(label);
            target = menu;
            break;
        case MenuRow::Kind::Submenu: target = menu->addMenu(label); break;
        case MenuRow::Kind::EndSubmenu: target = menu; break;
        case MenuRow::Kind::Separator: target->addSeparator(); break;
        case MenuRow::Kind::Command:
        case MenuRow::Kind::Check: {
            QAction* action = target->addAction(label);
            if (row.icon && skin.contains(*row.icon)) {
                action->setIcon(skin.menuIcon(*row.icon));
            }
            if (row.kind == MenuRow::Kind::Check) {
                action->setCheckable(true);
                action->setChecked(row.checkedAtStart);
            }
            addItem(action, row.id);
            break;
        }
        }
    }
}

void PlayerMenus::addItem(QAction* action, MenuId id) {
    items_[id] = action;
    connect(action, &QAction::triggered, this, [this, action, id] {
        // The check mark is the application's to flip, not Qt's.
        if (action->isCheckable()) {
            action->setChecked(!action->isChecked());
        }
        emit chosen(id);
    });
}

QAction* PlayerMenus::item(MenuId id) const {
    const auto found = items_.find(id);
    return found != items_.end() ? found->second : nullptr;
}

}  // namespace tonlira
