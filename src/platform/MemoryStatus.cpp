#include "platform/MemoryStatus.h"

#include <malloc.h>

#include <fstream>
#include <sstream>

namespace tonlira {
namespace {

constexpr std::uint64_t bytesPerKiB = 1024;
constexpr std::uint64_t percent = 100;

}  // namespace

std::optional<MemoryStatus> parseMemInfo(const std::string& text) {
    std::istringstream lines(text);
    std::string label;
    std::uint64_t value = 0;
    std::string unit;
    std::optional<std::uint64_t> totalKiB;
    std::optional<std::uint64_t> availableKiB;
    while (lines >> label >> value) {
        std::getline(lines, unit);
        if (label == "MemTotal:") {
            totalKiB = value;
        } else if (label == "MemAvailable:") {
            availableKiB = value;
        }
    }
    if (!totalKiB || !availableKiB || *totalKiB == 0) {
        return std::nullopt;
    }
    MemoryStatus status;
    status.totalBytes = *totalKiB * bytesPerKiB;
    status.availableBytes = std::min(*availableKiB, *totalKiB) * bytesPerKiB;
    status.loadPercent =
        static_cast<std::uint32_t>((status.totalBytes - status.availableBytes) * percent / status.totalBytes);
    return status;
}

std::optional<MemoryStatus> queryMemoryStatus() {
    std::ifstream in("/proc/meminfo");
    std::ostringstream text;
    text << in.rdbuf();
    return parseMemInfo(text.str());
}

void returnFreedMemory() { malloc_trim(0); }

}  // namespace tonlira
