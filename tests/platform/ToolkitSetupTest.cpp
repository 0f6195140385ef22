// The standard dialogs as a person sees them: German texts whatever the
// locale, the open-file filter listed once by its description, and no
// settings file of the toolkit left behind.

#include "platform/QtRequester.h"
#include "platform/ToolkitSetup.h"

#include "support/TempDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace tonlira::test {
namespace {

constexpr const char* openFilter = "Audio Dateien (.mp3, .wav, .wma, .ogg, .flac)|*.mp3;*.wav;*.wma;*.ogg;*.flac";

// Runs `look` on the first modal dialog of type `Dialog` that opens, then
// closes it as Cancel would.
template <class Dialog>
void whenOpen(const std::function<void(Dialog&)>& look) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, look] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        look(*dialog);
        dialog->reject();
    });
    poll->start(10);
}

QString buttonText(const QDialogButtonBox* box, QDialogButtonBox::StandardButton which) {
    const QPushButton* button = box != nullptr ? box->button(which) : nullptr;
    return button != nullptr ? button->text() : QString();
}

TEST(ToolkitSetup, StandardDialogsSpeakGermanAndLeaveNoFileBehind) {
    TempDir config;
    TempDir music;
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    setenv("LANG", "en_GB.UTF-8", 1);
    keepToolkitSettingsOffDisk();
    ASSERT_TRUE(loadGermanStandardTexts()) << "qtbase_de missing: install qt6-translations-l10n";

    QMessageBox box(QMessageBox::Question, QStringLiteral("Tonlira"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Nein"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Abbrechen"));

    QString title;
    QString accept;
    QString cancel;
    QStringList listed;
    whenOpen<QFileDialog>([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        const auto* buttons = dialog.findChild<QDialogButtonBox*>();
        accept = buttonText(buttons, QDialogButtonBox::Open);
        cancel = buttonText(buttons, QDialogButtonBox::Cancel);
        if (const auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
            for (int i = 0; i < types->count(); ++i) {
                listed << types->itemText(i);
            }
        }
    });
    QtRequester requester;
    EXPECT_TRUE(requester.chooseFiles(music.path().string(), openFilter).empty());
    EXPECT_EQ(title, QStringLiteral("Öffnen"));
    EXPECT_EQ(accept, QStringLiteral("&Öffnen"));
    EXPECT_EQ(cancel, QStringLiteral("Abbrechen"));
    EXPECT_EQ(listed, QStringList{QStringLiteral("Audio Dateien (.mp3, .wav, .wma, .ogg, .flac)")})
        << "the description once, without the patterns a second time";

    EXPECT_TRUE(std::filesystem::is_empty(config.path())) << "the file dialog wrote its own settings";
    unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace tonlira::test
