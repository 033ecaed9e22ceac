// The crossing modifier, on a junction's outline shape: it finds where the roads' lanes end at
// the outline and links them through the junction. Its evaluation shows the lane-end chevrons
// and the connectors' edge curves; as a lane source it gives the connector ways.
#pragma once

#include <cstdint>
#include <string>

#include "common/export.h"
#include "road/block_modifier.h"

class BezierShape;
class ClassDesc;
class Spline3D;
struct LaneEnd;
struct RoadSegmentArray;
struct WayRecord;

MARLOVAN_EXPORT void SetupCrossModParamBlocks(ParamBlockDesc2* desc);
ClassDesc* GetCrossModDesc();

struct CrossParams {
    std::uint8_t leftTurn = 0;
    std::uint8_t rightTurn = 0;
    float speed = 0.0f;  // scene units per second
};

class CrossMod : public BlockModifier {
public:
    CrossMod();

    // Every value read at time 0, the speed held in its range. False without a block.
    bool GetCrossParams(CrossParams& out) const;

    // The outline is read at time 0 with this modifier switched off by the caller.
    void CountWays(const RoadSegmentArray& segments, INode* node, int& count);
    void FillWays(const RoadSegmentArray& segments, INode* node, WayRecord* ways, int& index, int capacity);

    // Replaces the outline by the junction's chevrons and connector curves. An outline that is
    // not a spline shape is converted, and the converted shape goes into the state.
    void BuildJunctionShape(TimeValue t, ModContext& mc, ObjectState* os, INode* node);

    void GetClassName(std::wstring& s) override { s = L"Marlovan Cross"; }
    Class_ID ClassID() override;
    std::wstring GetObjectName() override { return L"Marlovan Cross"; }
    void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) override;

protected:
    BlockModifier* MakeEmpty() const override;
};

// One chevron per lane of the end, pointing along its travel direction.
void AddLaneEndChevrons(const LaneEnd& end, BezierShape* shape, const Matrix3& inverse);
// The 33 samples of the connector from pa to pb as corner knots, through inverse.
void AddConnectorSpline(Spline3D* spline, Point3 pa, Point3 pb, Point3 ta, Point3 tb, const Matrix3& inverse);
