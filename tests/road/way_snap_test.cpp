// Snapping keeps a vehicle on the plane of the way under it. Scene units are centimetres, so
// 0.1 m is 10 units.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "tests/road/road_test_support.h"

namespace {
// A vehicle at p facing (0.6, 0.8, 0), tilted a little about its forward axis.
Matrix3 VehicleAt(Point3 p) {
    Matrix3 m({0.8f, -0.6f, 0.1f}, {0.6f, 0.8f, 0.0f}, {-0.08f, 0.06f, 1.0f}, p);
    m.SetFlags(MAT_IDENT);
    return m;
}

void ExpectOrthonormalOn(const Matrix3& m, Point3 up) {
    const Point3 r0 = m.GetRow(0), r1 = m.GetRow(1), r2 = m.GetRow(2);
    EXPECT_TRUE(Near(r2, up, 1e-6f));
    EXPECT_NEAR(Length(r1), 1.0f, 1e-6f);
    EXPECT_NEAR(DotProd(r1, r2), 0.0f, 1e-6f);
    EXPECT_TRUE(Near(r0, CrossProd(r1, r2), 1e-6f));
    EXPECT_EQ(m.GetFlags() & 1u, 0u);
}
}  // namespace

TEST(WaySnap, FlatWayMovesTheVehicleDownAndLevelsIt) {
    const WayRecord way = BoxWay(0.0f, 0.0f, 1000.0f, 400.0f, 20.0f);
    Matrix3 m = VehicleAt({300.0f, 100.0f, 70.0f});
    float tolerance = 100.0f;
    way.Snap(m, tolerance);
    EXPECT_EQ(tolerance, 50.0f);
    EXPECT_TRUE(Near(m.GetRow(3), {300.0f, 100.0f, 20.0f}, 0.0f));
    EXPECT_TRUE(Near(m.GetRow(1), {0.6f, 0.8f, 0.0f}, 1e-6f));
    ExpectOrthonormalOn(m, {0, 0, 1});
}

TEST(WaySnap, WithinATenthOfAMetreOnlyLowersTheTolerance) {
    const WayRecord way = BoxWay(0.0f, 0.0f, 1000.0f, 400.0f);
    const Matrix3 start = VehicleAt({300.0f, 100.0f, -9.5f});
    Matrix3 m = start;
    float tolerance = 100.0f;
    way.Snap(m, tolerance);
    EXPECT_EQ(tolerance, 9.5f);
    EXPECT_TRUE(SameMatrix(m, start));

    m = VehicleAt({300.0f, 100.0f, 10.0f});
    tolerance = 100.0f;
    way.Snap(m, tolerance);
    EXPECT_EQ(tolerance, 10.0f);
    EXPECT_EQ(m.GetRow(3).z, 0.0f);
}

TEST(WaySnap, OutsideTheWayOrTheToleranceNothingChanges) {
    const WayRecord way = BoxWay(0.0f, 0.0f, 1000.0f, 400.0f);
    for (const Point3& p : {Point3(1000.5f, 100, 50), Point3(300, -0.5f, 50), Point3(300, 100, 100.5f),
                            Point3(NAN, 100, 50)}) {
        const Matrix3 start = VehicleAt(p);
        Matrix3 m = start;
        float tolerance = 100.0f;
        way.Snap(m, tolerance);
        EXPECT_TRUE(SameMatrix(m, start)) << p.x << "," << p.y << "," << p.z;
        EXPECT_EQ(tolerance, 100.0f);
    }
    // The way's edge and the tolerance itself count as on.
    Matrix3 m = VehicleAt({1000.0f, 400.0f, 100.0f});
    float tolerance = 100.0f;
    way.Snap(m, tolerance);
    EXPECT_EQ(m.GetRow(3).z, 0.0f);
}

TEST(WaySnap, SlopedWayMovesVerticallyOntoThePlane) {
    // Rises 100 over 1000 along X.
    const WayRecord way = MakeWay({0, 0, 0}, {1000, 0, 100}, {1000, 400, 100}, {0, 400, 0});
    Matrix3 m = VehicleAt({250.0f, 100.0f, 80.0f});
    float tolerance = 100.0f;
    way.Snap(m, tolerance);
    EXPECT_NEAR(tolerance, 55.0f, 1e-3f);
    EXPECT_TRUE(Near(m.GetRow(3), {250.0f, 100.0f, 25.0f}, 1e-3f));
    ExpectOrthonormalOn(m, Normalize({-100.0f, 0.0f, 1000.0f}));
    // Forward is the old forward with its component along the plane's normal removed.
    const Point3 n = Normalize({-100.0f, 0.0f, 1000.0f}), f0(0.6f, 0.8f, 0.0f);
    EXPECT_TRUE(Near(m.GetRow(1), Normalize(f0 - n * DotProd(f0, n)), 1e-6f));
    EXPECT_GT(m.GetRow(1).z, 0.0f);
}

TEST(WaySnap, StackedWaysNearestWithinToleranceWins) {
    // A street at 0 and a bridge deck 400 above it.
    const std::vector<WayRecord> decks = {BoxWay(0, 0, 1000, 400, 0.0f), BoxWay(0, 0, 1000, 400, 400.0f)};
    const auto network = MakeNetwork(decks);
    for (const float z : {330.0f, 460.0f}) {
        Matrix3 m = VehicleAt({500.0f, 200.0f, z});
        network->SnapToWay(m, 150.0f);
        EXPECT_EQ(m.GetRow(3).z, 400.0f) << z;
    }
    Matrix3 m = VehicleAt({500.0f, 200.0f, 60.0f});
    network->SnapToWay(m, 150.0f);
    EXPECT_EQ(m.GetRow(3).z, 0.0f);
}

TEST(WaySnap, LaterWaysTestTheMovedPositionAgainstTheLoweredTolerance) {
    // Both decks within tolerance: the first one met moves the vehicle, and the second is then
    // judged from the moved position, so visiting order decides.
    const WayRecord low = BoxWay(0, 0, 1000, 400, 0.0f), high = BoxWay(0, 0, 1000, 400, 400.0f);
    Matrix3 m = VehicleAt({500.0f, 200.0f, 380.0f});
    float tolerance = 1000.0f;
    low.Snap(m, tolerance);
    high.Snap(m, tolerance);
    EXPECT_EQ(m.GetRow(3).z, 0.0f);
    EXPECT_EQ(tolerance, 380.0f);

    m = VehicleAt({500.0f, 200.0f, 380.0f});
    tolerance = 1000.0f;
    high.Snap(m, tolerance);
    low.Snap(m, tolerance);
    EXPECT_EQ(m.GetRow(3).z, 400.0f);
    EXPECT_EQ(tolerance, 20.0f);
}

TEST(WaySnap, AVehicleLeftInPlaceStillShieldsItFromFartherWays) {
    const std::vector<WayRecord> decks = {BoxWay(0, 0, 1000, 400, 0.0f), BoxWay(0, 0, 1000, 400, 50.0f)};
    const auto network = MakeNetwork(decks);
    const Matrix3 start = VehicleAt({500.0f, 200.0f, 4.0f});
    Matrix3 m = start;
    network->SnapToWay(m, 150.0f);
    EXPECT_TRUE(SameMatrix(m, start));
}
