#include "app/object_reader.h"

#include <string>

#include "app/class_directory.h"
#include "app/ground_mesh_reader.h"
#include "app/json_reader.h"
#include "app/spline_shape_reader.h"
#include "app/text.h"
#include "host/class_desc.h"
#include "host/modifier.h"
#include "host/spline_shape.h"

namespace {

// Host objects a scene file makes itself; every other class comes from the module.
struct BuiltInObject {
    const char* className;
    Object* (*read)(const JsonPlace& obj, SceneReadContext& context);
};

const BuiltInObject kBuiltInObjects[] = {
    {"SplineShape", [](const JsonPlace& obj, SceneReadContext& c) -> Object* {
         return ReadSplineShape(obj, c.shapePointsLeft);
     }},
    {"Plane", [](const JsonPlace& obj, SceneReadContext& c) { return ReadPlane(obj, c.meshTrianglesLeft); }},
    {"HeightField", [](const JsonPlace& obj, SceneReadContext& c) { return ReadHeightField(obj, c.meshTrianglesLeft); }},
    {"Mesh", [](const JsonPlace& obj, SceneReadContext& c) { return ReadMesh(obj, c.meshTrianglesLeft); }},
    {"Box", [](const JsonPlace& obj, SceneReadContext& c) { return ReadBox(obj, c.meshTrianglesLeft); }},
};

template <class T>
T* CreateFromModule(const JsonPlace& place, const ClassDirectory& classes, SClass_ID superClass,
                    std::initializer_list<const char*> keys) {
    place.ExpectObject(keys);
    const std::string name = place["class"].String();
    ClassDesc* desc = classes.Find(FromUtf8(name), superClass);
    if (desc == nullptr) place["class"].Fail("unknown class \"" + name + "\" (known: " + classes.Names(superClass) + ")");
    T* made = static_cast<T*>(desc->Create(FALSE));
    if (made == nullptr) place.Fail("the class could not make an object");
    return made;
}

}  // namespace

Object* ReadObject(const JsonPlace& obj, SceneReadContext& context) {
    if (obj.Has("class") && obj["class"].Value().is_string()) {
        const std::string name = obj["class"].String();
        for (const BuiltInObject& builtIn : kBuiltInObjects)
            if (name == builtIn.className) return builtIn.read(obj, context);
    }
    return CreateFromModule<Object>(obj, context.classes, HELPER_CLASS_ID, {"class", "params", "signal"});
}

WSModifier* ReadModifier(const JsonPlace& mod, const SceneReadContext& context) {
    return CreateFromModule<WSModifier>(mod, context.classes, WSM_CLASS_ID, {"class", "enabled", "params"});
}
