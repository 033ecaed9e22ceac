#include "vehicle/surface_face.h"

#include <algorithm>
#include <cmath>

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

void PrepareFace(SurfaceFace& face, const Point3* vertices, std::uint32_t vertexCount,
                 const std::uint32_t (&index)[3]) {
    for (int k = 0; k < 3; ++k) face.corner[k] = index[k] < vertexCount ? index[k] : 0;
    MakeDegenerate(face);
    if (vertexCount == 0) return;
    const Point3& c0 = vertices[face.corner[0]];
    const Point3& c1 = vertices[face.corner[1]];
    const Point3& c2 = vertices[face.corner[2]];
    const Point3 e1 = c1 - c0;
    const Point3 e2 = c2 - c0;
    const Point3 cross = CrossProd(e1, e2);
    const float length = cross.Length();
    if (!(length > 0.0f) || !std::isfinite(length)) return;
    face.normal = cross / length;
    face.centroid = (c0 + c1 + c2) / 3.0f;
    face.planeD = DotProd(face.centroid, face.normal);
    const Point3 n(std::fabs(face.normal.x), std::fabs(face.normal.y), std::fabs(face.normal.z));
    if (n.z > n.x && n.z > n.y) {
        face.axisU = 0, face.axisV = 1;
    } else if (n.x > n.y) {
        face.axisU = 1, face.axisV = 2;
    } else {
        face.axisU = 2, face.axisV = 0;
    }
    face.u0 = c0[face.axisU];
    face.w0 = c0[face.axisV];
    const float bu = e1[face.axisU], bv = e1[face.axisV], cu = e2[face.axisU], cv = e2[face.axisV];
    const float det = bu * cv - cu * bv;
    face.bu = bu / det;
    face.bv = bv / det;
    face.cu = cu / det;
    face.cv = cv / det;
}

FaceCorners CornersOf(const SurfaceFace& face, const Point3* vertices) {
    FaceCorners c;
    for (int k = 0; k < 3; ++k) c.v[k] = vertices[face.corner[k]];
    for (int axis = 0; axis < 3; ++axis) {
        c.bounds.pmin[axis] = std::min({c.v[0][axis], c.v[1][axis], c.v[2][axis]});
        c.bounds.pmax[axis] = std::max({c.v[0][axis], c.v[1][axis], c.v[2][axis]});
    }
    return c;
}

bool CornersOverlapBox(const FaceCorners& corners, const Box3& box) {
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

bool FaceHitInBox(const SurfaceFace& face, SurfaceRay& ray, const Box3& box, float slack) {
    const float denom = DotProd(ray.dir, face.normal);
    if (denom == 0.0f) return false;
    const float t = (face.planeD - DotProd(ray.origin, face.normal)) / denom;
    if (!(t >= ray.start && t <= ray.hi)) return false;
    const Point3 p = ray.origin + ray.dir * t;
    const Point3 pad(slack, slack, slack);
    if (!Box3(box.pmin - pad, box.pmax + pad).Contains(p)) return false;
    const float a = p[face.axisU] - face.u0;
    const float b = p[face.axisV] - face.w0;
    const float beta = face.cv * a - face.cu * b;
    const float gamma = face.bu * b - face.bv * a;
    if (!(beta >= 0.0f && gamma >= 0.0f && beta + gamma <= 1.0f)) return false;
    ray.hi = t;
    return true;
}
