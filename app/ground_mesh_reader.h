// Ground meshes in scene files: a grid plane, a height field or a mesh given vertex by vertex.
#pragma once

class JsonPlace;
class Object;

// The triangle-mesh object that the scene file's object describes, or null when its class is
// not one of the ground mesh classes. Bad values throw SceneError naming their place.
Object* ReadGroundMesh(const JsonPlace& obj);
