// A mesh's top-view wireframe: the outline and the creases, within a budget.
#include <gtest/gtest.h>

#include "app/mesh_wire.h"

namespace {

using Faces = std::vector<std::array<DWORD, 3>>;

// The unit square split along 0-2 and folded along the split by raising corner 3; corner 4 below.
Mesh Square(float lift, const Faces& faces) {
    Mesh m;
    m.verts = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, lift}, {0, 1, -1}};
    for (const auto& f : faces) m.faces.push_back(Face{f});
    return m;
}

TEST(MeshWire, OutlineAndCreasesWithinTheBudget) {
    const std::vector<MeshEdge> outline = {{0, 1}, {0, 3}, {1, 2}, {2, 3}}, folded = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {2, 3}};
    const Faces split = {{0, 1, 2}, {0, 2, 3}};
    const std::vector<std::tuple<const char*, Mesh, std::size_t, std::optional<std::vector<MeshEdge>>>> rows = {
        {"flat, just within the budget", Square(0, split), 4, outline},
        {"over the budget", Square(0, split), 3, std::nullopt},
        {"folded 15.8 degrees", Square(0.2f, split), 9, outline},
        {"folded 23 degrees", Square(0.3f, split), 9, folded},
        {"three faces on an edge and one naming no vertex", Square(0, {{0, 1, 2}, {0, 2, 3}, {0, 2, 4}, {1, 2, 9}}), 9,
         std::vector<MeshEdge>{{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 2}, {2, 3}, {2, 4}}},
    };
    for (const auto& [name, mesh, budget, edges] : rows) EXPECT_EQ(MeshWireEdges(mesh, budget), edges) << name;
    EXPECT_EQ(MeshFootprint(Square(0.3f, {})), (std::vector<Point3>{{0, 0, -1}, {1, 0, -1}, {1, 1, -1}, {0, 1, -1}}));
}

}  // namespace
