// The motion record: golden bytes, damaged chunks, and playback after a round trip.

#include "tests/vehicle/vehicle_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class RecordTest : public OneVehicleTest {
protected:
    static Bytes Saved(VehicleObject* v) {
        ISave save;
        v->Save(&save);
        return save.Bytes();
    }
    // Identity at tick 0, then moved by 2 along X with spin 0.5 and steering -0.25 at tick 160.
    void RecordTwoSamples() {
        s.ResetAt(Matrix3(), 0);
        s.record.Start(2, s);
        AppendSnapshot(s);
        s.time = 160;
        s.springTM.SetTrans({2, 0, 0});
        s.spin[0] = 0.5f, s.steerAvg = -0.25f;
        AppendSnapshot(s);
        s.record.Finish();
    }
};

float& Channel(VehicleSnapshot& s, int c) {
    if (c < 12) return s.springTM[c / 3][c % 3];
    return c < 18 ? s.suspension[c - 12] : c < 20 ? s.spin[c - 18] : s.steerAvg;
}

// Nothing is saved before a key exists; then chunk 0x000A of 420 bytes: 21 tracks of two keys.
TEST_F(RecordTest, SavedChunkGoldenBytes) {
    s.record.Start(2, s);
    EXPECT_TRUE(Saved(vehicle).empty());
    RecordTwoSamples();
    const std::string one = "0000803f", zero = "00000000";
    const std::string last[21] = {one,  zero, zero, zero, one,  zero, zero, zero, one,  "00000040", zero,
                                  zero, zero, zero, zero, zero, zero, zero, "0000003f", zero, "000080be"};
    std::string expected = "0a00a4010000";
    for (int c = 0; c < 21; ++c) expected += "02000000" + (c % 4 == 0 && c <= 8 ? one : zero) + zero + last[c] + "a0000000";
    std::string hex;
    for (std::uint8_t b : Saved(vehicle)) hex += {"0123456789abcdef"[b >> 4], "0123456789abcdef"[b & 15]};
    EXPECT_EQ(hex, expected);
}

// Tolerances 0.18 / 230 (channels 0-8), 0.18 (9-17), 0.002 (18-20): a line from the first sample
// passes within them of a spike of 1.45 tolerances and of the sample after it, not of one of 1.55.
TEST_F(RecordTest, EveryChannelHasItsTolerance) {
    for (const float spike : {1.45f, 1.55f}) {
        s.ResetAt(Matrix3(), 0);
        s.record.Start(3, s);
        AppendSnapshot(s);
        for (int c = 0; c < 21; ++c) Channel(s, c) += spike * (c < 9 ? 0.18f / 230 : c < 18 ? 0.18f : 0.002f);
        s.time = 160;
        AppendSnapshot(s);
        s.ResetAt(Matrix3(), 320);
        AppendSnapshot(s);
        s.record.Finish();
        for (int c = 0; c < 21; ++c) EXPECT_EQ(s.record.Track(c).KeyCount(), spike < 1.5f ? 2 : 3) << c;
    }
}

// A chunk that cannot be read whole leaves the record cleared: the parts rest.
TEST_F(RecordTest, DamagedChunksClearTheRecord) {
    RecordTwoSamples();
    const Bytes good = Saved(vehicle);
    const auto track = [](int c) { return 6 + 20 * static_cast<std::size_t>(c); };
    const auto put = [](Bytes& b, std::size_t at, std::uint32_t v) {
        for (std::size_t i = 0; i < 4; ++i) b.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
    };
    const auto edit = [&](std::size_t at, std::uint32_t v, std::size_t size = 0, std::size_t erase = 0) {
        Bytes b(good.begin(), size == 0 ? good.end() : good.begin() + static_cast<long>(size));
        put(b, at, v);
        b.erase(b.begin() + static_cast<long>(at + 4), b.begin() + static_cast<long>(at + 4 + erase));
        put(b, 2, static_cast<std::uint32_t>(b.size() - 6));
        return b;
    };
    const std::pair<const char*, Bytes> cases[] = {
        {"count beyond the bytes left", edit(track(3), 0xFFFFFFFFu)},
        {"count one too many", edit(track(20), 3)},
        {"cut inside a key", edit(track(0), 2, good.size() - 5)},
        {"cut before the last count", edit(track(0), 2, track(20) + 2)},
        {"times equal", edit(track(5) + 16, 0)},
        {"times descending", edit(track(5) + 16, 0xFFFFFFF0u)},
        {"value not a number", edit(track(7) + 4, 0x7FC00000u)},
        {"value infinite", edit(track(0) + 12, 0xFF800000u)},
        {"one track empty", edit(track(4), 0, 0, 16)},
    };
    for (const auto& [what, chunk] : cases) {
        Bytes stream = {0x0B, 0, 1, 0, 0, 0, 0x0A};
        stream.insert(stream.end(), chunk.begin(), chunk.end());
        RecordTwoSamples();
        ILoad load(stream);
        EXPECT_EQ(vehicle->Load(&load), IO_OK) << what;
        Matrix3 m;
        ASSERT_TRUE(s.GetPartTM(m, 2, 0));
        EXPECT_EQ(m.GetTrans(), Point3(70, 120, 30)) << what;
    }
}

// Steady motion plays back from the saved and loaded record as it was shown live.
TEST_F(RecordTest, RecordedPartsAgreeWithLivePartsAfterARoundTrip) {
    const int frames = 30;
    s.record.Start(frames, s);
    std::vector<Matrix3> live;
    for (int k = 0; k < frames; ++k) {
        s.time = k * 160;
        s.springTM = RotateZMatrix(0.3f) * TransMatrix({5.0f * k, -2.0f * k, 1});
        s.spin[0] = 0.1f * k, s.spin[1] = 0.12f * k, s.steerAvg = 0.05f;
        for (int i = 0; i < 6; ++i) s.suspension[i] = 0.5f * i;
        SetTracing(1);
        for (int part = 0; part < 7; ++part) ASSERT_TRUE(s.GetPartTM(live.emplace_back(), part, 0));
        SetTracing(0);
        AppendSnapshot(s);
    }
    s.record.Finish();
    EXPECT_EQ(s.record.Track(9).KeyCount(), 2);
    const Bytes bytes = Saved(vehicle);
    s.ClearRecord();
    ILoad load(bytes);
    vehicle->Load(&load);
    EXPECT_EQ(Saved(vehicle), bytes);
    for (int k = 0; k < frames; ++k)
        for (int part = 0; part < 7; ++part) {
            Matrix3 m;
            ASSERT_TRUE(s.GetPartTM(m, part, k * 160));
            ExpectMatrixNear(m, live[static_cast<std::size_t>(7 * k + part)], 2e-3f);
        }
}

}  // namespace
