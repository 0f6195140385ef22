#include "media/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tonlira {

FileBytes::FileBytes(const std::filesystem::path& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    struct stat info {};
    if (fd_ >= 0 && fstat(fd_, &info) == 0 && S_ISREG(info.st_mode)) {
        size_ = static_cast<std::uint64_t>(info.st_size);
    } else if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

FileBytes::~FileBytes() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::string FileBytes::read(std::uint64_t offset, std::size_t count) const {
    std::string bytes;
    if (fd_ < 0 || offset >= size_) {
        return bytes;
    }
    bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset)));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace tonlira
