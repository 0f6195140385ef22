#include "platform/MemoryStatus.h"

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace tonlira {
namespace {

constexpr std::uint64_t bytesPerKiB = 1024;
constexpr std::uint64_t percent = 100;
constexpr std::size_t meminfoChunk = 4096;

}  // namespace

std::optional<MemoryStatus> parseMemInfo(std::string_view text) {
    // Lines of "Label:   value kB"; only two labels matter.
    const auto valueOf = [text](std::string_view label) -> std::optional<std::uint64_t> {
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.find('\n', at), text.size());
            const std::string_view line = text.substr(at, end - at);
            at = end + 1;
            if (!line.starts_with(label)) {
                continue;
            }
            std::string_view digits = line.substr(label.size());
            digits.remove_prefix(std::min(digits.find_first_not_of(' '), digits.size()));
            std::uint64_t value = 0;
            const auto [last, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
            if (error == std::errc{} && last != digits.data()) {
                return value;
            }
        }
        return std::nullopt;
    };
    const std::optional<std::uint64_t> totalKiB = valueOf("MemTotal:");
    const std::optional<std::uint64_t> availableKiB = valueOf("MemAvailable:");
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
    // Asked ten times a second: the file stays open and is read afresh from
    // its start, which saves looking it up each time.
    static const int meminfo = open("/proc/meminfo", O_RDONLY | O_CLOEXEC);
    if (meminfo < 0) {
        return std::nullopt;
    }
    std::string text;
    std::array<char, meminfoChunk> chunk{};
    for (off_t offset = 0;;) {
        const ssize_t got = pread(meminfo, chunk.data(), chunk.size(), offset);
        if (got <= 0) {
            break;
        }
        text.append(chunk.data(), static_cast<std::size_t>(got));
        offset += got;
    }
    return parseMemInfo(text);
}

void returnFreedMemory() { malloc_trim(0); }

}  // namespace tonlira
