// Start placement: on a free place of a way open to the vehicle, or nowhere with one beep.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "common/random_access.h"
#include "host/testing.h"
#include "tests/vehicle/plan_support.h"

namespace {

class PlaceTest : public VehicleTest {
protected:
    void SetUp() override {
        VehicleTest::SetUp();
        HostResetWin32();
        SharedRandom().srand(11);
        MakeCar(car);
    }
    VehicleState car;
    TrafficZone placed[40];
};

// A 300 m lane along +X, 4 m wide.
WayRecord EastLane() { return BoxWay(0.0f, -200.0f, 30000.0f, 200.0f); }

TEST_F(PlaceTest, PlacesOnAStraightWayAlongIt) {
    const auto lanes = MakeNetwork({EastLane()});
    ASSERT_TRUE(car.Place(placed, 0, *lanes, 480));
    EXPECT_EQ(HostBeepCount(), 0);
    EXPECT_TRUE(Near(car.bodyTM.GetRow(1), {1, 0, 0}, 1e-5f));
    EXPECT_NEAR(car.bodyTM.GetTrans().y, 0.0f, 1e-3f);
    EXPECT_EQ(car.time, 480);
    EXPECT_EQ(placed[0].hx, 2.0f * car.halfWidth);
    EXPECT_EQ(placed[0].hy, car.halfLength);
    for (const TrafficZone& z : car.zones) {
        EXPECT_EQ(z.owner, car.OwnerTag());
        EXPECT_EQ(z.rule, RuleVehicle);
        EXPECT_TRUE(SameMatrix(z.tm, car.bodyTM));
    }
}

// Without a place: one beep, nothing written; a blocked way costs exactly 1000 tries of one
// way draw, one position draw and 100 two-draw samples, after the temper.
TEST_F(PlaceTest, NoPlaceBeepsOnceAndWritesNothing) {
    WayRecord closed = EastLane();
    closed.enable[0] = 0;
    placed[0].Init(Matrix3(), 0, 1e6f, 1e6f, 0, RuleObstacle, 0.0f);
    const struct { const char* name; std::unique_ptr<LaneNetwork> lanes; int blocks, draws; } rows[] = {
        {"empty scene", std::make_unique<LaneNetwork>(), 0, 1},
        {"way closed to cars", MakeNetwork({closed}), 0, 1 + 1000 * 202},
        {"way fully blocked", MakeNetwork({EastLane()}), 1, 1 + 1000 * 202},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        HostResetWin32();
        const Matrix3 zoneBefore = car.zones[3].tm;
        const float hxBefore = placed[row.blocks].hx;
        SharedRandom().srand(3);
        EXPECT_FALSE(car.Place(placed, row.blocks, *row.lanes, 0));
        const float next = Rand01();
        SharedRandom().srand(3);
        for (int i = 0; i < row.draws; ++i) Rand01();
        EXPECT_EQ(next, Rand01());
        EXPECT_EQ(HostBeepCount(), 1);
        EXPECT_EQ(placed[row.blocks].hx, hxBefore);
        EXPECT_TRUE(SameMatrix(car.zones[3].tm, zoneBefore));
    }
    VehicleState bus;
    MakeCar(bus, 1);
    EXPECT_TRUE(bus.Place(placed, 0, *rows[1].lanes, 0));
}

// Each placed footprint keeps the next car's whole body off it.
TEST_F(PlaceTest, ManyCarsOnALongWayNeverOverlap) {
    const auto lanes = MakeNetwork({EastLane()});
    std::vector<float> xs;
    for (int n = 0; n < 30; ++n) {
        VehicleState other;
        MakeCar(other);
        ASSERT_TRUE(other.Place(placed, n, *lanes, 0));
        const float x = other.bodyTM.GetTrans().x;
        for (float before : xs) EXPECT_GE(std::fabs(x - before), 2.0f * car.halfLength);
        xs.push_back(x);
    }
}

}  // namespace
