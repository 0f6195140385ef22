#include "settings/PrefsStorage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <signal.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <filesystem>
#include <optional>
#include <random>

namespace tonlira {

namespace {

constexpr int kMaxLinkHops = 40;
constexpr int kMaxTempAttempts = 16;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask
constexpr mode_t kPermissionBits = 07777;
constexpr std::size_t kReadChunk = 64 * 1024;

// Closes its descriptor when it goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and says whether the close succeeded.
    bool reset() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

std::string parentFolder(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string fileName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path the chain of symbolic links starting at `path` ends in.
std::string finalTarget(std::string path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t length = readlink(path.c_str(), link.data(), link.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= link.size()) {
            return path;
        }
        link.resize(static_cast<std::size_t>(length));
        path = link.front() == '/' ? link : parentFolder(path) + "/" + link;
    }
    return path;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

struct TempFile {
    std::string path;
    int fd = -1;
};

// Temporary files are named "." + file name + ".tmp-" + writer's process
// id + "-" + a unique tail.
std::string tempPrefix(const std::string& target) { return "." + fileName(target) + ".tmp-"; }

// The writer's process id in a temporary file's name, if it is one of ours.
std::optional<pid_t> tempFileWriter(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix)) {
        return std::nullopt;
    }
    name.remove_prefix(prefix.size());
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (error != std::errc{} || pid <= 0 || end == name.data() + name.size() || *end != '-') {
        return std::nullopt;
    }
    return pid;
}

bool processRuns(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

TempFile createTempBeside(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    std::random_device entropy;
    const std::string stem = parentFolder(target) + "/" + tempPrefix(target) + std::to_string(getpid()) + "-";
    for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
        std::string candidate = stem + std::to_string(counter++) + "-" + std::to_string(entropy());
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (fd >= 0) {
            return {std::move(candidate), fd};
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return {};
}

void syncFolder(const std::string& folder) {
    const FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) {
        fsync(dir.get());
    }
}

}  // namespace

StoredContent readStoredContent(const std::string& path) {
    StoredContent content;
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        const bool missing = errno == ENOENT || errno == ENOTDIR;
        content.status = missing ? StoredContent::Status::Missing : StoredContent::Status::Unreadable;
        return content;
    }
    struct stat info {};
    if (fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        content.status = StoredContent::Status::Unreadable;
        return content;
    }
    std::string chunk(kReadChunk, '\0');
    for (;;) {
        const ssize_t got = ::read(fd.get(), chunk.data(), chunk.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            content.status = StoredContent::Status::Unreadable;
            content.bytes.clear();
            return content;
        }
        if (got == 0) {
            break;
        }
        content.bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
    content.status = StoredContent::Status::Read;
    return content;
}

bool isWritableFile(const std::string& path) { return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0; }

bool createEmptyFile(const std::string& path) {
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kNewFileMode));
    return fd.valid() && fd.reset();
}

bool replaceStoredContent(const std::string& path, std::string_view bytes) {
    const std::string target = finalTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        return false;
    }

    TempFile temp = createTempBeside(target);
    if (temp.fd < 0) {
        return false;
    }
    FileDescriptor fd(temp.fd);
    bool ok = writeAll(fd.get(), bytes) && fsync(fd.get()) == 0;
    if (ok && exists) {
        if (geteuid() == 0) {
            // Keep the owner when a privileged process rewrites someone's file.
            (void)fchown(fd.get(), old.st_uid, old.st_gid);
        }
        ok = fchmod(fd.get(), old.st_mode & kPermissionBits) == 0;
    }
    ok = fd.reset() && ok;
    ok = ok && ::rename(temp.path.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.path.c_str());
        return false;
    }
    syncFolder(parentFolder(target));
    return true;
}

int removeLeftoverTempFiles(const std::string& path) {
    const std::string target = finalTarget(path);
    const std::string prefix = tempPrefix(target);
    std::error_code error;
    std::filesystem::directory_iterator entries(parentFolder(target), error);
    int removed = 0;
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::string name = entries->path().filename().string();
        const auto writer = tempFileWriter(name, prefix);
        // A process id in use may be a new process that happens to carry
        // the dead writer's number: such a file waits for a later start.
        std::error_code typeError;
        if (!writer || processRuns(*writer) || !entries->is_regular_file(typeError)) {
            continue;
        }
        if (::unlink(entries->path().c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace tonlira
