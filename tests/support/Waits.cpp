#include "support/Waits.h"

#include <thread>

namespace tonlira::test {
namespace {

constexpr auto pollInterval = std::chrono::milliseconds(20);
// Short enough that a change between looks cannot hide for long.
constexpr auto lookInterval = std::chrono::milliseconds(5);

}  // namespace

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(pollInterval);
    }
    return done();
}

::testing::AssertionResult staysFor(std::chrono::milliseconds span, const std::function<bool()>& holds) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        const auto lookedAt = std::chrono::steady_clock::now();
        if (!holds()) {
            const auto held = std::chrono::duration_cast<std::chrono::milliseconds>(lookedAt - start);
            return ::testing::AssertionFailure()
                   << "it stopped holding after " << held.count() << " ms of " << span.count() << " ms";
        }
        if (lookedAt - start >= span) {
            return ::testing::AssertionSuccess();
        }
        std::this_thread::sleep_for(lookInterval);
    }
}

}  // namespace tonlira::test
