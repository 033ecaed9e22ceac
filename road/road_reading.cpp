#include "road/road_reading.h"

#include <memory>

#include "host/node.h"
#include "host/spline_shape.h"
#include "road/modifier_switch.h"
#include "road/road_class_ids.h"

namespace {

// Any other road or crossing modifier on the stack, above or below, would otherwise hand the
// reader its lane display instead of the shape as drawn.
void SwitchOffLaneModifiers(INode* node, ModifierSwitch& off) {
    IDerivedObject* stack = node->GetWSMDerivedObject();
    if (stack == nullptr) return;
    for (int i = 0; i < stack->NumModifiers(); ++i) {
        Modifier* mod = stack->GetModifier(i);
        if (mod == nullptr || !mod->IsEnabled()) continue;
        const Class_ID id = mod->ClassID();
        if (id == kRoadModClassID || id == kCrossModClassID) off.SwitchOff(mod);
    }
}

struct ObjectDeleter {
    void operator()(Object* obj) const { obj->DeleteThis(); }
};

}  // namespace

bool ReadRoadPolylines(INode* node, PolyShape& out) {
    if (node == nullptr) return false;
    ModifierSwitch off;
    SwitchOffLaneModifiers(node, off);
    const ObjectState os = node->EvalWorldState(0, TRUE);
    if (os.obj == nullptr) return false;
    Object* converted = os.obj->ConvertToType(0, splineShapeClassID);
    if (converted == nullptr) return false;
    // A conversion that made a new object is ours to delete.
    const std::unique_ptr<Object, ObjectDeleter> made(converted != os.obj ? converted : nullptr);
    static_cast<ShapeObject*>(converted)->MakePolyShape(0, out, SHAPE_OWN_STEPS, false);
    return true;
}
