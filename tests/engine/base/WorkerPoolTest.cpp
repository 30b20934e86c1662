#include "base/WorkerPool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace gp {
namespace {

TEST(WorkerPool, RunsEveryJobOnceAndReportsOnTheCallingThreadOnly)
{
    for (int threads : { 1, 2, 3 }) {
        WorkerPool pool(threads);
        EXPECT_EQ(pool.threadCount(), threads);
        std::vector<std::atomic<int>> runs(500);
        const auto caller = std::this_thread::get_id();
        std::vector<int> reported;
        bool foreignReport = false;
        const bool whole = pool.run(
            500, [&](int i) { runs[std::size_t(i)].fetch_add(1); },
            [&](int done) {
                foreignReport = foreignReport || std::this_thread::get_id() != caller;
                reported.push_back(done);
                return true;
            });
        EXPECT_TRUE(whole);
        for (const auto& count : runs)
            EXPECT_EQ(count.load(), 1);
        EXPECT_FALSE(foreignReport);
        ASSERT_FALSE(reported.empty()); // even when the workers took every job
        EXPECT_EQ(reported.back(), 500);
        EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
        if (threads == 1) {
            EXPECT_EQ(reported.size(), 500u); // alone, the caller reports after every job
        }
    }
}

TEST(WorkerPool, AStopStartsNoMoreJobsAndAFailureReachesTheCaller)
{
    WorkerPool pool(2);
    std::atomic<int> started { 0 };
    const bool whole = pool.run(
        400,
        [&](int) {
            started.fetch_add(1);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        },
        [](int) { return false; });
    EXPECT_FALSE(whole);
    EXPECT_LT(started.load(), 10);

    // A stop after the last job still counts as a stop.
    WorkerPool alone(1);
    EXPECT_FALSE(alone.run(1, [](int) {}, [](int) { return false; }));

    EXPECT_THROW(pool.run(
                     50, [](int i) { if (i == 7) throw std::runtime_error("job"); }, [](int) { return true; }),
        std::runtime_error);
    // The pool is whole again afterwards.
    std::atomic<int> after { 0 };
    EXPECT_TRUE(pool.run(64, [&](int) { after.fetch_add(1); }, [](int) { return true; }));
    EXPECT_EQ(after.load(), 64);
}

TEST(WorkerPool, ABatchInsideABatchRunsOnItsCaller)
{
    WorkerPool pool(2);
    std::atomic<int> inner { 0 };
    EXPECT_TRUE(pool.run(
        8,
        [&](int) {
            pool.run(10, [&](int) { inner.fetch_add(1); }, [](int) { return true; });
        },
        [](int) { return true; }));
    EXPECT_EQ(inner.load(), 80);
}

} // namespace
} // namespace gp
