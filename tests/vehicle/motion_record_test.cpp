// The motion record: its 21 channels and tolerances, playback against the live pose, the saved
// chunk's bytes, the round trip and every kind of damaged chunk.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "host/save_load.h"
#include "tests/vehicle/vehicle_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class RecordTest : public VehicleTest {
protected:
    void SetUp() override {
        VehicleTest::SetUp();
        vehicle = MakeVehicle();
        GetCOREInterface()->CreateObjectNode(vehicle);
        SetWheels(vehicle, 2);
    }
    VehicleState& State() { return vehicle->State(); }
    void Append() {
        VehicleSnapshot snap;
        State().record.Append(State().TakeSnapshot(snap));
    }
    Bytes Saved() {
        ISave save;
        EXPECT_EQ(vehicle->Save(&save), IO_OK);
        return save.Bytes();
    }
    // Two samples: identity at tick 0, then moved by 2 along X with spin 0.5 and steering -0.25.
    void RecordTwoSamples() {
        State().record.Start(2, State());
        Append();
        State().time = 160;
        State().springTM.SetTrans({2, 0, 0});
        State().spin[0] = 0.5f;
        State().steerAvg = -0.25f;
        Append();
        State().record.Finish();
    }
    VehicleObject* vehicle = nullptr;
};

void PutU32(Bytes& b, std::size_t at, std::uint32_t v) {
    const std::uint8_t le[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    for (int i = 0; i < 4; ++i) b.at(at + i) = le[i];
}

std::string Hex(const Bytes& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string s;
    for (std::uint8_t b : bytes) s += {digits[b >> 4], digits[b & 15]};
    return s;
}

TEST_F(RecordTest, SavedChunkGoldenBytes) {
    RecordTwoSamples();
    const std::string one = "020000000000803f000000000000803fa0000000";
    const std::string zeroes = "02000000000000000000000000000000a0000000";
    std::string expected = "0a00a4010000";
    const char* const tracks[21] = {"1", "0", "0", "0", "1", "0", "0", "0", "1", "x", "0", "0",
                                    "0", "0", "0", "0", "0", "0", "s", "0", "r"};
    for (const char* t : tracks) {
        const std::string kind = t;
        if (kind == "1") expected += one;
        if (kind == "0") expected += zeroes;
        if (kind == "x") expected += "020000000000000000000000" "00000040a0000000";
        if (kind == "s") expected += "020000000000000000000000" "0000003fa0000000";
        if (kind == "r") expected += "020000000000000000000000" "000080bea0000000";
    }
    EXPECT_EQ(Hex(Saved()), expected);
}

TEST_F(RecordTest, NothingIsSavedWithoutRecordedKeys) {
    EXPECT_TRUE(Saved().empty());
    State().record.Start(10, State());
    EXPECT_TRUE(State().record.IsStarted());
    EXPECT_FALSE(State().HasRecord()) << "started, nothing appended";
    EXPECT_TRUE(Saved().empty());
    State().record.Finish();
    EXPECT_FALSE(State().HasRecord());
}

TEST_F(RecordTest, ChannelTolerancesFollowTheVehicleSize) {
    State().halfWidth = 100.0f;
    State().halfLength = 400.0f;
    State().record.Start(3, State());
    // A body X-axis drift of 0.0004 per frame stays inside 100 * 0.002 / 400 = 0.0005 (one key
    // each end); a suspension drift of 0.3 passes 100 * 0.002 = 0.2 and keeps every sample.
    for (int k = 0; k < 3; ++k) {
        State().time = k * 160;
        State().springTM[0].x = 1.0f + (k == 1 ? 0.0004f : 0.0f);
        State().suspension[0] = k == 1 ? 0.3f : 0.0f;
        Append();
    }
    State().record.Finish();
    EXPECT_EQ(State().record.Track(0).KeyCount(), 2);
    EXPECT_EQ(State().record.Track(kChannelSuspension).KeyCount(), 3);
}

// A body moving at constant velocity with steady steering and linearly growing spin plays back
// from the record as it was shown live.
TEST_F(RecordTest, RecordedPartsAgreeWithLivePartsForConstantMotion) {
    const int frames = 30;
    State().record.Start(frames, State());
    std::vector<std::vector<Matrix3>> live(frames);
    for (int k = 0; k < frames; ++k) {
        State().time = k * 160;
        State().springTM = RotateZMatrix(0.3f) * TransMatrix({5.0f * k, -2.0f * k, 1});
        State().spin[0] = 0.1f * k;
        State().spin[1] = 0.12f * k;
        State().steerAvg = 0.05f;
        for (int i = 0; i < 6; ++i) State().suspension[i] = 0.5f * i;
        SetTracing(1);
        for (int part = 0; part < 7; ++part) {
            Matrix3 m;
            ASSERT_TRUE(State().GetPartTM(m, part, State().time));
            live[k].push_back(m);
        }
        SetTracing(0);
        Append();
    }
    State().record.Finish();
    ASSERT_TRUE(State().HasRecord());
    EXPECT_EQ(State().record.Track(9).KeyCount(), 2);
    for (int k = 0; k < frames; ++k)
        for (int part = 0; part < 7; ++part) {
            Matrix3 m;
            ASSERT_TRUE(State().GetPartTM(m, part, k * 160));
            ExpectMatrixNear(m, live[k][part], 2e-3f);
        }
}

TEST_F(RecordTest, RoundTripRestoresEveryKeyAndClearsFirst) {
    State().record.Start(40, State());
    for (int k = 0; k < 40; ++k) {
        State().time = k * 160;
        State().springTM.SetTrans({std::sin(k * 0.3f) * 50, 3.0f * k, 0});
        State().spin[1] = 0.2f * k * k;
        Append();
    }
    State().record.Finish();
    const Bytes bytes = Saved();
    VehicleObject* copy = MakeVehicle();
    GetCOREInterface()->CreateObjectNode(copy);
    ILoad load(bytes);
    EXPECT_EQ(copy->Load(&load), IO_OK);
    ASSERT_TRUE(copy->State().HasRecord());
    for (int c = 0; c < kMotionChannels; ++c) {
        const MotionTrack& a = State().record.Track(c);
        const MotionTrack& b = copy->State().record.Track(c);
        ASSERT_EQ(a.KeyCount(), b.KeyCount()) << c;
        for (int i = 0; i < a.KeyCount(); ++i) {
            EXPECT_EQ(a.Key(i).value, b.Key(i).value);
            EXPECT_EQ(a.Key(i).time, b.Key(i).time);
        }
    }
    ISave again;
    copy->Save(&again);
    EXPECT_EQ(again.Bytes(), bytes);
}

// The chunk of RecordTwoSamples with one edit; the scene still loads and the vehicle shows its
// rest pose.
struct Damage {
    const char* name;
    void (*edit)(Bytes& chunk);
};

void FixLength(Bytes& b) { PutU32(b, 2, static_cast<std::uint32_t>(b.size() - 6)); }
constexpr std::size_t kTrack(int c) { return 6 + 20 * static_cast<std::size_t>(c); }

const Damage kDamages[] = {
    {"count beyond the bytes left", [](Bytes& b) { PutU32(b, kTrack(3), 0xFFFFFFFFu); }},
    {"count one too many", [](Bytes& b) { PutU32(b, kTrack(20), 3); }},
    {"cut inside a key",
     [](Bytes& b) {
         b.resize(b.size() - 5);
         FixLength(b);
     }},
    {"cut before the last count",
     [](Bytes& b) {
         b.resize(kTrack(20) + 2);
         FixLength(b);
     }},
    {"times equal", [](Bytes& b) { PutU32(b, kTrack(5) + 16, 0); }},
    {"times descending", [](Bytes& b) { PutU32(b, kTrack(5) + 16, 0xFFFFFFF0u); }},
    {"value not a number", [](Bytes& b) { PutU32(b, kTrack(7) + 4, 0x7FC00000u); }},
    {"value infinite", [](Bytes& b) { PutU32(b, kTrack(0) + 12, 0xFF800000u); }},
    {"one track empty",
     [](Bytes& b) {
         b.erase(b.begin() + static_cast<long>(kTrack(2) + 4), b.begin() + static_cast<long>(kTrack(3)));
         PutU32(b, kTrack(2), 0);
         FixLength(b);
     }},
};

class DamagedChunk : public RecordTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedChunk, ClearsTheRecordAndStillLoads) {
    RecordTwoSamples();
    Bytes bytes = Saved();
    GetParam().edit(bytes);
    ILoad load(bytes);
    EXPECT_EQ(vehicle->Load(&load), IO_OK);
    EXPECT_FALSE(State().HasRecord());
    EXPECT_FALSE(State().record.IsStarted());
    Matrix3 m;
    ASSERT_TRUE(State().GetPartTM(m, 2, 0));
    EXPECT_EQ(m.GetTrans(), Point3(70, 120, 30));
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedChunk, ::testing::ValuesIn(kDamages), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (c == ' ') c = '_';
    return name;
});

// Only chunk 0x000A is read; others around it are skipped. All-empty tracks load as no motion.
TEST_F(RecordTest, OtherChunksAreSkippedAndEmptyTracksMeanNoMotion) {
    RecordTwoSamples();
    const Bytes record = Saved();
    Bytes stream = {0x0B, 0, 2, 0, 0, 0, 0x0A, 0};
    stream.insert(stream.end(), record.begin(), record.end());
    stream.insert(stream.end(), {0x0C, 0, 0, 0, 0, 0});
    VehicleObject* other = MakeVehicle();
    GetCOREInterface()->CreateObjectNode(other);
    ILoad load(stream);
    EXPECT_EQ(other->Load(&load), IO_OK);
    EXPECT_TRUE(other->State().HasRecord());
    Bytes empty = {0x0A, 0, 84, 0, 0, 0};
    empty.resize(6 + 84, 0);
    ILoad none(empty);
    EXPECT_EQ(other->Load(&none), IO_OK);
    EXPECT_FALSE(other->State().HasRecord());
    Bytes overlong = record;
    PutU32(overlong, 2, 100000);
    ILoad cut(overlong);
    EXPECT_EQ(other->Load(&cut), IO_OK);
    EXPECT_FALSE(other->State().HasRecord());
}

}  // namespace
