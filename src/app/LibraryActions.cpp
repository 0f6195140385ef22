#include "app/LibraryActions.h"

#include "app/AppState.h"
#include "library/FolderListing.h"
#include "library/Library.h"
#include "platform/Requester.h"
#include "ui/EdgeSnap.h"

#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <algorithm>
#include <utility>

namespace tonlira {
namespace {

// Each tree row keeps the index of its list element, whatever order the
// tree displays its rows in.
constexpr int elementIndexRole = Qt::UserRole;

void appendTreeRow(QTreeWidget* tree, const LibraryFolder& folder, std::size_t index) {
    const int count = tree->topLevelItemCount();
    QTreeWidgetItem* item = nullptr;
    if (folder.level > 0 && count > 0) {
        // Beneath the registered folder added last before it.
        QTreeWidgetItem* parent = nullptr;
        for (int i = 0; i < count; ++i) {
            QTreeWidgetItem* candidate = tree->topLevelItem(i);
            if (parent == nullptr || candidate->data(0, elementIndexRole).toULongLong() >
                                         parent->data(0, elementIndexRole).toULongLong()) {
                parent = candidate;
            }
        }
        item = new QTreeWidgetItem(parent);
    } else {
        item = new QTreeWidgetItem(tree);
    }
    item->setText(0, QString::fromStdString(folder.name));
    item->setData(0, elementIndexRole, QVariant::fromValue<qulonglong>(index));
}

// Sorts the registered folders by name, not their subfolders. Only the
// display changes: the selection, the current row and the expanded folders
// stay as they were, and no change of selection is reported, so the file
// list keeps what it shows.
void sortTopLevel(QTreeWidget* tree) {
    const QSignalBlocker quiet(tree);
    QTreeWidgetItem* current = tree->currentItem();
    const QList<QTreeWidgetItem*> selected = tree->selectedItems();
    std::vector<std::pair<QTreeWidgetItem*, bool>> items;
    while (tree->topLevelItemCount() > 0) {
        QTreeWidgetItem* item = tree->topLevelItem(0);
        items.emplace_back(item, item->isExpanded());
        tree->takeTopLevelItem(0);
    }
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
        return listsBefore(a.first->text(0).toStdString(), b.first->text(0).toStdString());
    });
    for (const auto& [item, expanded] : items) {
        tree->addTopLevelItem(item);
        item->setExpanded(expanded);
    }
    if (current != nullptr) {
        tree->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    }
    for (QTreeWidgetItem* item : selected) {
        item->setSelected(true);
    }
}

// The list element of the selected tree row, or null.
const LibraryFolder* selectedFolder(AppState& app) {
    const QList<QTreeWidgetItem*> selected = app.window->libraryTree()->selectedItems();
    if (selected.isEmpty()) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>(selected.front()->data(0, elementIndexRole).toULongLong());
    return index < app.library.size() ? &app.library[index] : nullptr;
}

}  // namespace

void loadFolder(AppState& app, const std::string& folder) { app.loader.start(folder); }

void openFolder(AppState& app) {
    std::string chosen = requester().chooseFolder(openFolderTitle, app.musicFolder);
    if (chosen.empty()) {
        return;
    }
    if (chosen.back() != '/') {
        chosen += '/';
    }
    loadFolder(app, chosen);
}

void enqueueLibraryEntry(AppState& app) {
    if (const LibraryFolder* folder = selectedFolder(app)) {
        loadFolder(app, folder->path);
    }
}

void clearLibrary(AppState& app) {
    if (!requester().confirm({clearLibraryTitle, clearLibraryQuestion, MessageIcon::None})) {
        return;
    }
    removeStoredLibrary(app.settingsFilePath());
    app.library.clear();
    app.window->libraryTree()->clear();
    app.window->libraryFiles()->clear();
}

void loadLibraryAtStartUp(AppState& app) {
    app.library = loadLibrary(app.settingsFilePath());
    showLibrary(app);
}

void showLibrary(AppState& app) {
    QTreeWidget* tree = app.window->libraryTree();
    tree->clear();
    for (std::size_t i = 0; i < app.library.size(); ++i) {
        appendTreeRow(tree, app.library[i], i);
    }
}

void showFolderContents(AppState& app) {
    if (app.window->libraryTree()->topLevelItemCount() == 0) {
        return;
    }
    QListWidget* files = app.window->libraryFiles();
    files->clear();
    const LibraryFolder* folder = selectedFolder(app);
    if (folder == nullptr) {
        return;
    }
    for (const std::string& name : folderContents(folder->path)) {
        files->addItem(QString::fromStdString(name));
    }
}

void showLibraryPopup(AppState& app) {
    if (!app.window->libraryTree()->selectedItems().isEmpty()) {
        app.window->libraryPopup()->popup(app.window->libraryPopupPosition());
    }
}

void openAddFolderDialog(AppState& app) {
    if (!app.addFolderDialog) {
        app.addFolderDialog = new AddFolderDialog(app.window.get(), app.musicFolder);
        QObject::connect(app.addFolderDialog.data(), &AddFolderDialog::eventRaised,
                         [&events = app.events](const Event& event) { events.post(event); });
        installEdgeSnapping(app.addFolderDialog.data());
    }
    app.addFolderDialog->show();
    app.addFolderDialog->raise();
    app.addFolderDialog->activateWindow();
}

void addFolderMoveRight(AppState& app) {
    if (!app.addFolderDialog) {
        return;
    }
    const std::string path = app.addFolderDialog->selectedFolder();
    if (!path.empty()) {
        app.addFolderDialog->appendRow(folderNameOf(path), path);
    }
}

void addFolderMoveLeft(AppState& app) {
    if (!app.addFolderDialog) {
        return;
    }
    const int row = app.addFolderDialog->selectedRow();
    if (row >= 0) {
        app.addFolderDialog->removeRow(row);
    }
}

void addFolderCommit(AppState& app) {
    if (!app.addFolderDialog) {
        return;
    }
    std::vector<FolderRow> rows;
    for (auto& [name, path] : app.addFolderDialog->rows()) {
        rows.push_back({std::move(name), std::move(path)});
    }
    if (rows.empty()) {
        return;  // the dialog stays open
    }
    QTreeWidget* tree = app.window->libraryTree();
    for (std::size_t i = addFolders(app.library, rows); i < app.library.size(); ++i) {
        appendTreeRow(tree, app.library[i], i);
    }
    sortTopLevel(tree);
    closeAddFolderDialog(app);
}

void closeAddFolderDialog(AppState& app) {
    if (!app.addFolderDialog) {
        return;
    }
    app.addFolderDialog->hide();
    app.addFolderDialog->deleteLater();
    app.addFolderDialog = nullptr;
}

}  // namespace tonlira
