#include "common/random_access.h"

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {
// Drawn by a static initialiser, before main: the shared generator must already be usable.
const float drawnAtStartup = Rand01();

// Runs f(t) on 8 threads at once.
template <class F>
void OnEightThreads(F f) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) threads.emplace_back(f, t);
    for (std::thread& th : threads) th.join();
}
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

TEST(SharedRandom, ConcurrentDrawsFromEightThreads) {
    // No draw lost, none repeated: the threads consume exactly the single-threaded sequence.
    constexpr int kPerThread = 20000;
    SharedRandom().srand(11);
    std::vector<std::vector<std::uint32_t>> drawn(8);
    OnEightThreads([&](int t) {
        for (int i = 0; i < kPerThread; ++i) drawn[t].push_back(RandInt());
    });
    std::vector<std::uint32_t> concurrent, sequential;
    for (const auto& v : drawn) concurrent.insert(concurrent.end(), v.begin(), v.end());
    SharedRandom().srand(11);
    for (int i = 0; i < 8 * kPerThread; ++i) sequential.push_back(RandInt());
    std::sort(concurrent.begin(), concurrent.end());
    std::sort(sequential.begin(), sequential.end());
    EXPECT_EQ(concurrent, sequential);

    std::vector<int> bad(8, 0);
    OnEightThreads([&](int t) {
        for (int i = 0; i < kPerThread; ++i) {
            const float a = Rand01(), b = Rand11();
            bad[t] += !(a > 0.0f && a <= 1.0f) + !(b > -1.0f && b <= 1.0f);
        }
    });
    EXPECT_EQ(std::count(bad.begin(), bad.end(), 0), 8);
}
