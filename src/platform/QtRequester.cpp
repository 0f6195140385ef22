#include "platform/QtRequester.h"

#include "platform/GuiThread.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace tonlira {
namespace {

QWidget* ownerWindow() {
    // The box belongs to the application's active window when it has one.
    return QApplication::activeWindow();
}

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// "Audio Dateien (.mp3)|*.mp3;*.wav" becomes "Audio Dateien (.mp3) (*.mp3 *.wav)";
// the dialog shows only the description (fileDialogOptions).
QString toQtFilter(const std::string& filter) {
    const QString text = QString::fromStdString(filter);
    const QStringList parts = text.split(u'|');
    if (parts.size() < 2) {
        return text;
    }
    QString patterns = parts[1];
    patterns.replace(u';', u' ');
    return parts[0] + QStringLiteral(" (") + patterns + u')';
}

// Message texts keep the program's CR LF line breaks; Qt breaks at LF alone.
QString displayText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

// Filters are listed by their description alone, as "Desc|*.a;*.b" means:
// the patterns select the files but are not shown a second time.
constexpr QFileDialog::Options fileDialogOptions = QFileDialog::HideNameFilterDetails;

// One worker waiting for its message box to be answered.
struct WorkerWait {
    std::mutex mutex;
    std::condition_variable changed;
    bool answered = false;      // guarded by mutex
    QPointer<QMessageBox> box;  // GUI thread only

    void answer() {
        {
            std::lock_guard lock(mutex);
            answered = true;
        }
        changed.notify_all();
    }
    bool isAnswered() {
        std::lock_guard lock(mutex);
        return answered;
    }
};

struct WorkerWaits {
    std::mutex mutex;
    bool released = false;                             // guarded by mutex
    std::vector<std::shared_ptr<WorkerWait>> waiting;  // guarded by mutex
};

WorkerWaits& workerWaits() {
    static WorkerWaits waits;
    return waits;
}

}  // namespace

void releaseWorkerMessages(bool released) {
    std::vector<std::shared_ptr<WorkerWait>> waiting;
    {
        WorkerWaits& waits = workerWaits();
        std::lock_guard lock(waits.mutex);
        waits.released = released;
        if (released) {
            waiting = waits.waiting;
        }
    }
    for (const auto& wait : waiting) {
        wait->answer();
        if (isGuiThread() && wait->box) {
            wait->box->deleteLater();
        }
    }
}

void QtRequester::showMessage(const MessageRequest& request) {
    if (isGuiThread()) {
        QMessageBox box(toQt(request.icon), QString::fromStdString(request.title), displayText(request.text),
                        QMessageBox::Ok, ownerWindow());
        box.exec();
        return;
    }
    // From a worker: the box opens on the GUI thread without blocking it, so
    // the main loop keeps playing, and only the worker waits for the answer.
    auto wait = std::make_shared<WorkerWait>();
    WorkerWaits& waits = workerWaits();
    {
        std::lock_guard lock(waits.mutex);
        if (waits.released) {
            return;
        }
        waits.waiting.push_back(wait);
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), [request, wait] {
        if (wait->isAnswered()) {
            return;  // released before it could be shown
        }
        auto* box = new QMessageBox(toQt(request.icon), QString::fromStdString(request.title),
                                    displayText(request.text), QMessageBox::Ok, ownerWindow());
        box->setAttribute(Qt::WA_DeleteOnClose);
        // Destroyed also when the program ends with the box still open.
        QObject::connect(box, &QObject::destroyed, [wait] { wait->answer(); });
        wait->box = box;
        // Only the worker waits for the answer: the player's windows stay
        // usable meanwhile, so the person can still quit.
        box->setWindowModality(Qt::NonModal);
        box->show();
    });
    {
        std::unique_lock lock(wait->mutex);
        wait->changed.wait(lock, [&] { return wait->answered; });
    }
    std::lock_guard lock(waits.mutex);
    waits.waiting.erase(std::find(waits.waiting.begin(), waits.waiting.end(), wait));
}

bool QtRequester::confirm(const MessageRequest& request) {
    bool yes = false;
    runOnGuiThread([&] {
        QMessageBox box(toQt(request.icon), QString::fromStdString(request.title), displayText(request.text),
                        QMessageBox::Yes | QMessageBox::No, ownerWindow());
        yes = box.exec() == QMessageBox::Yes;
    });
    return yes;
}

std::vector<std::string> QtRequester::chooseFiles(const std::string& startFolder, const std::string& filter) {
    std::vector<std::string> chosen;
    runOnGuiThread([&] {
        const QStringList files =
            QFileDialog::getOpenFileNames(ownerWindow(), QString(), QString::fromStdString(startFolder),
                                          toQtFilter(filter), nullptr, fileDialogOptions);
        for (const QString& file : files) {
            chosen.push_back(file.toStdString());
        }
    });
    return chosen;
}

std::string QtRequester::chooseFolder(const std::string& title, const std::string& startFolder) {
    std::string chosen;
    runOnGuiThread([&] {
        chosen = QFileDialog::getExistingDirectory(ownerWindow(), QString::fromStdString(title),
                                                   QString::fromStdString(startFolder))
                     .toStdString();
    });
    return chosen;
}

std::optional<Colour> QtRequester::chooseColour(Colour initial) {
    std::optional<Colour> chosen;
    runOnGuiThread([&] {
        const QColor colour = QColorDialog::getColor(toQColor(initial), ownerWindow());
        if (colour.isValid()) {
            chosen = fromQColor(colour);
        }
    });
    return chosen;
}

}  // namespace tonlira
