// Vehicles in scene files and saved scenes: vehicle nodes and their driven parts, the errors of
// bad vehicle entries, and saving and loading a scene with and without recorded motion.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/scene_save.h"
#include "host/save_load.h"
#include "tests/app/app_fixture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A 2-axle car turned a quarter about Z at (1000, 500); its body 40 above its part frame and
// its front-left wheel. The car's node comes after its parts in the file.
const char* const kCarScene = R"({"nodes": [
  {"name": "body", "vehicle_part": {"vehicle": "car", "part": 0, "offset": {"position": [0, 0, 40]}}},
  {"name": "wheel", "vehicle_part": {"vehicle": "car", "part": 1}},
  {"name": "car", "transform": {"position": [1000, 500, 0], "rotation": [0, 0, 90]},
   "vehicle": {"params": {"Wheel_Count": 2, "Wheel_Pos": [[80, 130, 30], [80, -120, 30], [0, 0, 0]],
                          "Wheel_Size": [[20, 30, 0], [20, 30, 0], [0, 0, 0]]}}}]})";

class VehicleSceneTest : public AppTest {
protected:
    static INode* Node(int i) { return Root()->GetChildNode(i); }
    static nlohmann::json Scene() { return nlohmann::json::parse(kCarScene); }
    static std::string LoadSavedError(const Bytes& bytes) {
        try {
            LoadSavedScene(bytes.data(), bytes.size(), *classes_, GetCOREInterface());
        } catch (const std::exception& e) {
            return e.what();
        }
        return {};
    }
};

void ExpectNear(const Matrix3& a, const Matrix3& b) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(a[r][c], b[r][c], 1e-3f) << r << "," << c;
}

TEST_F(VehicleSceneTest, PartsRestOnTheVehicleNode) {
    Load(kCarScene);
    const Matrix3 car = Node(2)->GetNodeTM(0);
    EXPECT_EQ(Node(2)->GetObjectRef()->ClassID(), Class_ID(0x7CF67ED1, 0x1B6C2182));
    ExpectNear(Node(0)->GetNodeTM(0), TransMatrix({0, 0, 40}) * car);
    ExpectNear(Node(1)->GetNodeTM(0), TransMatrix({-80, 130, 30}) * car);
    const Point3 wheel = Node(1)->GetNodeTM(0).GetTrans();
    EXPECT_NEAR(wheel.x, 870.0f, 1e-3f);
    EXPECT_NEAR(wheel.y, 420.0f, 1e-3f);
}

TEST_F(VehicleSceneTest, BadVehicleEntriesNameTheirPlace) {
    const struct {
        const char* scene;
        const char* message;
    } cases[] = {
        {R"({"nodes": [{"vehicle_part": {"vehicle": "car", "part": 0}}]})",
         "scene.nodes[0].vehicle_part.vehicle: no node is named \"car\""},
        {R"({"nodes": [{"name": "car", "vehicle": {}}, {"name": "car", "vehicle": {}},
                       {"vehicle_part": {"vehicle": "car", "part": 0}}]})",
         "scene.nodes[2].vehicle_part.vehicle: several nodes are named \"car\""},
        {R"({"nodes": [{"name": "car"}, {"vehicle_part": {"vehicle": "car", "part": 0}}]})",
         "scene.nodes[1].vehicle_part.vehicle: node \"car\" is not a vehicle"},
        {R"({"nodes": [{"name": "car", "vehicle": {}}, {"vehicle_part": {"vehicle": "car", "part": 7}}]})",
         "scene.nodes[1].vehicle_part.part: parts run from 0 (the body) to 6"},
        {R"({"nodes": [{"vehicle": {}, "object": {"class": "SpeedLimiter"}}]})",
         "scene.nodes[0]: a node holds an object or a vehicle, not both"},
        {R"({"nodes": [{"children": [{"vehicle": {"params": {"Speed": 3}}}]}]})",
         "scene.nodes[0].children[0].vehicle.params.Speed: unknown parameter \"Speed\""},
        {R"({"nodes": [{"vehicle": {"wheels": 4}}]})", "scene.nodes[0].vehicle: unknown key \"wheels\""},
    };
    for (const auto& c : cases) {
        EXPECT_NE(LoadError(c.scene).find(c.message), std::string::npos) << LoadError(c.scene);
        EXPECT_EQ(Root()->NumberOfChildren(), 0) << c.message;
    }
}

// The saved scene of kCarScene with no motion: one empty entry per node.
TEST_F(VehicleSceneTest, SavedSceneWithoutMotionRoundTrips) {
    Load(kCarScene);
    const Bytes saved = SaveScene(Scene(), GetCOREInterface());
    const std::string text = Scene().dump();
    ASSERT_EQ(saved.size(), 6 + text.size() + 6 + 3 * 6);
    EXPECT_EQ(Bytes(saved.end() - 24, saved.end()),
              (Bytes{0x02, 0x53, 18, 0, 0, 0, 0x03, 0x53, 0, 0, 0, 0, 0x03, 0x53, 0, 0, 0, 0, 0x03, 0x53, 0, 0, 0, 0}));
    EXPECT_EQ(LoadSavedError(saved), "");
    EXPECT_EQ(Root()->NumberOfChildren(), 3);
    EXPECT_EQ(SaveScene(Scene(), GetCOREInterface()), saved);
}

// Motion of the body from (0, 0, 0) at tick 0 to (300, 0, 0) at tick 160, axes unturned.
Bytes MotionChunk() {
    Bytes chunk = {0x0A, 0, 0xA4, 0x01, 0, 0};
    for (int c = 0; c < 21; ++c) {
        const float start = (c == 0 || c == 4 || c == 8) ? 1.0f : 0.0f;
        const float end = c == 9 ? 300.0f : start;
        const std::uint32_t count = 2, t0 = 0, t1 = 160;
        for (const void* field : {static_cast<const void*>(&count), static_cast<const void*>(&start),
                                  static_cast<const void*>(&t0), static_cast<const void*>(&end),
                                  static_cast<const void*>(&t1)}) {
            std::uint8_t b[4];
            std::memcpy(b, field, 4);
            chunk.insert(chunk.end(), b, b + 4);
        }
    }
    return chunk;
}

// The entry of the car (the third node) holds the motion; the parts then play it back in world
// space, and the scene saves to the same bytes again.
Bytes WithMotion(Bytes saved) {
    const Bytes chunk = MotionChunk();
    saved.insert(saved.end(), chunk.begin(), chunk.end());
    const std::size_t carEntry = saved.size() - chunk.size() - 6;
    saved[carEntry + 2] = static_cast<std::uint8_t>(chunk.size());
    saved[carEntry + 3] = static_cast<std::uint8_t>(chunk.size() >> 8);
    const std::size_t objects = carEntry - 12 - 6;
    const std::size_t length = saved.size() - objects - 6;
    saved[objects + 2] = static_cast<std::uint8_t>(length);
    saved[objects + 3] = static_cast<std::uint8_t>(length >> 8);
    return saved;
}

TEST_F(VehicleSceneTest, SavedMotionPlaysBackAndSavesAgain) {
    Load(kCarScene);
    const Bytes moving = WithMotion(SaveScene(Scene(), GetCOREInterface()));
    ASSERT_EQ(LoadSavedError(moving), "");
    ExpectNear(Node(0)->GetNodeTM(80), TransMatrix({150, 0, 40}));
    ExpectNear(Node(1)->GetNodeTM(160), TransMatrix({220, 130, 30}));
    EXPECT_EQ(SaveScene(Scene(), GetCOREInterface()), moving);
}

TEST_F(VehicleSceneTest, DamagedSavedScenesAreRefusedOrShowTheRestPose) {
    Load(kCarScene);
    const Bytes saved = SaveScene(Scene(), GetCOREInterface());
    const Bytes moving = WithMotion(saved);
    Bytes badMotion = moving;
    badMotion[badMotion.size() - 1] = 0xFF;  // the last time runs backwards
    ASSERT_EQ(LoadSavedError(badMotion), "");
    ExpectNear(Node(0)->GetNodeTM(80), TransMatrix({0, 0, 40}) * Node(2)->GetNodeTM(80));

    const std::size_t textEnd = 6 + Scene().dump().size();
    const struct {
        const char* what;
        Bytes bytes;
        const char* message;
    } cases[] = {
        {"empty", {}, "saved scene: expected the scene description"},
        {"no objects", Bytes(saved.begin(), saved.begin() + static_cast<long>(textEnd)),
         "saved scene: expected the objects' data"},
        {"one entry short", [&] {
             Bytes b(saved.begin(), saved.end() - 6);
             b[textEnd + 2] = 12;
             return b;
         }(), "saved scene: expected one entry per node of the scene"},
        {"one entry too many", [&] {
             Bytes b = saved;
             b.insert(b.end(), {0x03, 0x53, 0, 0, 0, 0});
             b[textEnd + 2] = 24;
             return b;
         }(), "saved scene: more entries than the scene has nodes"},
        {"not JSON", [&] {
             Bytes b = saved;
             b[6] = '#';
             return b;
         }(), "saved scene: the scene description is not JSON"},
        {"number beyond doubles", [] {
             const std::string text = R"({"nodes": [], "x": 1e99999})";
             Bytes b = {0x01, 0x53, static_cast<std::uint8_t>(text.size()), 0, 0, 0};
             b.insert(b.end(), text.begin(), text.end());
             return b;
         }(), "saved scene: the scene description is not JSON"},
        {"description cut short", Bytes(saved.begin(), saved.begin() + 20), "saved scene: expected the scene description"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadSavedError(c.bytes), c.message) << c.what;
        EXPECT_EQ(Root()->NumberOfChildren(), 0) << c.what;
    }
}

}  // namespace
