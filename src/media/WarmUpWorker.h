#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace tonlira {

// Runs set-up work ahead of need on a thread of its own: setting up
// GStreamer while the window is built, and loading a format's plugins when
// the first file of that format arrives rather than at start-up or at its
// first play (the audio decoders pull in large libraries).
//
// Threading: any thread may post; the one worker runs the jobs in order.
// The lock guards only the queue and is never held while a job runs. At
// destruction the job running is finished and the rest are dropped.
class WarmUpWorker {
public:
    static WarmUpWorker& instance();

    WarmUpWorker();
    ~WarmUpWorker();
    WarmUpWorker(const WarmUpWorker&) = delete;
    WarmUpWorker& operator=(const WarmUpWorker&) = delete;

    void post(std::function<void()> job);
    // Returns once every job posted before the call has run.
    void drain();

private:
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> jobs_;
    bool running_ = false;  // a job is running outside the lock
    bool stopping_ = false;
    std::thread thread_;  // last: starts once the members above exist
};

}  // namespace tonlira
