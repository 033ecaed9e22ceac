#include "common/helper_create.h"

#include "common/helper_frame.h"
#include "host/viewport.h"

void HelperCreateCallBack::Forget(const HelperFrame* obj) {
    if (object_ == obj) object_ = nullptr;
}

int HelperCreateCallBack::proc(ViewExp* vpt, int msg, int point, int, IPoint2 m, Matrix3& mat) {
    if (vpt == nullptr) return CREATE_ABORT;
    if (msg == MOUSE_FREEMOVE) {
        vpt->SnapPreview(m, m, nullptr, 0);
        return CREATE_CONTINUE;
    }
    if (msg != MOUSE_POINT && msg != MOUSE_MOVE) return msg == MOUSE_ABORT ? CREATE_ABORT : CREATE_CONTINUE;
    if (point != 0 && point != 1) return CREATE_CONTINUE;
    const Point3 p = vpt->SnapPoint(m, m, nullptr, 0);
    if (point == 0) firstPoint_ = p;
    // The node stays at the first click.
    mat.IdentityMatrix();
    mat.SetTrans(firstPoint_);
    if (point == 0) return CREATE_CONTINUE;
    const Point3 d = p - firstPoint_;
    if (object_ != nullptr) object_->SetDraggedSize(d);
    if (msg == MOUSE_MOVE) return CREATE_CONTINUE;
    return d.x == 0.0f || d.y == 0.0f ? CREATE_ABORT : CREATE_STOP;
}
