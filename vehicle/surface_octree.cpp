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

bool IsFinite(const Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

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

bool HitFaces(const SurfaceNode& leaf, const SurfaceFace* faces, SurfaceRay& ray, float slack) {
    bool hit = false;
    for (std::int32_t i = 0; i < leaf.faceCount; ++i) hit |= FaceHitInBox(faces[leaf.faces[i]], ray, leaf.box, slack);
    return hit;
}

void WalkRay(SurfaceRay& ray, const SurfaceNode* node, const SurfaceFace* faces, float slack) {
    while (node != nullptr) {
        const SurfaceNode* leaf = FindLeaf(node, ray.origin + ray.dir * ray.lo);
        if (HitFaces(*leaf, faces, ray, slack)) return;
        const BoxExit exit = ExitBox(ray, leaf->box);
        if (exit.face < 0) return;
        ray.lo = exit.t;
        if (ray.lo > ray.hi) return;
        node = leaf->neighbours[exit.face];
    }
}
}  // namespace

Box3 PaddedCube(const Box3& box) {
    const Point3 size = Box3Size(box);
    const float side = std::max({size.x, size.y, size.z});
    const Point3 centre = Box3Center(box);
    const Point3 half(side / 2.0f, side / 2.0f, side / 2.0f);
    Box3 cube(centre - half, centre + half);
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
        Box3 bounds;
        fresh.vertices_.reserve(mesh.verts.size());
        for (const Point3& v : mesh.verts) {
            fresh.vertices_.push_back(v * tm);
            if (!IsFinite(fresh.vertices_.back())) return false;
            bounds += fresh.vertices_.back();
        }
        fresh.box_ = PaddedCube(bounds);
        if (!IsFinite(fresh.box_.pmin) || !IsFinite(fresh.box_.pmax)) return false;
        const auto vertexCount = static_cast<std::uint32_t>(fresh.vertices_.size());
        fresh.faces_.resize(mesh.faces.size());
        for (std::size_t i = 0; i < mesh.faces.size(); ++i) {
            const std::uint32_t index[3] = {mesh.faces[i].v[0], mesh.faces[i].v[1], mesh.faces[i].v[2]};
            PrepareFace(fresh.faces_[i], fresh.vertices_.data(), vertexCount, index);
        }
        std::vector<std::uint32_t> list(fresh.faces_.size());
        std::iota(list.begin(), list.end(), 0u);
        const std::int32_t maxHelpers = options.maxHelpers >= 0 ? options.maxHelpers : 2 * GetWorkerThreadCount();
        HelperBudget helpers(maxHelpers);
        const SurfaceBuildContext context{fresh.faces_.data(), fresh.vertices_.data(), &helpers,
                                          options.helperMinFaces, options.childHook};
        const auto faceCount = static_cast<std::int32_t>(list.size());
        fresh.root_ = fresh.arena_.Allocate<SurfaceNode>(1);
        BuildSurfaceNode(*fresh.root_, fresh.box_, list.data(), faceCount, 0, 0,
                         kSurfaceBudgetPerFace * faceCount + kSurfaceBudgetBase, context, fresh.arena_);
        LinkNeighbours(*fresh.root_);
        CountTree(*fresh.root_, fresh.stats_);
        fresh.stats_.helpersStarted = helpers.Started();
        fresh.stats_.helperFallbacks = helpers.Fallbacks();
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

float SurfaceOctree::GroundHit(const Point3& origin, const Point3& dir) const {
    SurfaceRay ray{dir, origin};
    // A segment that misses the cube must not read as a hit inside it.
    if (!ClipToBox(ray, box_)) return ray.hi < 0.0f ? ray.hi : 1.0f;
    ray.start = ray.lo;
    WalkRay(ray, root_, faces_.data(), slack_);
    return ray.hi;
}
