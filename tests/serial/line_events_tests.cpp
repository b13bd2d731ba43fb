#include "serial/line_events.h"

#include <gtest/gtest.h>

#include <functional>

#include "comm_fixture.h"

namespace q36::test {
namespace {

TEST(LineEvents, CounterChangesMapToErrorFlagsAndModemValues) {
    struct Case {
        std::function<void(LineCounters&)> bump;
        uint32_t errorFlags;
        uint32_t modemState;
    };
    const Case cases[] = {
        {[](LineCounters&) {}, 0, 0},
        {[](LineCounters& c) { c.frame += 2; }, CommErrorFrame, 0},
        {[](LineCounters& c) { ++c.parity, ++c.overrun; }, CommErrorRxParity | CommErrorOverrun, 0},
        {[](LineCounters& c) { ++c.bufOverrun, ++c.brk; }, CommErrorRxOver | CommErrorBreak, 0},
        {[](LineCounters& c) { ++c.rng; }, 0, 4},
        {[](LineCounters& c) { ++c.dcd; }, 0, 8},
        {[](LineCounters& c) { ++c.dcd, ++c.rng, ++c.frame; }, CommErrorFrame, 12},
    };
    for (const Case& c : cases) {
        LineCounters before{3, 1, 4, 1, 5, 9, 2};
        LineCounters after = before;
        c.bump(after);
        const LineEvents events = LineEventsBetween(before, after);
        EXPECT_EQ(events.errorFlags, c.errorFlags);
        EXPECT_EQ(events.modemState, c.modemState);
    }
}

TEST(LineEvents, APseudoTerminalHasNoCountersAndThatIsNoFailure) {
    PtyPair pty;
    LineCounters counters;
    EXPECT_EQ(ReadLineCounters(pty.Slave(), counters), CounterRead::Unsupported);
    EXPECT_EQ(ReadLineCounters(-1, counters), CounterRead::Closed);
}

}  // namespace
}  // namespace q36::test
