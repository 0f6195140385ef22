#include "ui/LibraryPanel.h"

#include "ui/Layout.h"

#include <QContextMenuEvent>
#include <QListWidget>
#include <QTreeWidget>

namespace tonlira {
namespace {

constexpr int sidePanelHeight = 2000;
constexpr Geometry libraryPanelGeometry{0, layout::playerPanelHeight + layout::panelGap, layout::playerPanelWidth,
                                        sidePanelHeight};
constexpr Geometry folderTreeGeometry{5, 25, 220, 190};
constexpr Geometry fileListGeometry{230, 25, 265, 190};

}  // namespace

LibraryPanel::LibraryPanel(const PlayerLook& look, QWidget* parent, ControlMap& controls)
    : QLabel(QStringLiteral("Audiobibliothek"), parent) {
    stylePanel(this, ControlId::LibraryPanel, libraryPanelGeometry, look.player);
    controls[ControlId::LibraryPanel] = this;

    tree_ = new QTreeWidget(this);
    styleList(tree_, folderTreeGeometry, look.library);
    tree_->setHeaderHidden(true);
    tree_->setFrameShape(QFrame::StyledPanel);
    tree_->setFrameShadow(QFrame::Sunken);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    controls[ControlId::LibraryTree] = tree_;
    // A right click reaches the viewport, the menu key the tree itself.
    tree_->installEventFilter(this);
    tree_->viewport()->installEventFilter(this);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this,
            [this] { emit controlRaised(ControlId::LibraryTree, ControlEventType::Change); });
    connect(tree_, &QWidget::customContextMenuRequested, this,
            [this] { emit controlRaised(ControlId::LibraryTree, ControlEventType::RightClick); });

    files_ = new QListWidget(this);
    styleList(files_, fileListGeometry, look.library);
    files_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    files_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    files_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    controls[ControlId::LibraryFiles] = files_;
}

void LibraryPanel::fitHeights(int panelHeight, int treeHeight, int fileListHeight) {
    setGeometry(0, y(), width(), panelHeight);
    tree_->resize(tree_->width(), treeHeight);
    files_->resize(files_->width(), fileListHeight);
}

bool LibraryPanel::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == tree_ || watched == tree_->viewport()) && event->type() == QEvent::ContextMenu) {
        const auto* menu = static_cast<QContextMenuEvent*>(event);
        popupPosition_ = menu->reason() == QContextMenuEvent::Keyboard ? selectedRowAnchor() : menu->globalPos();
    }
    return QLabel::eventFilter(watched, event);
}

QPoint LibraryPanel::selectedRowAnchor() const {
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    if (selected.isEmpty()) {
        return tree_->mapToGlobal(tree_->rect().center());
    }
    const QRect row = tree_->visualItemRect(selected.front());
    return tree_->viewport()->mapToGlobal(row.bottomLeft());
}

void LibraryPanel::applyColours(const PlayerLook& look) {
    setBackground(this, look.player);
    setBackground(tree_, look.library, QPalette::Base);
    setBackground(files_, look.library, QPalette::Base);
}

}  // namespace tonlira
