#pragma once
// The taskbar mini-player (window 2): a black 170 x 30 strip with rounded
// corners, five transport buttons and two small ones (song information,
// restore), meant to sit inside the desktop's taskbar.
//
// Passive: it reports presses as control events of window 2 and ignores
// close requests. GUI thread only.

#include "platform/Colour.h"
#include "platform/EventQueue.h"
#include "platform/Ids.h"
#include "ui/skin/SkinImages.h"

#include <QWidget>
#include <QWindow>

#include <map>
#include <memory>

namespace tonlira {

inline constexpr QSize miniPlayerSize{170, 30};
// Each rounded corner is a quarter of a 10 x 10 ellipse.
inline constexpr int roundedCornerEllipse = 10;

// A rectangle of `size` from (0, 0) with corner ellipses 10 x 10.
QRegion roundedShape(const QSize& size);

class MiniPlayerWindow final : public QWidget {
    Q_OBJECT
public:
    explicit MiniPlayerWindow(const SkinImages& skin);
    ~MiniPlayerWindow() override;

    QWidget* control(ControlId id) const;
    // Control numbers in the order the buttons were made.
    const std::vector<ControlId>& creationOrder() const { return order_; }

    // Moves the strip inside the window `host` at `position` (in the host's
    // coordinates). False when the platform cannot host it in a foreign
    // window; the strip then stays a window of its own at `position`.
    bool embedInto(WId host, const QPoint& position);
    bool embedded() const { return host_ != nullptr; }

signals:
    void eventRaised(const tonlira::Event& event);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::map<ControlId, QWidget*> controls_;
    std::vector<ControlId> order_;
    std::unique_ptr<QWindow> host_;
};

}  // namespace tonlira
