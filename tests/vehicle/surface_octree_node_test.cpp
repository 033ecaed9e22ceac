#include <gtest/gtest.h>

#include "host/interface.h"
#include "host/node.h"
#include "host/spline_shape.h"
#include "tests/vehicle/ground_meshes.h"

namespace {

// A flat square of 10 by 10 at z = 0, counting the deletions of its copies.
class CountedMesh : public TriObject {
public:
    static inline int deleted = 0;
    CountedMesh() { mesh = FlatGrid(1, 10); }
    void DeleteThis() override {
        ++deleted;
        delete this;
    }
};

enum class Gives { Mesh, BrokenMesh, Nothing };

// Says it converts to a mesh, then gives a new one, one with a vertex at infinity, or none.
class Converter : public GeomObject {
public:
    explicit Converter(Gives gives) : gives_(gives) {}
    int CanConvertToType(Class_ID id) override { return id == triObjectClassID ? 1 : 0; }
    Object* ConvertToType(TimeValue, Class_ID) override {
        if (gives_ == Gives::Nothing) return nullptr;
        auto* made = new CountedMesh;
        if (gives_ == Gives::BrokenMesh) made->mesh.verts[0].x = INFINITY;
        return made;
    }

private:
    Gives gives_;
};

INode* NodeWith(Object* obj, const Point3& at = Point3()) {
    INode* node = GetCOREInterface()->CreateObjectNode(obj);
    node->SetNodeTM(0, TransMatrix(at));
    return node;
}

// The mesh in world space; a converted copy deleted whether the build succeeds or not, the
// scene's own mesh never; a failed build leaves the octree as it was.
TEST(SurfaceOctreeNode, BuildFromTheNodesObject) {
    GetCOREInterface()->ResetScene();
    CountedMesh::deleted = 0;
    SurfaceOctree tree;
    ASSERT_TRUE(tree.Build(NodeWith(new Converter(Gives::Mesh))));
    EXPECT_EQ(CountedMesh::deleted, 1);
    EXPECT_FALSE(tree.Build(NodeWith(new Converter(Gives::BrokenMesh))));
    EXPECT_EQ(CountedMesh::deleted, 2);
    ASSERT_TRUE(tree.Build(NodeWith(new CountedMesh, {100, 0, 50})));
    EXPECT_EQ(CountedMesh::deleted, 2);
    EXPECT_FLOAT_EQ(tree.GroundHit({105, 5, 60}, {0, 0, -20}), 0.5f);
    const struct {
        const char* name;
        INode* node;
    } failing[] = {{"no node", nullptr},
                   {"no object", NodeWith(nullptr)},
                   {"a spline shape", NodeWith(new SplineShape)},
                   {"conversion gives nothing", NodeWith(new Converter(Gives::Nothing))}};
    for (const auto& r : failing) {
        EXPECT_FALSE(tree.Build(r.node)) << r.name;
        EXPECT_FLOAT_EQ(tree.GroundHit({105, 5, 60}, {0, 0, -20}), 0.5f) << r.name;
    }
    tree.Free();
    EXPECT_FALSE(tree.IsBuilt());
    EXPECT_FLOAT_EQ(tree.GroundHit({105, 5, 60}, {0, 0, -20}), 1.0f);
    GetCOREInterface()->ResetScene();
}

}  // namespace
