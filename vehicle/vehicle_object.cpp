#include "vehicle/vehicle_object.h"

#include <cmath>

#include "host/interface.h"
#include "host/param_block.h"
#include "host/param_map.h"
#include "vehicle/vehicle_create.h"

namespace {

ClassDesc2* Desc() { return static_cast<ClassDesc2*>(GetVehicleDesc()); }

// The roll-up needs nothing beyond its automatic controls.
class VehicleDlgProc final : public ParamMap2UserDlgProc {
public:
    INT_PTR DlgProc(TimeValue, IParamMap2*, HWND, UINT, WPARAM, LPARAM) override { return 0; }
    void SetObject(VehicleObject* obj) { object_ = obj; }
    VehicleObject* Editing() const { return object_; }

private:
    VehicleObject* object_ = nullptr;
};

VehicleDlgProc vehicleDlgProc;

}  // namespace

VehicleObject* VehicleBeingEdited() { return vehicleDlgProc.Editing(); }

VehicleObject::VehicleObject() {
    BindVehicleParamUI(Desc()->GetParamBlockDesc(0));
    Desc()->MakeAutoParamBlocks(this);
}

VehicleObject::~VehicleObject() {
    TheVehicleCreateCallBack().Forget(this);
    vehicleDlgProc.SetObject(nullptr);
}

void VehicleObject::SetSize(Point3 size) {
    if (paramBlock == nullptr) return;
    paramBlock->SetValue(kVehicleWidth, 0, std::fabs(size.x));
    paramBlock->SetValue(kVehicleLength, 0, std::fabs(size.y));
    paramBlock->SetValue(kVehicleHeight, 0, std::fabs(size.z));
}

Point3 VehicleObject::GetSize() const {
    if (paramBlock == nullptr) return {};
    return {paramBlock->GetFloat(kVehicleWidth, 0), paramBlock->GetFloat(kVehicleLength, 0),
            paramBlock->GetFloat(kVehicleHeight, 0)};
}

void VehicleObject::SetWheelCount(int axles) {
    if (paramBlock != nullptr) paramBlock->SetValue(kVehicleWheelCount, 0, axles);
}

void VehicleObject::SetWheelTables(Point3 position, Point3 size, int axle) {
    if (paramBlock == nullptr) return;
    paramBlock->SetValue(kVehicleWheelSize, 0, size, axle);
    paramBlock->SetValue(kVehicleWheelPos, 0, position, axle);
}

void VehicleObject::SetType(int type) {
    if (paramBlock == nullptr) return;
    paramBlock->SetValue(kVehicleType, 0, type);
    paramBlock->SetValue(kVehicleRigidity, 0, 200.0f);
    paramBlock->SetValue(kVehicleManeuverable, 0, 15.0f);
    paramBlock->SetValue(kVehicleAcceleration, 0, 3.0f);
    paramBlock->SetValue(kVehicleMaxSpeed, 0, type == 0 ? 200.0f : 100.0f);
    paramBlock->SetValue(kVehicleStopTime, 0, type == 0 ? 60.0f : 10.0f);
}

void VehicleObject::BeginEditParams(IObjParam* ip, unsigned long flags, Animatable* prev) {
    Desc()->BeginEditParams(ip, this, flags, prev);
    vehicleDlgProc.SetObject(this);
    Desc()->GetParamBlockDesc(0)->SetUserDlgProc(&vehicleDlgProc);
}

void VehicleObject::EndEditParams(IObjParam* ip, unsigned long flags, Animatable* next) {
    Desc()->EndEditParams(ip, this, flags, next);
}

IParamBlock2* VehicleObject::GetParamBlockByID(short id) {
    if (paramBlock == nullptr) return nullptr;
    return static_cast<unsigned short>(paramBlock->ID()) == static_cast<unsigned short>(id) ? paramBlock : nullptr;
}

ReferenceTarget* VehicleObject::GetReference(int) { return paramBlock; }

void VehicleObject::SetReference(int, ReferenceTarget* target) { paramBlock = static_cast<IParamBlock2*>(target); }

IOResult VehicleObject::Save(ISave* isave) {
    if (!state.HasRecord()) return IO_OK;
    isave->BeginChunk(kMotionChunkID);
    state.record.Save(isave);
    isave->EndChunk();
    return IO_OK;
}

IOResult VehicleObject::Load(ILoad* iload) {
    while (iload->OpenChunk() == IO_OK) {
        if (iload->CurChunkID() == kMotionChunkID) state.record.Load(iload);
        iload->CloseChunk();
    }
    return IO_OK;
}

ReferenceTarget* VehicleObject::Clone(RemapDir& remap) {
    auto* copy = static_cast<VehicleObject*>(static_cast<Object*>(Desc()->Create(FALSE)));
    if (copy == nullptr) return nullptr;
    copy->ReplaceReference(0, remap.CloneRef(paramBlock));
    BaseClone(this, copy, remap);
    return copy;
}

CreateMouseCallBack* VehicleObject::GetCreateMouseCallBack() {
    TheVehicleCreateCallBack().SetObj(this);
    return &TheVehicleCreateCallBack();
}

Interval VehicleObject::ObjectValidity(TimeValue t) {
    UpdateFromParams();
    return Interval(t, t);
}
