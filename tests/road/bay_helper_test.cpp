// Bus stops and parking places: ways, drawing, boxes, creation, a missing block.
#include <limits>
#include <tuple>

#include "host/create_mouse.h"
#include "tests/host/host_support.h"
#include "module/class_registry.h"
#include "road/bus_stop.h"
#include "road/lane_network_build.h"
#include "road/parking.h"
#include "tests/road/road_support.h"

namespace {

class BayHelperTest : public RoadSceneTest {
protected:
    template <class T>
    static T* Place(ClassDesc* desc, float p0, float p1, float p2, const Matrix3& tm = Matrix3()) {
        auto* obj = static_cast<T*>(static_cast<Object*>(desc->Create(FALSE)));
        INode* node = GetCOREInterface()->CreateObjectNode(obj);
        node->SetNodeTM(0, tm);
        IParamBlock2* block = obj->GetParamBlock(0);
        block->SetValue(0, 0, p0);
        block->SetValue(1, 0, p1);
        if constexpr (std::is_same_v<T, BusStopObject>) block->SetValue(2, 0, static_cast<int>(p2));
        else block->SetValue(2, 0, p2);
        obj->ObjectValidity(0);
        return obj;
    }
    static INode* Node() { return GetCOREInterface()->GetRootNode()->GetChildNode(0); }
    std::vector<Point3> Drawn(HelperFrame* obj) {
        view.getGW()->ClearRecords();
        obj->Display(0, Node(), &view, 0);
        std::vector<Point3> points;
        for (const DrawRecord& r : view.getGW()->Records())
            points.insert(points.end(), r.points.begin(), r.points.end());
        return points;
    }
    ViewExp view;
};

using Quad = std::array<Point3, 4>;
Quad Corners(const WayRecord& w) { return {w.corner[0], w.corner[1], w.corner[2], w.corner[3]}; }

TEST_F(BayHelperTest, BusStopWaysRunAlongTheBayAndCopyItsFlagsThenItsDrawing) {
    const struct { const char* name; float reverse; Quad quads[3]; } rows[] = {
        {"normal", 0, {{{{100, -200, 0}, {100, 200, 0}, {0, 200, 0}, {0, -200, 0}}},
                       {{{50, 200, 0}, {50, 250, 0}, {0, 250, 0}, {0, 200, 0}}},
                       {{{50, -250, 0}, {50, -200, 0}, {0, -200, 0}, {0, -250, 0}}}}},
        {"reversed", 1, {{{{-100, 200, 0}, {-100, -200, 0}, {0, -200, 0}, {0, 200, 0}}},
                         {{{-50, 250, 0}, {-50, 200, 0}, {0, 200, 0}, {0, 250, 0}}},
                         {{{-50, -200, 0}, {-50, -250, 0}, {0, -250, 0}, {0, -200, 0}}}}},
    };
    BusStopObject* stop = nullptr;
    for (const auto& row : rows) {
        GetCOREInterface()->ResetScene();
        stop = Place<BusStopObject>(GetBusStopDesc(), 100, 200, row.reverse);
        const auto ways = WaysOf(stop, Node());
        ASSERT_EQ(ways.size(), 3u) << row.name;
        for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(Corners(ways[i]), row.quads[i]) << row.name << i;
        for (const WayRecord& w : ways) {
            EXPECT_FLOAT_EQ(w.maxSpeed, 20.0f / 0.036f) << row.name;  // 20 km/h in cm/s
            EXPECT_TRUE(w.enable[0] == 0 && w.enable[1] == 1 && w.enable[2] == 0 && w.isBusStop == 1 && !w.isParking);
        }
    }
    // The reversed stop draws its kerb, edge, arrow and tapers in one run.
    const std::vector<Point3> expected = {{0, -300, 0},  {0, 300, 0},  {-100, -100, 0}, {-100, 100, 0},
                                          {-20, 0, 0},   {-50, 0.3f * 100, 0}, {-80, 0, 0},     {-50, 0.3f * 100, 0},
                                          {-100, -100, 0}, {0, -300, 0}, {-100, 100, 0},  {0, 300, 0}};
    EXPECT_EQ(Drawn(stop), expected);
    EXPECT_EQ(view.getGW()->SegmentRuns(), 1);
}

// The bay runs +Y; arc pieces lead to it between radii 2 hw and 4 hw around (+-3 hw, -hl).
TEST_F(BayHelperTest, ParkingWaysFollowTheAccessArc) {
    const struct { const char* name; float degrees; std::size_t ways; Point3 lastFarInner, lastFarOuter; } rows[] = {
        {"no arc", 0, 1, {}, {}},
        {"quarter turn", 90, 10, {150, -200, 0}, {150, -300, 0}},
        {"minus 30", -30, 4, {-150 + 100 * std::cos(0.5235988f), -100 - 100 * 0.5f, 0},
         {-150 + 200 * std::cos(0.5235988f), -100 - 200 * 0.5f, 0}},
        {"5 degrees", 5, 2, {150 - 100 * std::cos(0.0872665f), -100 - 100 * std::sin(0.0872665f), 0},
         {150 - 200 * std::cos(0.0872665f), -100 - 200 * std::sin(0.0872665f), 0}},
    };
    for (const auto& row : rows) {
        GetCOREInterface()->ResetScene();
        auto* parking = Place<ParkingObject>(GetParkingDesc(), 100, 200, row.degrees);
        const auto ways = WaysOf(parking, Node());
        ASSERT_EQ(ways.size(), row.ways) << row.name;
        EXPECT_EQ(Corners(ways[0]), (Quad{{{50, -100, 0}, {50, 100, 0}, {-50, 100, 0}, {-50, -100, 0}}})) << row.name;
        EXPECT_TRUE(ways[0].isParking && ways[0].enable[0] && !ways[0].enable[1] && !ways[0].enable[2]);
        for (std::size_t i = 1; i < ways.size(); ++i) {
            EXPECT_FLOAT_EQ(ways[i].maxSpeed, 3 * ways[0].maxSpeed) << row.name;
            EXPECT_TRUE(!ways[i].isParking && ways[i].enable[0] && !ways[i].enable[1]) << row.name;
            // Consecutive pieces share their edge, and the first one meets the bay's -Y end.
            EXPECT_TRUE(Near(ways[i].corner[1], ways[i - 1].corner[0], 1e-3f)) << row.name << i;
        }
        const WayRecord& last = ways.back();
        if (ways.size() == 1) continue;
        const bool left = row.degrees > 0;
        EXPECT_TRUE(Near(last.corner[left ? 0 : 3], row.lastFarInner, 1e-2f)) << row.name;
        EXPECT_TRUE(Near(last.corner[left ? 3 : 0], row.lastFarOuter, 1e-2f)) << row.name;
    }
}

// Whatever the sizes and angle, the boxes hold every point drawn, in object and in world space.
TEST_F(BayHelperTest, BoxesHoldEveryDrawnPoint) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct { bool parking; float p0, p1, p2; } rows[] = {
        {false, 100, 200, 0}, {false, 30, 5, 1}, {true, 100, 200, 90}, {true, 100, 200, -30},
        {true, 400, 10, 0},   {true, 100, 20, 500}, {true, 100, 200, nan}};
    const Matrix3 tm = RotateZMatrix(0.7f) * TransMatrix({300, -40, 5});
    for (const auto& row : rows) {
        GetCOREInterface()->ResetScene();
        HelperFrame* obj = nullptr;
        if (row.parking) obj = Place<ParkingObject>(GetParkingDesc(), row.p0, row.p1, row.p2, tm);
        else obj = Place<BusStopObject>(GetBusStopDesc(), row.p0, row.p1, row.p2, tm);
        Box3 local, world;
        obj->GetLocalBoundBox(0, nullptr, nullptr, local);
        obj->GetWorldBoundBox(0, Node(), nullptr, world);
        const std::vector<Point3> drawn = Drawn(obj);
        ASSERT_FALSE(drawn.empty());
        const Point3 slack(1e-3f, 1e-3f, 1e-3f);  // the window records world points
        for (const Point3& p : drawn) {
            EXPECT_TRUE(Box3(local.pmin - slack, local.pmax + slack).Contains(p * Inverse(tm))) << row.p0;
            EXPECT_TRUE(Box3(world.pmin - slack, world.pmax + slack).Contains(p)) << row.p0 << " " << row.p1;
        }
    }
}

// The first click is the centre (a bus stop's kerb), the drag a corner; no extent aborts.
TEST_F(BayHelperTest, CreationByTwoClicks) {
    for (const auto& [desc, width, length] :
         {std::tuple{GetBusStopDesc(), 30.0f, 80.0f}, {GetParkingDesc(), 60.0f, 80.0f}}) {
        auto* obj = static_cast<HelperFrame*>(static_cast<Object*>(desc->Create(FALSE)));
        CreateMouseCallBack* cb = obj->GetCreateMouseCallBack();
        Matrix3 mat;
        EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 0, 0, ::Pixel(view, 10, 20), mat), CREATE_CONTINUE);
        EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 1, 0, ::Pixel(view, 10, 60), mat), CREATE_ABORT);
        EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 1, 0, ::Pixel(view, 40, 60), mat), CREATE_STOP);
        const IParamBlock2* block = obj->GetParamBlock(0);
        EXPECT_EQ(std::make_tuple(block->GetFloat(0, 0), block->GetFloat(1, 0), mat.GetTrans()),
                  std::make_tuple(width, length, Point3(10, 20, 0)));
        obj->DeleteThis();
    }
}

// The network asks both; without a block they keep their cached ways and drawing.
TEST_F(BayHelperTest, TheNetworkAsksBothEvenWithoutBlocks) {
    HelperFrame* objs[] = {Place<BusStopObject>(GetBusStopDesc(), 100, 200, 0),
                           Place<ParkingObject>(GetParkingDesc(), 100, 200, 90)};
    for (const bool blocks : {true, false}) {
        LaneNetwork network(nullptr, 0);
        ASSERT_TRUE(BuildLaneNetwork(network));
        EXPECT_EQ(network.Count(), 3 + 10) << blocks;
        for (HelperFrame* obj : objs) obj->ReplaceReference(0, nullptr);
    }
    EXPECT_EQ(Drawn(objs[0]).size(), 12u);
    EXPECT_TRUE(RegisteredClass(6) == GetBusStopDesc() && RegisteredClass(9) == GetParkingDesc());
}

}  // namespace
