// Results come back in order whatever the threads do, with a bounded number
// of them waiting.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "converter/ordered_work.h"

namespace marlit {
namespace {

TEST(OrderedWork, ConsumesInOrderWithBoundedWaiting) {
    for (int jobs : {1, 2, 4}) {
        std::atomic<int> produced{0};
        std::atomic<int> maxAhead{0};
        std::vector<size_t> order;
        runOrdered<size_t>(
            50, jobs,
            [&](size_t i) {
                // Early items take longest, so later ones finish first.
                std::this_thread::sleep_for(std::chrono::microseconds((50 - i) * 20));
                ++produced;
                return i * 3;
            },
            [&](size_t i, size_t&& value) {
                EXPECT_EQ(value, i * 3);
                int ahead = produced.load() - static_cast<int>(order.size());
                int seen = maxAhead.load();
                while (ahead > seen && !maxAhead.compare_exchange_weak(seen, ahead)) {
                }
                order.push_back(i);
            });
        ASSERT_EQ(order.size(), 50u) << jobs;
        for (size_t i = 0; i < order.size(); ++i)
            EXPECT_EQ(order[i], i);
        EXPECT_EQ(produced, 50);
        // At most 2 * jobs results wait; while one is being consumed (it
        // has left the queue but is not yet in `order`) the workers may
        // fill the window behind it, so one more counts as ahead here.
        EXPECT_LE(maxAhead, 2 * std::max(jobs, 1) + 1) << jobs;
    }
    int calls = 0;
    runOrdered<int>(
        0, 4, [&](size_t) { return ++calls; }, [&](size_t, int&&) { ++calls; });
    EXPECT_EQ(calls, 0);
}

// A stop ends the work between pieces: nothing is begun after it, and every
// piece begun before it is still consumed, in order.
TEST(OrderedWork, StopsBetweenPiecesAndConsumesWhatWasBegun) {
    for (int jobs : {1, 3}) {
        std::atomic<bool> stop{false};
        std::atomic<int> begun{0};
        std::atomic<int> begunAfterStop{0};
        std::vector<size_t> order;
        size_t consumed = runOrdered<size_t>(
            100, jobs,
            [&](size_t i) {
                if (stop)
                    ++begunAfterStop;
                ++begun;
                if (i == 10)
                    stop = true;
                return i;
            },
            [&](size_t i, size_t&& value) {
                EXPECT_EQ(value, i);
                order.push_back(i);
            },
            &stop);
        EXPECT_EQ(consumed, order.size()) << jobs;
        EXPECT_EQ(static_cast<int>(consumed), begun.load()) << jobs;
        EXPECT_GE(consumed, 11u) << jobs;
        EXPECT_LT(consumed, 100u) << jobs;
        if (jobs == 1) {
            EXPECT_EQ(consumed, 11u);
            EXPECT_EQ(begunAfterStop, 0);
        }
        for (size_t i = 0; i < order.size(); ++i)
            EXPECT_EQ(order[i], i);
    }
}

}  // namespace
}  // namespace marlit
