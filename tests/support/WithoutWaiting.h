#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

namespace prefbook::test {

// Runs body in a child process that an alarm ends: code that blocks (a read of a FIFO with no writer)
// then fails the test instead of hanging it. The child's own failed assertions fail the test too.
inline void ExpectNoWait(const std::function<void()>& body, unsigned seconds = 10) {
    EXPECT_EXIT(
        {
            alarm(seconds);
            body();
            _exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace prefbook::test
