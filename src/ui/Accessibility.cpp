#include "ui/Accessibility.h"

#include "ui/Dial.h"
#include "ui/ImageControl.h"
#include "ui/MenuTable.h"
#include "ui/PlayerWindow.h"
#include "ui/TitleDisplay.h"

#include <QListWidget>
#include <QSlider>
#include <QTreeWidget>


namespace tonlira {
namespace {

constexpr const char* dialName = "Lautstärke";
constexpr const char* titleName = "Titel";
constexpr const char* positionName = "Position";
constexpr const char* playlistName = "Playlist";
constexpr const char* libraryTreeName = "Audiobibliothek";
constexpr const char* libraryFilesName = "Ordnerinhalt";
constexpr const char* rowSeparator = ", ";
constexpr int titleColumn = 0;
constexpr int lengthColumn = 1;

void name(QWidget* widget, const char* text) { widget->setAccessibleName(QString::fromUtf8(text)); }

void speakRow(QTreeWidgetItem* row) {
    const QString speech = playlistRowSpeech(row->text(titleColumn), row->text(lengthColumn));
    // Setting it reports a change of the row, which lands here again.
    if (row->data(titleColumn, Qt::AccessibleTextRole).toString() != speech) {
        row->setData(titleColumn, Qt::AccessibleTextRole, speech);
    }
}

}  // namespace

QString playlistRowSpeech(const QString& title, const QString& length) {
    return length.isEmpty() ? title : title + QString::fromUtf8(rowSeparator) + length;
}

void speakPlaylistRows(QTreeWidget* view) {
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        speakRow(view->topLevelItem(i));
    }
    QObject::connect(view->model(), &QAbstractItemModel::rowsInserted, view,
                     [view](const QModelIndex& parent, int first, int last) {
                         if (parent.isValid()) {
                             return;
                         }
                         for (int i = first; i <= last; ++i) {
                             if (QTreeWidgetItem* row = view->topLevelItem(i)) {
                                 speakRow(row);
                             }
                         }
                     });
    QObject::connect(view, &QTreeWidget::itemChanged, view, [](QTreeWidgetItem* row) { speakRow(row); });
}

void addAccessibility(PlayerWindow& window, DialDecibels decibels, TimeText timeText) {
    installVoiceFactory();

    for (const ControlId button : transportButtonIds) {
        name(window.control(button), transportButtonWords(button));
    }

    QSlider* slider = window.positionSlider();
    name(slider, positionName);
    new TimeSliderVoice(slider, std::move(timeText));
    renewInterface(slider);

    if (Dial* dial = window.volumeDial()) {
        name(dial->control, dialName);
        new DialVoice(dial, std::move(decibels));
        renewInterface(dial->control);
    }

    if (TitleDisplay* title = window.titleDisplay()) {
        name(title->control, titleName);
        new TitleVoice(title);
        renewInterface(title->control);
    }

    name(window.playlistView(), playlistName);
    speakPlaylistRows(window.playlistView());
    name(window.libraryTree(), libraryTreeName);
    name(window.libraryFiles(), libraryFilesName);
}

}  // namespace tonlira
