#include "host/tri_object.h"

ReferenceTarget* TriObject::Clone(RemapDir& remap) {
    auto* copy = new TriObject;
    copy->mesh = mesh;
    BaseClone(this, copy, remap);
    return copy;
}

void TriObject::GetDeformBBox(TimeValue, Box3& box, Matrix3* tm, bool) {
    box.Init();
    for (const Point3& v : mesh.verts) box += tm != nullptr ? v * *tm : v;
}
