// Motion tracks: thinning by the slope corridor against the samples it was given, the end keys,
// evaluation, capacity and the cases where no key or a repeated key could appear.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "vehicle/motion_track.h"

namespace {

constexpr int kTicks = 160;  // one frame

struct Series {
    std::string name;
    float tolerance;
    std::vector<float> values;  // sample k at time k * kTicks
};

std::vector<Series> MakeSeries() {
    std::mt19937 rng(7);
    std::normal_distribution<float> step(0.0f, 1.0f);
    std::vector<Series> all;
    for (const float scale : {0.01f, 1.0f, 300.0f}) {
        Series walk{"walk" + std::to_string(static_cast<int>(scale * 100)), 0.002f * scale, {}};
        float v = 5000.0f * scale;  // far from zero: single-precision steps matter
        for (int k = 0; k < 600; ++k) walk.values.push_back(v += step(rng) * 0.004f * scale);
        all.push_back(walk);
    }
    for (const float amp : {0.5f, 40.0f}) {
        Series sine{"sine" + std::to_string(static_cast<int>(amp)), 0.002f, {}};
        for (int k = 0; k < 500; ++k) sine.values.push_back(amp * std::sin(k * 0.05f));
        all.push_back(sine);
    }
    Series steps{"steps", 0.002f, {}};
    for (int k = 0; k < 300; ++k) steps.values.push_back(static_cast<float>((k / 37) % 3) * 1.5f - 20.0f);
    all.push_back(steps);
    return all;
}

MotionTrack Record(const Series& s) {
    MotionTrack track;
    track.Init(static_cast<int>(s.values.size()), s.tolerance);
    for (std::size_t k = 0; k < s.values.size(); ++k) track.AddKey(s.values[k], static_cast<int>(k) * kTicks);
    track.Flush();
    return track;
}

class Thinning : public ::testing::TestWithParam<Series> {};

// Keys are samples (exact value and time) in strictly ascending time, the first and last
// samples among them, and every sample comes back within twice the tolerance plus a few float
// steps at the series' magnitude.
TEST_P(Thinning, KeysAreSamplesAndReconstructEverySample) {
    const Series& s = GetParam();
    const MotionTrack track = Record(s);
    ASSERT_GE(track.KeyCount(), 2);
    EXPECT_LT(track.KeyCount(), static_cast<int>(s.values.size()));
    float magnitude = 0.0f;
    for (float v : s.values) magnitude = std::fmax(magnitude, std::fabs(v));
    for (int i = 0; i < track.KeyCount(); ++i) {
        const MotionKey& key = track.Key(i);
        ASSERT_EQ(key.time % kTicks, 0);
        EXPECT_EQ(key.value, s.values[static_cast<std::size_t>(key.time / kTicks)]) << i;
        if (i > 0) {
            EXPECT_GT(key.time, track.Key(i - 1).time);
        }
    }
    EXPECT_EQ(track.Key(0).time, 0);
    EXPECT_EQ(track.Key(track.KeyCount() - 1).time, static_cast<int>(s.values.size() - 1) * kTicks);
    const float slack = 2.0f * s.tolerance + 8.0f * FLT_EPSILON * magnitude;
    for (std::size_t k = 0; k < s.values.size(); ++k)
        EXPECT_NEAR(track.Evaluate(static_cast<int>(k) * kTicks), s.values[k], slack) << "sample " << k;
}

INSTANTIATE_TEST_SUITE_P(Series, Thinning, ::testing::ValuesIn(MakeSeries()),
                         [](const auto& info) { return info.param.name; });

std::vector<MotionKey> Keys(const MotionTrack& track) {
    std::vector<MotionKey> keys;
    for (int i = 0; i < track.KeyCount(); ++i) keys.push_back(track.Key(i));
    return keys;
}

std::vector<std::pair<float, int>> Pairs(const MotionTrack& track) {
    std::vector<std::pair<float, int>> out;
    for (const MotionKey& k : Keys(track)) out.emplace_back(k.value, k.time);
    return out;
}

TEST(MotionTrack, ConstantAndStraightSamplesKeepOnlyTheEnds) {
    MotionTrack constant, line;
    constant.Init(50, 0.01f);
    line.Init(50, 0.01f);
    for (int k = 0; k < 50; ++k) {
        constant.AddKey(3.0f + (k % 2) * 0.008f, k * kTicks);
        line.AddKey(0.25f * k, k * kTicks);
    }
    EXPECT_EQ(Pairs(constant), (std::vector<std::pair<float, int>>{{3.0f, 0}}));
    constant.Flush();
    line.Flush();
    EXPECT_EQ(Pairs(constant), (std::vector<std::pair<float, int>>{{3.0f, 0}, {3.008f, 49 * kTicks}}));
    EXPECT_EQ(Pairs(line), (std::vector<std::pair<float, int>>{{0.0f, 0}, {12.25f, 49 * kTicks}}));
}

// A corner commits the sample before it; the next corridor starts from that key.
TEST(MotionTrack, CornerCommitsThePreviousSample) {
    MotionTrack track;
    track.Init(10, 0.1f);
    const float values[] = {0, 1, 2, 3, 3, 3, 3};
    for (int k = 0; k < 7; ++k) track.AddKey(values[k], k * 10);
    track.Flush();
    EXPECT_EQ(Pairs(track), (std::vector<std::pair<float, int>>{{0, 0}, {3, 30}, {3, 60}}));
}

TEST(MotionTrack, EvaluationHoldsEndsHitsKeysAndInterpolates) {
    MotionTrack track;
    track.Init(4, 0.0f);
    for (auto [v, t] : {std::pair{2.0f, 100}, {4.0f, 200}, {0.0f, 300}}) track.AddKey(v, t);
    track.Flush();
    const struct {
        int t;
        float v;
    } cases[] = {{-5, 2}, {100, 2}, {150, 3}, {200, 4}, {275, 1}, {300, 0}, {9999, 0}};
    for (const auto& c : cases) EXPECT_FLOAT_EQ(track.Evaluate(c.t), c.v) << c.t;
    MotionTrack single;
    single.Init(1, 0.0f);
    single.AddKey(7.0f, 50);
    single.Flush();
    for (int t : {0, 50, 80}) EXPECT_EQ(single.Evaluate(t), 7.0f);
}

TEST(MotionTrack, WithoutKeysEvaluatesToZeroAndFlushCommitsNothing) {
    MotionTrack track;
    EXPECT_EQ(track.Evaluate(0), 0.0f);
    track.Init(5, 0.1f);
    track.Flush();
    EXPECT_EQ(track.KeyCount(), 0);
    EXPECT_EQ(track.Evaluate(10), 0.0f);
    for (int capacity : {0, -3}) {
        MotionTrack none;
        none.Init(capacity, 0.1f);
        none.AddKey(1.0f, 0);
        none.AddKey(2.0f, 10);
        none.Flush();
        EXPECT_EQ(none.KeyCount(), 0) << capacity;
    }
}

// More samples than room: the track stops at its capacity (ASan checks the writes).
TEST(MotionTrack, NeverWritesPastItsCapacity) {
    MotionTrack track;
    track.Init(3, 0.0f);
    for (int k = 0; k < 20; ++k) track.AddKey(static_cast<float>(k * k), k);
    track.Flush();
    EXPECT_EQ(track.KeyCount(), 3);
}

// A jump beyond the initial corridor closes it on the second sample while the pending sample
// is still the first key: that key is not committed again. Late or repeated times are ignored.
TEST(MotionTrack, NoKeyIsCommittedTwiceAndTimeOnlyAdvances) {
    MotionTrack track;
    track.Init(10, 0.0f);
    track.AddKey(0.0f, 0);
    track.AddKey(5e7f, 10);
    track.AddKey(1.0f, 10);
    track.AddKey(1.0f, 5);
    track.Flush();
    track.Flush();
    EXPECT_EQ(Pairs(track), (std::vector<std::pair<float, int>>{{0.0f, 0}, {5e7f, 10}}));
}

}  // namespace
