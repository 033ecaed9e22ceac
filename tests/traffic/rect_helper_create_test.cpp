#include "rect_helper_fixture.h"

namespace {

// Feeds mouse messages to an object's creation callback as the host does, keeping the node
// transform the callback hands back.
class CreateTest : public RectHelperClassTest {
protected:
    void SetUp() override {
        RectHelperClassTest::SetUp();
        obj = Make(GetParam());
        callback = obj->GetCreateMouseCallBack();
        mat = ScaleMatrix({3, 3, 3});
    }
    void TearDown() override {
        if (obj != nullptr) obj->DeleteThis();
        RectHelperClassTest::TearDown();
    }

    IPoint2 Pixel(float x, float y) const {
        const Point3 s = view.GetScreenMapping().ToScreen({x, y, 0});
        return {static_cast<int>(s.x), static_cast<int>(s.y)};
    }
    int Send(int msg, int point, IPoint2 m) { return callback->proc(&view, msg, point, 0, m, mat); }
    float Width() const { return obj->GetParamBlock(0)->GetFloat(0); }
    float Length() const { return obj->GetParamBlock(0)->GetFloat(1); }
    int Refreshes() const { return BlockDesc(GetParam())->UIRefreshCount(); }

    RectHelperObject* obj = nullptr;
    CreateMouseCallBack* callback = nullptr;
    Matrix3 mat;
};

TEST_P(CreateTest, DragFromTheCentreSetsHalfSizesAndKeepsTheNodeThere) {
    EXPECT_EQ(Send(MOUSE_FREEMOVE, 0, Pixel(0, 0)), CREATE_CONTINUE);
    ASSERT_TRUE(view.LastSnapPreview().has_value());
    EXPECT_EQ(*view.LastSnapPreview(), Point3(0, 0, 0));

    EXPECT_EQ(Send(MOUSE_POINT, 0, Pixel(0, 0)), CREATE_CONTINUE);
    EXPECT_EQ(mat, TransMatrix({0, 0, 0}));
    const int refreshes = Refreshes();
    EXPECT_EQ(Send(MOUSE_MOVE, 1, Pixel(-10, 5)), CREATE_CONTINUE);
    EXPECT_EQ(Width(), 10.0f);
    EXPECT_EQ(Length(), 5.0f);
    EXPECT_EQ(Refreshes(), refreshes + 1) << "the roll-up follows the drag";
    EXPECT_EQ(Send(MOUSE_POINT, 1, Pixel(-30, 20)), CREATE_STOP);
    EXPECT_EQ(Width(), 30.0f);
    EXPECT_EQ(Length(), 20.0f);
    EXPECT_EQ(mat, TransMatrix({0, 0, 0}));

    INode* node = GetCOREInterface()->CreateObjectNode(obj);
    node->SetNodeTM(0, mat);
    RectHelperObject* made = std::exchange(obj, nullptr);
    EXPECT_EQ(node->GetObjectTM(0).GetTrans(), Point3(0, 0, 0));
    made->ObjectValidity(0);
    Box3 box;
    made->GetWorldBoundBox(0, node, &view, box);
    EXPECT_EQ(box.pmin, Point3(-30, -20, 0));
    EXPECT_EQ(box.pmax, Point3(30, 20, 0));
}

TEST_P(CreateTest, EveryQuadrantGivesTheSamePositiveSizesAroundTheFirstClick) {
    view.SetGridStep(10.0f);
    for (const auto& [sx, sy] : {std::pair{1, 1}, {-1, 1}, {-1, -1}, {1, -1}}) {
        callback = obj->GetCreateMouseCallBack();
        ASSERT_EQ(Send(MOUSE_POINT, 0, Pixel(52, -38)), CREATE_CONTINUE);
        EXPECT_EQ(mat.GetTrans(), Point3(50, -40, 0)) << "snapped to the grid";
        ASSERT_EQ(Send(MOUSE_POINT, 1, Pixel(50 + sx * 41, -40 + sy * 19)), CREATE_STOP);
        EXPECT_EQ(Width(), 40.0f) << sx << sy;
        EXPECT_EQ(Length(), 20.0f) << sx << sy;
        EXPECT_EQ(mat.GetTrans(), Point3(50, -40, 0));
    }
}

TEST_P(CreateTest, AbortMessageAbortsAtEveryStage) {
    EXPECT_EQ(Send(MOUSE_ABORT, 0, Pixel(0, 0)), CREATE_ABORT);
    Send(MOUSE_POINT, 0, Pixel(0, 0));
    EXPECT_EQ(Send(MOUSE_ABORT, 1, Pixel(0, 0)), CREATE_ABORT);
    Send(MOUSE_MOVE, 1, Pixel(8, 9));
    EXPECT_EQ(Send(MOUSE_ABORT, 1, Pixel(8, 9)), CREATE_ABORT);
}

TEST_P(CreateTest, SecondClickWithoutExtentOnEitherAxisAborts) {
    for (const auto& [dx, dy] : {std::pair{0, 12}, {12, 0}, {0, 0}}) {
        Send(MOUSE_POINT, 0, Pixel(5, 5));
        EXPECT_EQ(Send(MOUSE_MOVE, 1, Pixel(5.0f + dx, 5.0f + dy)), CREATE_CONTINUE) << "moves never end it";
        EXPECT_EQ(Send(MOUSE_POINT, 1, Pixel(5.0f + dx, 5.0f + dy)), CREATE_ABORT) << dx << "," << dy;
    }
}

TEST_P(CreateTest, OtherMessagesAndLaterPointsContinueAndChangeNothing) {
    Send(MOUSE_POINT, 0, Pixel(0, 0));
    Send(MOUSE_POINT, 1, Pixel(3, 4));
    for (int msg : {3, 4, 5, 7, 100}) EXPECT_EQ(Send(msg, 1, Pixel(50, 50)), CREATE_CONTINUE) << msg;
    EXPECT_EQ(Send(MOUSE_POINT, 2, Pixel(50, 50)), CREATE_CONTINUE);
    EXPECT_EQ(Send(MOUSE_MOVE, 3, Pixel(50, 50)), CREATE_CONTINUE);
    EXPECT_EQ(Width(), 3.0f);
    EXPECT_EQ(Length(), 4.0f);
}

TEST_P(CreateTest, OneSharedCallbackWritesToTheObjectLastAskedForIt) {
    RectHelperObject* second = Make(GetParam());
    EXPECT_EQ(second->GetCreateMouseCallBack(), callback);
    Send(MOUSE_POINT, 0, Pixel(0, 0));
    Send(MOUSE_POINT, 1, Pixel(6, 7));
    EXPECT_EQ(second->GetParamBlock(0)->GetFloat(0), 6.0f);
    EXPECT_EQ(Width(), 100.0f);
    second->DeleteThis();
}

TEST_P(CreateTest, DeletedObjectIsNotWrittenByLateMessages) {
    std::exchange(obj, nullptr)->DeleteThis();
    EXPECT_EQ(Send(MOUSE_POINT, 0, Pixel(0, 0)), CREATE_CONTINUE);
    EXPECT_EQ(Send(MOUSE_POINT, 1, Pixel(6, 7)), CREATE_STOP);
}

TEST_P(CreateTest, WithoutAViewportNothingCanBePlaced) {
    EXPECT_EQ(callback->proc(nullptr, MOUSE_POINT, 0, 0, {1, 1}, mat), CREATE_ABORT);
}

INSTANTIATE_TEST_SUITE_P(Helpers, CreateTest, ::testing::ValuesIn(kHelperClasses), HelperCaseName);

}  // namespace
