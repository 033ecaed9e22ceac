// What the road and crossing modifiers share: a world-space modifier on shapes whose one
// reference is its parameter block, edited in an automatic roll-up, rebuilt at every evaluation
// while that roll-up is open.
#pragma once

#include <string>

#include "host/modifier.h"

class ClassDesc2;
class ParamBlockDesc2;

class BlockModifier : public WSModifier {
public:
    void BeginEditParams(IObjParam* ip, unsigned long flags, Animatable* prev) override;
    void EndEditParams(IObjParam* ip, unsigned long flags, Animatable* next) override;
    int NumSubs() override { return 1; }
    Animatable* SubAnim(int i) override;
    std::wstring SubAnimName(int) override { return L"Params"; }
    int NumParamBlocks() override { return 1; }
    IParamBlock2* GetParamBlock(int i) override;
    IParamBlock2* GetParamBlockByID(short id) override;
    int NumRefs() override { return 1; }
    ReferenceTarget* GetReference(int i) override;
    void SetReference(int i, ReferenceTarget* target) override;
    RefResult NotifyRefChanged(const Interval&, ReferenceTarget*, PartID&, RefMessage) override { return REF_SUCCEED; }
    ReferenceTarget* Clone(RemapDir& remap) override;
    Interval LocalValidity(TimeValue t) override;
    ChannelMask ChannelsUsed() override;
    ChannelMask ChannelsChanged() override;
    void NotifyInputChanged(const Interval&, PartID, RefMessage, ModContext*) override {}
    Class_ID InputType() override;

protected:
    // Binds the block's controls, then has the descriptor make the block.
    BlockModifier(ClassDesc2& desc, ParamBlockDesc2& blockDesc, void (*setupBlock)(ParamBlockDesc2*));
    // A new modifier of the same class with its own default block.
    virtual BlockModifier* MakeEmpty() const = 0;

    IParamBlock2* pblock = nullptr;

private:
    ClassDesc2* desc_;
};
