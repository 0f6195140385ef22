#include "media/WarmUpWorker.h"

namespace tonlira {

WarmUpWorker& WarmUpWorker::instance() {
    static WarmUpWorker worker;
    return worker;
}

WarmUpWorker::WarmUpWorker() : thread_([this] { run(); }) {}

WarmUpWorker::~WarmUpWorker() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    changed_.notify_all();
    thread_.join();
}

void WarmUpWorker::post(std::function<void()> job) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) {
            return;
        }
        jobs_.push_back(std::move(job));
    }
    changed_.notify_all();
}

void WarmUpWorker::drain() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopping_ || (jobs_.empty() && !running_); });
}

void WarmUpWorker::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_) {
            return;
        }
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        running_ = true;
        lock.unlock();
        job();
        lock.lock();
        running_ = false;
        changed_.notify_all();
    }
}

}  // namespace tonlira
