// The transform controller of a vehicle's body and wheel nodes: plays back the vehicle's live,
// recorded or rest-pose motion for one part.
#pragma once

#include <string>

#include "host/class_desc.h"
#include "host/controller.h"

class INode;

inline constexpr Class_ID kVehicleControlClassID{0x23E55012, 0x7B31568F};

enum VehicleControlParam : ParamID {
    kControlVehicleNode = 0,     // the node of the vehicle object followed
    kControlObjectNum = 1,       // part: 0 body, 1-6 wheels
    kControlObjectPosition = 2,  // the part object's offset within its part frame, applied first
};

class VehicleControl : public Control {
public:
    VehicleControl();

    // Writes the part's world transform at t, valid for the instant t. Leaves value and valid
    // as they were without a vehicle, for a part outside 0-6, and when re-entered while it
    // evaluates (a vehicle node linked under its own part, a controller following its own node).
    void EvaluateTM(TimeValue t, Matrix3* value, Interval& valid, GetSetMethod method);
    void SetParams(INode* vehicleNode, int part, const Matrix3& offset);
    INode* GetVehicleNode() const;
    void SetVehicleNode(INode* node);

    void GetClassName(std::wstring& s) override { s = L"Marlovan2"; }
    SClass_ID SuperClassID() override { return CTRL_MATRIX3_CLASS_ID; }
    Class_ID ClassID() override { return kVehicleControlClassID; }
    void BeginEditParams(IObjParam* ip, unsigned long flags, Animatable* prev) override;
    void EndEditParams(IObjParam* ip, unsigned long flags, Animatable* next) override;
    int NumSubs() override { return 1; }
    Animatable* SubAnim(int) override { return pblock; }
    int NumParamBlocks() override { return 1; }
    IParamBlock2* GetParamBlock(int) override { return pblock; }
    IParamBlock2* GetParamBlockByID(short id) override;
    int NumRefs() override { return 1; }
    ReferenceTarget* GetReference(int) override;
    void SetReference(int, ReferenceTarget* target) override;
    IOResult Save(ISave*) override { return IO_OK; }
    IOResult Load(ILoad* iload) override { return Control::Load(iload); }
    ReferenceTarget* Clone(RemapDir& remap) override;

    void GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method = CTRL_ABSOLUTE) override;
    // The value comes from the vehicle alone.
    void SetValue(TimeValue, void*, int = 1, GetSetMethod = CTRL_ABSOLUTE) override {}

private:
    IParamBlock2* pblock = nullptr;
    bool evaluating_ = false;
};

ClassDesc* GetVehicleControlDesc();
// A new vehicle controller, or null when it cannot be allocated.
Control* NewVehicleControl();
