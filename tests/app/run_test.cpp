// The run command end to end on a small scene: outputs written whole or not at all, and a saved
// run that plays back exactly.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/command_line.h"
#include "app/run_command.h"
#include "app_fixture.h"

namespace {

namespace fs = std::filesystem;

// 200 m of road with two lanes each way on a plane; cars parked off the road.
std::string RoadScene(int cars) {
    std::string s = R"({"units": "cm", "frame_rate": 30, "nodes": [
      {"name": "Ground", "object": {"class": "Plane", "size": [24000, 6000]}},
      {"name": "Road", "object": {"class": "SplineShape", "steps": 0, "splines": [{"knots": [[-10000,0,0],[10000,0,0]]}]},
       "modifiers": [{"class": "Marlovan Road", "params": {"Forward_Strip": 2, "Backward_Strip": 2}}]})";
    for (int i = 0; i < cars; ++i) {
        const std::string car = "car" + std::to_string(i);
        s += R"(, {"name": ")" + car + R"(", "transform": {"position": [0, 2500, 0]}, "vehicle": {"params": {"Wheel_Count": 2,
              "Wheel_Pos": [[75, 130, 30], [75, -125, 30], [0, 0, 0]], "Wheel_Size": [[20, 30, 0], [20, 30, 0], [0, 0, 0]]}}},
              {"name": ")" + car + R"( body", "vehicle_part": {"vehicle": ")" + car + R"(", "part": 0}},
              {"name": ")" + car + R"( wheel", "vehicle_part": {"vehicle": ")" + car + R"(", "part": 1}})";
    }
    return s + "]}";
}

class RunCommandTest : public AppTest {
protected:
    fs::path dir = fs::temp_directory_path() / ("marlovan_run_" + std::to_string(::getpid()));
    void SetUp() override {
        AppTest::SetUp();
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path Write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name) << text;
        return dir / name;
    }
    static std::string Read(const fs::path& p) {
        std::stringstream s;
        s << std::ifstream(p).rdbuf();
        return s.str();
    }
    int Run(std::vector<std::string> args, std::string* printed = nullptr) {
        args.insert(args.begin(), "marlovan");
        std::vector<const char*> argv;
        for (const std::string& a : args) argv.push_back(a.c_str());
        std::ostringstream out, err;
        int code = 0;
        const auto cl = ParseCommandLine(static_cast<int>(argv.size()), argv.data(), MARLOVAN_MODULE_PATH, out, err, code);
        EXPECT_TRUE(cl.has_value()) << err.str();
        code = RunCommand(*module_, *cl, out, err);
        if (printed != nullptr) *printed = out.str() + err.str();
        GetCOREInterface()->ResetScene();
        return code;
    }
};

// The run's part transforms come back bit for bit from the saved scene; one row per part and
// frame, frames 0 to 30.
TEST_F(RunCommandTest, SavedRunPlaysBackIdentically) {
    const fs::path scene = Write("road.json", RoadScene(6));
    const std::string csv = (dir / "a.csv").string(), replay = (dir / "b.csv").string(), saved = (dir / "s.bin").string();
    std::string printed;
    ASSERT_EQ(Run({"run", scene.string(), "--surface", "Ground", "--end", "30", "-o", (dir / "a.svg").string(), "--csv",
                   csv, "--save", saved},
                  &printed),
              0);
    EXPECT_NE(printed.find("Placed 6 of 6 vehicles (0 beeps); 30 frames;"), std::string::npos) << printed;
    ASSERT_EQ(Run({"run", saved, "--load", "--end", "30", "-o", (dir / "b.svg").string(), "--csv", replay}), 0);
    const std::string a = Read(csv);
    EXPECT_EQ(a, Read(replay));
    EXPECT_EQ(std::count(a.begin(), a.end(), '\n'), 1 + 31 * 12);
    EXPECT_NE(Read(dir / "a.svg").find("<polyline"), std::string::npos);
}

// A run that shows an error writes nothing and exits 1.
TEST_F(RunCommandTest, ErrorsWriteNothing) {
    const fs::path scene = Write("road.json", RoadScene(1));
    const fs::path svg = dir / "out.svg";
    for (const char* surface : {"Nowhere", "Road"}) {
        std::string printed;
        EXPECT_EQ(Run({"run", scene.string(), "--surface", surface, "-o", svg.string(), "--end", "5"}, &printed), 1);
        EXPECT_NE(printed.find("Error: "), std::string::npos) << printed;
        EXPECT_FALSE(fs::exists(svg));
    }
}

}  // namespace
