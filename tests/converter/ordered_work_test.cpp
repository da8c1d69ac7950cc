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
        EXPECT_LE(maxAhead, 2 * std::max(jobs, 1)) << jobs;
    }
    int calls = 0;
    runOrdered<int>(
        0, 4, [&](size_t) { return ++calls; }, [&](size_t, int&&) { ++calls; });
    EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace marlit
