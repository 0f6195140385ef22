#include "app/PlayerViews.h"

#include "ui/PlayerWindow.h"
#include "ui/PlaylistPanel.h"
#include "ui/SongInfoWindow.h"
#include "ui/StatusBarWidget.h"

#include <QTreeWidget>

namespace tonlira {

PlayerViews::PlayerViews(PlayerWindow& window) : window_(window) {}

void PlayerViews::appendRow(const std::string& title, const std::string& length, EntrySerial serial) {
    window_.playlistPanel()->appendRow(QString::fromStdString(title), QString::fromStdString(length), serial);
}

void PlayerViews::removeRow(int row) {
    QTreeWidget* view = window_.playlistView();
    delete view->takeTopLevelItem(row);
    // The removal takes the selection with it.
    view->clearSelection();
}

void PlayerViews::clearRows() { window_.playlistView()->clear(); }

void PlayerViews::selectRow(int row) {
    QTreeWidget* view = window_.playlistView();
    if (QTreeWidgetItem* item = view->topLevelItem(row)) {
        view->setCurrentItem(item);
        item->setSelected(true);
    }
}

void PlayerViews::setSliderMaximum(int maximumMs) {
    if (songInfo_) {
        songInfo_->setSliderRange(maximumMs);
    } else {
        window_.setSliderRange(maximumMs);
    }
}

void PlayerViews::setSliderValue(int positionMs) {
    if (songInfo_) {
        songInfo_->setSliderValue(positionMs);
    } else {
        window_.setSliderValue(positionMs);
    }
}

void PlayerViews::setPlayerSliderValue(int positionMs) { window_.setSliderValue(positionMs); }

void PlayerViews::setTitleText(const std::string& title) {
    if (songInfo_) {
        tonlira::setTitleText(songInfo_->titleDisplay(), QString::fromStdString(title));
    } else {
        setPlayerTitleText(title);
    }
}

void PlayerViews::setPlayerTitleText(const std::string& title) {
    tonlira::setTitleText(window_.titleDisplay(), QString::fromStdString(title));
}

void PlayerViews::setStatusTitle(const std::string& title) {
    if (StatusBarWidget* bar = window_.statusBarWidget()) {
        bar->setFieldText(StatusBarWidget::Title, QString::fromStdString(title));
    }
}

void PlayerViews::setStatusTime(const std::string& time) {
    if (StatusBarWidget* bar = window_.statusBarWidget()) {
        bar->setFieldText(StatusBarWidget::Time, QString::fromStdString(time));
    }
}

float PlayerViews::dialValue() const { return getDialValue(window_.volumeDial()); }

}  // namespace tonlira
