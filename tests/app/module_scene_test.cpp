#include "app_fixture.h"

namespace {

using ModuleSceneTest = AppTest;

TEST_F(ModuleSceneTest, SwitchedOffModifiersStayOffAndTheLaneNetworkCountsWhatIsOn) {
    Load(R"({"nodes": [
        {"object": {"class": "SplineShape", "steps": 0, "splines": [{"knots": [[0,0,0],[1000,0,0],[2000,0,0]]}]},
         "modifiers": [{"class": "Marlovan Road", "params": {"Forward_Strip": 2}},
                       {"class": "Marlovan Road", "enabled": false}]}]})");
    int segments = -1, ways = -1;
    EXPECT_TRUE(module_->LaneNetworkSize(segments, ways) && segments == 2 && ways == 2 * 3) << segments << " " << ways;
}

}  // namespace
