// Triangle meshes and the object that holds one.
#pragma once

#include <array>
#include <vector>

#include "host/object.h"
#include "host/win32.h"

constexpr SClass_ID GEOMOBJECT_CLASS_ID = 0x10;
constexpr Class_ID triObjectClassID(0x00000009, 0);

class Face {
public:
    std::array<DWORD, 3> v{0, 0, 0};

    void setVerts(DWORD a, DWORD b, DWORD c) { v = {a, b, c}; }
    DWORD getVert(int i) const { return v[static_cast<std::size_t>(i)]; }
};

class Mesh {
public:
    std::vector<Point3> verts;
    std::vector<Face> faces;

    void setNumVerts(int n) { verts.resize(static_cast<std::size_t>(n)); }
    void setNumFaces(int n) { faces.resize(static_cast<std::size_t>(n)); }
    int getNumVerts() const { return static_cast<int>(verts.size()); }
    int getNumFaces() const { return static_cast<int>(faces.size()); }
    void setVert(int i, const Point3& p) { verts[static_cast<std::size_t>(i)] = p; }
    const Point3& getVert(int i) const { return verts[static_cast<std::size_t>(i)]; }
};

class GeomObject : public Object {
public:
    SClass_ID SuperClassID() override { return GEOMOBJECT_CLASS_ID; }
};

class TriObject : public GeomObject {
public:
    Mesh mesh;

    Mesh& GetMesh() { return mesh; }
    Class_ID ClassID() override { return triObjectClassID; }
    void GetClassName(std::wstring& s) override { s = L"Editable Mesh"; }
    std::wstring GetObjectName() override { return L"Mesh"; }
    int CanConvertToType(Class_ID id) override { return id == triObjectClassID ? 1 : 0; }
    Object* ConvertToType(TimeValue, Class_ID id) override { return CanConvertToType(id) ? this : nullptr; }
    // Hit on its faces and edges; not drawn, so that ground meshes do not cover the top view.
    int HitTest(TimeValue t, INode* node, int type, int crossing, int flags, IPoint2* p, ViewExp* vpt) override;
    // The box of the vertices, each carried through tm when one is given.
    void GetDeformBBox(TimeValue t, Box3& box, Matrix3* tm, bool useSel) override;
    ReferenceTarget* Clone(RemapDir& remap) override;
};
