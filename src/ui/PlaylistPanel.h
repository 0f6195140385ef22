#pragma once
// The playlist panel right of the player panel: the playlist view with its
// columns "Titel" and "Länge". Passive: it reports double-clicks. GUI thread
// only.

#include "library/PlaylistRows.h"
#include "platform/EventQueue.h"
#include "ui/PanelStyle.h"
#include "ui/PlayerLook.h"

#include <QLabel>

class QTreeWidget;

namespace tonlira {

class PlaylistPanel final : public QLabel {
    Q_OBJECT
public:
    // Adds the panel and its view to `controls`.
    PlaylistPanel(const PlayerLook& look, QWidget* parent, ControlMap& controls);

    QTreeWidget* view() const { return view_; }
    // The serial of the entry on the selected row, noEntry for none.
    EntrySerial selectedSerial() const;
    // A new row for an entry, carrying its serial.
    void appendRow(const QString& title, const QString& length, EntrySerial serial);

    // Fits the panel and its view to the sizes the resize pass gives.
    void fitSizes(QSize panel, QSize view);
    void applyColours(const PlayerLook& look);

signals:
    void controlRaised(tonlira::ControlId id, tonlira::ControlEventType type);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidget* view_ = nullptr;
};

}  // namespace tonlira
