#include <algorithm>
#include <cmath>

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
    for (const DrawRecord& r : records) {
        if (r.color != ringRoad) continue;
        EXPECT_EQ(r.points.size(), r.points.size() == 3 ? 3u : 4u * 5u + 1u);
    }
    // Six roads and helpers, then the vehicles that its actions set up and copied.
    ASSERT_EQ(view.legend.size(), 6u + 5u);
    EXPECT_TRUE(view.legend[1].name == "Ring Road" && view.legend[1].color == ringRoad);
    EXPECT_TRUE(view.legend[6].name == "Car 001" && view.legend[9].name == "Car 004" && view.legend[10].name == "Bus 001");
}

// The crossroads: chevrons per lane end, link curves; both roads' lanes, links, two bus stops, a parking bay.
TEST_F(ViewCaptureTest, TheExampleCrossroadsShowsItsJunction) {
    LoadSceneFile(MARLOVAN_EXAMPLES_DIR "/crossroads.json", *classes_, GetCOREInterface());
    const ViewCapture view = CaptureView(GetCOREInterface(), 0);
    const Point3 junction(0xE0 / 255.0f, 0xE0 / 255.0f, 0xE0 / 255.0f);
    int chevrons = 0, curves = 0;
    for (const DrawRecord& r : view.records) {
        if (r.color != junction) continue;
        chevrons += r.points.size() == 3;
        curves += r.points.size() == 33;
    }
    EXPECT_TRUE(chevrons == 8 && curves == 16) << chevrons << " " << curves;
    EXPECT_EQ(view.legend.size(), 24u);
    int segments = 0, ways = 0;
    EXPECT_TRUE(module_->LaneNetworkSize(segments, ways) && segments == 2 && ways == 2 + 2 + 8 * 32 + 3 + 3 + 1);
}

TEST_F(ViewCaptureTest, HidingIsPerNode) {
    Load(R"({"nodes": [{"object": {"class": "StopLine"}}]})");
    const std::size_t stopLineOnly = CaptureView(GetCOREInterface(), 0).records.size();
    ASSERT_GT(stopLineOnly, 0u);
    Load(R"({"nodes": [{"hidden": true, "object": {"class": "Obstacle"},
                        "children": [{"object": {"class": "StopLine"}}]}]})");
    EXPECT_EQ(CaptureView(GetCOREInterface(), 0).records.size(), stopLineOnly);
    EXPECT_EQ(CaptureView(GetCOREInterface(), 0).legend.size(), 1u);
}

}  // namespace
