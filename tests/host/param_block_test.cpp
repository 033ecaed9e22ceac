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
ParamBlockDesc2 testBlock(0, L"parameters", 0, &testDesc, P_AUTO_CONSTRUCT, 0, 0, 0,
                          {ParamDef(0, L"Width", TYPE_WORLD, 0, 0).Default(100.0)});

// An object with one reference slot, as the plug-in's classes keep their block.
class Holder : public ReferenceTarget {
public:
    ReferenceTarget* ref = nullptr;
    int NumRefs() override { return 1; }
    ReferenceTarget* GetReference(int i) override { return i == 0 ? ref : nullptr; }
    void SetReference(int, ReferenceTarget* r) override { ref = r; }
};

// A block that goes away takes its undo steps with it, so an undo cannot write into it.
TEST(ParamBlock, ADeletedBlockTakesItsUndoStepsWithIt) {
    theHold.Reset();
    Holder holder;
    testDesc.MakeAutoParamBlocks(&holder);
    theHold.Begin();
    static_cast<IParamBlock2*>(holder.ref)->SetValue(0, 0, 7.0f);
    theHold.Accept(L"Gone");
    holder.DeleteReference(0);
    EXPECT_TRUE(theHold.UndoNames().empty());
    EXPECT_FALSE(theHold.Undo());
}

}  // namespace
