// Start-up benchmark: how long the real program takes from its start to its
// mapped player window, and how long a refused second instance takes to end.
// Needs an X display (run it under xvfb-run -a); usage:
//   startup_bench TONLIRA_BINARY [RUNS]

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto windowLimit = std::chrono::seconds(10);
constexpr int defaultRuns = 10;

double millis(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

pid_t launch(const std::string& binary) {
    const pid_t pid = fork();
    if (pid == 0) {
        execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

bool isPlayerWindow(Display* display, Window window) {
    char* name = nullptr;
    const bool named = XFetchName(display, window, &name) != 0 && name != nullptr;
    const bool player = named && std::string(name) == "Tonlira";
    if (name != nullptr) {
        XFree(name);
    }
    return player;
}

// Waits for the player window to be mapped; the time it took, or a negative
// value after the limit.
double timeToWindow(Display* display, Clock::time_point start) {
    const int fd = ConnectionNumber(display);
    while (Clock::now() - start < windowLimit) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && isPlayerWindow(display, event.xmap.window)) {
                return millis(Clock::now() - start);
            }
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval wait{0, 5000};
        select(fd + 1, &readable, nullptr, nullptr, &wait);
    }
    return -1.0;
}

void report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    if (times.empty()) {
        std::printf("%s: no runs\n", what);
        return;
    }
    std::printf("%-34s median %6.1f ms   min %6.1f ms   max %6.1f ms   (%zu runs)\n", what, times[times.size() / 2],
                times.front(), times.back(), times.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s TONLIRA_BINARY [RUNS]\n", argv[0]);
        return 2;
    }
    const std::string binary = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : defaultRuns;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    char folder[] = "/tmp/tonlira-startup-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 2;
    }
    setenv("appdata", folder, 1);
    std::filesystem::create_directories(std::string(folder) + "/Tonlira");
    std::ofstream(std::string(folder) + "/Tonlira/Tonlira.prefs", std::ios::binary)
        << "[Allgemein]\r\nmehrere_instanzen = 0\r\n";

    std::vector<double> toWindow;
    std::vector<double> refused;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        const pid_t first = launch(binary);
        const double shown = timeToWindow(display, start);
        if (shown >= 0) {
            toWindow.push_back(shown);
            // A second start beside the running one, which may not run.
            const auto again = Clock::now();
            const pid_t second = launch(binary);
            int status = 0;
            waitpid(second, &status, 0);
            refused.push_back(millis(Clock::now() - again));
        }
        stop(first);
    }
    std::filesystem::remove_all(folder);
    XCloseDisplay(display);

    report("start to mapped player window", toWindow);
    report("refused second instance ends", refused);
    return toWindow.size() == static_cast<std::size_t>(runs) ? 0 : 1;
}
