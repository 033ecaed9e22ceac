#include "vehicle/surface_octree.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numeric>

#include "common/box_helpers.h"
#include "common/worker_count.h"
#include "host/node.h"
#include "host/tri_object.h"
#include "traffic/helper_budget.h"
#include "vehicle/parallel_parts.h"
#include "vehicle/surface_node_build.h"
#include "vehicle/surface_ray.h"

namespace {
// Deletes a converted object that is not the evaluated one, on every path.
struct ConvertedObject {
    Object* obj = nullptr;
    Object* evaluated = nullptr;
    ~ConvertedObject() {
        if (obj != nullptr && obj != evaluated) obj->DeleteThis();
    }
};

// A hit point computed on a leaf's face may round to just outside it, and the face may not even
// be listed in the leaf beyond; a few float steps of slack keep such hits.
float ContainmentSlack(const Box3& cube) {
    float extent = 0.0f;
    for (int axis = 0; axis < 3; ++axis)
        extent = std::max({extent, std::fabs(cube.pmin[axis]), std::fabs(cube.pmax[axis])});
    return std::ldexp(extent, -21);
}

void CountTree(const SurfaceNode& node, SurfaceBuildStats& stats) {
    ++stats.nodes;
    stats.maxDepth = std::max<std::int32_t>(stats.maxDepth, node.depth);
    if (node.children == nullptr) {
        ++stats.leaves;
        stats.listEntries += node.faceCount;
        return;
    }
    for (int k = 0; k < 8; ++k) CountTree(node.children[k], stats);
}

// The vertices in world space and the prepared faces, in `parts` slices side by side.
struct PrepareWork {
    const Mesh* mesh;
    Matrix3 tm;
    Point3* vertices;
    SurfaceFace* faces;
    std::int32_t parts;
    bool finite[8];
};

std::size_t SliceStart(std::size_t count, std::int32_t part, std::int32_t parts) {
    return count * static_cast<std::size_t>(part) / static_cast<std::size_t>(parts);
}

void TransformSlice(void* arg, std::int32_t part) {
    auto& w = *static_cast<PrepareWork*>(arg);
    const std::size_t count = w.mesh->verts.size();
    bool finite = true;
    for (std::size_t i = SliceStart(count, part, w.parts); i < SliceStart(count, part + 1, w.parts); ++i) {
        w.vertices[i] = w.mesh->verts[i] * w.tm;
        finite = finite && IsFinite(w.vertices[i]);
    }
    w.finite[part] = finite;
}

void PrepareSlice(void* arg, std::int32_t part) {
    const auto& w = *static_cast<const PrepareWork*>(arg);
    const std::size_t count = w.mesh->faces.size();
    const auto vertexCount = static_cast<std::uint32_t>(w.mesh->verts.size());
    for (std::size_t i = SliceStart(count, part, w.parts); i < SliceStart(count, part + 1, w.parts); ++i) {
        const Face& f = w.mesh->faces[i];
        const std::uint32_t index[3] = {f.v[0], f.v[1], f.v[2]};
        w.faces[i].Prepare(w.vertices, vertexCount, index);
    }
}
}  // namespace

Box3 PaddedCube(const Box3& box) {
    Box3 cube = Box3MakeCube(box);
    cube.pmin = cube.pmin - (cube.pmax - cube.pmin) * 0.012545679f;
    cube.pmax = cube.pmax + (cube.pmax - cube.pmin) * 0.012345679f;
    return cube;
}

bool SurfaceOctree::Build(INode* node, const SurfaceBuildOptions& options) {
    if (node == nullptr) return false;
    const ObjectState os = node->EvalWorldState(0);
    if (os.obj == nullptr || !os.obj->CanConvertToType(triObjectClassID)) return false;
    ConvertedObject converted{os.obj->ConvertToType(0, triObjectClassID), os.obj};
    if (converted.obj == nullptr) return false;
    return BuildFromMesh(static_cast<TriObject*>(converted.obj)->GetMesh(), node->GetObjectTM(0), options);
}

bool SurfaceOctree::BuildFromMesh(const Mesh& mesh, const Matrix3& tm, const SurfaceBuildOptions& options) {
    try {
        SurfaceOctree fresh;
        const std::int32_t maxHelpers = options.maxHelpers >= 0 ? options.maxHelpers : 2 * GetWorkerThreadCount();
        // Slicing the flat steps pays only for large meshes, and only as far as helpers may run.
        const bool large = mesh.faces.size() >= 16 * static_cast<std::size_t>(options.helperMinFaces);
        const std::int32_t parts = large ? std::clamp(maxHelpers / 2, 1, 8) : 1;
        fresh.vertices_.resize(mesh.verts.size());
        fresh.faces_.resize(mesh.faces.size());
        PrepareWork work{&mesh, tm, fresh.vertices_.data(), fresh.faces_.data(), parts, {}};
        RunParts(parts, TransformSlice, &work);
        if (!std::all_of(work.finite, work.finite + parts, [](bool f) { return f; })) return false;
        Box3 bounds;
        IncludePoints(bounds, fresh.vertices_.data(), fresh.vertices_.size());
        fresh.box_ = PaddedCube(bounds);
        if (!IsFinite(fresh.box_.pmin) || !IsFinite(fresh.box_.pmax)) return false;
        RunParts(parts, PrepareSlice, &work);
        // A surface with nothing to stand on would let every vehicle sink.
        if (std::all_of(fresh.faces_.begin(), fresh.faces_.end(), [](const SurfaceFace& f) { return f.IsDegenerate(); }))
            return false;

        std::vector<std::uint32_t> list(fresh.faces_.size());
        std::iota(list.begin(), list.end(), 0u);
        HelperBudget running(maxHelpers);
        const SurfaceBuildContext context{fresh.faces_.data(), fresh.vertices_.data(), &running,
                                          options.helperMinFaces, options.helperHook};
        const auto faceCount = static_cast<std::int32_t>(list.size());
        fresh.root_ = fresh.arena_.Allocate<SurfaceNode>(1);
        const std::int64_t budget =
            options.budget >= 0 ? options.budget : kSurfaceBudgetPerFace * faceCount + kSurfaceBudgetBase;
        BuildNode(*fresh.root_, fresh.box_, list.data(), faceCount, 0, 0, budget, context, fresh.arena_);
        LinkNeighbours(*fresh.root_, parts);
        fresh.helpersStarted_ = running.Started();
        fresh.helperFallbacks_ = running.Fallbacks();
        fresh.slack_ = ContainmentSlack(fresh.box_);
        fresh.built_ = true;
        *this = std::move(fresh);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void SurfaceOctree::Free() {
    if (!built_) return;
    *this = SurfaceOctree();
}

SurfaceBuildStats SurfaceOctree::Stats() const {
    SurfaceBuildStats stats;
    if (root_ != nullptr) CountTree(*root_, stats);
    stats.helpersStarted = helpersStarted_;
    stats.helperFallbacks = helperFallbacks_;
    return stats;
}

float SurfaceOctree::GroundHit(const Point3& origin, const Point3& dir) const {
    SurfaceRay ray{dir, origin};
    // A segment that misses the cube must not read as a hit inside it.
    if (!ray.ClipToBox(box_)) return ray.hi < 0.0f ? ray.hi : 1.0f;
    ray.start = ray.lo;
    WalkRay(ray);
    return ray.hi;
}

void SurfaceOctree::WalkRay(SurfaceRay& ray) const {
    // Held locally: the ray's writes could otherwise be taken to change them.
    const SurfaceFace* faces = faces_.data();
    const float slack = slack_;
    const SurfaceNode* node = root_;
    while (node != nullptr) {
        const SurfaceNode* leaf = node->FindLeaf(ray.origin + ray.dir * ray.lo);
        if (leaf->HitFaces(faces, ray, slack)) return;
        const BoxExit exit = ray.ExitBox(leaf->box);
        if (exit.face < 0) return;
        ray.lo = exit.t;
        if (ray.lo > ray.hi) return;
        node = leaf->neighbours[exit.face];
    }
}
