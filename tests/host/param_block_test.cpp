#include <gtest/gtest.h>

#include "host/class_desc.h"
#include "host/hold.h"

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

// Edits under a hold become one named undo step that restores them all; a cancelled hold takes
// its edits back at once, and a block that goes away takes its steps with it.
TEST(ParamBlock, EditsUnderAHoldUndoAsOneStep) {
    theHold.Reset();
    Holder holder;
    testDesc.MakeAutoParamBlocks(&holder);
    theHold.Begin();
    holder.Block()->SetValue(0, 0, 7.0f);
    holder.Block()->SetValue(3, 0, 0, 2);
    theHold.Accept(L"Edit");
    theHold.Begin();
    holder.Block()->SetValue(1, 0, 9.0f);
    theHold.Cancel();
    EXPECT_EQ(holder.Block()->GetFloat(1), 50.0f);
    EXPECT_EQ(theHold.UndoNames(), std::vector<std::wstring>{L"Edit"});
    EXPECT_TRUE(theHold.Undo());
    EXPECT_TRUE(holder.Block()->GetFloat(0) == 100.0f && holder.Block()->GetInt(3, 0, 2) == 1);
    theHold.Begin();
    holder.Block()->SetValue(0, 0, 7.0f);
    theHold.Accept(L"Gone");
    holder.DeleteReference(0);
    EXPECT_FALSE(theHold.Undo());
}

}  // namespace
