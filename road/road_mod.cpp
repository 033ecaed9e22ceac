#include "road/road_mod.h"

#include <new>

#include "host/class_desc.h"
#include "host/interface.h"
#include "host/spline_shape.h"
#include "common/categories.h"
#include "common/module_handle.h"
#include "resources/resource.h"
#include "road/road_class_ids.h"
#include "road/road_mod_desc.h"

namespace {

class RoadModClassDesc : public ClassDesc2 {
public:
    int IsPublic() override { return 1; }
    void* Create(BOOL) override { return new (std::nothrow) RoadMod; }
    const wchar_t* ClassName() override { return L"Marlovan Road"; }
    SClass_ID SuperClassID() override { return WSM_CLASS_ID; }
    Class_ID ClassID() override { return kRoadModClassID; }
    const wchar_t* Category() override { return RoadCategory(); }
    const wchar_t* InternalName() override { return ClassName(); }
    HINSTANCE HInstance() override { return ClassDescHInstance(); }
};

RoadModClassDesc roadModDesc;

ParamBlockDesc2 roadParamBlock(
    0, L"parameters", 0, &roadModDesc, P_AUTO_CONSTRUCT | P_AUTO_UI, 0, IDD_ROAD_PARAM, IDS_ROAD_PARAM,
    {
        ParamDef(kRoadShift, L"Road_Shift", TYPE_WORLD, P_ANIMATABLE, 0).Default(0.0).Range(-1e7, 1e7),
        ParamDef(kStripWidth, L"Strip_Width", TYPE_WORLD, P_ANIMATABLE, 0).Default(420.0).Range(1e-4f, 1e7),
        ParamDef(kForwardStrip, L"Forward_Strip", TYPE_INT, P_ANIMATABLE, 0).Default(1).Range(0, 100),
        ParamDef(kBackwardStrip, L"Backward_Strip", TYPE_INT, P_ANIMATABLE, 0).Default(1).Range(0, 100),
        ParamDef(kReverse, L"Reverse", TYPE_BOOL, 0, 0).Default(0),
        ParamDef(kMaxSpeed, L"Max_Speed", TYPE_FLOAT, P_ANIMATABLE, 0).Default(100.0).Range(1.0, 200.0),
        ParamDef(kEnable, L"Enable", TYPE_BOOL, 0, 0).Default(1).Table(3),
    });

}  // namespace

ClassDesc* GetRoadModDesc() { return &roadModDesc; }

void SetupRoadModParamBlocks(ParamBlockDesc2* desc) {
    desc->ParamOption(kRoadShift, p_ui, TYPE_SPINNER, EDITTYPE_UNIVERSE, IDC_ROAD_SHIFT_EDIT, IDC_ROAD_SHIFT_SPIN,
                      SPIN_AUTOSCALE);
    desc->ParamOption(kStripWidth, p_ui, TYPE_SPINNER, EDITTYPE_UNIVERSE, IDC_ROAD_STRIP_WIDTH_EDIT,
                      IDC_ROAD_STRIP_WIDTH_SPIN, SPIN_AUTOSCALE);
    desc->ParamOption(kForwardStrip, p_ui, TYPE_SPINNER, EDITTYPE_INT, IDC_ROAD_FORWARD_STRIP_EDIT,
                      IDC_ROAD_FORWARD_STRIP_SPIN, SPIN_AUTOSCALE);
    desc->ParamOption(kBackwardStrip, p_ui, TYPE_SPINNER, EDITTYPE_INT, IDC_ROAD_BACKWARD_STRIP_EDIT,
                      IDC_ROAD_BACKWARD_STRIP_SPIN, SPIN_AUTOSCALE);
    desc->ParamOption(kReverse, p_ui, TYPE_SINGLECHECKBOX, IDC_ROAD_REVERSE_CHECK);
    desc->ParamOption(kMaxSpeed, p_ui, TYPE_SPINNER, EDITTYPE_FLOAT, IDC_ROAD_MAX_SPEED_EDIT, IDC_ROAD_MAX_SPEED_SPIN,
                      SPIN_AUTOSCALE);
    desc->ParamOption(kEnable, p_ui, TYPE_SINGLECHECKBOX, IDC_ROAD_ENABLE_CAR_CHECK, IDC_ROAD_ENABLE_BUS_CHECK,
                      IDC_ROAD_ENABLE_TRUCK_CHECK);
}

RoadMod::RoadMod() : BlockModifier(roadModDesc, roadParamBlock, SetupRoadModParamBlocks) {}

Class_ID RoadMod::ClassID() { return kRoadModClassID; }

BlockModifier* RoadMod::MakeEmpty() const { return new (std::nothrow) RoadMod; }

void RoadMod::ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) {
    BuildLaneShape(t, mc, os, node);
}
