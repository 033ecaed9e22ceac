#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
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

TEST(Matrix3, RowVectorConventionAndProductOrder) {
    const Matrix3 m({1, 2, 3}, {4, 5, 6}, {7, 8, 10}, {1, 1, 1});
    const Point3 p(1, 1, 2);
    // p.x*row0 + p.y*row1 + p.z*row2 + row3
    EXPECT_EQ(p * m, Point3(20, 24, 30));
    EXPECT_EQ(m * p, p * m);
    // A*B applies A first.
    const Matrix3 a = TransMatrix({5, 0, 0});
    const Matrix3 b = RotateZMatrix(std::numbers::pi_v<float> / 2);
    ExpectNear(Point3(0, 0, 0) * (a * b), Point3(0, 5, 0));
    ExpectNear(Point3(0, 0, 0) * (b * a), Point3(5, 0, 0));
}

TEST(Matrix3, InvertIsAGeneralAffineInverse) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> u(-3.0f, 3.0f);
    for (int n = 0; n < 200; ++n) {
        const Matrix3 m({u(rng), u(rng), u(rng)}, {u(rng), u(rng), u(rng)}, {u(rng), u(rng), u(rng)},
                        {u(rng), u(rng), u(rng)});
        const Point3 r0 = m.GetRow(0), r1 = m.GetRow(1), r2 = m.GetRow(2);
        if (std::fabs(DotProd(CrossProd(r0, r1), r2)) < 0.5f) continue;
        const Point3 p(u(rng), u(rng), u(rng));
        ExpectNear((p * m) * Inverse(m), p, 2e-3f);
        ExpectNear(p * (Inverse(m) * m), p, 2e-3f);
    }
}

TEST(Matrix3, SingularInverseIsAllNaN) {
    Matrix3 m({1, 0, 0}, {2, 0, 0}, {0, 0, 1}, {3, 4, 5});
    m.Invert();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_TRUE(std::isnan(m[r][c]));
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
