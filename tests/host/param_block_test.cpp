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

TEST(References, DeletedTargetClearsItsHoldersSlot) {
    Holder holder;
    auto* target = new Holder;
    holder.ReplaceReference(0, target);
    delete target;
    EXPECT_EQ(holder.ref, nullptr);
}

}  // namespace

namespace {

}  // namespace
