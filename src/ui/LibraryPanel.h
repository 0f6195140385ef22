#pragma once
// The library panel below the player panel: the folder tree of the audio
// library and the file list of the selected folder. Passive: it reports the
// tree's selection changes and right clicks. GUI thread only.

#include "platform/EventQueue.h"
#include "ui/PanelStyle.h"
#include "ui/PlayerLook.h"

#include <QLabel>

class QListWidget;
class QTreeWidget;

namespace tonlira {

class LibraryPanel final : public QLabel {
    Q_OBJECT
public:
    // Adds the panel and its controls to `controls`.
    LibraryPanel(const PlayerLook& look, QWidget* parent, ControlMap& controls);

    QTreeWidget* tree() const { return tree_; }
    QListWidget* files() const { return files_; }

    // Fits the panel and its lists to the heights the resize pass gives.
    void fitHeights(int panelHeight, int treeHeight, int fileListHeight);
    void applyColours(const PlayerLook& look);

    // Where the tree's last context menu belongs, in global coordinates:
    // at the pointer for a right click, at the selected row for the
    // keyboard's menu key.
    QPoint popupPosition() const { return popupPosition_; }

signals:
    void controlRaised(tonlira::ControlId id, tonlira::ControlEventType type);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPoint selectedRowAnchor() const;

    QPoint popupPosition_;
    QTreeWidget* tree_ = nullptr;
    QListWidget* files_ = nullptr;
};

}  // namespace tonlira
