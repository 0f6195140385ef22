#include "ui/MiniPlayerWindow.h"

#include "ui/MenuTable.h"
#include "ui/skin/SkinButton.h"

#include <QCloseEvent>
#include <QPainterPath>
#include <QRegion>

#include <array>
#include <optional>

namespace tonlira {
namespace {

struct MiniButton {
    ControlId id;
    QRect geometry;
    ImageId image;
    const char* tooltip;         // null: the label of `item`
    std::optional<MenuId> item;  // the menu item doing what the button does
};

constexpr int bigButton = 26;
constexpr int smallButton = 13;
constexpr int buttonTop = 2;
constexpr Colour stripBackground = 0;  // black

// In the order they are made. The transport buttons carry the tooltips of
// the player's, the menu's words.
const std::array miniButtons{
    MiniButton{ControlId::MiniPrevious,
               {2, buttonTop, bigButton, bigButton},
               ImageId::SmallPrevious,
               nullptr,
               MenuId::Previous},
    MiniButton{ControlId::MiniRewind,
               {32, buttonTop, bigButton, bigButton},
               ImageId::SmallRewind,
               nullptr,
               MenuId::SkipBack},
    MiniButton{
        ControlId::MiniPause, {62, buttonTop, bigButton, bigButton}, ImageId::SmallPause, nullptr, MenuId::PlayPause},
    MiniButton{ControlId::MiniFastForward,
               {92, buttonTop, bigButton, bigButton},
               ImageId::SmallFastForward,
               nullptr,
               MenuId::SkipForward},
    MiniButton{
        ControlId::MiniNext, {122, buttonTop, bigButton, bigButton}, ImageId::SmallNext, nullptr, MenuId::Next},
    MiniButton{ControlId::MiniRestore,
               {152, 16, smallButton, smallButton},
               ImageId::Restore,
               "Fenster wiederherstellen",
               std::nullopt},
    MiniButton{ControlId::MiniSongInfo,
               {152, 2, smallButton, smallButton},
               ImageId::SongInfo,
               "Songinformationen anzeigen",
               std::nullopt},
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
        button->setToolTip(QString::fromUtf8(row.tooltip != nullptr ? row.tooltip : menuLabel(*row.item)));
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
