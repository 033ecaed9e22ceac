// The objects and modifiers of a scene file's nodes: built-in host objects by their class name
// ("SplineShape" and the ground meshes), the module's classes through its class directory.
#pragma once

#include <cstddef>
#include <vector>

#include "app/vehicle_reader.h"
#include "host/class_id.h"

class ClassDirectory;
class JsonPlace;
class Object;
class WSModifier;

// What reading one scene needs beyond the file: the module's classes and the scene-wide limits.
struct SceneReadContext {
    const ClassDirectory& classes;
    std::size_t shapePointsLeft;
    std::size_t meshTrianglesLeft;
    std::vector<VehiclePart> vehicleParts = {};  // attached once every node exists
};

// A new object, owned by the caller, who gives it to the scene at once.
Object* ReadObject(const JsonPlace& obj, SceneReadContext& context);
// A new world-space modifier of a module class, owned by the caller.
WSModifier* ReadModifier(const JsonPlace& mod, const SceneReadContext& context);
