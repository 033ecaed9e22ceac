#include <utility>

#include "rect_helper_fixture.h"

namespace {

using ObjectTest = RectHelperClassTest;

Box3 LocalBox(RectHelperObject* obj) {
    Box3 box;
    obj->GetLocalBoundBox(0, nullptr, nullptr, box);
    return box;
}

TEST_P(ObjectTest, ValidityIsTheInstantAndRefreshesTheCache) {
    RectHelperObject* obj = Make(GetParam());
    EXPECT_EQ(LocalBox(obj).pmax, Point3(0, 0, 0)) << "the cache starts at zero";
    for (TimeValue t : {0, 160, -4800, TIME_PosInfinity}) EXPECT_EQ(obj->ObjectValidity(t), Interval(t, t)) << t;
    EXPECT_EQ(LocalBox(obj).pmax, Point3(100, 100, 0));
    obj->GetParamBlock(0)->SetValue(0, 0, 3.0f);
    obj->GetParamBlock(0)->SetValue(1, 0, 7.0f);
    obj->ObjectValidity(999);
    EXPECT_EQ(LocalBox(obj).pmax, Point3(3, 7, 0));
    obj->DeleteThis();
}

TEST_P(ObjectTest, GetSizeGivesLengthThenWidthFromTheBlock) {
    RectHelperObject* obj = Make(GetParam());
    obj->GetParamBlock(0)->SetValue(0, 0, 3.0f);
    obj->GetParamBlock(0)->SetValue(1, 0, 7.0f);
    float length = 0, width = 0;
    obj->GetSize(length, width);
    EXPECT_EQ(length, 7.0f);
    EXPECT_EQ(width, 3.0f);
    obj->DeleteThis();
}

TEST_P(ObjectTest, CloneOwnsACopyOfTheBlockAndStartsWithAnEmptyCache) {
    RectHelperObject* original = Make(GetParam());
    original->GetParamBlock(0)->SetValue(0, 0, 12.0f);
    original->ObjectValidity(0);
    RemapDir remap;
    auto* clone = static_cast<RectHelperObject*>(remap.CloneRef(original));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->ClassID(), GetParam().id);
    IParamBlock2* copy = clone->GetParamBlock(0);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, original->GetParamBlock(0));
    EXPECT_EQ(copy->NumDependents(), 1);
    EXPECT_EQ(copy->GetFloat(0), 12.0f);
    EXPECT_EQ(LocalBox(clone).pmax, Point3(0, 0, 0)) << "until its first validity request";
    copy->SetValue(0, 0, 1.0f);
    EXPECT_EQ(original->GetParamBlock(0)->GetFloat(0), 12.0f);
    clone->ObjectValidity(0);
    EXPECT_EQ(LocalBox(clone).pmax, Point3(1, 100, 0));
    EXPECT_EQ(LocalBox(original).pmax, Point3(12, 100, 0));
    clone->DeleteThis();
    EXPECT_EQ(original->GetParamBlock(0)->GetFloat(0), 12.0f);
    original->DeleteThis();
}

// Without a block nothing crashes: queries answer null, the sizes keep the cache.
TEST_P(ObjectTest, MissingBlockKeepsTheCacheAndAnswersNull) {
    RectHelperObject* obj = Make(GetParam());
    INode* node = Place(obj, TransMatrix({10, 0, 0}), 4, 2);
    obj->DeleteReference(0);
    EXPECT_EQ(obj->GetParamBlock(0), nullptr);
    EXPECT_EQ(obj->GetParamBlockByID(0), nullptr);
    EXPECT_EQ(obj->ObjectValidity(5), Interval(5, 5));
    float length = 0, width = 0;
    obj->GetSize(length, width);
    EXPECT_EQ(length, 2.0f);
    EXPECT_EQ(width, 4.0f);
    EXPECT_EQ(obj->Display(0, node, &view, 0), 0);
    EXPECT_EQ(view.getGW()->Records().size() > 0, true);
    IPoint2 p{320 + 14, 240};
    EXPECT_EQ(obj->HitTest(0, node, HITTYPE_POINT, 0, 0, &p, &view), 1);
    EXPECT_EQ(LocalBox(obj).pmax, Point3(4, 2, 0));

    Matrix3 mat;
    CreateMouseCallBack* cb = obj->GetCreateMouseCallBack();
    EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 0, 0, {320, 240}, mat), CREATE_CONTINUE);
    EXPECT_EQ(cb->proc(&view, MOUSE_POINT, 1, 0, {330, 230}, mat), CREATE_STOP);

    auto* ip = static_cast<IObjParam*>(GetCOREInterface());
    obj->BeginEditParams(ip, 0, nullptr);
    ASSERT_EQ(OpenRollups().size(), 1u);
    EXPECT_EQ(OpenRollups()[0].block, nullptr);
    obj->EndEditParams(ip, 0, nullptr);

    RemapDir remap;
    auto* clone = static_cast<RectHelperObject*>(obj->Clone(remap));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetParamBlock(0), nullptr);
    clone->DeleteThis();
}

TEST_P(ObjectTest, ReferenceSlotStoresWhatTheHostSets) {
    RectHelperObject* obj = Make(GetParam());
    IParamBlock2* block = obj->GetParamBlock(0);
    obj->SetReference(3, nullptr);
    EXPECT_EQ(obj->GetReference(0), nullptr);
    obj->SetReference(0, block);
    EXPECT_EQ(obj->GetParamBlock(2), block);
    obj->DeleteThis();
}

INSTANTIATE_TEST_SUITE_P(Helpers, ObjectTest, ::testing::ValuesIn(kHelperClasses), HelperCaseName);

class SpeedTest : public RectHelperTest {
protected:
    void SetUp() override {
        RectHelperTest::SetUp();
        obj = Make<SpeedLimiterObject>(kHelperClasses[0]);
    }
    void TearDown() override {
        obj->DeleteThis();
        RectHelperTest::TearDown();
    }
    SpeedLimiterObject* obj = nullptr;
};

TEST_F(SpeedTest, KilometresPerHourBecomeSceneUnitsPerSecond) {
    SetSceneUnitMetres(1.0);
    ASSERT_DOUBLE_EQ(GetMasterScale(UNITS_KILOMETERS), 0.001);
    EXPECT_NEAR(obj->GetSpeed(0), 8.3333f, 1e-4f);
    EXPECT_EQ(obj->GetSpeed(0), static_cast<float>(30.0 / (0.001 * 3600.0)));
    SetSceneUnitMetres(0.01);
    EXPECT_NEAR(obj->GetSpeed(0), 833.333f, 1e-3f);
}

TEST_F(SpeedTest, SpeedIsReadAtTheAskedTime) {
    SetSceneUnitMetres(1.0);
    IParamBlock2* pb = obj->GetParamBlock(0);
    ASSERT_TRUE(pb->SetKey(2, 0, 36.0));
    ASSERT_TRUE(pb->SetKey(2, 4800, 72.0));
    EXPECT_FLOAT_EQ(obj->GetSpeed(0), 10.0f);
    EXPECT_FLOAT_EQ(obj->GetSpeed(2400), 15.0f);
    EXPECT_FLOAT_EQ(obj->GetSpeed(4800), 20.0f);
    float length = 0, width = 0;
    obj->GetSize(length, width);
    EXPECT_EQ(length, 100.0f) << "the sizes do not depend on the speed";
}

TEST_F(SpeedTest, NoBlockNoSpeed) {
    obj->DeleteReference(0);
    EXPECT_EQ(obj->GetSpeed(0), 0.0f);
}

}  // namespace
