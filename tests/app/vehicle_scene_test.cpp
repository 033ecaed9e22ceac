// Vehicles in scene files and saved scenes: parts, bad entries, damaged saves.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "app/run_outputs.h"
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
};

TEST_F(VehicleSceneTest, PartsRestOnTheVehicleNodeAndBadEntriesNameTheirPlace) {
    Load(kCarScene);
    EXPECT_TRUE(Length(At(0, 0) - Point3(1000, 500, 40)) < 1e-3f && Length(At(1, 0) - Point3(870, 420, 30)) < 1e-3f);
    const struct { const char* scene; const char* message; } cases[] = {
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

TEST_F(VehicleSceneTest, DamagedSavedScenesAreRefused) {
    Load(kCarScene);
    const Bytes saved = SaveScene(nlohmann::json::parse(kCarScene), GetCOREInterface());
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
    // The body has no object: its entry is empty, and a byte there is refused.
    ASSERT_TRUE(saved[text + 6] == 0x03 && saved[text + 8] == 0 && saved[text + 2] < 0xFF);
    Bytes stray = saved;
    stray.insert(stray.begin() + static_cast<long>(text + 12), 0);
    ++stray[text + 2];  // the objects' data and the body's entry, a byte longer
    ++stray[text + 8];
    const struct { Bytes bytes; const char* message; } cases[] = {
        {{}, "expected the scene description"},
        {stray, "\"body\""},
        {edited(text, 0, 1), "expected the objects' data"},
        {edited(saved.size() - 6, text + 2, 12), "expected one entry per node of the scene"},
        {edited(saved.size(), text + 2, 24, {0x03, 0x53, 0, 0, 0, 0}), "more entries than the scene has nodes"},
        {overflow, ""},
    };
    for (const auto& c : cases) {
        const std::string error = ErrorOf([&] { LoadSavedScene(c.bytes.data(), c.bytes.size(), *classes_, GetCOREInterface()); });
        EXPECT_TRUE(error.rfind("saved scene", 0) == 0 && error.find(c.message) != std::string::npos) << error;
        EXPECT_EQ(Root()->NumberOfChildren(), 0) << c.message;
    }
    EXPECT_EQ(ErrorOf([&] { LoadSavedScene(saved.data(), saved.size(), *classes_, GetCOREInterface()); }), "");
    EXPECT_EQ(Root()->NumberOfChildren(), 3);
}

// The program's `render --save` writes the file that it reports saving: the scene as saved here,
// which loads back.
TEST_F(VehicleSceneTest, RenderSavesTheSceneItReports) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("marlovan_render_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "car.json") << kCarScene;
    const std::string command = "cd '" + dir.string() + "' && '" MARLOVAN_PROGRAM_PATH "' render car.json -o car.svg --save car.scene >printed";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string printed = ReadFile(dir / "printed"), report = "\nSaved the scene to ";
    const std::size_t from = printed.find(report) + report.size(), to = printed.find('\n', from);
    ASSERT_TRUE(from >= report.size() && to != std::string::npos) << printed;
    const std::string named = (dir / printed.substr(from, to - from)).string(), bytes = ReadFile(named);
    const nlohmann::json scene = LoadAnySceneFile(named, *classes_, GetCOREInterface());
    EXPECT_TRUE(Root()->NumberOfChildren() == 3 && Bytes(bytes.begin(), bytes.end()) == SaveScene(scene, GetCOREInterface()));
    Load(kCarScene);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), SaveScene(nlohmann::json::parse(kCarScene), GetCOREInterface()));
    std::filesystem::remove_all(dir);
}

// A row per whole frame and part, numbered in the scene's frames, with the nine digits that
// tell floats apart; inches are 2.54 cm.
TEST_F(VehicleSceneTest, TheCsvNumbersFramesAndKeepsNineDigits) {
    std::string scene = kCarScene;
    scene.replace(scene.find("[1000, 500, 0], \"rotation\": [0, 0, 90]"), 38, "[1000.1, 500, 0]");
    Load(("{\"units\": \"in\", \"frame_rate\": 25, " + scene.substr(1)).c_str());
    EXPECT_EQ(GetMasterScale(UNITS_METERS), 0.0254);
    const std::string csv = PartTransformsCsv(GetCOREInterface(), 2 * 192, 4 * 192 + 191);
    for (const char* row : {"\n2,body,1,0,0,0,1,0,0,0,1,1000.09998,500,40\n", "\n4,body,1,0,0,0,1,0,0,0,1,1000.09998,500,40\n"})
        EXPECT_NE(csv.find(row), std::string::npos) << csv;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 3 * 2);
}

}  // namespace
