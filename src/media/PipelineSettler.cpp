#include "media/PipelineSettler.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

namespace tonlira {
namespace {

class Settler {
public:
    Settler() : worker_([this] { run(); }) {}
    Settler(const Settler&) = delete;
    Settler& operator=(const Settler&) = delete;

    std::future<void> settle(GstElement* pipeline) {
        Job job{gst::ElementPtr(static_cast<GstElement*>(gst_object_ref(pipeline))), {}};
        std::future<void> done = job.done.get_future();
        {
            std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(job));
        }
        wake_.notify_one();
        return done;
    }

private:
    struct Job {
        gst::ElementPtr pipeline;
        std::promise<void> done;
    };

    void run() {
        std::unique_lock lock(mutex_);
        while (true) {
            wake_.wait(lock, [this] { return !jobs_.empty(); });
            Job job = std::move(jobs_.front());
            jobs_.pop_front();
            lock.unlock();
            gst_element_set_state(job.pipeline.get(), GST_STATE_NULL);
            job.pipeline.reset();
            job.done.set_value();
            lock.lock();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    std::thread worker_;  // last: starts once the members above exist
};

}  // namespace

std::future<void> settleToNull(GstElement* pipeline) {
    // Never destroyed: a folder loader may still add files while the process
    // ends (nothing waits for it), so the helper ends with the process.
    static Settler& settler = *new Settler;
    return settler.settle(pipeline);
}

}  // namespace tonlira
