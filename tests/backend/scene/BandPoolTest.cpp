// The band pool: every part runs once per run, on any thread count, and a
// failing part is reported to the caller after the others are done.

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "backend/scene/BandPool.h"

namespace limn::sdl {
namespace {

TEST(BandPool, RunsEveryPartOnceOverManyRuns) {
    for (int threads : {1, 2, 3, 8}) {
        BandPool pool(threads);
        for (int parts : {1, 2, 3, 7, 20}) {
            for (int run = 0; run < 50; ++run) {
                std::vector<std::atomic<int>> seen(static_cast<std::size_t>(parts));
                pool.run(parts, [&](int part) { ++seen[static_cast<std::size_t>(part)]; });
                for (int i = 0; i < parts; ++i) ASSERT_EQ(seen[i].load(), 1) << threads << parts;
            }
        }
    }
}

TEST(BandPool, FailingPartIsRethrownAfterTheOthersFinish) {
    BandPool pool(3);
    std::atomic<int> finished = 0;
    EXPECT_THROW(pool.run(6,
                          [&](int part) {
                              if (part == 2) throw std::runtime_error("band");
                              ++finished;
                          }),
                 std::runtime_error);
    EXPECT_EQ(finished.load(), 5);
    // The pool goes on working afterwards.
    pool.run(4, [&](int) { ++finished; });
    EXPECT_EQ(finished.load(), 9);
}

}  // namespace
}  // namespace limn::sdl
