#pragma once
// Ending the process at once, once everything that must outlive it is
// written: what is still held (windows, a playlist of thousands of entries,
// a worker held up in the system) is left to the system to reclaim.

namespace tonlira {

// Flushes the standard streams and ends the process with `code`; no
// destructor runs and no thread is waited for.
[[noreturn]] void endProcessNow(int code);

}  // namespace tonlira
