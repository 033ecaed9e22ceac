#include "app_fixture.h"
#include "host/tri_object.h"

namespace {

using GroundMeshTest = AppTest;

const Mesh& MeshOf(int node) {
    return static_cast<TriObject*>(GetCOREInterface()->GetRootNode()->GetChildNode(node)->GetObjectRef())->GetMesh();
}

// Faces keep their corners counter-clockwise seen from above, so that their normals point up.
float FaceUp(const Mesh& mesh, const Face& f) {
    return CrossProd(mesh.getVert(static_cast<int>(f.v[1])) - mesh.getVert(static_cast<int>(f.v[0])),
                     mesh.getVert(static_cast<int>(f.v[2])) - mesh.getVert(static_cast<int>(f.v[0])))
        .z;
}

TEST_F(GroundMeshTest, PlaneHeightFieldAndMesh) {
    Load(R"({"nodes": [
        {"object": {"class": "Plane", "size": [100, 50], "segments": [4, 2]}},
        {"object": {"class": "HeightField", "size": [10, 20], "heights": [[0, 1], [2, 3], [4, 5]]}},
        {"object": {"class": "Mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 2]], "faces": [[0, 1, 2]]}},
        {"object": {"class": "Plane", "size": [8, 8]}},
        {"object": {"class": "Box", "size": [2, 4, 3]}}]})");
    const Mesh& plane = MeshOf(0);
    ASSERT_EQ(std::make_pair(plane.getNumVerts(), plane.getNumFaces()), std::make_pair(15, 16));
    EXPECT_EQ(std::make_pair(plane.getVert(0), plane.getVert(6)), std::make_pair(Point3(-50, -25, 0), Point3(-25, 0, 0)));
    for (const Face& f : plane.faces) EXPECT_GT(FaceUp(plane, f), 0.0f);

    const Mesh& field = MeshOf(1);
    ASSERT_EQ(std::make_pair(field.getNumVerts(), field.getNumFaces()), std::make_pair(6, 4));
    EXPECT_EQ(std::make_pair(field.getVert(0), field.getVert(3)), std::make_pair(Point3(-5, -10, 0), Point3(5, 0, 3)));

    const Mesh& mesh = MeshOf(2);
    EXPECT_TRUE(mesh.getNumFaces() == 1 && mesh.faces[0].v == (std::array<DWORD, 3>{0, 1, 2}) && mesh.getVert(2) == Point3(0, 1, 2));

    EXPECT_EQ(MeshOf(3).getNumFaces(), 2) << "one segment each way by default";

    Box3 box;  // standing on its base
    GetCOREInterface()->GetRootNode()->GetChildNode(4)->GetObjectRef()->GetDeformBBox(0, box, nullptr, false);
    EXPECT_EQ(std::make_pair(box.pmin, box.pmax), std::make_pair(Point3(-1, -2, 0), Point3(1, 2, 3)));
}

TEST_F(GroundMeshTest, BadMeshesNameThePlace) {
    const struct { const char* scene; const char* message; } cases[] = {
        {R"({"nodes": [{"object": {"class": "Plane", "size": [0, 5]}}]})",
         "scene.nodes[0].object.size: the width and length must be above 0"},
        {R"({"nodes": [{"object": {"class": "Plane", "size": [5, 5], "segments": [3, 1415]}}]})",
         "scene.nodes[0].object.segments[1]: expected a whole number from 1 to 1414"},
        {R"({"nodes": [{"object": {"class": "Plane", "size": [5, 5], "segments": [1414, 1414]}},
                       {"object": {"class": "Plane", "size": [5, 5], "segments": [40, 40]}}]})",
         "scene.nodes[1].object: the scene's meshes pass 4000000 triangles"},
        {R"({"nodes": [{"object": {"class": "HeightField", "size": [5, 5], "heights": [[0, 1]]}}]})",
         "scene.nodes[0].object.heights: expected 2 to 1415 rows"},
        {R"({"nodes": [{"object": {"class": "HeightField", "size": [5, 5], "heights": [[0, 1], [0, 1, 2]]}}]})",
         "scene.nodes[0].object.heights[1]: every row needs as many heights as the first"},
        {R"({"nodes": [{"object": {"class": "HeightField", "size": [5, 5], "heights": [[0, 1], [0, "x"]]}}]})",
         "scene.nodes[0].object.heights[1][1]: expected a number"},
        {R"({"nodes": [{"object": {"class": "Box", "size": [1, 0, 1]}}]})",
         "scene.nodes[0].object.size: every side must be above 0"},
        {R"({"nodes": [{"object": {"class": "Mesh", "vertices": [[0, 0, 0]], "faces": [[0, 0, 1]]}}]})",
         "scene.nodes[0].object.faces[0][2]: no vertex 1 (the mesh has 1)"},
        {R"({"nodes": [{"object": {"class": "Mesh", "vertices": [[0, 0, 0]], "faces": [[0, 0]]}}]})",
         "scene.nodes[0].object.faces[0]: expected [a, b, c]"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadError(c.scene), c.message) << c.scene;
        EXPECT_EQ(Root()->NumberOfChildren(), 0) << c.scene;
    }
}

}  // namespace
