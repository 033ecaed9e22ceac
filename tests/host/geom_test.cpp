#include <gtest/gtest.h>

#include <numbers>
#include <utility>

#include "host/controller.h"
#include "host/geom.h"
#include "host/time.h"

namespace {

void ExpectNear(const Point3& a, const Point3& b, float tol = 1e-5f) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

TEST(Box3, EmptyIsFiniteAndGrowsByPoints) {
    Box3 b;
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_FLOAT_EQ(b.pmin.x, 1e30f);
    EXPECT_FLOAT_EQ(b.pmax.x, -1e30f);
    b += Point3(1, 2, 3);
    b += Point3(-1, 5, 0);
    EXPECT_FALSE(b.IsEmpty());
    EXPECT_EQ(b.pmin, Point3(-1, 2, 0));
    EXPECT_EQ(b.pmax, Point3(1, 5, 3));
    // Each axis on its own: inverted in z alone is empty.
    EXPECT_TRUE(Box3({0, 0, 1}, {1, 1, 0}).IsEmpty());
    EXPECT_FALSE(Box3({0, 0, 1}, {1, 1, 1}).IsEmpty());
}

}  // namespace

TEST(Slerp, TakesTheShortestPathWhicheverSignTheEndHas) {
    const float h = std::numbers::sqrt2_v<float> / 2.0f;
    const Quat a{0, 0, 0, 1}, quarter{0, 0, h, h}, negated{0, 0, -h, -h};
    const Matrix3 eighth = RotateZMatrix(std::numbers::pi_v<float> / 4.0f);
    for (const Quat& b : {quarter, negated}) {
        const Matrix3 m = MatrixFromQuat(Slerp(a, b, 0.5f));
        for (int r = 0; r < 3; ++r) ExpectNear(m.GetRow(r), eighth.GetRow(r));
    }
}

TEST(Time, TicksPerFrameIsAtLeastOne) {
    for (const auto& [set, got] : {std::pair{160, 160}, {1, 1}, {0, 1}, {-80, 1}}) {
        SetTicksPerFrame(set);
        EXPECT_EQ(GetTicksPerFrame(), got) << set;
    }
    SetTicksPerFrame(160);
}
