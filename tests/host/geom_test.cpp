#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>

#include "host/controller.h"
#include "host/geom.h"
#include "host/time.h"

namespace {

const float kPi = std::numbers::pi_v<float>;

const Matrix3 sheared({1, 2, 0}, {0, 1, 3}, {4, 0, 1}, {10, 20, 30});

Matrix3 With(Matrix3 m, void (*edit)(Matrix3&)) { return edit(m), m; }

// Row vectors: p maps to p.x*row0 + p.y*row1 + p.z*row2 + row3, and A*B applies A first.
TEST(Matrix3, RowVectorsRotationsAndProductOrder) {
    const Matrix3 shift = TransMatrix({1, 0, 0}), quarter = RotateZMatrix(kPi / 2);
    const Matrix3 stale = With(TransMatrix({1, 2, 3}), [](Matrix3& m) { m.SetFlags(MAT_IDENT); });
    const float h = std::numbers::sqrt2_v<float> / 2.0f;
    const struct { const char* name; Matrix3 m; Point3 in, out; } rows[] = {
        {"rows", sheared, {1, 2, 3}, {23, 24, 39}},
        {"RotateZ(-pi/2): rows -y and x", RotateZMatrix(-kPi / 2), {1, 2, 0}, {2, -1, 0}},
        {"RotateX(pi/2): y to z", RotateXMatrix(kPi / 2), {0, 1, 0}, {0, 0, 1}},
        {"RotateY(pi/2): z to x", RotateYMatrix(kPi / 2), {0, 0, 1}, {1, 0, 0}},
        {"shift, then turn", shift * quarter, {0, 0, 0}, {0, 1, 0}},
        {"turn, then shift", quarter * shift, {0, 0, 0}, {1, 0, 0}},
        {"RotateZ comes after", With(shift, [](Matrix3& m) { m.RotateZ(kPi / 2); }), {1, 0, 0}, {0, 2, 0}},
        {"a stale identity flag skips nothing", stale * stale, {1, 0, 0}, {3, 4, 6}},
        {"slerp: short way to -q", MatrixFromQuat(Slerp({0, 0, 0, 1}, {0, 0, -h, -h}, 0.5f)), {1, 0, 1}, {h, h, 1}},
    };
    for (const auto& row : rows) EXPECT_LT((row.in * row.m - row.out).Length(), 1e-5f) << row.name;
    EXPECT_TRUE(Normalize(Point3()) == Point3() && Normalize(Point3(3, 0, -4)) == Point3(0.6f, 0, -0.8f));
}

// The inverse is a general affine one; a singular matrix inverts to NaN, which no box holds.
TEST(Matrix3, InverseSingularMatricesAndBoxes) {
    const Matrix3 m = TransMatrix({1, 2, 3}) * ScaleMatrix({2, 4, 8});
    EXPECT_EQ(Inverse(m), Matrix3({0.5f, 0, 0}, {0, 0.25f, 0}, {0, 0, 0.125f}, {-1, -2, -3}));
    EXPECT_LT((Point3(1, 2, 3) * Inverse(sheared) * sheared - Point3(1, 2, 3)).Length(), 1e-4f);
    const Matrix3 singular = Inverse(Matrix3({1, 2, 3}, {2, 4, 6}, {0, 0, 1}, {5, 5, 5}));
    for (int i = 0; i < 12; ++i) EXPECT_TRUE(std::isnan(singular[i / 3][i % 3])) << i;
    const Box3 everything({-1e30f, -1e30f, -1e30f}, {1e30f, 1e30f, 1e30f});
    EXPECT_FALSE(everything.Contains(Point3(0, 0, 0) * singular) || everything.Intersects(everything * singular));
    // Empty is finite and per axis; Contains and Intersects include the boundary; corner bits.
    Box3 b;
    EXPECT_TRUE(b.IsEmpty() && !b.Contains({0, 0, 0}) && !b.Intersects(b) && b.pmin == Point3(1e30f, 1e30f, 1e30f));
    EXPECT_EQ(b.pmax, Point3(-1e30f, -1e30f, -1e30f));
    (b += Point3(2, 4, 0)) += Point3(0, 0, 6);
    b += Box3();
    EXPECT_TRUE(b.pmin == Point3(0, 0, 0) && b.pmax == Point3(2, 4, 6));
    EXPECT_TRUE(Box3({0, 0, 1}, {1, 1, 0}).IsEmpty() && !Box3({0, 0, 1}, {1, 1, 1}).IsEmpty());
    EXPECT_TRUE(b[1] == Point3(2, 0, 0) && b[2] == Point3(0, 4, 0) && b[4] == Point3(0, 0, 6) && b[6] == Point3(0, 4, 6));
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(b.Contains(b[i]) && b.Intersects(Box3(b[i], b[i] + Point3(1, 1, 1)))) << i;
    EXPECT_FALSE(b.Contains({2, 4, 6.001f}) || b.Intersects(Box3({-1, -1, -1}, {-0.001f, 9, 9})));
}

}  // namespace

TEST(Time, TicksPerFrameIsAtLeastOne) {
    for (const auto& [set, got] : {std::pair{160, 160}, {1, 1}, {0, 1}, {-80, 1}})
        EXPECT_EQ((SetTicksPerFrame(set), GetTicksPerFrame()), got) << set;
    SetTicksPerFrame(160);
}
