#include <stdexcept>

#include "road/modifier_switch.h"
#include "road_scene_support.h"

namespace {

using ModifierSwitchTest = RoadSceneTest;

TEST_F(ModifierSwitchTest, ModifiersComeBackOnWhenTheScopeIsLeftByAnException) {
    RoadMod* a = nullptr;
    INode* node = AddRoad(StraightShape(), &a);
    RoadMod* b = AddRoadMod(node);
    try {
        ModifierSwitch off;
        off.SwitchOff(a);
        off.SwitchOff(b);
        EXPECT_FALSE(a->IsEnabled());
        EXPECT_FALSE(b->IsEnabled());
        throw std::runtime_error("read failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(a->IsEnabled());
    EXPECT_TRUE(b->IsEnabled());
    // Back on in the reverse order, each switch heard by the dependents.
    ASSERT_EQ(HostNotifications().size(), 4u);
    EXPECT_EQ(HostNotifications()[2].sender, b);
    EXPECT_EQ(HostNotifications()[3].sender, a);
}

}  // namespace
