// Creation of a vehicle by dragging: the first click is the centre of the footprint, the drag
// sets half the width and half the length, and the height is half the width.
#pragma once

#include "host/create_mouse.h"

class VehicleObject;

class VehicleCreateCallBack : public CreateMouseCallBack {
public:
    void SetObj(VehicleObject* obj) { object_ = obj; }
    // A deleted object must not be written to by a late message.
    void Forget(const VehicleObject* obj);
    int proc(ViewExp* vpt, int msg, int point, int flags, IPoint2 m, Matrix3& mat) override;

private:
    IPoint2 firstMouse_;
    VehicleObject* object_ = nullptr;
    Point3 firstPoint_;
};

VehicleCreateCallBack& TheVehicleCreateCallBack();
