#include "road/block_modifier.h"

#include "host/class_desc.h"
#include "host/interface.h"
#include "host/spline_shape.h"

namespace {
// Topology, geometry, texture map, material, selection, sub-selection type, display attributes,
// vertex colour, graphics data, display approximation and extension channels.
constexpr ChannelMask kObjectChannels = 0x23FF;
}  // namespace

BlockModifier::BlockModifier(ClassDesc2& desc, ParamBlockDesc2& blockDesc, void (*setupBlock)(ParamBlockDesc2*))
    : desc_(&desc) {
    setupBlock(&blockDesc);
    desc.MakeAutoParamBlocks(this);
}

void BlockModifier::BeginEditParams(IObjParam* ip, unsigned long flags, Animatable* prev) {
    const TimeValue t = GetCOREInterface()->GetTime();
    NotifyDependents(Interval(t, t), PART_ALL, REFMSG_BEGIN_EDIT);
    NotifyDependents(Interval(t, t), PART_ALL, REFMSG_MOD_DISPLAY_ON);
    SetAFlag(A_BEING_EDITED);
    desc_->BeginEditParams(ip, this, flags, prev);
}

void BlockModifier::EndEditParams(IObjParam* ip, unsigned long flags, Animatable* next) {
    const TimeValue t = GetCOREInterface()->GetTime();
    ClearAFlag(A_BEING_EDITED);
    NotifyDependents(Interval(t, t), PART_ALL, REFMSG_END_EDIT);
    NotifyDependents(Interval(t, t), PART_ALL, REFMSG_MOD_DISPLAY_OFF);
    desc_->EndEditParams(ip, this, flags, next);
}

Animatable* BlockModifier::SubAnim(int i) { return i == 0 ? pblock : nullptr; }

IParamBlock2* BlockModifier::GetParamBlock(int i) { return i == 0 ? pblock : nullptr; }

IParamBlock2* BlockModifier::GetParamBlockByID(short id) {
    return pblock != nullptr && pblock->ID() == id ? pblock : nullptr;
}

ReferenceTarget* BlockModifier::GetReference(int i) { return i == 0 ? pblock : nullptr; }

void BlockModifier::SetReference(int i, ReferenceTarget* target) {
    if (i == 0) pblock = static_cast<IParamBlock2*>(target);
}

ReferenceTarget* BlockModifier::Clone(RemapDir& remap) {
    BlockModifier* copy = MakeEmpty();
    if (copy == nullptr) return nullptr;
    copy->ReplaceReference(0, remap.CloneRef(pblock));
    BaseClone(this, copy, remap);
    return copy;
}

Interval BlockModifier::LocalValidity(TimeValue t) {
    // While the roll-up is open the display is rebuilt at every evaluation.
    return TestAFlag(A_BEING_EDITED) ? NEVER : Interval(t, t);
}

ChannelMask BlockModifier::ChannelsUsed() { return kObjectChannels; }

ChannelMask BlockModifier::ChannelsChanged() { return kObjectChannels; }

Class_ID BlockModifier::InputType() { return genericShapeClassID; }
