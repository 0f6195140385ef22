#include "platform/EventQueue.h"

#include <QCoreApplication>

namespace tonlira {

void EventQueue::post(const Event& event) {
    {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    posted_.notify_one();
}

std::optional<Event> EventQueue::take() {
    std::lock_guard lock(mutex_);
    if (events_.empty()) {
        return std::nullopt;
    }
    const Event event = events_.front();
    events_.pop_front();
    return event;
}

std::optional<Event> EventQueue::wait(std::chrono::milliseconds limit) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (auto event = take()) {
        return event;
    }
    {
        std::unique_lock lock(mutex_);
        posted_.wait_for(lock, limit, [this] { return !events_.empty(); });
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return take();
}

bool EventQueue::empty() const {
    std::lock_guard lock(mutex_);
    return events_.empty();
}

}  // namespace tonlira
