#include "vehicle/surface_face.h"

#include <algorithm>
#include <cmath>

#include "common/box_helpers.h"
#include "vehicle/surface_ray.h"

namespace {
// Three corners, the six planes each adding at most one, and a spare.
constexpr int kMaxClipVertices = 10;

struct ClipPolygon {
    Point3 v[kMaxClipVertices];
    int count = 0;
};

Point3 Crossing(const Point3& a, const Point3& b, int axis, float p) {
    const float s = (p - a[axis]) / (b[axis] - a[axis]);
    Point3 q = a + (b - a) * s;
    q[axis] = p;
    return q;
}

// Inserts the crossings of the plane, then keeps the vertices on the kept side: at or above p
// when keepAbove, else at or below it.
void ClipAgainst(ClipPolygon& poly, int axis, float p, bool keepAbove) {
    ClipPolygon crossed;
    for (int i = 0; i < poly.count; ++i) {
        const Point3& a = poly.v[i];
        const Point3& b = poly.v[(i + 1) % poly.count];
        crossed.v[crossed.count++] = a;
        const bool across = (a[axis] < p && b[axis] > p) || (a[axis] > p && b[axis] < p);
        if (across && crossed.count < kMaxClipVertices) crossed.v[crossed.count++] = Crossing(a, b, axis, p);
    }
    poly.count = 0;
    for (int i = 0; i < crossed.count; ++i) {
        const float c = crossed.v[i][axis];
        if (keepAbove ? c >= p : c <= p) poly.v[poly.count++] = crossed.v[i];
    }
}

void MakeDegenerate(SurfaceFace& face) {
    face.normal = Point3();
    face.centroid = Point3();
    face.axisU = 0;
    face.axisV = 1;
    face.u0 = face.w0 = face.bu = face.bv = face.cu = face.cv = face.planeD = 0.0f;
}
}  // namespace

void SurfaceFace::Prepare(const Point3* vertices, std::uint32_t vertexCount, const std::uint32_t (&index)[3]) {
    bool inRange = true;
    for (int k = 0; k < 3; ++k) {
        inRange = inRange && index[k] < vertexCount;
        corner[k] = index[k] < vertexCount ? index[k] : 0;
    }
    MakeDegenerate(*this);
    if (!inRange) return;
    const Point3& c0 = vertices[corner[0]];
    const Point3& c1 = vertices[corner[1]];
    const Point3& c2 = vertices[corner[2]];
    const Point3 e1 = c1 - c0;
    const Point3 e2 = c2 - c0;
    const Point3 cross = CrossProd(e1, e2);
    const float length = cross.Length();
    if (!(length > 0.0f) || !std::isfinite(length)) return;
    normal = cross / length;
    centroid = (c0 + c1 + c2) / 3.0f;
    planeD = DotProd(centroid, normal);
    const Point3 n(std::fabs(normal.x), std::fabs(normal.y), std::fabs(normal.z));
    if (n.z > n.x && n.z > n.y) {
        axisU = 0, axisV = 1;
    } else if (n.x > n.y) {
        axisU = 1, axisV = 2;
    } else {
        axisU = 2, axisV = 0;
    }
    u0 = c0[axisU];
    w0 = c0[axisV];
    const float eu = e1[axisU], ev = e1[axisV], fu = e2[axisU], fv = e2[axisV];
    const float det = eu * fv - fu * ev;
    bu = eu / det;
    bv = ev / det;
    cu = fu / det;
    cv = fv / det;
}

FaceCorners SurfaceFace::Corners(const Point3* vertices) const {
    FaceCorners c;
    for (int k = 0; k < 3; ++k) c.v[k] = vertices[corner[k]];
    c.bounds = Box3(c.v[0], c.v[0]);
    IncludePoints(c.bounds, c.v + 1, 2);
    return c;
}

bool SurfaceFace::OverlapsBox(const FaceCorners& corners, const Box3& box) {
    const Box3& b = corners.bounds;
    bool inside = true, touching = true;
    for (int axis = 0; axis < 3; ++axis) {
        inside = inside && b.pmin[axis] >= box.pmin[axis] && b.pmax[axis] <= box.pmax[axis];
        touching = touching && b.pmin[axis] <= box.pmax[axis] && b.pmax[axis] >= box.pmin[axis];
    }
    if (inside) return true;
    if (!touching) return false;
    // Clipping never drops a corner that lies in the box, so such a corner decides at once.
    for (const Point3& v : corners.v)
        if (box.Contains(v)) return true;
    ClipPolygon poly;
    for (const Point3& v : corners.v) poly.v[poly.count++] = v;
    for (int axis = 0; axis < 3 && poly.count > 0; ++axis) {
        ClipAgainst(poly, axis, box.pmin[axis], true);
        if (poly.count > 0) ClipAgainst(poly, axis, box.pmax[axis], false);
    }
    return poly.count > 0;
}

bool SurfaceFace::HitInBox(SurfaceRay& ray, const Box3& box, float slack) const {
    const float denom = DotProd(ray.dir, normal);
    if (denom == 0.0f) return false;
    const float t = (planeD - DotProd(ray.origin, normal)) / denom;
    if (!(t >= ray.start && t <= ray.hi)) return false;
    const Point3 p = ray.origin + ray.dir * t;
    const Point3 pad(slack, slack, slack);
    if (!Box3(box.pmin - pad, box.pmax + pad).Contains(p)) return false;
    const float a = p[axisU] - u0;
    const float b = p[axisV] - w0;
    const float beta = cv * a - cu * b;
    const float gamma = bu * b - bv * a;
    if (!(beta >= 0.0f && gamma >= 0.0f && beta + gamma <= 1.0f)) return false;
    ray.hi = t;
    return true;
}
