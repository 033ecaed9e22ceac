#include "vehicle/vehicle_create.h"

#include "host/param_block.h"
#include "host/viewport.h"
#include "vehicle/vehicle_object.h"

namespace {
VehicleCreateCallBack vehicleCreate;
}  // namespace

VehicleCreateCallBack& TheVehicleCreateCallBack() { return vehicleCreate; }

void VehicleCreateCallBack::Forget(const VehicleObject* obj) {
    if (object_ == obj) object_ = nullptr;
}

int VehicleCreateCallBack::proc(ViewExp* vpt, int msg, int point, int, IPoint2 m, Matrix3& mat) {
    if (vpt == nullptr) return CREATE_ABORT;
    if (msg == MOUSE_FREEMOVE) vpt->SnapPreview(m, m, nullptr, 0);
    if (msg != MOUSE_POINT && msg != MOUSE_MOVE) return msg == MOUSE_ABORT ? CREATE_ABORT : CREATE_CONTINUE;
    if (point != 0 && point != 1) return CREATE_CONTINUE;
    IPoint2 snapped = m;
    const Point3 p = vpt->SnapPoint(m, snapped, nullptr, 0);
    if (point == 0) {
        firstMouse_ = m;
        firstPoint_ = p;
    }
    mat.IdentityMatrix();
    mat.SetTrans(firstPoint_);
    if (point == 0) return CREATE_CONTINUE;
    Point3 size = (p - firstPoint_) * 2.0f;
    size.z = size.x * 0.5f;
    if (object_ != nullptr) {
        object_->SetSize(size);
        static_cast<ClassDesc2*>(GetVehicleDesc())->GetParamBlockDesc(0)->InvalidateUI();
    }
    if (msg == MOUSE_MOVE) return CREATE_CONTINUE;
    return size.x == 0.0f || size.y == 0.0f ? CREATE_ABORT : CREATE_STOP;
}
