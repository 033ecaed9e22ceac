// Creation of a rectangle helper by dragging: the first click places the node at the centre,
// the drag sets the half sizes, the second click ends it.
#pragma once

#include "host/create_mouse.h"

class RectHelperObject;

class RectHelperCreateCallBack : public CreateMouseCallBack {
public:
    void SetObj(RectHelperObject* obj) { object_ = obj; }
    // A deleted object must not be written to by a late message.
    void Forget(const RectHelperObject* obj);
    int proc(ViewExp* vpt, int msg, int point, int flags, IPoint2 m, Matrix3& mat) override;

private:
    RectHelperObject* object_ = nullptr;
    Point3 firstPoint_;  // construction-plane coordinates
};
