#include "common/random_access.h"

#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {
// Drawn by a static initialiser, before main: the shared generator must already be usable.
const float drawnAtStartup = Rand01();
}  // namespace

// All vehicle workers draw from one generator (TSan watches); draws lie in (0, 1] or (-1, 1].
TEST(SharedRandom, EightThreadsDrawAtOnceWithinRange) {
    EXPECT_TRUE(drawnAtStartup > 0.0f && drawnAtStartup <= 1.0f);
    std::vector<std::thread> threads;
    std::atomic<int> outside{0};
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) outside += !(Rand01() > 0.0f) + !(Rand11() > -1.0f) + (RandInt() > 0x7FFFFFFFu);
        });
    for (std::thread& th : threads) th.join();
    EXPECT_EQ(outside, 0);
}
