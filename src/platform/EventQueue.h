#pragma once
// The program's one event queue. Qt delivers window-system input to the
// widgets; the wiring turns what the widgets report into Events posted here,
// and the main loop takes them one at a time with a bounded wait.
//
// Timer events behave as a window system's timer messages: at most one is
// pending per timer number and window (a tick that finds one waiting is
// merged into it), and they are handed out only when nothing else waits, so
// ticks that fired during a modal box never delay the next command.
//
// Threading: post() may be called from any thread. wait() is for the GUI
// thread only, since it also lets Qt deliver the window system's input.

#include "platform/Ids.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace tonlira {

enum class EventKind : std::uint8_t { Timer, Close, Size, Menu, Control };

enum class ControlEventType : std::uint8_t {
    LeftClick,
    RightClick,
    LeftDoubleClick,
    Change,
    LeftButtonDown,
};

// Who posted an event: the program's own windows, or the desktop's remote
// control, whose events are bounded (postLimited).
enum class EventOrigin : std::uint8_t { Program, Remote };

struct Event {
    EventKind kind = EventKind::Control;
    int source = 0;  // timer number, menu item number or control number
    WindowId window = WindowId::Player;
    ControlEventType type = ControlEventType::LeftClick;  // control events only
    EventOrigin origin = EventOrigin::Program;

    static Event timer(TimerId id, WindowId window = WindowId::Player) {
        return {EventKind::Timer, static_cast<int>(id), window, {}};
    }
    static Event close(WindowId window) { return {EventKind::Close, 0, window, {}}; }
    static Event size(WindowId window) { return {EventKind::Size, 0, window, {}}; }
    static Event menu(MenuId id) { return {EventKind::Menu, static_cast<int>(id), WindowId::Player, {}}; }
    static Event control(WindowId window, ControlId id, ControlEventType type) {
        return {EventKind::Control, static_cast<int>(id), window, type};
    }
};

class EventQueue {
public:
    void post(const Event& event);
    // Posts `event` from `origin` unless `limit` events from there are still
    // waiting; false when it was refused.
    bool postLimited(Event event, EventOrigin origin, std::size_t limit);

    // Sleeps until an event is posted, the window system or Qt has
    // something to deliver, wake() is called, or `limit` passes; lets Qt
    // deliver what came in, then returns the next event: the oldest that is
    // not a timer tick, else the oldest tick. Input therefore ends the wait
    // at once, however long `limit` is. With `untilSomething` only those
    // end it: no timer of its own wakes the thread.
    static constexpr std::chrono::milliseconds untilSomething = std::chrono::milliseconds::max();
    std::optional<Event> wait(std::chrono::milliseconds limit);
    // Ends a wait() in progress (or the next one) without an event. Any thread.
    void wake();

    bool empty() const;
    // Events waiting, timer events included.
    std::size_t pending() const;

private:
    std::optional<Event> take();

    void sleep(std::chrono::milliseconds limit);

    mutable std::mutex mutex_;
    bool woken_ = false;  // guarded by mutex_
    std::condition_variable posted_;
    std::deque<Event> events_;
};

}  // namespace tonlira
