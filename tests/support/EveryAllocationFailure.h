#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>

#include "platform/Status.h"
#include "support/AllocationFailure.h"

// Runs `attempt` with its first allocation refused, then its second, and so on until it
// runs through. Each refusal must come back as `message` with `unchanged()` still true.
inline void expectEveryAllocationFailureReported(const std::function<Status()>& attempt,
                                                 const std::string& message,
                                                 const std::function<bool()>& unchanged) {
    size_t failures = 0;
    for (size_t allowed = 0;; ++allowed) {
        Status status;
        bool struck = false;
        {
            const AllocationFailure failing(allowed);
            status = attempt();
            struck = failing.struck();
        }
        if (!struck) {
            EXPECT_TRUE(status) << status.message();
            break;
        }
        ++failures;
        ASSERT_EQ(status.message(), message) << "allocation " << allowed;
        ASSERT_TRUE(unchanged()) << "allocation " << allowed;
    }
    EXPECT_GT(failures, 10u) << "every allocation was tried";
}
