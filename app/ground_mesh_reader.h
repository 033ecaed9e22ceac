// Triangle meshes in scene files: a grid plane, a height field, a mesh given vertex by vertex,
// and a box (a vehicle's body or wheel, say).
#pragma once

#include <cstddef>

class JsonPlace;
class Object;

// Each a new triangle-mesh object, owned by the caller. triangleBudget is what the scene's
// meshes may still add; the mesh's triangles are taken from it.
Object* ReadPlane(const JsonPlace& obj, std::size_t& triangleBudget);
Object* ReadHeightField(const JsonPlace& obj, std::size_t& triangleBudget);
Object* ReadMesh(const JsonPlace& obj, std::size_t& triangleBudget);
// Its base centred on the origin, its top at the size's z.
Object* ReadBox(const JsonPlace& obj, std::size_t& triangleBudget);
