// What a person waits for, measured on the real program (or any X client)
// from outside: it starts PROGRAM with its arguments, finds the first window
// the process maps (by _NET_WM_PID), and sends that window the window
// manager's ping (_NET_WM_PING) every millisecond until it answers. Then, on
// request, keeps it running: leaves it alone for MEASURE seconds and reads
// the CPU time its threads took, then pings it once every 50 ms for MEASURE
// seconds and reports the median answer, and its resident memory. Needs an
// X display without a window manager (xvfb-run -a): this tool stands in for
// one. Usage:
//   answer_bench [--measure SECONDS] [--settle SECONDS] [--then COMMAND]
//                [--box] PROGRAM [ARGS...]
// --box waits, after the first answer, for a second window of the program
// (a message box) and reports when it mapped, after the first window.
// COMMAND runs through the shell once the program has answered (e.g. a
// remote call that starts playback), before the settling time.
// Prints one line of key=value pairs: mapped_ms, answered_ms, with --box
// box_after_window_ms, then with --measure: ping_median_ms, cpu_percent,
// rss_kib.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
constexpr auto windowLimit = 120s;
constexpr auto answerLimit = 120s;
constexpr auto pingEvery = 1ms;
constexpr auto measurePingEvery = 50ms;
constexpr auto singleAnswerLimit = 2s;

double millis(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::optional<long> windowPid(Display* display, Window window) {
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                           &data) != Success ||
        data == nullptr) {
        return std::nullopt;
    }
    std::optional<long> pid;
    if (items == 1 && format == 32) {
        pid = *reinterpret_cast<long*>(data);
    }
    XFree(data);
    return pid;
}

struct MappedWindow {
    Window window = 0;
    long area = 0;
};

// The mapped windows of `pid`, searched among the root's children (and one
// level below, for window managers that reparent).
std::vector<MappedWindow> windowsOf(Display* display, pid_t pid) {
    Window root = DefaultRootWindow(display);
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> candidates;
    if (XQueryTree(display, root, &root, &parent, &children, &count) != 0 && children != nullptr) {
        for (unsigned int i = 0; i < count; ++i) {
            candidates.push_back(children[i]);
            Window* inner = nullptr;
            unsigned int innerCount = 0;
            Window r = 0;
            Window p = 0;
            if (XQueryTree(display, children[i], &r, &p, &inner, &innerCount) != 0 && inner != nullptr) {
                candidates.insert(candidates.end(), inner, inner + innerCount);
                XFree(inner);
            }
        }
        XFree(children);
    }
    std::vector<MappedWindow> mapped;
    for (const Window window : candidates) {
        XWindowAttributes attributes{};
        if (windowPid(display, window) == pid && XGetWindowAttributes(display, window, &attributes) != 0 &&
            attributes.map_state == IsViewable && long{attributes.width} * attributes.height > 1) {
            mapped.push_back({window, long{attributes.width} * attributes.height});
        }
    }
    return mapped;
}

// The largest: a program may map small helper windows too.
std::optional<Window> findWindow(Display* display, pid_t pid) {
    const std::vector<MappedWindow> mapped = windowsOf(display, pid);
    const auto largest = std::max_element(
        mapped.begin(), mapped.end(), [](const MappedWindow& a, const MappedWindow& b) { return a.area < b.area; });
    return largest != mapped.end() ? std::optional<Window>(largest->window) : std::nullopt;
}

// The program's answer goes to the root window for the window manager
// (SubstructureRedirect), and the X server hands it only to the client that
// selected that; so this tool stands in for the window manager (run it
// without one) and lets every window map and move as asked.
class Pinger {
public:
    Pinger(Display* display, Window window) : display_(display), window_(window) {
        XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask | SubstructureRedirectMask);
        protocols_ = XInternAtom(display_, "WM_PROTOCOLS", False);
        ping_ = XInternAtom(display_, "_NET_WM_PING", False);
    }

    void send() {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window_;
        event.xclient.message_type = protocols_;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(ping_);
        event.xclient.data.l[1] = ++serial_;  // stands for the timestamp
        event.xclient.data.l[2] = static_cast<long>(window_);
        XSendEvent(display_, window_, False, NoEventMask, &event);
        XFlush(display_);
    }

    // True when an answer to a ping not answered before arrived within
    // `limit` (while starting, an answer comes after several pings).
    bool awaitAnswer(Clock::duration limit) {
        const auto end = Clock::now() + limit;
        const int fd = ConnectionNumber(display_);
        while (Clock::now() < end) {
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                passOn(event);
                if (event.type == ClientMessage && event.xclient.message_type == protocols_ &&
                    static_cast<Atom>(event.xclient.data.l[0]) == ping_ && event.xclient.data.l[1] <= serial_ &&
                    event.xclient.data.l[1] > answered_) {
                    answered_ = event.xclient.data.l[1];
                    return true;
                }
            }
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(end - Clock::now());
            timeval wait{0, static_cast<suseconds_t>(std::max<long>(0, std::min<long>(left.count(), 1000)))};
            fd_set set;
            FD_ZERO(&set);
            FD_SET(fd, &set);
            select(fd + 1, &set, nullptr, nullptr, &wait);
        }
        return false;
    }

private:
    void passOn(const XEvent& event) {
        if (event.type == MapRequest) {
            XMapWindow(display_, event.xmaprequest.window);
        } else if (event.type == ConfigureRequest) {
            const XConfigureRequestEvent& asked = event.xconfigurerequest;
            XWindowChanges changes{asked.x,     asked.y,     asked.width, asked.height, asked.border_width,
                                   asked.above, asked.detail};
            XConfigureWindow(display_, asked.window, static_cast<unsigned int>(asked.value_mask), &changes);
        }
    }

    Display* display_;
    Window window_;
    Atom protocols_ = 0;
    Atom ping_ = 0;
    long serial_ = 0;
    long answered_ = 0;
};

// CPU time of all the process's threads, in nanoseconds (the scheduler's
// own account: /proc's clock ticks are too coarse for a share of 0.2 %).
double cpuNanoseconds(pid_t pid) {
    double total = 0;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double running = 0;
        if (schedstat >> running) {
            total += running;
        }
    }
    return total;
}

long residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    double measureSeconds = 0;
    double settleSeconds = 0;
    std::string then;
    bool awaitBox = false;
    int first = 1;
    while (first < argc && std::strncmp(argv[first], "--", 2) == 0) {
        const std::string option = argv[first++];
        if (option == "--box") {
            awaitBox = true;
        } else if (first < argc) {
            const char* value = argv[first++];
            if (option == "--then") {
                then = value;
            } else {
                (option == "--measure" ? measureSeconds : settleSeconds) = std::atof(value);
            }
        }
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: answer_bench [--measure S] [--settle S] [--then C] [--box] PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[first], argv + first);
        _exit(127);
    }
    std::optional<Window> window;
    while (!window && Clock::now() - start < windowLimit) {
        window = findWindow(display, pid);
        if (!window) {
            std::this_thread::sleep_for(pingEvery);
        }
    }
    if (!window) {
        std::fprintf(stderr, "no window\n");
        kill(pid, SIGKILL);
        return 1;
    }
    const double mapped = millis(Clock::now() - start);
    Pinger pinger(display, *window);
    bool answered = false;
    while (!answered && Clock::now() - start < answerLimit) {
        pinger.send();
        answered = pinger.awaitAnswer(pingEvery);
    }
    const double answeredMs = millis(Clock::now() - start);
    std::printf("mapped_ms=%.1f answered_ms=%.1f", mapped, answered ? answeredMs : -1.0);
    if (awaitBox) {
        // A second window of the program (a message box), counted from the
        // first one's mapping.
        std::optional<double> boxMs;
        while (!boxMs && Clock::now() - start < answerLimit) {
            pinger.awaitAnswer(pingEvery);  // lets the windows map
            const std::vector<MappedWindow> windows = windowsOf(display, pid);
            if (std::any_of(windows.begin(), windows.end(),
                            [&](const MappedWindow& w) { return w.window != *window; })) {
                boxMs = millis(Clock::now() - start) - mapped;
            }
        }
        std::printf(" box_after_window_ms=%.1f", boxMs.value_or(-1.0));
    }
    if (!then.empty() && std::system(then.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", then.c_str());
    }
    if (measureSeconds > 0) {
        std::this_thread::sleep_for(std::chrono::duration<double>(settleSeconds));
        // First nobody touches it: the CPU it takes on its own.
        const double cpu0 = cpuNanoseconds(pid);
        const auto quietFrom = Clock::now();
        std::this_thread::sleep_for(std::chrono::duration<double>(measureSeconds));
        const double quietNs = std::chrono::duration<double, std::nano>(Clock::now() - quietFrom).count();
        const double cpu = 100.0 * (cpuNanoseconds(pid) - cpu0) / quietNs;
        // Then pinged every 50 ms: how fast it answers.
        const auto from = Clock::now();
        std::vector<double> answers;
        while (Clock::now() - from < std::chrono::duration<double>(measureSeconds)) {
            const auto sent = Clock::now();
            pinger.send();
            if (pinger.awaitAnswer(singleAnswerLimit)) {
                answers.push_back(millis(Clock::now() - sent));
            }
            std::this_thread::sleep_until(sent + measurePingEvery);
        }
        std::sort(answers.begin(), answers.end());
        const double median = answers.empty() ? -1.0 : answers[answers.size() / 2];
        std::printf(" ping_median_ms=%.2f cpu_percent=%.2f rss_kib=%ld", median, cpu, residentKiB(pid));
    }
    std::printf("\n");
    std::fflush(stdout);
    kill(pid, SIGTERM);
    std::this_thread::sleep_for(200ms);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    return answered ? 0 : 1;
}
