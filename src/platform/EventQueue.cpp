#include "platform/EventQueue.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace tonlira {
namespace {

bool isGuiThreadHere() { return QThread::currentThread() == QCoreApplication::instance()->thread(); }

bool isTimer(const Event& event) { return event.kind == EventKind::Timer; }

bool sameTimer(const Event& a, const Event& b) {
    return isTimer(a) && isTimer(b) && a.source == b.source && a.window == b.window;
}

}  // namespace

namespace {

// Only another thread needs to wake the GUI thread: what the GUI thread
// posts comes from what a wait delivered, and the wait returns once it has
// delivered it, or from a pass, whose next wait finds the event first.
void wakeGuiThread() {
    if (const QCoreApplication* app = QCoreApplication::instance(); app != nullptr && !isGuiThreadHere()) {
        if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(app->thread())) {
            dispatcher->wakeUp();
        }
    }
}

}  // namespace

void EventQueue::post(const Event& event) {
    {
        std::lock_guard lock(mutex_);
        const bool merged = isTimer(event) && std::any_of(events_.begin(), events_.end(),
                                                          [&](const Event& e) { return sameTimer(e, event); });
        if (merged) {
            return;
        }
        events_.push_back(event);
    }
    posted_.notify_one();
    wakeGuiThread();
}

void EventQueue::wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    posted_.notify_one();
    wakeGuiThread();
}

bool EventQueue::postLimited(Event event, EventOrigin origin, std::size_t limit) {
    event.origin = origin;
    {
        std::lock_guard lock(mutex_);
        const auto waiting =
            std::count_if(events_.begin(), events_.end(), [origin](const Event& e) { return e.origin == origin; });
        if (static_cast<std::size_t>(waiting) >= limit) {
            return false;
        }
        events_.push_back(event);
    }
    posted_.notify_one();
    return true;
}

std::optional<Event> EventQueue::take() {
    std::lock_guard lock(mutex_);
    if (events_.empty()) {
        return std::nullopt;
    }
    // The oldest event that is not a timer goes first; a timer only when
    // nothing else waits.
    auto next = std::find_if_not(events_.begin(), events_.end(), isTimer);
    if (next == events_.end()) {
        next = events_.begin();
    }
    const Event event = *next;
    events_.erase(next);
    return event;
}

void EventQueue::sleep(std::chrono::milliseconds limit) {
    {
        std::lock_guard lock(mutex_);
        if (!events_.empty() || woken_ || limit.count() <= 0) {
            woken_ = false;
            return;
        }
    }
    if (QCoreApplication::instance() == nullptr || !isGuiThreadHere()) {
        std::unique_lock lock(mutex_);
        const auto somethingCame = [this] { return !events_.empty() || woken_; };
        if (limit == untilSomething) {
            posted_.wait(lock, somethingCame);
        } else {
            posted_.wait_for(lock, limit, somethingCame);
        }
        woken_ = false;
        return;
    }
    // Qt's dispatcher sleeps until the window system, a Qt timer, a queued
    // call or a wake-up has something; the limit is one more timer.
    std::optional<QTimer> limitTimer;
    if (limit != untilSomething) {
        limitTimer.emplace();
        limitTimer->setSingleShot(true);
        limitTimer->setTimerType(Qt::PreciseTimer);
        limitTimer->start(limit);
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::lock_guard lock(mutex_);
    woken_ = false;
}

std::optional<Event> EventQueue::wait(std::chrono::milliseconds limit) {
    sleep(limit);
    // Then what came in meanwhile is delivered before the queue is read.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return take();
}

std::size_t EventQueue::pending() const {
    std::lock_guard lock(mutex_);
    return events_.size();
}

bool EventQueue::empty() const {
    std::lock_guard lock(mutex_);
    return events_.empty();
}

}  // namespace tonlira
