#include <memory>

#include "module/entry_points.h"
#include "common/module_handle.h"
#include "rect_helper_fixture.h"

namespace {

using DescriptorTest = RectHelperClassTest;

TEST_P(DescriptorTest, DescriptorAnswersWithTheClassValues) {
    const HelperClassCase& c = GetParam();
    ClassDesc2* desc = Desc(c);
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(std::wstring(desc->ClassName()), c.name);
    EXPECT_EQ(std::wstring(desc->InternalName()), c.name);
    EXPECT_EQ(std::wstring(desc->Category()), L"Marlovan2");
    EXPECT_EQ(desc->SuperClassID(), 0x50u);
    EXPECT_EQ(desc->ClassID(), c.id);
    EXPECT_EQ(desc->IsPublic(), 1);
    EXPECT_EQ(c.getDesc(), desc) << "one static descriptor";
}

TEST_P(DescriptorTest, RegisteredInItsSlotWithTheModuleInstance) {
    const HelperClassCase& c = GetParam();
    EXPECT_EQ(LibClassDesc(c.slot), c.getDesc());
    auto* fake = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x1000});
    SetModuleInstance(fake);
    EXPECT_EQ(Desc(c)->HInstance(), fake);
    SetModuleInstance(nullptr);
    EXPECT_EQ(Desc(c)->HInstance(), nullptr);
}

TEST_P(DescriptorTest, CreatedObjectCarriesTheClassNameEverywhere) {
    const HelperClassCase& c = GetParam();
    RectHelperObject* obj = Make(c);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->ClassID(), c.id);
    EXPECT_EQ(obj->SuperClassID(), HELPER_CLASS_ID);
    std::wstring s = L"old";
    obj->GetClassName(s);
    EXPECT_EQ(s, c.name);
    s = L"old";
    obj->InitNodeName(s);
    EXPECT_EQ(s, c.name);
    EXPECT_EQ(obj->GetObjectName(), c.name);
    EXPECT_EQ(obj->SubAnimName(0), c.name);
    EXPECT_EQ(obj->SubAnimName(7), c.name);
    EXPECT_EQ(obj->UsesWireColor(), 1);
    EXPECT_EQ(obj->CanConvertToType(Class_ID(0x10, 0)), 0);
    EXPECT_EQ(obj->ConvertToType(0, Class_ID(0x10, 0)), nullptr);
    EXPECT_EQ(obj->Eval(5).obj, obj);
    obj->DeleteThis();
}

TEST_P(DescriptorTest, BlockDescriptorIsTheAutomaticRollupOfTheClass) {
    const HelperClassCase& c = GetParam();
    ParamBlockDesc2* block = BlockDesc(c);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(Desc(c)->NumParamBlockDescs(), 1);
    EXPECT_EQ(block->ID(), 0);
    EXPECT_EQ(block->InternalName(), L"parameters");
    EXPECT_EQ(block->LocalName(), 0);
    EXPECT_EQ(block->Owner(), Desc(c));
    EXPECT_EQ(block->Flags(), 6);
    EXPECT_EQ(block->RefNo(), 0);
    EXPECT_EQ(block->DialogId(), c.dialog);
    EXPECT_EQ(block->TitleId(), 4);
}

// Both half sizes are named "Width"; only their IDs tell them apart.
TEST_P(DescriptorTest, HalfSizesAreTwoFloatsNamedWidth) {
    ParamBlockDesc2* block = BlockDesc(GetParam());
    for (ParamID id : {0, 1}) {
        const ParamDef* def = block->FindParam(id);
        ASSERT_NE(def, nullptr) << id;
        EXPECT_EQ(def->internalName, L"Width") << id;
        EXPECT_EQ(def->type, TYPE_FLOAT) << id;
        EXPECT_EQ(def->flags, 0) << id;
        EXPECT_EQ(def->defaultValue.f, 100.0f) << id;
        EXPECT_TRUE(def->hasRange) << id;
        EXPECT_EQ(def->rangeLow, static_cast<double>(0.0001f)) << id;
        EXPECT_EQ(def->rangeHigh, 100000.0) << id;
    }
}

TEST_P(DescriptorTest, ConstructionBindsSpinnersAndRepeatingChangesNothing) {
    const HelperClassCase& c = GetParam();
    RectHelperObject* first = Make(c);
    RectHelperObject* second = Make(c);
    c.setup(BlockDesc(c));
    const auto spinner = [](int edit, int spin) {
        return ParamOptionRecord{p_ui, {TYPE_SPINNER, EDITTYPE_UNIVERSE, double(edit), double(spin), -1.0}};
    };
    const ParamDef* width = BlockDesc(c)->FindParam(0);
    const ParamDef* length = BlockDesc(c)->FindParam(1);
    ASSERT_EQ(width->options.size(), 1u);
    ASSERT_EQ(length->options.size(), 1u);
    EXPECT_EQ(width->options[0], spinner(c.widthEdit, c.widthSpin));
    EXPECT_EQ(length->options[0], spinner(c.lengthEdit, c.lengthSpin));
    c.setup(nullptr);
    first->DeleteThis();
    second->DeleteThis();
}

TEST_P(DescriptorTest, FreshBlockHoldsTheDefaultsByID) {
    RectHelperObject* obj = Make(GetParam());
    IParamBlock2* pb = obj->GetParamBlock(0);
    ASSERT_NE(pb, nullptr);
    EXPECT_EQ(pb->GetDesc(), BlockDesc(GetParam()));
    EXPECT_EQ(pb->GetFloat(0), 100.0f);
    EXPECT_EQ(pb->GetFloat(1), 100.0f);
    ASSERT_TRUE(pb->SetValue(1, 0, 7.0f));
    EXPECT_EQ(pb->GetFloat(0), 100.0f);
    EXPECT_EQ(pb->GetFloat(1), 7.0f);
    obj->DeleteThis();
}

TEST_P(DescriptorTest, OneBlockReachedByEveryIndexButOnlyByItsOwnID) {
    RectHelperObject* obj = Make(GetParam());
    IParamBlock2* pb = obj->GetParamBlock(0);
    EXPECT_EQ(obj->NumParamBlocks(), 1);
    EXPECT_EQ(obj->NumRefs(), 1);
    EXPECT_EQ(obj->NumSubs(), 1);
    for (int i : {0, 1, 5}) {
        EXPECT_EQ(obj->GetParamBlock(i), pb);
        EXPECT_EQ(obj->GetReference(i), pb);
        EXPECT_EQ(obj->SubAnim(i), pb);
    }
    EXPECT_EQ(obj->GetParamBlockByID(0), pb);
    EXPECT_EQ(obj->GetParamBlockByID(1), nullptr);
    EXPECT_EQ(obj->GetParamBlockByID(-1), nullptr);
    obj->DeleteThis();
}

TEST_P(DescriptorTest, EditingOpensAndClosesTheRollupAtObjectLevel) {
    const HelperClassCase& c = GetParam();
    RectHelperObject* obj = Make(c);
    RectHelperObject* other = Make(c);
    auto* ip = static_cast<IObjParam*>(GetCOREInterface());
    ip->SetSubObjectLevel(2);
    obj->BeginEditParams(ip, 0, nullptr);
    EXPECT_EQ(ip->GetSubObjectLevel(), 0);
    ASSERT_EQ(OpenRollups().size(), 1u);
    const Rollup& r = OpenRollups()[0];
    EXPECT_EQ(r.dialogId, c.dialog);
    EXPECT_EQ(r.titleId, IDS_PARAMETERS);
    EXPECT_EQ(r.owner, obj);
    EXPECT_EQ(r.block, obj->GetParamBlock(0));
    other->EndEditParams(ip, 0, nullptr);
    EXPECT_EQ(OpenRollups().size(), 1u) << "only the edited object's roll-up closes";
    obj->EndEditParams(ip, 0, nullptr);
    EXPECT_TRUE(OpenRollups().empty());
    obj->DeleteThis();
    other->DeleteThis();
}

INSTANTIATE_TEST_SUITE_P(Helpers, DescriptorTest, ::testing::ValuesIn(kHelperClasses), HelperCaseName);

TEST_F(RectHelperTest, SpeedIsAnAnimatableFloatOnTheFloatSpinner) {
    const HelperClassCase& c = kHelperClasses[0];
    SpeedLimiterObject* obj = Make<SpeedLimiterObject>(c);
    const ParamDef* speed = BlockDesc(c)->FindParam(2);
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->internalName, L"Speed");
    EXPECT_EQ(speed->type, TYPE_FLOAT);
    EXPECT_EQ(speed->flags, P_ANIMATABLE);
    EXPECT_EQ(speed->defaultValue.f, 30.0f);
    EXPECT_EQ(speed->rangeLow, static_cast<double>(0.0001f));
    EXPECT_EQ(speed->rangeHigh, 100000.0);
    ASSERT_EQ(speed->options.size(), 1u);
    EXPECT_EQ(speed->options[0], (ParamOptionRecord{p_ui, {TYPE_SPINNER, EDITTYPE_FLOAT, 1147, 1148, -1.0}}));
    EXPECT_EQ(BlockDesc(c)->Count(), 3);
    EXPECT_EQ(BlockDesc(kHelperClasses[1])->Count(), 2);
    EXPECT_EQ(BlockDesc(kHelperClasses[2])->Count(), 2);
    EXPECT_EQ(obj->GetParamBlock(0)->GetFloat(2), 30.0f);
    obj->DeleteThis();
}

}  // namespace
