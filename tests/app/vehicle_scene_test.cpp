// Vehicles in scene files and saved scenes: parts, bad entries, and motion saved and loaded.

#include <cstring>

#include "app/scene_save.h"
#include "tests/app/app_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A 2-axle car turned a quarter at (1000, 500), after its body (40 above) and front-left wheel.
const char* const kCarScene = R"({"nodes": [
  {"name": "body", "vehicle_part": {"vehicle": "car", "part": 0, "offset": {"position": [0, 0, 40]}}},
  {"name": "wheel", "vehicle_part": {"vehicle": "car", "part": 1}},
  {"name": "car", "transform": {"position": [1000, 500, 0], "rotation": [0, 0, 90]},
   "vehicle": {"params": {"Wheel_Count": 2, "Wheel_Pos": [[80, 130, 30], [80, -120, 30], [0, 0, 0]]}}}]})";

class VehicleSceneTest : public AppTest {
protected:
    static Point3 At(int node, TimeValue t) { return Root()->GetChildNode(node)->GetNodeTM(t).GetTrans(); }
    static Bytes Saved() { return SaveScene(nlohmann::json::parse(kCarScene), GetCOREInterface()); }
    static std::string LoadSavedError(const Bytes& bytes) {
        try {
            LoadSavedScene(bytes.data(), bytes.size(), *classes_, GetCOREInterface());
        } catch (const std::exception& e) {
            return e.what();
        }
        return {};
    }
};

void ExpectNear(Point3 a, Point3 b) {
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(a[i], b[i], 1e-3f) << i;
}

TEST_F(VehicleSceneTest, PartsRestOnTheVehicleNodeAndBadEntriesNameTheirPlace) {
    Load(kCarScene);
    ExpectNear(At(0, 0), {1000, 500, 40});
    ExpectNear(At(1, 0), {870, 420, 30});
    const struct {
        const char* scene;
        const char* message;
    } cases[] = {
        {R"([{"vehicle_part": {"vehicle": "car", "part": 0}}])", "nodes[0].vehicle_part.vehicle: no node is named \"car\""},
        {R"([{"name": "car", "vehicle": {}}, {"name": "car"}, {"vehicle_part": {"vehicle": "car", "part": 0}}])",
         "nodes[2].vehicle_part.vehicle: several nodes are named \"car\""},
        {R"([{"name": "car", "vehicle": {}}, {"vehicle_part": {"vehicle": "car", "part": 7}}])",
         "part: parts run from 0 (the body) to 6"},
        {R"([{"vehicle": {}, "object": {"class": "SpeedLimiter"}}])", "a node holds an object or a vehicle, not both"},
    };
    for (const auto& c : cases) {
        const std::string error = LoadError(("{\"nodes\": " + std::string(c.scene) + "}").c_str());
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_EQ(Root()->NumberOfChildren(), 0) << c.message;
    }
}

// The car's motion chunk: the body from the origin at tick 0 to (300, 0, 0) at 160, unturned.
Bytes WithMotion(Bytes saved) {
    Bytes chunk = {0x0A, 0, 0xA4, 0x01, 0, 0};
    for (int c = 0; c < 21; ++c) {
        const float start = (c == 0 || c == 4 || c == 8) ? 1.0f : 0.0f, end = c == 9 ? 300.0f : start;
        const std::uint32_t fields[] = {2, 0, 0, 0, 160};
        for (int f = 0; f < 5; ++f) {
            std::uint8_t b[4];
            std::memcpy(b, f == 1 ? &start : f == 3 ? &end : static_cast<const void*>(&fields[f]), 4);
            chunk.insert(chunk.end(), b, b + 4);
        }
    }
    saved.insert(saved.end(), chunk.begin(), chunk.end());
    saved[saved.size() - chunk.size() - 4] = static_cast<std::uint8_t>(chunk.size());
    saved[saved.size() - chunk.size() - 3] = static_cast<std::uint8_t>(chunk.size() >> 8);
    const std::size_t objects = saved.size() - chunk.size() - 24;
    saved[objects + 2] = static_cast<std::uint8_t>(saved.size() - objects - 6);
    saved[objects + 3] = static_cast<std::uint8_t>((saved.size() - objects - 6) >> 8);
    return saved;
}

TEST_F(VehicleSceneTest, SavedScenesRoundTripAndPlayBackTheirMotion) {
    Load(kCarScene);
    const Bytes still = Saved();
    const Bytes moving = WithMotion(still);
    ASSERT_EQ(LoadSavedError(moving), "");
    ExpectNear(At(0, 80), {150, 0, 40});
    ExpectNear(At(1, 160), {220, 130, 30});
    EXPECT_EQ(Saved(), moving);
    Bytes badMotion = moving;
    badMotion.back() = 0xFF;  // the last time runs backwards: the car rests
    ASSERT_EQ(LoadSavedError(badMotion), "");
    ExpectNear(At(0, 80), {1000, 500, 40});
    EXPECT_EQ(Saved(), still);
}

TEST_F(VehicleSceneTest, DamagedSavedScenesAreRefused) {
    Load(kCarScene);
    const Bytes saved = Saved();
    const std::size_t text = 6 + nlohmann::json::parse(kCarScene).dump().size();
    const auto edited = [&](std::size_t keep, std::size_t at, std::uint8_t value, Bytes extra = {}) {
        Bytes b(saved.begin(), saved.begin() + static_cast<long>(keep));
        b.insert(b.end(), extra.begin(), extra.end());
        if (at < b.size()) b[at] = value;
        return b;
    };
    const std::string json = R"({"nodes": [], "x": 1e99999})";
    Bytes overflow = {0x01, 0x53, static_cast<std::uint8_t>(json.size()), 0, 0, 0};
    overflow.insert(overflow.end(), json.begin(), json.end());
    const struct {
        Bytes bytes;
        const char* message;
    } cases[] = {
        {{}, "expected the scene description"},
        {edited(text, 0, 1), "expected the objects' data"},
        {edited(saved.size() - 6, text + 2, 12), "expected one entry per node of the scene"},
        {edited(saved.size(), text + 2, 24, {0x03, 0x53, 0, 0, 0, 0}), "more entries than the scene has nodes"},
        {overflow, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadSavedError(c.bytes).rfind(std::string("saved scene") + (*c.message ? ": " : ""), 0), 0u)
            << LoadSavedError(c.bytes);
        EXPECT_NE(LoadSavedError(c.bytes).find(c.message), std::string::npos) << c.message;
        EXPECT_EQ(Root()->NumberOfChildren(), 0) << c.message;
    }
}

}  // namespace
