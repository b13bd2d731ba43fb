#include <gtest/gtest.h>

#include <optional>

#include "serial/port_timeouts.h"

namespace q36::test {
namespace {

TEST(ReadTiming, TimeoutsGiveTheIdleAndTotalRulesOfARequest) {
    using std::chrono::milliseconds;
    constexpr uint32_t kMax = 0xFFFFFFFFu;
    const struct {
        CommTimeouts timeouts;
        std::optional<milliseconds> idle;
        std::optional<milliseconds> total;
    } cases[] = {
        {{100, 0, 0, 0, 0}, milliseconds(100), std::nullopt},
        {{0, 2, 50, 0, 0}, std::nullopt, milliseconds(2 * 2048 + 50)},
        {{kMax, kMax, 300, 0, 0}, milliseconds(0), milliseconds(300)},  // first byte within 300
        {{0, kMax, kMax, 0, 0}, std::nullopt, milliseconds(uint64_t{kMax} * 2048 + kMax)},
    };
    for (const auto& c : cases) {
        const ReadTiming timing = ReadTimingOf(c.timeouts, 2048);
        EXPECT_EQ(timing.idle, c.idle);
        EXPECT_EQ(timing.total, c.total);
    }
}

}  // namespace
}  // namespace q36::test
