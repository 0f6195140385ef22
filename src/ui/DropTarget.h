#pragma once
// Accepts files and folders dragged from a file manager onto a window and
// reports their local paths once the drop is over. GUI thread only.

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

namespace tonlira {

class FileDropTarget final : public QObject {
    Q_OBJECT
public:
    // Makes `window` accept drops; the target lives as the window's child.
    explicit FileDropTarget(QWidget* window);

    // The local files and folders a drag carries, in its order.
    static QStringList localPaths(const QMimeData* data);

signals:
    // Queued behind the drop, so the file manager is not kept waiting while
    // the files load.
    void pathsDropped(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tonlira
