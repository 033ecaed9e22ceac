// Creation of a helper by two clicks: the first places the node, the drag from it sets the
// sizes, the second click ends it; no extent in X or Y aborts.
#pragma once

#include "host/create_mouse.h"

class HelperFrame;

class HelperCreateCallBack : public CreateMouseCallBack {
public:
    void SetObj(HelperFrame* obj) { object_ = obj; }
    // A deleted object must not be written to by a late message.
    void Forget(const HelperFrame* obj);
    int proc(ViewExp* vpt, int msg, int point, int flags, IPoint2 m, Matrix3& mat) override;

private:
    HelperFrame* object_ = nullptr;
    Point3 firstPoint_;  // construction-plane coordinates
};
