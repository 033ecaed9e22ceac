#include "host/tri_object.h"

#include "host/node.h"
#include "host/viewport.h"

ReferenceTarget* TriObject::Clone(RemapDir& remap) {
    auto* copy = new TriObject;
    copy->mesh = mesh;
    BaseClone(this, copy, remap);
    return copy;
}

int TriObject::HitTest(TimeValue t, INode* node, int type, int crossing, int, IPoint2* p, ViewExp* vpt) {
    if (node == nullptr || vpt == nullptr) return 0;
    GraphicsWindow* gw = vpt->getGW();
    HitRegion region;
    MakeHitRegion(region, type, crossing, 4, p);
    gw->setHitRegion(&region);
    const DWORD limits = gw->getRndLimits();
    gw->setRndLimits(limits | GW_PICK);
    gw->setTransform(node->GetObjectTM(t));
    gw->clearHitCode();
    const int count = mesh.getNumVerts();
    for (const Face& f : mesh.faces) {
        if (f.v[0] >= DWORD(count) || f.v[1] >= DWORD(count) || f.v[2] >= DWORD(count)) continue;
        Point3 corners[3] = {mesh.verts[f.v[0]], mesh.verts[f.v[1]], mesh.verts[f.v[2]]};
        gw->triangle(corners, nullptr);
    }
    gw->setRndLimits(limits);
    return gw->checkHitCode();
}

void TriObject::GetDeformBBox(TimeValue, Box3& box, Matrix3* tm, bool) {
    box.Init();
    for (const Point3& v : mesh.verts) box += tm != nullptr ? v * *tm : v;
}
