#pragma once
// Polled input: whether a key or the left mouse button is down right now.
// An application-wide event filter follows presses and releases as Qt
// delivers them, so the main loop can poll instead of waiting for events.
//
// GUI thread only.

#include <QObject>

#include <set>

namespace tonlira {

class InputState final : public QObject {
public:
    // Installs the filter on the running application.
    InputState();
    ~InputState() override;

    bool isKeyDown(int qtKey) const { return keysDown_.contains(qtKey); }
    // Whether the key is down now or was pressed since the last call for it,
    // so a tap that began and ended between two polls counts once.
    bool takeKeyPress(int qtKey);
    bool isLeftButtonDown() const { return leftButtonDown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::set<int> keysDown_;
    std::set<int> keysPressed_;  // since the last takeKeyPress() of each
    bool leftButtonDown_ = false;
};

}  // namespace tonlira
