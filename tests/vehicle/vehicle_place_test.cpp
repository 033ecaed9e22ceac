// Start placement: on a free place of a way open to the vehicle, or nowhere with one beep.
#include <gtest/gtest.h>

#include "common/random_access.h"
#include "host/testing.h"
#include "tests/vehicle/plan_support.h"

namespace {

struct PlaceTest : VehicleTest {
    void SetUp() override {
        VehicleTest::SetUp();
        HostResetWin32();
        MakeCar(car);
    }
    VehicleState car;
    TrafficZone placed[30];
    std::unique_ptr<LaneNetwork> lanes = MakeNetwork({BoxWay(0.0f, -200.0f, 30000.0f, 200.0f)});
};

TEST_F(PlaceTest, PlacesOnAStraightWayAlongIt) {
    ASSERT_TRUE(car.Place(placed, 0, *lanes, 480));
    EXPECT_TRUE(Near(car.bodyTM.GetRow(1), {1, 0, 0}, 1e-5f) && car.bodyTM.GetTrans().y == 0.0f && car.time == 480);
    EXPECT_TRUE(placed[0].hx == 2.0f * car.halfWidth && placed[0].hy == car.halfLength && HostBeepCount() == 0);
    for (const TrafficZone& z : car.zones) EXPECT_TRUE(z.owner == car.OwnerTag() && SameMatrix(z.tm, car.bodyTM));
}

// One beep and nothing written; a way without a place costs exactly 1000 tries of one way draw,
// one position draw and 100 two-draw samples, after the temper.
TEST_F(PlaceTest, NoPlaceBeepsOnceAndWritesNothing) {
    WayRecord closed = BoxWay(0.0f, -200.0f, 30000.0f, 200.0f);
    closed.enable[0] = 0;
    placed[0].Init(Matrix3(), 0, 1e6f, 1e6f, 0, RuleObstacle, 0.0f);
    const struct { std::unique_ptr<LaneNetwork> lanes; int blocks, draws; } rows[] = {
        {std::make_unique<LaneNetwork>(), 0, 1}, {MakeNetwork({closed}), 0, 1 + 1000 * 202}, {std::move(lanes), 1, 1 + 1000 * 202}};
    for (const auto& row : rows) {
        HostResetWin32();
        const TrafficZone before = placed[row.blocks], own = car.zones[3];
        SharedRandom().srand(3);
        EXPECT_FALSE(car.Place(placed, row.blocks, *row.lanes, 0));
        const float next = Rand01();
        SharedRandom().srand(3);
        for (int i = 0; i < row.draws; ++i) Rand01();
        EXPECT_EQ(next, Rand01()) << row.draws;
        EXPECT_TRUE(HostBeepCount() == 1 && placed[row.blocks].hx == before.hx && SameMatrix(car.zones[3].tm, own.tm));
    }
    MakeCar(car, 1);  // a bus may use the way closed to cars
    EXPECT_TRUE(car.Place(placed, 0, *rows[1].lanes, 0));
}

TEST_F(PlaceTest, ManyCarsOnALongWayNeverOverlap) {
    VehicleState cars[30];
    for (int n = 0; n < 30; ++n) {
        MakeCar(cars[n]);
        ASSERT_TRUE(cars[n].Place(placed, n, *lanes, 0));
        for (int k = 0; k < n; ++k)
            EXPECT_GE(Length(cars[n].bodyTM.GetTrans() - cars[k].bodyTM.GetTrans()), 2.0f * car.halfLength);
    }
}

}  // namespace
