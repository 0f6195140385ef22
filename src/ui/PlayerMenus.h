#pragma once
// The player window's menu bar and the library's popup menu, built from the
// menu table. Passive: choosing an item reports its number; the check marks
// are the application's to flip. GUI thread only.

#include "platform/Ids.h"
#include "ui/skin/SkinImages.h"

#include <QObject>

#include <map>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace tonlira {

class PlayerMenus final : public QObject {
    Q_OBJECT
public:
    PlayerMenus(QMenuBar* bar, const SkinImages& skin, QWidget* owner);

    QAction* item(MenuId id) const;
    QMenu* libraryPopup() const { return libraryPopup_; }

signals:
    void chosen(tonlira::MenuId id);

private:
    void buildMenuBar(QMenuBar* bar, const SkinImages& skin);
    void addItem(QAction* action, MenuId id);

    std::map<MenuId, QAction*> items_;
    QMenu* libraryPopup_ = nullptr;
};

}  // namespace tonlira
