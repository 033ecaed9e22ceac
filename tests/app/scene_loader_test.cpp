#include <cmath>

#include "app_fixture.h"
#include "host/spline_shape.h"

namespace {

using SceneLoaderTest = AppTest;

TEST_F(SceneLoaderTest, BadInputNamesThePlaceAndLeavesNoScene) {
    const struct {
        const char* scene;
        const char* message;
    } cases[] = {
        {R"({"nodes": 3})", "scene.nodes: expected an array"},
        {R"({"nodes": [{"nmae": "x"}]})", "scene.nodes[0]: unknown key \"nmae\""},
        {R"({"nodes": [{"object": {"class": "Teapot"}}]})", "scene.nodes[0].object.class: unknown class \"Teapot\""},
        {R"({"nodes": [{"object": {"class": "SplineShape", "splines": [{"knots": [[0, 0]]}]}}]})",
         "scene.nodes[0].object.splines[0].knots[0]: expected [x, y, z]"},
        {R"({"nodes": [{"transform": {"position": ["a", 0, 0]}}]})",
         "scene.nodes[0].transform.position[0]: expected a number"},
        {R"({"nodes": [{"transform": {"scale": [1, 0, 1]}}]})", "scene.nodes[0].transform.scale: a scale of 0"},
        {R"({"nodes": [{"transform": {"matrix": [[1,0,0],[2,0,0],[0,0,1],[0,0,0]]}}]})",
         "scene.nodes[0].transform.matrix: the matrix is singular"},
        {R"({"units": "furlong", "nodes": []})", "scene.units: unknown unit \"furlong\""},
        {R"({"frame_rate": 7, "nodes": []})", "scene.frame_rate: the frame rate must divide 4800"},
        {R"({"nodes": [{"wire_color": "red"}]})", "scene.nodes[0].wire_color: expected a colour"},
        {R"({"nodes": [{"keys": [{"position": [0, 0, 0]}]}]})", "scene.nodes[0].keys[0]: missing \"frame\""},
        {R"({"nodes": [{"name": "a"}, {"modifiers": [{"class": "Bend"}]}]})",
         "scene.nodes[1].modifiers[0].class: unknown class \"Bend\""},
        {R"({"nodes": [{"object": {"class": "SplineShape", "steps": -1, "splines": []}}]})",
         "scene.nodes[0].object.steps: steps run from 0 to 100"},
    };
    for (const auto& c : cases) {
        const std::string error = LoadError(c.scene);
        EXPECT_NE(error.find(c.message), std::string::npos) << c.scene << "\n gave: " << error;
        EXPECT_EQ(Root()->NumberOfChildren(), 0) << c.scene;
    }
}

TEST_F(SceneLoaderTest, FilesThatCannotBeReadAreReported) {
    try {
        LoadSceneFile("/nonexistent/scene.json", *classes_, GetCOREInterface());
        FAIL();
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "/nonexistent/scene.json: cannot open the file: No such file or directory");
    }
}

}  // namespace
