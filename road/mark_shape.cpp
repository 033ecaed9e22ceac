#include "road/mark_shape.h"

#include "host/object.h"
#include "host/spline_shape.h"

SplineShape* TakeShapeForMarks(TimeValue t, ObjectState* os, PolyShape& polylines) {
    Object* converted = os->obj->ConvertToType(t, splineShapeClassID);
    if (converted == nullptr) return nullptr;
    os->obj = converted;
    auto* spline = static_cast<SplineShape*>(converted);
    spline->MakePolyShape(0, polylines, SHAPE_OWN_STEPS, false);
    spline->shape.Init();
    return spline;
}

void ShowMarks(ObjectState* os, SplineShape* spline) {
    spline->shape.UpdateSels(0);
    spline->shape.InvalidateGeomCache();
    os->obj->UnlockObject();
}
