#include "player/Intervals.h"

#include <gtest/gtest.h>

namespace {

// Time let pass at once must fire each interval as often and in the order real time would.
TEST(IntervalsAdvanceTest, FiresEveryDueCallInOrder) {
    player::Intervals intervals;
    QStringList calls;
    intervals.setInterval([&] { calls << "slow"; }, 45000);
    intervals.setInterval([&] { calls << "fast"; }, 20000);
    intervals.advance(44999);
    EXPECT_EQ(calls, (QStringList{"fast", "fast"}));
    intervals.advance(1);
    EXPECT_EQ(calls, (QStringList{"fast", "fast", "slow"}));
    intervals.advance(90000);
    EXPECT_EQ(calls.count("slow"), 3);
    EXPECT_EQ(calls.count("fast"), 6);
}

TEST(IntervalsAdvanceTest, OneShotClearedInItsCallbackFiresOnce) {
    player::Intervals intervals;
    int calls = 0;
    int handle = 0;
    handle = intervals.setInterval(
        [&] {
            ++calls;
            intervals.clearInterval(handle);
        },
        6000);
    intervals.advance(60000);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(intervals.isActive(handle));
}

TEST(IntervalsAdvanceTest, IntervalSetInACallbackCountsFromThen) {
    player::Intervals intervals;
    int inner = 0;
    intervals.setInterval(
        [&] {
            if (intervals.count() == 1)
                intervals.setInterval([&] { ++inner; }, 1000);
        },
        5000);
    intervals.advance(5999);
    EXPECT_EQ(inner, 0);
    intervals.advance(1);
    EXPECT_EQ(inner, 1);
}

} // namespace
