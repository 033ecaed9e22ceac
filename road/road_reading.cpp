#include "road/road_reading.h"

#include <memory>

#include "host/node.h"
#include "host/spline_shape.h"

namespace {
struct ObjectDeleter {
    void operator()(Object* obj) const { obj->DeleteThis(); }
};
}  // namespace

bool ReadRoadPolylines(INode* node, PolyShape& out) {
    if (node == nullptr) return false;
    const ObjectState os = node->EvalWorldState(0, TRUE);
    if (os.obj == nullptr) return false;
    Object* converted = os.obj->ConvertToType(0, splineShapeClassID);
    if (converted == nullptr) return false;
    // A conversion that made a new object is ours to delete.
    const std::unique_ptr<Object, ObjectDeleter> made(converted != os.obj ? converted : nullptr);
    static_cast<ShapeObject*>(converted)->MakePolyShape(0, out, SHAPE_OWN_STEPS, false);
    return true;
}
