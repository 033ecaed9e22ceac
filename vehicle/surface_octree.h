// The octree over the picked ground mesh's triangles in world space. Built once per run, then
// read by every vehicle worker at once to find where a short segment first meets the ground.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/geom.h"
#include "traffic/build_arena.h"
#include "vehicle/surface_face.h"
#include "vehicle/surface_node.h"

class INode;
class Mesh;
struct SurfaceBuildContext;
struct SurfaceBuildJob;
struct SurfaceRay;

// What a build may add to the tree, counted as eight per split plus the entries of the new
// children's lists. Coincident or stacked faces would otherwise split down to the deepest
// level everywhere they lie; ordinary meshes use a small part of it.
inline constexpr std::int64_t kSurfaceBudgetPerFace = 512;
inline constexpr std::int64_t kSurfaceBudgetBase = 65536;

// What a build did, for tests and benchmarks.
struct SurfaceBuildStats {
    std::int64_t nodes = 0;
    std::int64_t leaves = 0;
    std::int64_t listEntries = 0;  // face entries of all leaves
    std::int32_t maxDepth = 0;
    std::int32_t helpersStarted = 0;
    std::int32_t helperFallbacks = 0;
};

struct SurfaceBuildOptions {
    std::int32_t maxHelpers = -1;  // below 0: twice the worker-thread count
    // Starting and waiting for a thread costs more than sorting a few thousand faces.
    std::int32_t helperMinFaces = 4096;
    std::int64_t budget = -1;  // below 0: kSurfaceBudgetPerFace for each face plus kSurfaceBudgetBase
    // Tests only: runs on a helper thread as it starts, where an exception fails the build, and
    // just before it gives back its place.
    void (*helperHook)(bool starting) = nullptr;
};

class SurfaceOctree {
public:
    // Builds from the node's object as a triangle mesh at time 0, in world space. False, with
    // the octree as it was, when the object gives no triangle mesh, the mesh has no face that can
    // be hit, a vertex or the cube is not finite, or memory runs out.
    bool Build(INode* node, const SurfaceBuildOptions& options = {});
    bool BuildFromMesh(const Mesh& mesh, const Matrix3& tm, const SurfaceBuildOptions& options = {});
    void Free();

    // The parameter of the nearest ground hit of origin + s * dir, s in [0, 1]; without a hit,
    // 1, or where the segment leaves the cube, or below 0 when it points away from the cube.
    float GroundHit(const Point3& origin, const Point3& dir) const;

    bool IsBuilt() const { return built_; }
    const Box3& GetBox() const { return box_; }
    const SurfaceNode* Root() const { return root_; }
    const std::vector<SurfaceFace>& Faces() const { return faces_; }
    const std::vector<Point3>& Vertices() const { return vertices_; }
    // Counted over the tree on each call.
    SurfaceBuildStats Stats() const;

    // The build's steps, each on whatever thread runs its job. BuildNode returns only when the
    // whole subtree stands; an exception from any part of it, on whatever thread, comes out
    // there after every thread started for the subtree has finished. budget bounds what the
    // subtree may add, counted as eight per split plus every list entry of the new children, and
    // is shared among the children by their list lengths, so that the tree depends only on the
    // mesh. BuildChild is also the helper thread's procedure, which signals job.done at its end.
    static void BuildNode(SurfaceNode& node, const Box3& box, const std::uint32_t* list, std::int32_t count,
                          std::int32_t octant, std::int32_t depth, std::int64_t budget,
                          const SurfaceBuildContext& context, BuildArena& arena);
    static void BuildChild(SurfaceBuildJob& job, BuildArena& arena);
    // Links every node of the finished tree, parents before children, the subtrees of the root's
    // children in up to `parts` threads.
    static void LinkNeighbours(SurfaceNode& root, std::int32_t parts);

private:
    void WalkRay(SurfaceRay& ray) const;

    bool built_ = false;
    std::vector<Point3> vertices_;
    std::vector<SurfaceFace> faces_;
    Box3 box_;
    SurfaceNode* root_ = nullptr;  // in arena_, with every node and leaf list
    BuildArena arena_;
    float slack_ = 0.0f;
    std::int32_t helpersStarted_ = 0;
    std::int32_t helperFallbacks_ = 0;
};

// The cube of Box3MakeCube, padded a little more below than above.
Box3 PaddedCube(const Box3& box);
