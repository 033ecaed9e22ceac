#include "common/random_access.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {
// Drawn by a static initialiser, before main: the shared generator must already be usable.
const float drawnAtStartup = Rand01();

}  // namespace

TEST(SharedRandom, Ranges) {
    EXPECT_TRUE(drawnAtStartup > 0.0f && drawnAtStartup <= 1.0f);
    constexpr int kDraws = 100000;
    SharedRandom().srand(1);
    double sum01 = 0.0, sum11 = 0.0;
    int negative = 0;
    std::uint32_t bits = 0;
    for (int i = 0; i < kDraws; ++i) {
        const float a = Rand01(), b = Rand11();
        const std::uint32_t r = RandInt();
        ASSERT_TRUE(a > 0.0f && a <= 1.0f) << a;
        ASSERT_TRUE(b > -1.0f && b <= 1.0f) << b;
        ASSERT_LE(r, 0x7FFFFFFFu);
        sum01 += a, sum11 += b, negative += b < 0.0f, bits |= r;
    }
    EXPECT_NEAR(sum01 / kDraws, 0.5, 0.01);
    EXPECT_NEAR(sum11 / kDraws, 0.0, 0.02);
    EXPECT_NEAR(negative, kDraws / 2, kDraws / 50);
    EXPECT_EQ(bits, 0x7FFFFFFFu);
}

// The vehicle workers all draw from the one generator: TSan watches this.
TEST(SharedRandom, EightThreadsDrawAtOnce) {
    std::vector<std::thread> threads;
    std::atomic<int> outside{0};
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) outside += !(Rand01() > 0.0f && Rand01() <= 1.0f);
        });
    for (std::thread& th : threads) th.join();
    EXPECT_EQ(outside, 0);
}
