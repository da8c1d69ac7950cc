// Runs independent pieces of work on several threads while their results
// are used one by one in the order of the pieces, so that what is written
// does not depend on the number of threads.
#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace marlit {

// Calls produce(i) for every i in [0, count) on up to `jobs` threads and
// consume(i, result) on the calling thread for i = 0, 1, 2 ... in order.
// At most 2·jobs results wait to be consumed, so memory stays bounded.
// Once *stop is set no further piece is begun; the pieces already begun are
// finished and consumed. Returns the number of pieces consumed.
template <class Result>
size_t runOrdered(size_t count, int jobs, const std::function<Result(size_t)>& produce,
                  const std::function<void(size_t, Result&&)>& consume,
                  const std::atomic<bool>* stop = nullptr) {
    auto stopped = [stop] { return stop != nullptr && stop->load(); };
    if (jobs <= 1 || count <= 1) {
        for (size_t i = 0; i < count; ++i) {
            if (stopped())
                return i;
            consume(i, produce(i));
        }
        return count;
    }
    const size_t window = 2 * static_cast<size_t>(jobs);
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::optional<Result>> pending;  // results of [consumed, consumed + size)
    size_t consumed = 0;
    size_t next = 0;

    auto worker = [&] {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock,
                         [&] { return next >= count || stopped() || next < consumed + window; });
            if (next >= count || stopped()) {
                // The consumer may be waiting for a piece that nobody begins now.
                changed.notify_all();
                return;
            }
            const size_t i = next++;
            lock.unlock();
            Result result = produce(i);
            lock.lock();
            const size_t slot = i - consumed;
            if (pending.size() <= slot)
                pending.resize(slot + 1);
            pending[slot] = std::move(result);
            changed.notify_all();
        }
    };
    std::vector<std::thread> threads;
    const size_t threadCount = std::min(static_cast<size_t>(jobs), count);
    for (size_t t = 0; t < threadCount; ++t)
        threads.emplace_back(worker);
    size_t i = 0;
    for (; i < count; ++i) {
        std::optional<Result> result;
        {
            std::unique_lock lock(mutex);
            auto ready = [&] { return !pending.empty() && pending.front().has_value(); };
            // Stopped with nothing begun left to consume: every worker has
            // returned or returns without beginning another piece.
            auto abandoned = [&] { return stopped() && next == consumed; };
            changed.wait(lock, [&] { return ready() || abandoned(); });
            if (!ready())
                break;
            result.emplace(std::move(*pending.front()));
            pending.pop_front();
            ++consumed;
            changed.notify_all();
        }
        consume(i, std::move(*result));
    }
    for (auto& t : threads)
        t.join();
    return i;
}

}  // namespace marlit
