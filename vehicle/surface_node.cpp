#include "vehicle/surface_node.h"

#include <algorithm>

#include "common/box_helpers.h"
#include "vehicle/parallel_parts.h"
#include "vehicle/surface_octree.h"

namespace {
int ChildOctant(const SurfaceNode& node, const Point3& p) {
    const Point3 c = Box3Center(node.box);
    return (p.x > c.x ? 1 : 0) + (p.y > c.y ? 2 : 0) + (p.z > c.z ? 4 : 0);
}

void LinkNode(SurfaceNode& node, const SurfaceNode& parent) {
    const Point3 c = Box3Center(node.box);
    const Point3 q[6] = {{node.box.pmin.x, c.y, c.z}, {node.box.pmax.x, c.y, c.z}, {c.x, node.box.pmin.y, c.z},
                         {c.x, node.box.pmax.y, c.z}, {c.x, c.y, node.box.pmin.z}, {c.x, c.y, node.box.pmax.z}};
    for (int k = 0; k < 6; ++k) {
        SurfaceNode* beyond = parent.neighbours[k];
        node.neighbours[k] = beyond != nullptr ? beyond->FindNeighbour(q[k], node.depth) : nullptr;
    }
    for (int axis = 0; axis < 3; ++axis) {
        const int bit = 1 << axis;
        const bool upper = (node.octant & bit) != 0;
        node.neighbours[2 * axis + (upper ? 0 : 1)] = &parent.children[node.octant ^ bit];
    }
}

void LinkSubtree(SurfaceNode& node) {
    if (node.children == nullptr) return;
    for (int i = 0; i < 8; ++i) LinkNode(node.children[i], node);
    for (int i = 0; i < 8; ++i) LinkSubtree(node.children[i]);
}
}  // namespace

const SurfaceNode* SurfaceNode::FindLeaf(const Point3& p) const {
    const SurfaceNode* node = this;
    while (node->children != nullptr) node = &node->children[ChildOctant(*node, p)];
    return node;
}

SurfaceNode* SurfaceNode::FindNeighbour(const Point3& p, int depth) {
    SurfaceNode* node = this;
    while (node->depth < depth && node->children != nullptr) node = &node->children[ChildOctant(*node, p)];
    return node;
}

void SurfaceOctree::LinkNeighbours(SurfaceNode& root, std::int32_t parts) {
    for (SurfaceNode*& n : root.neighbours) n = nullptr;
    if (root.children == nullptr) return;
    for (int i = 0; i < 8; ++i) LinkNode(root.children[i], root);
    // Each subtree writes only its own nodes and reads the others' boxes and children.
    struct Work {
        SurfaceNode* children;
        std::int32_t parts;
    } work{root.children, std::clamp(parts, 1, 8)};
    RunParts(work.parts, [](void* arg, std::int32_t index) {
        const Work& w = *static_cast<const Work*>(arg);
        for (std::int32_t i = index; i < 8; i += w.parts) LinkSubtree(w.children[i]);
    }, &work);
}
