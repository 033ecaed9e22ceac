// The run command end to end on a small scene: a saved run plays back exactly, and a run that
// shows an error writes nothing.
#include <filesystem>

#include "app/command_line.h"
#include "app/run_command.h"
#include "app_fixture.h"

namespace {

namespace fs = std::filesystem;

// 200 m of road with two lanes each way on a plane; cars with a body and a wheel, off the road.
std::string RoadScene(int cars) {
    std::string s = R"({"nodes": [{"name": "Ground", "object": {"class": "Plane", "size": [24000, 6000]}},
      {"name": "Road", "object": {"class": "SplineShape", "steps": 0, "splines": [{"knots": [[-10000,0,0],[10000,0,0]]}]},
       "modifiers": [{"class": "Marlovan Road", "params": {"Forward_Strip": 2, "Backward_Strip": 2}}]})";
    for (int i = 0; i < cars; ++i) {
        const std::string car = "car" + std::to_string(i);
        s += R"(, {"name": ")" + car + R"(", "transform": {"position": [0, 2500, 0]}, "vehicle": {"params": {"Wheel_Count": 2,
              "Wheel_Pos": [[75, 130, 30], [75, -125, 30], [0, 0, 0]], "Wheel_Size": [[20, 30, 0], [20, 30, 0], [0, 0, 0]]}}},
              {"name": "b)" + car + R"(", "vehicle_part": {"vehicle": ")" + car + R"(", "part": 0}},
              {"name": "w)" + car + R"(", "vehicle_part": {"vehicle": ")" + car + R"(", "part": 1}})";
    }
    return s + "]}";
}

class RunCommandTest : public AppTest {
protected:
    fs::path dir = fs::temp_directory_path() / ("marlovan_run_" + std::to_string(::getpid()));
    void TearDown() override { fs::remove_all(dir); }

    std::string printed;  // by the last run

    int Run(const std::string& line) {
        std::vector<std::string> args{"marlovan"};
        std::istringstream words(line);
        for (std::string w; words >> w;) args.push_back(w.rfind("@/", 0) == 0 ? (dir / w.substr(2)).string() : w);
        std::vector<const char*> argv;
        for (const std::string& a : args) argv.push_back(a.c_str());
        std::ostringstream out;
        int code = 0;
        const auto cl = ParseCommandLine(static_cast<int>(argv.size()), argv.data(), MARLOVAN_MODULE_PATH, out, out, code);
        code = RunCommand(*module_, *cl, out, out);
        printed = out.str();
        GetCOREInterface()->ResetScene();
        return code;
    }
};

TEST_F(RunCommandTest, SavedRunPlaysBackIdenticallyAndErrorsWriteNothing) {
    fs::create_directories(dir);
    std::ofstream(dir / "road.json") << RoadScene(6);
    ASSERT_EQ(Run("run @/road.json --surface Ground --end 30 -o @/a.svg --csv @/a.csv --save @/s.bin"), 0);
    EXPECT_NE(printed.find("Placed 6 of 6 vehicles (0 beeps); 30 frames;"), std::string::npos) << printed;
    ASSERT_EQ(Run("run @/s.bin --load --end 30 -o @/b.svg --csv @/b.csv"), 0);
    const std::string a = ReadFile(dir / "a.csv");
    EXPECT_TRUE(a == ReadFile(dir / "b.csv") && std::count(a.begin(), a.end(), '\n') == 1 + 31 * 12);
    EXPECT_NE(ReadFile(dir / "a.svg").find("<polyline"), std::string::npos);
    for (const char* surface : {"Nowhere", "Road"})
        EXPECT_NE(ErrorOf([&] { Run("run @/road.json --end 5 -o @/c.svg --surface " + std::string(surface)); }).find("--surface "),
                  std::string::npos);
    EXPECT_EQ(Run("run @/road.json --end 5 -o @/c.svg"), 1);  // no surface picked
    EXPECT_TRUE(printed.find("Error: ") != std::string::npos && !fs::exists(dir / "c.svg")) << printed;
}

}  // namespace
