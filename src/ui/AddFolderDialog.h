#pragma once
// The add-folder dialog: a folder tree of this computer on the left, the
// list of folders to register ("Neue Audio Ordner:") on the right, ">>" and
// "<<" between them, "Abbrechen" and the commit button below.
//
// Passive like the player window: its buttons and its close box are
// reported as events of window 3, and the application decides what happens.
// Non-modal, a child of the player window. GUI thread only.

#include "platform/EventQueue.h"

#include <QDialog>

#include <map>
#include <string>
#include <utility>
#include <vector>

class QFileSystemModel;
class QPushButton;
class QTreeView;
class QTreeWidget;

namespace tonlira {

inline constexpr int addFolderClientWidth = 521;
inline constexpr int addFolderClientHeight = 337;

class AddFolderDialog final : public QDialog {
    Q_OBJECT
public:
    // Opens on `musicFolder`, selected and scrolled into view.
    AddFolderDialog(QWidget* player, const std::string& musicFolder);
    ~AddFolderDialog() override;

    // The folder selected in the tree, ending with "/"; empty for none.
    std::string selectedFolder() const;
    // Selects `folder` in the tree and scrolls it into view.
    void selectFolder(const std::string& folder);

    // The pending list: rows of name and path.
    void appendRow(const std::string& name, const std::string& path);
    std::vector<std::pair<std::string, std::string>> rows() const;
    int selectedRow() const;  // -1 for none
    void removeRow(int row);

    QPushButton* button(ControlId id) const;
    QTreeView* folderTree() const { return tree_; }
    QTreeWidget* list() const { return list_; }

signals:
    void eventRaised(const tonlira::Event& event);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void addButton(ControlId id, const QString& text, const QRect& geometry, bool bold);

    QFileSystemModel* model_ = nullptr;
    QTreeView* tree_ = nullptr;
    QTreeWidget* list_ = nullptr;
    std::map<ControlId, QPushButton*> buttons_;
    std::string pendingSelection_;
};

}  // namespace tonlira
