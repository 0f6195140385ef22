#include "ui/AddFolderDialog.h"

#include "ui/Fonts.h"

#include <QCloseEvent>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>

namespace tonlira {
namespace {

constexpr const char* dialogTitle = "Ordner zur Audiobibliothek hinzufügen";
constexpr QRect chooseLabelGeometry{5, 5, 230, 25};
constexpr QRect treeGeometry{5, 35, 230, 245};
constexpr QRect moveRightGeometry{245, 100, 40, 40};
constexpr QRect moveLeftGeometry{245, 170, 40, 40};
constexpr QRect newLabelGeometry{295, 5, 215, 25};
constexpr QRect listGeometry{295, 35, 220, 245};
constexpr QRect lineGeometry{-15, 290, 610, 4};
constexpr QRect cancelGeometry{5, 300, 120, 30};
constexpr QRect commitGeometry{320, 300, 195, 30};
constexpr int nameColumnWidth = 170;
constexpr int pathColumnWidth = 50;
constexpr char pathSeparator = '/';
constexpr int minimumButtonPoints = 6;
constexpr int buttonTextMargin = 12;

// The model's path of a folder: no trailing "/" but for the root.
QString modelPath(std::string folder) {
    while (folder.size() > 1 && folder.back() == pathSeparator) {
        folder.pop_back();
    }
    return QString::fromStdString(folder);
}

QLabel* addLabel(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(captionFont());
    return label;
}

}  // namespace

AddFolderDialog::AddFolderDialog(QWidget* player, const std::string& musicFolder) : QDialog(player) {
    setWindowTitle(QString::fromUtf8(dialogTitle));
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(addFolderClientWidth, addFolderClientHeight);

    addLabel(this, QStringLiteral("Ordner auswählen:"), chooseLabelGeometry);
    addLabel(this, QStringLiteral("Neue Audio Ordner:"), newLabelGeometry);

    // Folders only: every drive (the root "/") and folder of this computer.
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    model_->setRootPath(QString());
    tree_ = new QTreeView(this);
    tree_->setGeometry(treeGeometry);
    tree_->setModel(model_);
    tree_->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column) {
        tree_->hideColumn(column);
    }
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    // The folders below the music folder come in later; keep it in view.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (!pendingSelection_.empty()) {
            tree_->scrollTo(model_->index(modelPath(pendingSelection_)), QAbstractItemView::PositionAtCenter);
        }
    });

    list_ = new QTreeWidget(this);
    list_->setGeometry(listGeometry);
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Pfad")});
    list_->setColumnWidth(0, nameColumnWidth);
    list_->setColumnWidth(1, pathColumnWidth);
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* line = new QFrame(this);
    line->setGeometry(lineGeometry);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    addButton(ControlId::AddFolderMoveRight, QStringLiteral(">>"), moveRightGeometry, true);
    addButton(ControlId::AddFolderMoveLeft, QStringLiteral("<<"), moveLeftGeometry, true);
    addButton(ControlId::AddFolderCancel, QStringLiteral("Abbrechen"), cancelGeometry, false);
    addButton(ControlId::AddFolderCommit, QString::fromUtf8(dialogTitle), commitGeometry, false);

    if (player != nullptr) {
        const QRect frame = player->frameGeometry();
        move(frame.center() - rect().center());
    }
    selectFolder(musicFolder);
}

AddFolderDialog::~AddFolderDialog() = default;

void AddFolderDialog::addButton(ControlId id, const QString& text, const QRect& geometry, bool bold) {
    auto* button = new QPushButton(text, this);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    if (bold) {
        button->setFont(captionFont());
    }
    // The long commit text fits its button in a slightly smaller font where
    // the desktop's font is wider than the button was drawn for.
    QFont font = button->font();
    while (font.pointSize() > minimumButtonPoints &&
           QFontMetrics(font).horizontalAdvance(text) > geometry.width() - buttonTextMargin) {
        font.setPointSize(font.pointSize() - 1);
    }
    button->setFont(font);
    connect(button, &QPushButton::clicked, this,
            [this, id] { emit eventRaised(Event::control(WindowId::AddFolder, id, ControlEventType::LeftClick)); });
    buttons_[id] = button;
}

QPushButton* AddFolderDialog::button(ControlId id) const {
    const auto found = buttons_.find(id);
    return found == buttons_.end() ? nullptr : found->second;
}

void AddFolderDialog::selectFolder(const std::string& folder) {
    const QModelIndex index = model_->index(modelPath(folder));
    if (!index.isValid()) {
        return;
    }
    pendingSelection_ = folder;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) {
        tree_->expand(parent);
    }
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

std::string AddFolderDialog::selectedFolder() const {
    const QModelIndexList selected = tree_->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        return {};
    }
    std::string path = model_->filePath(selected.front()).toStdString();
    if (path.empty()) {
        return {};
    }
    if (path.back() != pathSeparator) {
        path += pathSeparator;
    }
    return path;
}

void AddFolderDialog::appendRow(const std::string& name, const std::string& path) {
    new QTreeWidgetItem(list_, {QString::fromStdString(name), QString::fromStdString(path)});
}

std::vector<std::pair<std::string, std::string>> AddFolderDialog::rows() const {
    std::vector<std::pair<std::string, std::string>> all;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list_->topLevelItem(i);
        all.emplace_back(item->text(0).toStdString(), item->text(1).toStdString());
    }
    return all;
}

int AddFolderDialog::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.front());
}

void AddFolderDialog::removeRow(int row) { delete list_->takeTopLevelItem(row); }

void AddFolderDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit eventRaised(Event::close(WindowId::AddFolder));
}

// Escape, which a dialog takes for "reject", keeps it open with its rows:
// only "Abbrechen" and the close box close it.
void AddFolderDialog::reject() {}

}  // namespace tonlira
