// Start placement: on a free place of a way open to the vehicle, or nowhere with one beep.
#include "common/random_access.h"
#include "tests/vehicle/plan_support.h"

namespace {

struct PlaceTest : VehicleTest {
    VehicleState cars[30];
    TrafficZone placed[30];
    WayRecord way = BoxWay(0.0f, -200.0f, 30000.0f, 200.0f);  // 300 m along +X
};

// Along the way's centre line, the footprint twice as wide, the zones set; each car clear of others.
// Samples reach half the length plus the wheelbase both ways: on a 12 m way the centre keeps 0.6 of that.
TEST_F(PlaceTest, PlacesCarsAlongAWayClearOfEachOther) {
    HostResetWin32();
    const auto lanes = MakeNetwork({way});
    for (int n = 0; n < 30; ++n) {
        VehicleState& car = MakeCar(cars[n]);
        ASSERT_TRUE(car.Place(placed, n, *lanes, 480));
        EXPECT_TRUE(Near(car.bodyTM.GetRow(1), {1, 0, 0}, 1e-5f) && car.bodyTM.GetTrans().y == 0.0f && car.time == 480);
        EXPECT_TRUE(placed[n].hx == 2.0f * car.halfWidth && placed[n].hy == car.halfLength);
        for (const TrafficZone& z : car.zones) EXPECT_TRUE(z.owner == car.OwnerTag() && SameMatrix(z.tm, car.bodyTM));
        for (int k = 0; k < n; ++k) EXPECT_GE(Length(car.bodyTM.GetTrans() - cars[k].bodyTM.GetTrans()), 400.0f);
    }
    const auto shortWay = MakeNetwork({BoxWay(0.0f, -200.0f, 1200.0f, 200.0f)});
    for (int i = 0; i < 60; ++i)
        EXPECT_TRUE(MakeCar(cars[0]).Place(placed, 0, *shortWay, 0) &&
                    std::fabs(cars[0].bodyTM.GetTrans().x - 600.0f) <= 600.0f - 0.6f * (200.0f + cars[0].wheelbase)) << i;
    EXPECT_EQ(HostBeepCount(), 0);
}

// One beep, nothing written; no place costs exactly 1000 tries of the draws, after the temper.
TEST_F(PlaceTest, NoPlaceBeepsOnceAndWritesNothing) {
    WayRecord closed = way;
    closed.enable[0] = 0;
    placed[0].Init(Matrix3(), 0, 1e6f, 1e6f, 0, RuleObstacle, 0.0f);
    const struct { std::unique_ptr<LaneNetwork> lanes; int blocks, draws; } rows[] = {
        {std::make_unique<LaneNetwork>(), 0, 1}, {MakeNetwork({closed}), 0, 202001}, {MakeNetwork({way}), 1, 202001}};
    for (const auto& row : rows) {
        HostResetWin32();
        const float hx = placed[row.blocks].hx;
        SharedRandom().srand(3);
        EXPECT_FALSE(MakeCar(cars[0]).Place(placed, row.blocks, *row.lanes, 0));
        const float next = Rand01();
        SharedRandom().srand(3);
        for (int i = 0; i < row.draws; ++i) Rand01();
        EXPECT_TRUE(next == Rand01() && HostBeepCount() == 1 && placed[row.blocks].hx == hx && cars[0].zones[3].rule == RuleNone) << row.draws;
    }
    EXPECT_TRUE(MakeCar(cars[0], 1).Place(placed, 0, *rows[1].lanes, 0));  // open to buses
}

}  // namespace
