#include <cmath>
#include <numbers>

#include "rect_helper_fixture.h"

namespace {

using BoundsTest = RectHelperClassTest;

constexpr float kHalfDiagonal = 14.142136f;  // 10 * sqrt(2)

void ExpectBox(const Box3& box, Point3 lo, Point3 hi, float tol = 0.0f) {
    EXPECT_NEAR(box.pmin.x, lo.x, tol);
    EXPECT_NEAR(box.pmin.y, lo.y, tol);
    EXPECT_NEAR(box.pmin.z, lo.z, tol);
    EXPECT_NEAR(box.pmax.x, hi.x, tol);
    EXPECT_NEAR(box.pmax.y, hi.y, tol);
    EXPECT_NEAR(box.pmax.z, hi.z, tol);
}

TEST_P(BoundsTest, RotatedNodeWidensTheWorldBoxOnly) {
    RectHelperObject* obj = Make(GetParam());
    Matrix3 tm = RotateZMatrix(std::numbers::pi_v<float> / 4);
    tm.Translate({100, -200, 5});
    INode* node = Place(obj, tm, 10, 10);
    Box3 world, local, deform;
    obj->GetWorldBoundBox(0, node, &view, world);
    ExpectBox(world, {100 - kHalfDiagonal, -200 - kHalfDiagonal, 5}, {100 + kHalfDiagonal, -200 + kHalfDiagonal, 5},
              1e-4f);
    obj->GetLocalBoundBox(0, node, &view, local);
    ExpectBox(local, {-10, -10, 0}, {10, 10, 0});
    Matrix3 other = ScaleMatrix({3, 3, 3});
    obj->GetDeformBBox(0, deform, &other, true);
    ExpectBox(deform, {-10, -10, 0}, {10, 10, 0});
}

TEST_P(BoundsTest, BoxesFollowTheCacheNotTheBlock) {
    RectHelperObject* obj = Make(GetParam());
    INode* node = GetCOREInterface()->CreateObjectNode(obj);
    node->SetNodeTM(0, TransMatrix({7, 8, 9}));
    Box3 box;
    obj->GetWorldBoundBox(0, node, &view, box);
    {
        SCOPED_TRACE("cache empty before the first validity request");
        ExpectBox(box, {7, 8, 9}, {7, 8, 9});
    }
    obj->GetParamBlock(0)->SetValue(1, 0, 2.5f);
    obj->ObjectValidity(0);
    obj->GetWorldBoundBox(0, node, &view, box);
    ExpectBox(box, {-93, 5.5f, 9}, {107, 10.5f, 9});
    obj->GetLocalBoundBox(0, nullptr, nullptr, box);
    ExpectBox(box, {-100, -2.5f, 0}, {100, 2.5f, 0});
    obj->GetWorldBoundBox(0, nullptr, nullptr, box);
    SCOPED_TRACE("no node: object space");
    ExpectBox(box, {-100, -2.5f, 0}, {100, 2.5f, 0});
}

INSTANTIATE_TEST_SUITE_P(Helpers, BoundsTest, ::testing::ValuesIn(kHelperClasses), HelperCaseName);

// Every class draws inside its rectangle, and the diagonals and letters add nothing to it.
TEST_F(RectHelperTest, DrawingStaysInsideTheBoxesAndTheBoxesAgree) {
    Matrix3 tm = RotateZMatrix(0.3f);
    tm.Translate({-4, 6, 1});
    Box3 first;
    for (const HelperClassCase& c : kHelperClasses) {
        RectHelperObject* obj = Make(c);
        INode* node = Place(obj, tm, 100, 10);
        Box3 world, local;
        obj->GetWorldBoundBox(0, node, &view, world);
        obj->GetLocalBoundBox(0, node, &view, local);
        ExpectBox(local, {-100, -10, 0}, {100, 10, 0});
        if (&c == &kHelperClasses[0]) first = world;
        ExpectBox(world, first.pmin, first.pmax);
        view.getGW()->ClearRecords();
        obj->Display(0, node, &view, 0);
        for (const DrawRecord& r : view.getGW()->Records())
            for (const Point3& p : r.points) {
                const Point3 q = p * Inverse(tm);
                EXPECT_LE(std::fabs(q.x), 100.001f) << c.name;
                EXPECT_LE(std::fabs(q.y), 10.001f) << c.name;
            }
    }
}

}  // namespace
