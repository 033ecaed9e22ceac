// The road modifier: lays a band of lanes along each polyline of a road's spline shape. Its
// evaluation shows the lane edges and direction chevrons; as a lane source it gives one way per
// lane per polyline segment, and one road segment per polyline segment.
#pragma once

#include <string>

#include "common/export.h"
#include "road/block_modifier.h"
#include "road/road_params.h"

struct RoadSegment;
struct WayRecord;

// Binds the block's parameters to the roll-up controls.
MARLOVAN_EXPORT void SetupRoadModParamBlocks(ParamBlockDesc2* desc);

class RoadMod : public BlockModifier {
public:
    RoadMod();

    // Every value read at time 0 and clamped to the parameter's range. False without a block.
    bool GetRoadParams(RoadParams& out) const;

    // The routines below read the road at time 0; the scene walk calls them with this modifier
    // switched off, so they see the node's shape without this modifier's display. Fills write at
    // index onward, never at or past capacity, and advance index by what they wrote.
    void CountSegments(INode* node, int& count);
    void FillSegments(INode* node, RoadSegment* items, int& index, int capacity);
    void CountWays(INode* node, int& count);
    void FillWays(INode* node, WayRecord* ways, int& index, int capacity);

    // Replaces the shape by its lane edges and chevrons. A shape that is not a spline shape is
    // converted, and the converted shape goes into the state.
    void BuildLaneShape(TimeValue t, ModContext& mc, ObjectState* os, INode* node);

    void GetClassName(std::wstring& s) override { s = L"Marlovan Road"; }
    Class_ID ClassID() override;
    std::wstring GetObjectName() override { return L"Marlovan Road"; }
    void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) override;

protected:
    BlockModifier* MakeEmpty() const override;
};
