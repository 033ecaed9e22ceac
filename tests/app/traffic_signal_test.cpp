// Traffic lights in scene files: the signal in the light's block and the lamp's colour in view.
#include "app/svg_writer.h"
#include "app/view_capture.h"
#include "app_fixture.h"
#include "host/param_block.h"

namespace {

using TrafficSignalTest = AppTest;

std::string LightScene(const char* signal) {
    return std::string(R"({"frame_rate": 30, "nodes": [{"name": "Light", "object": {"class": "TrafficLight",
        "params": {"0": 200, "1": 50}, "signal": )") + signal + "}}]}";
}

// The fill of the last figure drawn, the lamp, in the top view at frame f.
std::string LampAt(int frame) {
    const std::string svg = TopViewSvg(CaptureView(GetCOREInterface(), frame * GetTicksPerFrame()), "t", 0.01);
    const auto fill = svg.rfind("fill=\"#", svg.find("<g class=\"scale\""));
    return fill == std::string::npos ? std::string() : svg.substr(fill + 6, 7);
}

TEST_F(TrafficSignalTest, DiagramAndPeriodOrAnimatedInput) {
    Load(LightScene(R"({"diagram": "RRRRRRRRRRRRGGGGGGGGGGGG", "period": 24})").c_str());
    // One slot per second at 30 frames per second: red for 12 s, then green; the cycle repeats.
    EXPECT_TRUE(LampAt(12 * 30 - 1) == "#ff0000" && LampAt(12 * 30) == "#00ff00" && LampAt(24 * 30) == "#ff0000");
    Load(LightScene(R"({"animated": [[0, 0], [100, 100]]})").c_str());
    EXPECT_EQ(Root()->GetChildNode(0)->GetObjectRef()->GetParamBlock(0)->GetInt(2), 1) << "the animated input is on";
    EXPECT_TRUE(LampAt(50) == "#ff0000" && LampAt(51) == "#00ff00") << "50 is red";
}

}  // namespace
