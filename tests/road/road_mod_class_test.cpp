#include <string>

#include "host/class_desc.h"
#include "host/rollups.h"
#include "road/road_mod_desc.h"
#include "road_scene_support.h"

namespace {

using RoadModClass = RoadSceneTest;

ClassDesc2* Desc() { return static_cast<ClassDesc2*>(GetRoadModDesc()); }

TEST_F(RoadModClass, BlockHoldsTheSevenParametersAndTheirControls) {
    const ParamBlockDesc2* block = Desc()->GetParamBlockDescByID(0);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->InternalName(), L"parameters");
    EXPECT_EQ(block->Flags(), 6);
    EXPECT_EQ(block->DialogId(), 123);
    EXPECT_EQ(block->TitleId(), 40);

    struct Expected {
        const wchar_t* name;
        ParamType2 type;
        bool animatable;
        double low, high;
        ParamOptionRecord ui;
    };
    const double a = SPIN_AUTOSCALE;
    const Expected expected[7] = {
        {L"Road_Shift", TYPE_WORLD, true, -1e7, 1e7, {p_ui, {TYPE_SPINNER, EDITTYPE_UNIVERSE, 1065, 1066, a}}},
        {L"Strip_Width", TYPE_WORLD, true, 1e-4f, 1e7, {p_ui, {TYPE_SPINNER, EDITTYPE_UNIVERSE, 1133, 1134, a}}},
        {L"Forward_Strip", TYPE_INT, true, 0, 100, {p_ui, {TYPE_SPINNER, EDITTYPE_INT, 1067, 1068, a}}},
        {L"Backward_Strip", TYPE_INT, true, 0, 100, {p_ui, {TYPE_SPINNER, EDITTYPE_INT, 1069, 1070, a}}},
        {L"Reverse", TYPE_BOOL, false, 0, 0, {p_ui, {TYPE_SINGLECHECKBOX, 1106}}},
        {L"Max_Speed", TYPE_FLOAT, true, 1, 200, {p_ui, {TYPE_SPINNER, EDITTYPE_FLOAT, 1141, 1142, a}}},
        {L"Enable", TYPE_BOOL, false, 0, 0, {p_ui, {TYPE_SINGLECHECKBOX, 1107, 1109, 1111}}},
    };
    auto* mod = static_cast<RoadMod*>(Desc()->Create(FALSE));
    ASSERT_EQ(block->Count(), 7);
    for (ParamID id = 0; id < 7; ++id) {
        const ParamDef& def = *block->FindParam(id);
        const Expected& e = expected[id];
        EXPECT_EQ(def.internalName, e.name) << id;
        EXPECT_EQ(def.type, e.type) << id;
        EXPECT_EQ((def.flags & P_ANIMATABLE) != 0, e.animatable) << id;
        EXPECT_EQ(def.rangeLow, e.low) << id;
        EXPECT_EQ(def.rangeHigh, e.high) << id;
        ASSERT_EQ(def.options.size(), 1u) << id;
        EXPECT_EQ(def.options[0], e.ui) << id;
    }
    const IParamBlock2* pb = Block(mod);
    EXPECT_EQ(pb->GetFloat(kRoadShift), 0.0f);
    EXPECT_EQ(pb->GetFloat(kStripWidth), 420.0f);
    EXPECT_EQ(pb->GetInt(kForwardStrip) + pb->GetInt(kBackwardStrip), 2);
    EXPECT_EQ(pb->GetInt(kReverse), 0);
    EXPECT_EQ(pb->GetFloat(kMaxSpeed), 100.0f);
    ASSERT_EQ(pb->Count(kEnable), 3);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(pb->GetInt(kEnable, 0, k), 1);
    mod->DeleteThis();
}

TEST_F(RoadModClass, EditingNotifiesAndOpensTheRollup) {
    RoadMod* mod = nullptr;
    AddRoad(StraightShape(), &mod);
    OpenRollups().clear();
    GetCOREInterface()->SetTime(320);
    HostClearNotifications();
    auto* ip = static_cast<IObjParam*>(GetCOREInterface());
    EXPECT_EQ(mod->LocalValidity(320), Interval(320, 320));
    mod->BeginEditParams(ip, 0, nullptr);
    EXPECT_TRUE(mod->LocalValidity(320).Empty());
    ASSERT_EQ(OpenRollups().size(), 1u);
    EXPECT_EQ(OpenRollups()[0].block, Block(mod));
    mod->EndEditParams(ip, 0, nullptr);
    EXPECT_EQ(mod->LocalValidity(320), Interval(320, 320));
    EXPECT_TRUE(OpenRollups().empty());

    const RefMessage messages[4] = {0x90, 0xF2, 0xA0, 0xF3};
    ASSERT_EQ(HostNotifications().size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const Notification& n = HostNotifications()[i];
        EXPECT_EQ(n.sender, mod);
        EXPECT_EQ(n.message, messages[i]);
        EXPECT_EQ(n.interval, Interval(320, 320));
        EXPECT_EQ(n.partID, 0x800037FFu);
    }
}

TEST_F(RoadModClass, CloneHasItsOwnCopyOfTheBlock) {
    auto* mod = new RoadMod;
    Block(mod)->SetValue(kStripWidth, 0, 333.0f);
    RemapDir remap;
    auto* copy = static_cast<RoadMod*>(mod->Clone(remap));
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(Block(copy), Block(mod));
    EXPECT_EQ(Block(copy)->GetFloat(kStripWidth), 333.0f);
    EXPECT_EQ(copy->SubAnim(0), Block(copy));
    EXPECT_EQ(copy->GetParamBlockByID(0), Block(copy));
    copy->DeleteThis();
    mod->DeleteThis();
}

}  // namespace
