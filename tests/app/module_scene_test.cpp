#include "app_fixture.h"
#include "host/param_block.h"

namespace {

using ModuleSceneTest = AppTest;

IParamBlock2* BlockOfObject(INode* node) { return node->GetObjectRef()->GetParamBlock(0); }

IParamBlock2* BlockOfTopModifier(INode* node) {
    auto* stack = static_cast<IDerivedObject*>(node->GetObjOrWSMRef());
    return stack->GetModifier(0)->GetParamBlock(0);
}

TEST_F(ModuleSceneTest, ModuleObjectsAndModifiersTakeTheirParameters) {
    Load(R"({"nodes": [
        {"name": "Road", "object": {"class": "SplineShape", "steps": 0, "splines": [{"knots": [[0,0,0],[1000,0,0]]}]},
         "modifiers": [{"class": "Marlovan Road", "params": {"Strip_Width": 350, "Enable": [true, false, true],
                                                              "Max_Speed": {"keys": [[0, 50], [10, 80]]}}}]},
        {"name": "Limit", "object": {"class": "SpeedLimiter", "params": {"0": 30, "1": 20, "Speed": 45}}}]})");
    IParamBlock2* road = BlockOfTopModifier(Root()->GetChildNode(0));
    EXPECT_FLOAT_EQ(road->GetFloat(1), 350.0f);
    EXPECT_EQ(road->GetInt(6, 0, 1), 0);
    EXPECT_EQ(road->GetInt(6, 0, 2), 1);
    EXPECT_EQ(road->NumKeys(5), 2);
    IParamBlock2* limit = BlockOfObject(Root()->GetChildNode(1));
    EXPECT_FLOAT_EQ(limit->GetFloat(0), 30.0f);
    EXPECT_FLOAT_EQ(limit->GetFloat(1), 20.0f);
    EXPECT_FLOAT_EQ(limit->GetFloat(2), 45.0f);
}

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
