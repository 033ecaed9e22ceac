#include "app/mesh_wire.h"

#include <algorithm>
#include <cmath>

namespace {
// Faces that meet at a smaller angle read as one surface.
const float kCreaseCosine = static_cast<float>(std::cos(20.0 * 3.14159265358979 / 180.0));

struct EdgeUse {
    DWORD a, b;  // a < b
    std::size_t face;
};

Point3 FaceNormal(const Mesh& mesh, const Face& f) {
    const Point3& o = mesh.verts[f.v[0]];
    return Normalize(CrossProd(mesh.verts[f.v[1]] - o, mesh.verts[f.v[2]] - o));
}

// Every side of every face with all its corners in the mesh, sorted so that shared sides meet.
std::vector<EdgeUse> EdgeUses(const Mesh& mesh) {
    const DWORD count = static_cast<DWORD>(mesh.verts.size());
    std::vector<EdgeUse> uses;
    uses.reserve(mesh.faces.size() * 3);
    for (std::size_t i = 0; i < mesh.faces.size(); ++i) {
        const Face& f = mesh.faces[i];
        if (f.v[0] >= count || f.v[1] >= count || f.v[2] >= count) continue;
        for (std::size_t k = 0; k < 3; ++k) {
            const DWORD a = f.v[k], b = f.v[(k + 1) % 3];
            if (a != b) uses.push_back({std::min(a, b), std::max(a, b), i});
        }
    }
    std::sort(uses.begin(), uses.end(), [](const EdgeUse& x, const EdgeUse& y) {
        return x.a != y.a ? x.a < y.a : x.b != y.b ? x.b < y.b : x.face < y.face;
    });
    return uses;
}
}  // namespace

std::optional<std::vector<MeshEdge>> MeshWireEdges(const Mesh& mesh, std::size_t maxEdges) {
    const std::vector<EdgeUse> uses = EdgeUses(mesh);
    std::vector<MeshEdge> edges;
    for (std::size_t i = 0, j = 0; i < uses.size(); i = j) {
        for (j = i + 1; j < uses.size() && uses[j].a == uses[i].a && uses[j].b == uses[i].b;) ++j;
        const bool crease = j - i == 2 && DotProd(FaceNormal(mesh, mesh.faces[uses[i].face]),
                                                  FaceNormal(mesh, mesh.faces[uses[i + 1].face])) < kCreaseCosine;
        if (j - i != 2 || crease) {
            if (edges.size() == maxEdges) return std::nullopt;
            edges.emplace_back(uses[i].a, uses[i].b);
        }
    }
    return edges;
}

std::vector<Point3> MeshFootprint(const Mesh& mesh) {
    if (mesh.verts.empty()) return {};
    Box3 box;
    box.Init();
    for (const Point3& v : mesh.verts) box += v;
    const float z = box.pmin.z;
    return {{box.pmin.x, box.pmin.y, z}, {box.pmax.x, box.pmin.y, z}, {box.pmax.x, box.pmax.y, z}, {box.pmin.x, box.pmax.y, z}};
}
