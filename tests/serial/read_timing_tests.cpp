#include <gtest/gtest.h>

#include "serial/port_timeouts.h"

namespace q36::test {
namespace {

using std::chrono::milliseconds;
constexpr uint32_t kMax = 0xFFFFFFFFu;

TEST(ReadTiming, TimeoutsGiveTheIdleAndTotalRulesOfARequest) {
    struct Case {
        CommTimeouts timeouts;
        std::optional<milliseconds> idle;
        std::optional<milliseconds> total;
    };
    const Case cases[] = {
        {{100, 0, 0, 0, 0}, milliseconds(100), std::nullopt},
        {{0, 0, 0, 0, 0}, std::nullopt, std::nullopt},
        {{0, 2, 50, 0, 0}, std::nullopt, milliseconds(2 * 2048 + 50)},
        {{kMax, 0, 0, 0, 0}, milliseconds(0), std::nullopt},
        {{kMax, kMax, 300, 0, 0}, milliseconds(0), milliseconds(300)},
        // No overflow of 32 bits.
        {{0, kMax, kMax, 0, 0}, std::nullopt, milliseconds(uint64_t{kMax} * 2048 + kMax)},
    };
    for (const Case& c : cases) {
        const ReadTiming timing = ReadTimingOf(c.timeouts, 2048);
        EXPECT_EQ(timing.idle, c.idle);
        EXPECT_EQ(timing.total, c.total);
    }
}

}  // namespace
}  // namespace q36::test
