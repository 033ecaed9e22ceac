#include <algorithm>
#include <cmath>
#include <random>

#include "app/run_outputs.h"
#include "app/scene_limits.h"
#include "app/view_capture.h"
#include "app_fixture.h"

namespace {

using ViewCaptureTest = AppTest;

int CountColour(const std::vector<DrawRecord>& records, Point3 colour, DrawRecord::Kind kind) {
    return static_cast<int>(std::count_if(records.begin(), records.end(), [&](const DrawRecord& r) {
        return r.kind == kind && r.color == colour;
    }));
}

// The example town as the viewport draws it: lane lines, chevrons, helper outlines, vehicles.
TEST_F(ViewCaptureTest, TheExampleTownShowsItsRoadsAndHelpers) {
    LoadSceneFile(MARLOVAN_EXAMPLES_DIR "/town.json", *classes_, GetCOREInterface());
    const ViewCapture view = CaptureView(GetCOREInterface(), 0);
    const auto& records = view.records;
    const Point3 mainStreet(0xF0 / 255.0f, 0xC0 / 255.0f, 0x40 / 255.0f);
    // Four lanes: five boundary lines and two chevrons per lane.
    EXPECT_EQ(CountColour(records, mainStreet, DrawRecord::Kind::Polyline), 5 + 8);
    // The speed limiter, rotated a quarter turn: its 1500 half length runs along X around x = -10000.
    const Point3 limiter(1.0f, 0x60 / 255.0f, 0x60 / 255.0f);
    ASSERT_EQ(CountColour(records, limiter, DrawRecord::Kind::Segment), 4);
    const auto side = std::find_if(records.begin(), records.end(), [&](const DrawRecord& r) { return r.color == limiter; });
    for (const Point3& p : side->points) EXPECT_NEAR(std::fabs(p.x + 10000.0f), 1500.0f, 1.0f);
    // The ring road's lane line: four curved segments at 4 steps, closed by repeating its start;
    // converted once, never cut again when drawn.
    const Point3 ringRoad(0x60 / 255.0f, 0xC0 / 255.0f, 0xF0 / 255.0f);
    for (const DrawRecord& r : records) EXPECT_TRUE(r.color != ringRoad || r.points.size() == 3u || r.points.size() == 4u * 5u + 1u);
    // The flat ground shows its outline alone (22 by 15 cells), a body box its twelve edges.
    EXPECT_TRUE(CountColour(records, Point3(0x40, 0x60, 0x40) / 255.0f, DrawRecord::Kind::Segment) == 2 * (22 + 15) &&
                CountColour(records, Point3(0xE6, 0x19, 0x4B) / 255.0f, DrawRecord::Kind::Segment) == 12);
    // The ground, six roads and helpers, then the vehicles that its actions set up and copied
    // (not their bodies and wheels), each in a colour of its own, which its path takes.
    ASSERT_EQ(view.legend.size(), 1u + 6u + 5u);
    EXPECT_TRUE(view.legend[2].name == "Ring Road" && view.legend[2].color == ringRoad);
    EXPECT_TRUE(view.legend[7].name == "Car 001" && view.legend[10].name == "Car 004" && view.legend[11].name == "Bus 001");
    std::vector<Point3> paths;
    for (const DrawRecord& path : VehiclePaths(GetCOREInterface(), 0, 0)) paths.push_back(path.color);
    for (std::size_t i = 7; i < 12; ++i) EXPECT_EQ(std::count(paths.begin(), paths.end(), view.legend[i].color), 1) << i;
}

// The crossroads: chevrons per lane end, link curves; both roads' lanes, links, two bus stops, a parking bay.
TEST_F(ViewCaptureTest, TheExampleCrossroadsShowsItsJunction) {
    LoadSceneFile(MARLOVAN_EXAMPLES_DIR "/crossroads.json", *classes_, GetCOREInterface());
    const ViewCapture view = CaptureView(GetCOREInterface(), 0);
    const Point3 junction(0xE0 / 255.0f, 0xE0 / 255.0f, 0xE0 / 255.0f);
    int chevrons = 0, curves = 0;
    for (const DrawRecord& r : view.records) {
        chevrons += r.color == junction && r.points.size() == 3;
        curves += r.color == junction && r.points.size() == 33;
    }
    EXPECT_TRUE(chevrons == 8 && curves == 16) << chevrons << " " << curves;
    EXPECT_EQ(view.legend.size(), 1u + 24u);
    int segments = 0, ways = 0;
    EXPECT_TRUE(module_->LaneNetworkSize(segments, ways) && segments == 2 && ways == 2 + 2 + 8 * 32 + 3 + 3 + 1);
}

// Rough ground: the first field draws its edges, the next two no longer fit in the frame's mesh
// edges and show their footprints; a box keyed after them still draws its twelve, where it is.
TEST_F(ViewCaptureTest, MeshesAreDrawnWhereTheyAreWithinTheFramesEdges) {
    std::minstd_rand random(5);
    std::string rows = "[";
    for (int k = 0; k < 201 * 201; ++k) rows.append(k % 201 ? "," : k ? "],[" : "").append(std::to_string(random() % 300));
    const std::string field = R"({"object": {"class": "HeightField", "size": [20000, 20000], "heights": [)" + rows + "]]}},";
    Load((R"({"nodes": [)" + field + field + field + R"({"keys": [{"frame": 0}, {"frame": 10, "position": [50000, 0, 0]}],
                                                     "object": {"class": "Box", "size": [200, 400, 100]}}]})").c_str());
    const std::vector<DrawRecord> records = CaptureView(GetCOREInterface(), 10 * GetTicksPerFrame()).records;
    const std::size_t first = records.size() - 2 - 12;
    EXPECT_TRUE(first > 60'000 && first <= kMaxMeshWireEdges) << first;
    EXPECT_TRUE(records[first].closed && records[first].points.size() == 4 && records[first + 1].points.size() == 4);
    EXPECT_EQ(CountColour(records, Point3(0xE0, 0xE0, 0xE0) / 255.0f, DrawRecord::Kind::Segment), static_cast<int>(first + 12));
    const std::vector<Point3>& edge = records[first + 2].points;  // the box's from corner 0 to corner 1, along X
    EXPECT_TRUE(std::fabs(edge[0].x - 49900) < 0.01f && std::fabs(edge[1].x - 50100) < 0.01f) << edge[0].x;
}

TEST_F(ViewCaptureTest, HidingAndSelectingArePerNode) {
    Load(R"({"nodes": [{"object": {"class": "StopLine"}}]})");
    const std::size_t stopLineOnly = CaptureView(GetCOREInterface(), 0).records.size();
    ASSERT_GT(stopLineOnly, 0u);
    Load(R"({"nodes": [{"hidden": true, "selected": false, "object": {"class": "Obstacle"},
                        "children": [{"selected": true, "object": {"class": "StopLine"}}]}]})");
    EXPECT_EQ(CaptureView(GetCOREInterface(), 0).records.size(), stopLineOnly);
    EXPECT_EQ(CaptureView(GetCOREInterface(), 0).legend.size(), 1u);
    const Interface* ip = GetCOREInterface();
    EXPECT_TRUE(ip->GetSelNodeCount() == 1 && ip->GetSelNode(0) == Root()->GetChildNode(0)->GetChildNode(0));
}

}  // namespace
