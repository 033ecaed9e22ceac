// Motion tracks: thinning, evaluation, capacity, and no missing or repeated keys.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "vehicle/motion_track.h"

namespace {

using Samples = std::vector<std::pair<float, int>>;  // value, time

MotionTrack Record(int capacity, float tolerance, const Samples& samples, bool flush = true) {
    MotionTrack track;
    track.Init(capacity, tolerance);
    for (const auto& [v, t] : samples) track.AddKey(v, t);
    if (flush) track.Flush();
    return track;
}

Samples Keys(const MotionTrack& track) {
    Samples out;
    for (int i = 0; i < track.KeyCount(); ++i) out.emplace_back(track.Key(i).value, track.Key(i).time);
    return out;
}

// Keys are ascending 160-tick samples with both ends; every sample is within twice the tolerance.
void ExpectThinned(const std::vector<float>& values, float tolerance) {
    Samples samples;
    float magnitude = 0.0f;
    for (std::size_t k = 0; k < values.size(); ++k) {
        samples.emplace_back(values[k], static_cast<int>(k) * 160);
        magnitude = std::fmax(magnitude, std::fabs(values[k]));
    }
    const MotionTrack track = Record(static_cast<int>(values.size()), tolerance, samples);
    const Samples keys = Keys(track);
    ASSERT_GE(keys.size(), 2u);
    EXPECT_LT(keys.size(), values.size());
    EXPECT_EQ(std::make_pair(keys.front(), keys.back()), std::make_pair(samples.front(), samples.back()));
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i].first, values[static_cast<std::size_t>(keys[i].second / 160)]);
        EXPECT_TRUE(i == 0 || keys[i].second > keys[i - 1].second);
    }
    const float slack = 2.0f * tolerance + 8.0f * FLT_EPSILON * magnitude;
    for (const auto& [v, t] : samples) EXPECT_NEAR(track.Evaluate(t), v, slack) << "at " << t;
}

// Random walks far from zero, sines and steps.
TEST(MotionTrack, ThinningKeepsSamplesAndReconstructsEveryOne) {
    std::mt19937 rng(7);
    std::normal_distribution<float> step(0.0f, 1.0f);
    for (const float scale : {0.01f, 1.0f, 300.0f}) {
        SCOPED_TRACE(scale);
        std::vector<float> walk{5000.0f * scale};
        for (int k = 1; k < 600; ++k) walk.push_back(walk.back() + step(rng) * 0.004f * scale);
        ExpectThinned(walk, 0.002f * scale);
    }
    std::vector<float> sine, larger, steps;
    for (int k = 0; k < 500; ++k) sine.push_back(0.5f * std::sin(k * 0.05f));
    for (int k = 0; k < 500; ++k) larger.push_back(80.0f * sine[static_cast<std::size_t>(k)]);
    for (int k = 0; k < 300; ++k) steps.push_back(static_cast<float>((k / 37) % 3) * 1.5f - 20.0f);
    for (const auto* values : {&sine, &larger, &steps}) ExpectThinned(*values, 0.002f);
}

TEST(MotionTrack, KeysOfSmallCases) {
    Samples constant, line;
    for (int k = 0; k < 50; ++k) {
        constant.emplace_back(3.0f + (k % 2) * 0.008f, k * 160);
        line.emplace_back(0.25f * k, k * 160);
    }
    const struct { const char* what; MotionTrack track; Samples keys; } cases[] = {
        {"constant within tolerance, before Finish", Record(50, 0.01f, constant, false), {{3.0f, 0}}},
        {"constant within tolerance", Record(50, 0.01f, constant), {{3.0f, 0}, {3.008f, 7840}}},
        {"straight line", Record(50, 0.01f, line), {{0.0f, 0}, {12.25f, 7840}}},
        {"a corner commits the sample before it", Record(10, 0.1f, {{0, 0}, {1, 10}, {2, 20}, {3, 30}, {3, 40}, {3, 60}}),
         {{0, 0}, {3, 30}, {3, 60}}},
        {"capacity holds", Record(3, 0.0f, {{0, 0}, {1, 1}, {4, 2}, {9, 3}, {16, 4}, {25, 5}}), {{0, 0}, {1, 1}, {4, 2}}},
        {"no capacity", Record(0, 0.1f, {{1, 0}, {2, 10}}), {}},
        {"negative capacity", Record(-3, 0.1f, {{1, 0}, {2, 10}}), {}},
        {"flush without samples", Record(5, 0.1f, {}), {}},
        // The jump closes the corridor while the pending sample is still the first key.
        {"no key twice, time only advances", Record(10, 0.0f, {{0, 0}, {5e7f, 10}, {1, 10}, {1, 5}}),
         {{0, 0}, {5e7f, 10}}},
    };
    for (const auto& c : cases) EXPECT_EQ(Keys(c.track), c.keys) << c.what;
}

TEST(MotionTrack, EvaluationHoldsEndsHitsKeysAndInterpolates) {
    const MotionTrack track = Record(4, 0.0f, {{2, 100}, {4, 200}, {0, 300}});
    const std::pair<int, float> cases[] = {{-5, 2}, {100, 2}, {150, 3}, {200, 4}, {275, 1}, {300, 0}, {9999, 0}};
    for (const auto& [t, v] : cases) EXPECT_FLOAT_EQ(track.Evaluate(t), v) << t;
    EXPECT_EQ(std::make_pair(Record(1, 0.0f, {{7, 50}}).Evaluate(80), Record(5, 0.0f, {}).Evaluate(10)), std::make_pair(7.0f, 0.0f));
    EXPECT_FLOAT_EQ(Record(2, 0.0f, {{0, INT32_MIN}, {2, INT32_MAX}}).Evaluate(0), 1.0f) << "times 2^32 apart";
}

}  // namespace
