#include "ui/MiniPlayerWindow.h"

#include "ui/skin/SkinButton.h"

#include <QCloseEvent>
#include <QPainterPath>
#include <QRegion>

#include <array>

namespace tonlira {
namespace {

struct MiniButton {
    ControlId id;
    QRect geometry;
    ImageId image;
    const char* tooltip;  // null: none
};

constexpr int bigButton = 26;
constexpr int smallButton = 13;
constexpr int buttonTop = 2;
constexpr Colour stripBackground = 0;  // black

// In the order they are made.
const std::array miniButtons{
    MiniButton{ControlId::MiniPrevious, {2, buttonTop, bigButton, bigButton}, ImageId::SmallPrevious, nullptr},
    MiniButton{ControlId::MiniRewind, {32, buttonTop, bigButton, bigButton}, ImageId::SmallRewind, nullptr},
    MiniButton{ControlId::MiniPause, {62, buttonTop, bigButton, bigButton}, ImageId::SmallPause, nullptr},
    MiniButton{ControlId::MiniFastForward, {92, buttonTop, bigButton, bigButton}, ImageId::SmallFastForward, nullptr},
    MiniButton{ControlId::MiniNext, {122, buttonTop, bigButton, bigButton}, ImageId::SmallNext, nullptr},
    MiniButton{
        ControlId::MiniRestore, {152, 16, smallButton, smallButton}, ImageId::Restore, "Fenster wiederherstellen"},
    MiniButton{
        ControlId::MiniSongInfo, {152, 2, smallButton, smallButton}, ImageId::SongInfo, "Songinformationen anzeigen"},
};

}  // namespace

QRegion roundedShape(const QSize& size) {
    QPainterPath path;
    constexpr qreal radius = roundedCornerEllipse / 2.0;
    path.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), radius, radius);
    return QRegion(path.toFillPolygon().toPolygon());
}

MiniPlayerWindow::MiniPlayerWindow(const SkinImages& skin) : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool) {
    setWindowTitle(QString());
    setFixedSize(miniPlayerSize);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(stripBackground));
    setPalette(palette);
    setAutoFillBackground(true);

    for (const MiniButton& row : miniButtons) {
        auto* button = new SkinButton(row.id, skin.pixmap(row.image), this);
        button->setGeometry(row.geometry);
        button->setFocusPolicy(Qt::NoFocus);
        if (row.tooltip != nullptr) {
            button->setToolTip(QString::fromUtf8(row.tooltip));
        }
        controls_[row.id] = button;
        order_.push_back(row.id);
        const ControlId id = row.id;
        connect(button, &QPushButton::clicked, this, [this, id] {
            emit eventRaised(Event::control(WindowId::MiniPlayer, id, ControlEventType::LeftClick));
        });
    }
    setMask(roundedShape(miniPlayerSize));
}

MiniPlayerWindow::~MiniPlayerWindow() {
    // The strip's window is a child of the host's: it goes first, the host's
    // wrapper after it (the host window itself belongs to another program).
    destroy();
}

QWidget* MiniPlayerWindow::control(ControlId id) const {
    const auto found = controls_.find(id);
    return found != controls_.end() ? found->second : nullptr;
}

bool MiniPlayerWindow::embedInto(WId host, const QPoint& position) {
    std::unique_ptr<QWindow> wrapper(host != 0 ? QWindow::fromWinId(host) : nullptr);
    if (!wrapper) {
        move(position);
        return false;
    }
    winId();  // the strip needs its own native window to move it
    windowHandle()->setParent(wrapper.get());
    host_ = std::move(wrapper);
    windowHandle()->setPosition(position);
    move(position);
    return true;
}

void MiniPlayerWindow::closeEvent(QCloseEvent* event) {
    // Only the restore button brings the player back.
    event->ignore();
    emit eventRaised(Event::close(WindowId::MiniPlayer));
}

}  // namespace tonlira
