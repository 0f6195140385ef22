#pragma once
// Waiting in tests on conditions rather than for fixed times: until something
// holds, or (for what must not happen) watching that it keeps holding.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace tonlira::test {

// Polls `done` until it holds or `limit` passes.
bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10));

// That something stays so (a paused position stays put, nothing is added
// after a stop) is no condition to wait for: checks `holds` over and over for
// the whole of `span`, the last look at or after its end. Fails at the first
// look where it does not hold, saying how long it held.
::testing::AssertionResult staysFor(std::chrono::milliseconds span, const std::function<bool()>& holds);

}  // namespace tonlira::test
