#pragma once
// What the playlist and the transport show, on the player window's widgets.
// GUI thread only.

#include "library/PlaylistRows.h"
#include "transport/TransportView.h"

#include <QPointer>

namespace tonlira {

class PlayerWindow;
class SongInfoWindow;

class PlayerViews final : public PlaylistRows, public TransportView {
public:
    explicit PlayerViews(PlayerWindow& window);

    // The song-info window while it exists: its slider and title display
    // are the ones in use then. Null when it is closed.
    void setSongInfo(SongInfoWindow* songInfo) { songInfo_ = songInfo; }

    // PlaylistRows
    void appendRow(const std::string& title, const std::string& length, EntrySerial serial) override;
    void removeRow(int row) override;
    void clearRows() override;
    void selectRow(int row) override;

    // TransportView
    void setSliderMaximum(int maximumMs) override;
    void setSliderValue(int positionMs) override;
    void setPlayerSliderValue(int positionMs) override;
    void setTitleText(const std::string& title) override;
    void setPlayerTitleText(const std::string& title) override;
    void setStatusTitle(const std::string& title) override;
    void setStatusTime(const std::string& time) override;
    float dialValue() const override;

private:
    PlayerWindow& window_;
    QPointer<SongInfoWindow> songInfo_;
};

}  // namespace tonlira
