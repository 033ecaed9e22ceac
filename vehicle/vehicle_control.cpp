#include "vehicle/vehicle_control.h"

#include <new>

#include "common/categories.h"
#include "common/module_handle.h"
#include "common/tracing.h"
#include "host/node.h"
#include "resources/resource.h"
#include "vehicle/vehicle_object.h"

namespace {

class VehicleControlClassDesc final : public ClassDesc2 {
public:
    int IsPublic() override { return 1; }
    void* Create(BOOL) override { return NewVehicleControl(); }
    const wchar_t* ClassName() override { return GetMarlovanCategory(); }
    const wchar_t* InternalName() override { return GetMarlovanCategory(); }
    SClass_ID SuperClassID() override { return CTRL_MATRIX3_CLASS_ID; }
    Class_ID ClassID() override { return kVehicleControlClassID; }
    const wchar_t* Category() override { return L""; }
    HINSTANCE HInstance() override { return ClassDescHInstance(); }
};

// Defined in this order: the block names the descriptor as its owner.
VehicleControlClassDesc controlDesc;
ParamBlockDesc2 controlBlock(0, L"parameters", 0, &controlDesc, P_AUTO_CONSTRUCT | P_AUTO_UI, 0,
                             IDD_VEHICLE_CONTROL_PARAM, IDS_PARAMETERS,
                             {
                                 ParamDef(kControlVehicleNode, L"Vehicle_Node", TYPE_INODE, 0, 0),
                                 ParamDef(kControlObjectNum, L"Object_Num", TYPE_INT, 0, 0),
                                 ParamDef(kControlObjectPosition, L"Object_Position", TYPE_MATRIX3, 0, 0),
                             });

// Marks the controller as evaluating for as long as it lives.
class Evaluating {
public:
    explicit Evaluating(bool& flag) : flag_(flag) { flag_ = true; }
    ~Evaluating() { flag_ = false; }
    Evaluating(const Evaluating&) = delete;
    Evaluating& operator=(const Evaluating&) = delete;

private:
    bool& flag_;
};

}  // namespace

ClassDesc* GetVehicleControlDesc() { return &controlDesc; }

Control* NewVehicleControl() { return new (std::nothrow) VehicleControl; }

VehicleControl::VehicleControl() { controlDesc.MakeAutoParamBlocks(this); }

void VehicleControl::GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method) {
    EvaluateTM(t, static_cast<Matrix3*>(val), valid, method);
}

void VehicleControl::EvaluateTM(TimeValue t, Matrix3* value, Interval& valid, GetSetMethod) {
    if (pblock == nullptr || value == nullptr || evaluating_) return;
    const Evaluating guard(evaluating_);
    INode* node = pblock->GetINode(kControlVehicleNode, t);
    if (node == nullptr) return;
    Object* obj = node->GetObjectRef();
    if (obj == nullptr || obj->ClassID() != kVehicleClassID) return;
    auto* vehicle = static_cast<VehicleObject*>(obj);
    vehicle->UpdateFromParams();
    const int part = pblock->GetInt(kControlObjectNum, t);
    const Matrix3 offset = pblock->GetMatrix3(kControlObjectPosition, t);
    const VehicleState& state = vehicle->State();
    Matrix3 partTM;
    if (!state.GetPartTM(partTM, part, t)) return;
    // Live and recorded parts are in world space already; only the rest pose is placed.
    if (IsTracing() || state.HasRecord())
        *value = offset * partTM;
    else
        *value = offset * partTM * node->GetNodeTM(t);
    valid.SetInstant(t);
}

void VehicleControl::SetParams(INode* vehicleNode, int part, const Matrix3& offset) {
    if (pblock == nullptr) return;
    pblock->SetValue(kControlVehicleNode, 0, vehicleNode);
    pblock->SetValue(kControlObjectNum, 0, part);
    pblock->SetValue(kControlObjectPosition, 0, offset);
}

INode* VehicleControl::GetVehicleNode() const {
    return pblock != nullptr ? pblock->GetINode(kControlVehicleNode, 0) : nullptr;
}

void VehicleControl::SetVehicleNode(INode* node) {
    if (pblock != nullptr) pblock->SetValue(kControlVehicleNode, 0, node);
}

void VehicleControl::BeginEditParams(IObjParam* ip, unsigned long flags, Animatable* prev) {
    controlDesc.BeginEditParams(ip, this, flags, prev);
}

void VehicleControl::EndEditParams(IObjParam* ip, unsigned long flags, Animatable* next) {
    controlDesc.EndEditParams(ip, this, flags, next);
}

IParamBlock2* VehicleControl::GetParamBlockByID(short id) {
    return pblock != nullptr && pblock->ID() == id ? pblock : nullptr;
}

ReferenceTarget* VehicleControl::GetReference(int) { return pblock; }

void VehicleControl::SetReference(int, ReferenceTarget* target) { pblock = static_cast<IParamBlock2*>(target); }

ReferenceTarget* VehicleControl::Clone(RemapDir& remap) {
    auto* copy = new (std::nothrow) VehicleControl;
    if (copy == nullptr) return nullptr;
    copy->ReplaceReference(0, remap.CloneRef(pblock));
    BaseClone(this, copy, remap);
    return copy;
}
