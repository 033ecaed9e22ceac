#include "app_fixture.h"
#include "host/param_block.h"

namespace {

using ModuleSceneTest = AppTest;

TEST_F(ModuleSceneTest, ParameterMistakesAreNamed) {
    const struct {
        const char* scene;
        const char* message;
    } cases[] = {
        {R"({"nodes": [{"object": {"class": "Obstacle", "params": {"Width": 3}}}]})",
         "params.Width: several parameters are named \"Width\": give the ID instead"},
        {R"({"nodes": [{"object": {"class": "Obstacle", "params": {"7": 3}}}]})", "params.7: no parameter with ID 7"},
        {R"({"nodes": [{"object": {"class": "StopLine", "params": {"Colour": 3}}}]})",
         "params.Colour: unknown parameter \"Colour\""},
        {R"({"nodes": [{"object": {"class": "SplineShape", "splines": []},
             "modifiers": [{"class": "Marlovan Road", "params": {"Enable": [true]}}]}]})",
         "params.Enable: expected 3 entries"},
        {R"({"nodes": [{"object": {"class": "SplineShape", "splines": []},
             "modifiers": [{"class": "Marlovan Road", "params": {"Forward_Strip": 1.5}}]}]})",
         "params.Forward_Strip: expected a whole number"},
        {R"({"nodes": [{"object": {"class": "SplineShape", "splines": []},
             "modifiers": [{"class": "Marlovan Road", "params": {"Reverse": {"keys": [[0, 1]]}}}]}]})",
         "params.Reverse.keys: this parameter is not animatable"},
        {R"({"nodes": [{"object": {"class": "SpeedLimiter", "params": {"Speed": "fast"}}}]})",
         "params.Speed: expected a number"},
        {R"({"nodes": [{"object": {"class": "Marlovan Road"}}]})", "object.class: unknown class \"Marlovan Road\""},
        {R"({"nodes": [{"object": {"class": "SplineShape", "splines": []}, "modifiers": [{"class": "Obstacle"}]}]})",
         "modifiers[0].class: unknown class \"Obstacle\""},
    };
    for (const auto& c : cases) {
        const std::string error = LoadError(c.scene);
        EXPECT_NE(error.find(c.message), std::string::npos) << c.scene << "\n gave: " << error;
        EXPECT_EQ(Root()->NumberOfChildren(), 0);
    }
}

TEST_F(ModuleSceneTest, SwitchedOffModifiersStayOffAndTheLaneNetworkCountsWhatIsOn) {
    Load(R"({"nodes": [
        {"object": {"class": "SplineShape", "steps": 0, "splines": [{"knots": [[0,0,0],[1000,0,0],[2000,0,0]]}]},
         "modifiers": [{"class": "Marlovan Road", "params": {"Forward_Strip": 2}},
                       {"class": "Marlovan Road", "enabled": false}]}]})");
    auto* stack = static_cast<IDerivedObject*>(Root()->GetChildNode(0)->GetObjOrWSMRef());
    EXPECT_FALSE(stack->GetModifier(0)->IsEnabled());
    EXPECT_TRUE(stack->GetModifier(1)->IsEnabled());
    int segments = -1, ways = -1;
    EXPECT_TRUE(module_->LaneNetworkSize(segments, ways));
    EXPECT_EQ(segments, 2);
    EXPECT_EQ(ways, 2 * 3);
}

}  // namespace
