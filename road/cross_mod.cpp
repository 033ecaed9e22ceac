#include "road/cross_mod.h"

#include <new>

#include "common/categories.h"
#include "common/module_handle.h"
#include "host/class_desc.h"
#include "host/node.h"
#include "host/shape.h"
#include "host/time.h"
#include "resources/resource.h"
#include "road/junction_ways.h"
#include "road/param_at_zero.h"
#include "road/road_class_ids.h"
#include "road/road_reading.h"

namespace {

constexpr ParamID kLeftTurn = 0;
constexpr ParamID kRightTurn = 1;
constexpr ParamID kCrossMaxSpeed = 2;

class CrossModClassDesc : public ClassDesc2 {
public:
    int IsPublic() override { return 1; }
    void* Create(BOOL) override { return static_cast<WSModifier*>(new (std::nothrow) CrossMod); }
    const wchar_t* ClassName() override { return L"Marlovan Cross"; }
    SClass_ID SuperClassID() override { return WSM_CLASS_ID; }
    Class_ID ClassID() override { return kCrossModClassID; }
    const wchar_t* Category() override { return RoadCategory(); }
    const wchar_t* InternalName() override { return ClassName(); }
    HINSTANCE HInstance() override { return ClassDescHInstance(); }
};

CrossModClassDesc crossModDesc;

ParamBlockDesc2 crossParamBlock(0, L"parameters", 0, &crossModDesc, P_AUTO_CONSTRUCT | P_AUTO_UI, 0, IDD_CROSS_PARAM,
                                IDS_CROSS_PARAM,
                                {
                                    ParamDef(kLeftTurn, L"Left_Turn", TYPE_BOOL, 0, 0).Default(1),
                                    ParamDef(kRightTurn, L"Right_Turn", TYPE_BOOL, 0, 0).Default(1),
                                    ParamDef(kCrossMaxSpeed, L"Max_Speed", TYPE_FLOAT, P_ANIMATABLE, 0)
                                        .Default(100.0)
                                        .Range(1.0, 200.0),
                                });

// The outline's polylines at time 0 and its transform, as the two passes must both see them.
bool ReadOutline(INode* node, PolyShape& lines, Matrix3& tm) {
    if (node == nullptr || !ReadRoadPolylines(node, lines)) return false;
    tm = node->GetObjectTM(0);
    return true;
}

}  // namespace

ClassDesc* GetCrossModDesc() { return &crossModDesc; }

void SetupCrossModParamBlocks(ParamBlockDesc2* desc) {
    desc->ParamOption(kLeftTurn, p_ui, TYPE_SINGLECHECKBOX, IDC_CROSS_LEFT_TURN_CHECK);
    desc->ParamOption(kRightTurn, p_ui, TYPE_SINGLECHECKBOX, IDC_CROSS_RIGHT_TURN_CHECK);
    desc->ParamOption(kCrossMaxSpeed, p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_CROSS_MAX_SPEED_EDIT, IDC_CROSS_MAX_SPEED_SPIN,
                      SPIN_AUTOSCALE);
}

CrossMod::CrossMod() : BlockModifier(crossModDesc, crossParamBlock, SetupCrossModParamBlocks) {}

Class_ID CrossMod::ClassID() { return kCrossModClassID; }

BlockModifier* CrossMod::MakeEmpty() const { return new (std::nothrow) CrossMod; }

void CrossMod::ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) {
    BuildJunctionShape(t, mc, os, node);
}

bool CrossMod::GetCrossParams(CrossParams& out) const {
    if (pblock == nullptr) return false;
    out.leftTurn = FlagAtZero(*pblock, kLeftTurn);
    out.rightTurn = FlagAtZero(*pblock, kRightTurn);
    const double kmh = FloatAtZero(*pblock, kCrossMaxSpeed);
    out.speed = static_cast<float>(kmh / (GetMasterScale(UNITS_KILOMETERS) * 3600.0));
    return true;
}

void CrossMod::CountWays(const RoadSegmentArray& segments, INode* node, int& count) {
    PolyShape lines;
    Matrix3 tm;
    CrossParams p;
    if (!GetCrossParams(p) || !ReadOutline(node, lines, tm)) return;
    for (const PolyLine& line : lines.lines) CountJunctionWays(segments, line, tm, p.leftTurn, p.rightTurn, count);
}

void CrossMod::FillWays(const RoadSegmentArray& segments, INode* node, WayRecord* ways, int& index, int capacity) {
    PolyShape lines;
    Matrix3 tm;
    CrossParams p;
    if (!GetCrossParams(p) || !ReadOutline(node, lines, tm)) return;
    for (const PolyLine& line : lines.lines)
        FillJunctionWays(segments, line, tm, p.leftTurn, p.rightTurn, p.speed, ways, index, capacity);
}
