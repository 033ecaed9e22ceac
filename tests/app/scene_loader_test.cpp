// Scenes that cannot be loaded: each mistake is named with its place and leaves no scene.
#include <filesystem>
#include <utility>

#include "app_fixture.h"

namespace {

using SceneLoaderTest = AppTest;

// The scene's last node, wrapped round an object, a modifier or a traffic light's signal.
std::string Node(const std::string& node) { return R"({"frame_rate": 30, "nodes": [)" + node + "]}"; }
std::string Object(const std::string& object) { return Node(R"({"object": )" + object + "}"); }
std::string Modifier(const std::string& modifier) {
    return Node(R"({"object": {"class": "SplineShape", "splines": []}, "modifiers": [)" + modifier + "]}");
}
std::string Signal(const std::string& signal) { return Object(R"({"class": "TrafficLight", "signal": )" + signal + "}"); }
std::string Road(const std::string& params) { return Modifier(R"({"class": "Marlovan Road", "params": )" + params + "}"); }

const std::string kGreen(24, 'G');

const struct { std::string scene, message; } kMistakes[] = {
    {R"({"nodes": 3})", "scene.nodes: expected an array"},
    {Node(R"({"nmae": "x"})"), "scene.nodes[0]: unknown key \"nmae\""},
    {Object(R"({"class": "Marlovan Road"})"), "scene.nodes[0].object.class: unknown class \"Marlovan Road\""},
    {Node(R"({"name": "a"}, {"modifiers": [{"class": "Obstacle"}]})"),
     "scene.nodes[1].modifiers[0].class: unknown class \"Obstacle\""},
    {Object(R"({"class": "SplineShape", "splines": [{"knots": [[0, 0]]}]})"),
     "scene.nodes[0].object.splines[0].knots[0]: expected [x, y, z]"},
    {Object(R"({"class": "SplineShape", "steps": -1, "splines": []})"), "object.steps: steps run from 0 to 100"},
    {Node(R"({"transform": {"position": ["a", 0, 0]}})"), "nodes[0].transform.position[0]: expected a number"},
    {Node(R"({"transform": {"scale": [1, 0, 1]}})"), "scene.nodes[0].transform.scale: a scale of 0"},
    {Node(R"({"transform": {"matrix": [[1,0,0],[2,0,0],[0,0,1],[0,0,0]]}})"), "matrix: the matrix is singular"},
    {R"({"units": "furlong", "nodes": []})", "scene.units: unknown unit \"furlong\""},
    {R"({"frame_rate": 7, "nodes": []})", "scene.frame_rate: the frame rate must divide 4800"},
    {R"({"frame_rate": 0, "nodes": []})", "scene.frame_rate: the frame rate must divide 4800"},
    {Node(R"({"wire_color": "red"})"), "scene.nodes[0].wire_color: expected a colour"},
    {Node(R"({"wire_color": "#FFFFFF"})"), ""},
    {Node(R"({"wire_color": "#FFFFFF0"})"), "scene.nodes[0].wire_color: expected a colour"},
    {Node(R"({"keys": [{"position": [0, 0, 0]}]})"), "scene.nodes[0].keys[0]: missing \"frame\""},
    {Node(R"({"keys": [{"frame": 20000000}]})"),
     "keys[0].frame: frame out of range: frames run from -13421772 to 13421772 at 30 frames per second"},
    {Road(R"({"Strip_Width": {"keys": [[0, 300], [13421773, 400]]}})"), "Strip_Width.keys[1][0]: frame out of range"},
    {Object(R"({"class": "Obstacle", "params": {"Width": 3}})"),
     "params.Width: several parameters are named \"Width\": give the ID instead"},
    {Object(R"({"class": "Obstacle", "params": {"Lenght": 1}})"),
     "unknown parameter \"Lenght\" (parameters: 0 \"Width\", 1 \"Width\")"},
    {Road(R"({"65536": 1})"), "no parameter with ID 65536 (parameters: 0 \"Road_Shift\", 1 "},
    {Road(R"({"99999999999999999999": 1})"), "no parameter with ID 99999999999999999999 (parameters: 0 "},
    {Road(R"({"Enable": [true]})"), "params.Enable: expected 3 entries"},
    {Road(R"({"Enable": [true, false, true]})"), ""},
    {Road(R"({"Enable": [true, false, true, true]})"), "params.Enable: expected 3 entries"},
    {Road(R"({"Forward_Strip": 1.5})"), "params.Forward_Strip: expected a whole number"},
    {Road(R"({"Reverse": {"keys": [[0, 1]]}})"), "params.Reverse.keys: this parameter is not animatable"},
    {Object(R"({"class": "SpeedLimiter", "params": {"Speed": "fast"}})"), "params.Speed: expected a number"},
    {Signal(R"({"diagram": "GGGGGGGGGGGGGGGGGGGGGGGX"})"), "signal.diagram: expected 24 slots, each G (green) or R (red)"},
    {Signal(R"({"diagram": ")" + kGreen + R"(", "period": 30000})"), "signal.period: the period runs from 1 tick"},
    {Signal(R"({"period": 10})"), "signal: missing \"diagram\" (or \"animated\")"},
    {Signal(R"({"animated": [[0, 120]]})"), "signal.animated[0][1]: the input runs from 0 to 100"},
    {Signal(R"({"animated": [[0, 0]], "diagram": ")" + kGreen + "\"}"), "signal: a signal is either"},
    {Object(R"({"class": "Obstacle", "signal": {"period": 1}})"), "signal: only a TrafficLight has a signal"},
};

// A row without a message is the limit that a mistake beside it passes: it loads.
TEST_F(SceneLoaderTest, MistakesNameTheirPlaceAndLeaveNoScene) {
    for (const auto& m : kMistakes) {
        const std::string error = LoadError(m.scene.c_str());
        EXPECT_TRUE(m.message.empty() ? error.empty() : error.find(m.message) != std::string::npos) << m.scene << "\n gave: " << error;
        EXPECT_EQ(Root()->NumberOfChildren(), m.message.empty() ? 1 : 0) << m.scene;
    }
}

TEST_F(SceneLoaderTest, FilesThatCannotBeReadAreReported) {
    const std::pair<std::string, std::string> cases[] = {
        {"/nonexistent/scene.json", ": cannot open the file: No such file or directory"},
        {std::filesystem::temp_directory_path().string(), ": is a directory, not a scene file"}};
    for (const auto& c : cases) EXPECT_EQ(ErrorOf([&] { LoadSceneFile(c.first, *classes_, GetCOREInterface()); }), c.first + c.second);
}

}  // namespace
