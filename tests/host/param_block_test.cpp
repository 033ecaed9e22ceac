#include <gtest/gtest.h>

#include "host/class_desc.h"

namespace {

class TestDesc : public ClassDesc2 {
public:
    int IsPublic() override { return 1; }
    void* Create(BOOL) override { return nullptr; }
    const wchar_t* ClassName() override { return L"Test"; }
    SClass_ID SuperClassID() override { return HELPER_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(1, 2); }
    const wchar_t* Category() override { return L""; }
};

TestDesc testDesc;
ParamBlockDesc2 testBlock(0, L"parameters", 0, &testDesc, P_AUTO_CONSTRUCT | P_AUTO_UI, 0, 123, 40,
                          {
                              ParamDef(0, L"Width", TYPE_WORLD, 0, 0).Default(100.0).Range(0.0001, 1e5),
                              ParamDef(1, L"Width", TYPE_WORLD, 0, 0).Default(50.0),
                              ParamDef(2, L"Count", TYPE_INT, P_ANIMATABLE, 0).Default(3),
                              ParamDef(3, L"Enable", TYPE_BOOL, 0, 0).Default(1).Table(3),
                              ParamDef(4, L"Pose", TYPE_MATRIX3, 0, 0),
                          });

// An object with one reference slot, as the plug-in's classes keep their block.
class Holder : public ReferenceTarget {
public:
    ReferenceTarget* ref = nullptr;
    int NumRefs() override { return 1; }
    ReferenceTarget* GetReference(int i) override { return i == 0 ? ref : nullptr; }
    void SetReference(int i, ReferenceTarget* r) override {
        if (i == 0) ref = r;
    }
    IParamBlock2* Block() const { return static_cast<IParamBlock2*>(ref); }
};

TEST(ParamBlock, AutoBlockBecomesReferenceZeroWithDefaults) {
    Holder holder;
    testDesc.MakeAutoParamBlocks(&holder);
    ASSERT_NE(holder.Block(), nullptr);
    IParamBlock2* pb = holder.Block();
    EXPECT_FLOAT_EQ(pb->GetFloat(0), 100.0f);
    EXPECT_FLOAT_EQ(pb->GetFloat(1), 50.0f);
    EXPECT_EQ(pb->GetInt(2), 3);
    EXPECT_EQ(pb->Count(3), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(pb->GetInt(3, 0, i), 1);
    EXPECT_EQ(pb->GetMatrix3(4), Matrix3());
    EXPECT_EQ(pb->NumDependents(), 1);
}

TEST(ParamBlock, ParametersWithTheSameNameAreApartByID) {
    Holder holder;
    testDesc.MakeAutoParamBlocks(&holder);
    IParamBlock2* pb = holder.Block();
    EXPECT_TRUE(pb->SetValue(1, 0, 7.5f));
    EXPECT_FLOAT_EQ(pb->GetFloat(0), 100.0f);
    EXPECT_FLOAT_EQ(pb->GetFloat(1), 7.5f);
}

TEST(ParamBlock, TypedReadsConvertAndBadAddressesAreHarmless) {
    Holder holder;
    testDesc.MakeAutoParamBlocks(&holder);
    IParamBlock2* pb = holder.Block();
    EXPECT_TRUE(pb->SetValue(2, 0, 9.9f));
    EXPECT_EQ(pb->GetInt(2), 9);
    EXPECT_FLOAT_EQ(pb->GetFloat(2), 9.0f);
    EXPECT_TRUE(pb->SetValue(0, 0, 1e20f));
    EXPECT_EQ(pb->GetInt(0), 0x7FFFFFFF);
    EXPECT_FALSE(pb->SetValue(9, 0, 1.0f));
    EXPECT_FALSE(pb->SetValue(3, 0, 0, 3));
    EXPECT_EQ(pb->GetInt(3, 0, -1), 0);
    EXPECT_FLOAT_EQ(pb->GetFloat(42), 0.0f);
}

TEST(References, ReplacingLetsGoOfTheOldTarget) {
    Holder holder;
    testDesc.MakeAutoParamBlocks(&holder);
    IParamBlock2* first = holder.Block();
    Holder other;
    other.ReplaceReference(0, first);
    EXPECT_EQ(first->NumDependents(), 2);
    // The second holder keeps the block alive when the first makes a new one.
    testDesc.MakeAutoParamBlocks(&holder);
    EXPECT_NE(holder.Block(), first);
    EXPECT_EQ(first->NumDependents(), 1);
    other.DeleteReference(0);
    EXPECT_EQ(other.ref, nullptr);
}

TEST(References, DeletedTargetClearsItsHoldersSlot) {
    Holder holder;
    auto* target = new Holder;
    holder.ReplaceReference(0, target);
    delete target;
    EXPECT_EQ(holder.ref, nullptr);
}

}  // namespace

namespace {

TEST(ParamBlock, KeysInterpolateAndCloneIsDeep) {
    Holder holder;
    testDesc.MakeAutoParamBlocks(&holder);
    IParamBlock2* pb = holder.Block();
    EXPECT_FALSE(pb->SetKey(0, 0, 1.0));  // not animatable
    EXPECT_TRUE(pb->SetKey(2, 0, 0.0));
    EXPECT_TRUE(pb->SetKey(2, 100, 10.0));
    EXPECT_EQ(pb->GetInt(2, 50), 5);
    EXPECT_EQ(pb->GetInt(2, -10), 0);
    EXPECT_EQ(pb->GetInt(2, 1000), 10);
    EXPECT_TRUE(pb->SetValue(2, 100, 20));
    EXPECT_EQ(pb->NumKeys(2), 2);
    EXPECT_EQ(pb->GetInt(2, 100), 20);

    RemapDir remap;
    auto* copy = static_cast<IParamBlock2*>(remap.CloneRef(pb));
    Holder other;
    other.ReplaceReference(0, copy);
    EXPECT_EQ(remap.CloneRef(pb), copy);
    copy->SetValue(1, 0, 1.0f);
    EXPECT_FLOAT_EQ(pb->GetFloat(1), 50.0f);
    EXPECT_EQ(copy->GetInt(2, 50), 10);
}

}  // namespace
