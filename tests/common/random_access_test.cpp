#include "common/random_access.h"

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {
// Drawn by a static initialiser, before main: the shared generator must already be usable.
const float drawnAtStartup = Rand01();

constexpr int kDraws = 100000;
}  // namespace

TEST(SharedRandom, UsableDuringStaticInitialisation) {
    EXPECT_GT(drawnAtStartup, 0.0f);
    EXPECT_LE(drawnAtStartup, 1.0f);
}

TEST(SharedRandom, Rand01LiesInHalfOpenUnitInterval) {
    SharedRandom().srand(1);
    double sum = 0.0;
    for (int i = 0; i < kDraws; ++i) {
        const float r = Rand01();
        ASSERT_GT(r, 0.0f);
        ASSERT_LE(r, 1.0f);
        sum += r;
    }
    EXPECT_NEAR(sum / kDraws, 0.5, 0.01);
}

TEST(SharedRandom, Rand11LiesBetweenMinusOneAndOne) {
    SharedRandom().srand(2);
    double sum = 0.0;
    int negative = 0;
    for (int i = 0; i < kDraws; ++i) {
        const float r = Rand11();
        ASSERT_GT(r, -1.0f);
        ASSERT_LE(r, 1.0f);
        sum += r;
        negative += r < 0.0f;
    }
    EXPECT_NEAR(sum / kDraws, 0.0, 0.02);
    EXPECT_NEAR(negative, kDraws / 2, kDraws / 50);
}

TEST(SharedRandom, RandIntIsThirtyOneBits) {
    SharedRandom().srand(3);
    std::uint32_t seen = 0;
    for (int i = 0; i < kDraws; ++i) {
        const std::uint32_t r = RandInt();
        ASSERT_LE(r, 0x7FFFFFFFu);
        seen |= r;
    }
    EXPECT_EQ(seen, 0x7FFFFFFFu);
}

TEST(SharedRandom, SeedingReproducesTheSequence) {
    const auto draw = [] {
        std::vector<float> v;
        for (int i = 0; i < 100; ++i) {
            v.push_back(Rand01());
            v.push_back(Rand11());
            v.push_back(static_cast<float>(RandInt()));
        }
        return v;
    };
    SharedRandom().srand(77);
    const std::vector<float> first = draw();
    SharedRandom().srand(77);
    EXPECT_EQ(draw(), first);
    SharedRandom().srand(78);
    EXPECT_NE(draw(), first);
}

TEST(SharedRandom, AllThreeDrawsShareOneStream) {
    SharedRandom().srand(5);
    Rand01();
    Rand11();
    const std::uint32_t third = RandInt();
    SharedRandom().srand(5);
    RandInt();
    RandInt();
    EXPECT_EQ(RandInt(), third);
}

TEST(SharedRandom, ConcurrentDrawsUseEveryStepOfTheSequenceOnce) {
    constexpr int kThreads = 8, kPerThread = 20000;
    SharedRandom().srand(11);
    std::vector<std::vector<std::uint32_t>> drawn(kThreads);
    {
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&out = drawn[t]] {
                out.reserve(kPerThread);
                for (int i = 0; i < kPerThread; ++i) out.push_back(RandInt());
            });
        for (std::thread& th : threads) th.join();
    }
    std::vector<std::uint32_t> concurrent;
    for (const auto& v : drawn) concurrent.insert(concurrent.end(), v.begin(), v.end());

    SharedRandom().srand(11);
    std::vector<std::uint32_t> sequential;
    for (int i = 0; i < kThreads * kPerThread; ++i) sequential.push_back(RandInt());

    // No draw lost, none repeated: the threads consumed exactly the single-threaded sequence.
    std::sort(concurrent.begin(), concurrent.end());
    std::sort(sequential.begin(), sequential.end());
    EXPECT_EQ(concurrent, sequential);
}

TEST(SharedRandom, ConcurrentFloatDrawsStayInRange) {
    constexpr int kThreads = 8, kPerThread = 20000;
    std::vector<int> bad(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&count = bad[t]] {
            for (int i = 0; i < kPerThread; ++i) {
                const float a = Rand01(), b = Rand11();
                count += !(a > 0.0f && a <= 1.0f) + !(b > -1.0f && b <= 1.0f);
            }
        });
    for (std::thread& th : threads) th.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(bad[t], 0) << t;
}
