// The platform stand-ins: environment lookup, the instance lock across real
// processes, the memory status and the event queue's bounded wait.

#include "platform/Environment.h"
#include "platform/EventQueue.h"
#include "platform/InstanceLock.h"
#include "platform/MemoryStatus.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace tonlira::test {
namespace {

TEST(Environment, LooksUpNamesWithoutRegardToLetterCase) {
    setenv("APPDATA", "/data/app", 1);
    EXPECT_EQ(environmentValue("appdata"), "/data/app");
    EXPECT_EQ(applicationDataFolder(), "/data/app");
    unsetenv("APPDATA");

    EXPECT_FALSE(environmentValue("tonlira_surely_unset").has_value());
    setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(applicationDataFolder(), "/xdg");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(applicationDataFolder(), std::string(std::getenv("HOME")) + "/.config");

    setenv("userprofile", "/home/someone", 1);
    EXPECT_EQ(userProfileFolder(), "/home/someone");
    unsetenv("userprofile");
    EXPECT_EQ(userProfileFolder(), std::getenv("HOME"));
}

// Runs `work` in a child process and returns its exit status.
template <class Work>
int inChild(Work work) {
    const pid_t child = fork();
    if (child == 0) {
        _exit(work());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(InstanceLock, IsHeldSystemWideAndReleasedWhenItsProcessEnds) {
    const std::string name = "tonlira-test-lock-" + std::to_string(getpid());
    {
        const InstanceLock first(name);
        ASSERT_TRUE(first.acquired());
        EXPECT_EQ(InstanceLock(name).outcome(), InstanceLock::Outcome::AlreadyHeld);
        // Another process sees it held too.
        EXPECT_EQ(inChild([&] { return InstanceLock(name).acquired() ? 1 : 0; }), 0);
    }
    // Released with its holder: a process that dies holding it leaves it free.
    EXPECT_EQ(inChild([&] {
                  static InstanceLock held(name);
                  return held.acquired() ? 0 : 1;  // _exit without any cleanup
              }),
              0);
    EXPECT_TRUE(InstanceLock(name).acquired());
}

TEST(MemoryStatus, ReadsTheKernelsFiguresIn64Bits) {
    const auto status =
        parseMemInfo("MemTotal:       25165824 kB\nMemFree:         1000000 kB\nMemAvailable:   18874368 kB\n");
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->totalBytes, 25165824ULL * 1024);
    EXPECT_EQ(status->availableBytes, 18874368ULL * 1024);
    EXPECT_EQ(status->loadPercent, 25U);
    EXPECT_FALSE(parseMemInfo("garbage").has_value());
    EXPECT_TRUE(queryMemoryStatus().has_value());
}

TEST(EventQueue, WaitsBoundedAndDeliversInOrderFromAnyThread) {
    EventQueue queue;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(queue.wait(std::chrono::milliseconds(2)).has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));

    std::thread poster([&] {
        queue.post(Event::menu(MenuId::Stop));
        queue.post(Event::timer(TimerId::Refresh));
    });
    poster.join();
    const auto first = queue.wait(std::chrono::milliseconds(2));
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->kind, EventKind::Menu);
    EXPECT_EQ(first->source, static_cast<int>(MenuId::Stop));
    const auto second = queue.wait(std::chrono::milliseconds(2));
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->source, 280);
    EXPECT_TRUE(queue.empty());
}

TEST(EventQueue, MergesTimerTicksAndHandsThemOutAfterEverythingElse) {
    EventQueue queue;
    for (int tick = 0; tick < 50; ++tick) {
        queue.post(Event::timer(TimerId::Refresh));
        queue.post(Event::timer(TimerId::Refresh, WindowId::MiniPlayer));
    }
    EXPECT_EQ(queue.pending(), 2U) << "one pending tick per timer number and window";
    queue.post(Event::size(WindowId::Player));
    queue.post(Event::menu(MenuId::Stop));
    queue.post(Event::timer(TimerId::Refresh));
    EXPECT_EQ(queue.pending(), 4U);

    const std::vector<std::pair<EventKind, WindowId>> expected{
        {EventKind::Size, WindowId::Player},
        {EventKind::Menu, WindowId::Player},
        {EventKind::Timer, WindowId::Player},
        {EventKind::Timer, WindowId::MiniPlayer},
    };
    for (const auto& [kind, window] : expected) {
        const auto event = queue.wait(std::chrono::milliseconds(2));
        ASSERT_TRUE(event.has_value());
        EXPECT_EQ(event->kind, kind);
        EXPECT_EQ(event->window, window);
    }
    EXPECT_TRUE(queue.empty());
    queue.post(Event::timer(TimerId::Refresh));
    EXPECT_EQ(queue.pending(), 1U) << "a tick taken makes room for the next one";
}

}  // namespace
}  // namespace tonlira::test
