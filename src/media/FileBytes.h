#pragma once
// Reads parts of one file by offset, for the header readers. Little- and
// big-endian numbers out of the bytes read.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tonlira {

class FileBytes {
public:
    explicit FileBytes(const std::filesystem::path& path);
    ~FileBytes();
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    bool open() const { return fd_ >= 0; }
    std::uint64_t size() const { return size_; }
    // Up to `count` bytes at `offset`; fewer at the end of the file.
    std::string read(std::uint64_t offset, std::size_t count) const;

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

inline std::uint64_t littleEndian(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;) {
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

inline std::uint64_t bigEndian(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

}  // namespace tonlira
