#pragma once
// The system's physical memory status, and the program's share of it.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tonlira {

struct MemoryStatus {
    std::uint32_t loadPercent = 0;  // share of physical memory in use
    std::uint64_t totalBytes = 0;
    std::uint64_t availableBytes = 0;
};

// Parses the text of /proc/meminfo.
std::optional<MemoryStatus> parseMemInfo(std::string_view text);
// The current status; nothing when it cannot be read.
std::optional<MemoryStatus> queryMemoryStatus();

// Hands memory the program has freed back to the system. The allocator
// keeps freed memory for reuse; after a large batch of frees (a big playlist
// replaced) it would stay resident for the rest of the run.
void returnFreedMemory();

}  // namespace tonlira
