// Ground meshes in scene files: a grid plane, a height field or a mesh given vertex by vertex.
#pragma once

#include <cstddef>

class JsonPlace;
class Object;

// Each a new triangle-mesh object, owned by the caller. triangleBudget is what the scene's
// meshes may still add; the mesh's triangles are taken from it.
Object* ReadPlane(const JsonPlace& obj, std::size_t& triangleBudget);
Object* ReadHeightField(const JsonPlace& obj, std::size_t& triangleBudget);
Object* ReadMesh(const JsonPlace& obj, std::size_t& triangleBudget);
