#include "ui/PlaylistPanel.h"

#include "ui/Layout.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <algorithm>

namespace tonlira {
namespace {

constexpr int sidePanelHeight = 2000;
constexpr Geometry playlistPanelGeometry{layout::playerPanelWidth + layout::panelGap, 0, 200, sidePanelHeight};
constexpr Geometry playlistViewGeometry{5, 25, 190, 370};
constexpr int titleColumnWidth = 116;
constexpr int lengthColumnWidth = 60;
constexpr int titleColumn = 0;
constexpr int lengthColumn = 1;
constexpr int serialRole = Qt::UserRole;  // the entry's serial, on the title cell

// A report list without full-row selection: the selected row is highlighted
// in its title cell only.
class TitleCellSelection final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() != titleColumn) {
            option->state &= ~QStyle::State_Selected;
        }
    }
};

// The selection stays as visible when the list has no focus as when it has.
void keepSelectionVisible(QWidget* view) {
    QPalette palette = view->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    view->setPalette(palette);
}

}  // namespace

PlaylistPanel::PlaylistPanel(const PlayerLook& look, QWidget* parent, ControlMap& controls)
    : QLabel(QStringLiteral("Playlist"), parent) {
    stylePanel(this, ControlId::PlaylistPanel, playlistPanelGeometry, look.player);
    controls[ControlId::PlaylistPanel] = this;

    view_ = new QTreeWidget(this);
    styleList(view_, playlistViewGeometry, look.playlist);
    view_->setColumnCount(2);
    view_->setHeaderLabels({QStringLiteral("Titel"), QStringLiteral("Länge")});
    // The title column, not the length, takes the width the view gains.
    view_->header()->setStretchLastSection(false);
    view_->setColumnWidth(titleColumn, titleColumnWidth);
    view_->setColumnWidth(lengthColumn, lengthColumnWidth);
    view_->setRootIsDecorated(false);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setAllColumnsShowFocus(false);
    view_->setItemDelegate(new TitleCellSelection(view_));
    keepSelectionVisible(view_);
    view_->setFrameShadow(QFrame::Sunken);
    view_->viewport()->installEventFilter(this);
    controls[ControlId::PlaylistView] = view_;
}

EntrySerial PlaylistPanel::selectedSerial() const {
    const QList<QTreeWidgetItem*> selected = view_->selectedItems();
    return selected.isEmpty() ? noEntry : selected.front()->data(titleColumn, serialRole).toULongLong();
}

void PlaylistPanel::appendRow(const QString& title, const QString& length, EntrySerial serial) {
    auto* item = new QTreeWidgetItem({title, length});
    item->setData(titleColumn, serialRole, QVariant::fromValue(qulonglong{serial}));
    view_->addTopLevelItem(item);
}

void PlaylistPanel::fitSizes(QSize panel, QSize view) {
    resize(panel);
    view_->resize(view);
    view_->setColumnWidth(titleColumn,
                          std::max(titleColumnWidth, titleColumnWidth + view.width() - playlistViewGeometry.width));
}

void PlaylistPanel::applyColours(const PlayerLook& look) {
    setBackground(this, look.player);
    setBackground(view_, look.playlist, QPalette::Base);
}

bool PlaylistPanel::eventFilter(QObject* watched, QEvent* event) {
    // A double-click anywhere in the view is reported, with or without a row
    // under the pointer; the selection decides what happens.
    if (watched == view_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        QMetaObject::invokeMethod(
            this, [this] { emit controlRaised(ControlId::PlaylistView, ControlEventType::LeftDoubleClick); },
            Qt::QueuedConnection);
    }
    return QLabel::eventFilter(watched, event);
}

}  // namespace tonlira
