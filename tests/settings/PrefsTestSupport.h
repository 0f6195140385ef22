#pragma once
// Helpers shared by the preferences tests.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tonlira::test {

// The lines joined with CR LF after each, as the file writes them.
inline std::string crlfLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (const auto line : lines) {
        text.append(line).append("\r\n");
    }
    return text;
}

inline timespec modificationTime(const std::filesystem::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mtim;
}

inline bool sameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

inline void setMode(const std::filesystem::path& path, mode_t mode) { ::chmod(path.c_str(), mode); }

// Runs `body` in a child process as a user without privileges, so that
// permission bits apply even when the tests run as root. `body` returns ""
// when all went well, else what went wrong; that text is the result.
inline std::string asUnprivilegedUser(const std::function<std::string()>& body) {
    constexpr uid_t kNobody = 65534;
    int channel[2];
    if (pipe(channel) != 0) {
        return "no pipe";
    }
    const pid_t child = fork();
    if (child == 0) {
        ::close(channel[0]);
        if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            _exit(1);
        }
        const std::string failures = body();
        (void)!write(channel[1], failures.data(), failures.size());
        _exit(0);
    }
    ::close(channel[1]);
    std::string failures;
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(channel[0], buffer, sizeof buffer)) > 0) {
        failures.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return "the unprivileged run did not finish";
    }
    return failures;
}

// Adds `what` to `failures` when `ok` is false; for checks inside asUnprivilegedUser.
inline void check(std::string& failures, bool ok, std::string_view what) {
    if (!ok) {
        failures.append(what).append("; ");
    }
}

}  // namespace tonlira::test
