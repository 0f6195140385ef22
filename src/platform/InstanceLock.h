#pragma once
// A named lock shared by every process of the machine. The kernel releases it
// when the holding process ends, however it ends, so a crashed instance never
// blocks later starts.

#include <string>

namespace tonlira {

class InstanceLock {
public:
    enum class Outcome { Acquired, AlreadyHeld, Failed };

    // Tries to take the lock called `name`.
    explicit InstanceLock(const std::string& name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    Outcome outcome() const { return outcome_; }
    bool acquired() const { return outcome_ == Outcome::Acquired; }

private:
    int socket_ = -1;
    Outcome outcome_ = Outcome::Failed;
};

}  // namespace tonlira
