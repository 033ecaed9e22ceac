// The road modifier: lays a band of lanes along each polyline of a road's spline shape. Its
// evaluation shows the lane edges and direction chevrons; as a lane source it gives one way per
// lane per polyline segment, and one road segment per polyline segment.
#pragma once

#include <string>

#include "host/modifier.h"
#include "common/export.h"
#include "road/road_params.h"

struct RoadSegment;
struct WayRecord;

// Binds the block's parameters to the roll-up controls.
MARLOVAN_EXPORT void SetupRoadModParamBlocks(ParamBlockDesc2* desc);

class RoadMod : public WSModifier {
public:
    RoadMod();

    // Every value read at time 0 and clamped to the parameter's range. False without a block.
    bool GetRoadParams(RoadParams& out) const;

    // The routines below read the road at time 0 with every road and crossing modifier of its
    // stack switched off, so they see the shape as drawn. Fills write at index onward, never at
    // or past capacity, and advance index by what they wrote.
    void CountSegments(INode* node, int& count);
    void FillSegments(INode* node, RoadSegment* items, int& index, int capacity);
    void CountWays(INode* node, int& count);
    void FillWays(INode* node, WayRecord* ways, int& index, int capacity);

    // Replaces the shape by its lane edges and chevrons. A shape that is not a spline shape is
    // converted, and the converted shape goes into the state.
    void BuildLaneShape(TimeValue t, ModContext& mc, ObjectState* os, INode* node);

    void GetClassName(std::wstring& s) override { s = L"Marlovan Road"; }
    Class_ID ClassID() override;
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
    std::wstring GetObjectName() override { return L"Marlovan Road"; }
    Interval LocalValidity(TimeValue t) override;
    ChannelMask ChannelsUsed() override;
    ChannelMask ChannelsChanged() override;
    void NotifyInputChanged(const Interval&, PartID, RefMessage, ModContext*) override {}
    void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) override;
    Class_ID InputType() override;

private:
    IParamBlock2* pblock = nullptr;
};
