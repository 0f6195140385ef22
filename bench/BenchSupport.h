#pragma once
// What the benchmarks share: the clock, durations in seconds, the process's
// resident memory and the verdict printed beside each target.

#include <unistd.h>

#include <chrono>
#include <fstream>

namespace tonlira::bench {

using Clock = std::chrono::steady_clock;

inline double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Resident memory of this process in KiB, from /proc.
inline long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

inline const char* verdict(bool met) { return met ? "met" : "MISSED"; }

}  // namespace tonlira::bench
