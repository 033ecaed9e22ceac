// Traffic through a traffic light: what the user sees when the signal changes.
#include "tests/utility/run_support.h"
#include "traffic/traffic_light.h"

namespace {

// Cars heading along the light stop before it while it is red and pass it once it is green;
// cars the other way are not held.
TEST_F(RunTest, CarsWaitAtARedLightAndGoOnGreen) {
    constexpr float kLightX = 15000.0f, kHalfLength = 100.0f;
    constexpr int kRedFrames = 240, kFrames = 480;
    Scene(0);
    auto* light = static_cast<TrafficLightObject*>(static_cast<Object*>(GetTrafficLightDesc()->Create(FALSE)));
    IParamBlock2* block = light->GetParamBlock(0);
    block->SetValue(0, 0, 1000.0f);
    block->SetValue(1, 0, kHalfLength);
    block->SetValue(kPeriodParam, 0, 2 * kRedFrames * 160);
    for (int i = 0; i < 24; ++i) block->SetValue(kDiagramParam, 0, i < 12 ? 0 : 1, i);
    // Its +Y, the direction it holds, along the road's +X.
    Add(light)->SetNodeTM(0, RotateZMatrix(-1.5707963f) * TransMatrix({kLightX, 0, 0}));
    for (int i = 0; i < 8; ++i) AddCar();
#ifndef _WIN32  // Windows gives its own processor count
    HostSetProcessorCount(8);
#endif
    Trace(0, kFrames * 160);
    int waited = 0;
    for (VehicleState* v : Vehicles()) {
        Matrix3 tm;
        ASSERT_TRUE(v->GetPartTM(tm, 0, 160));
        const bool towards = tm.GetRow(1).x > 0.9f && tm.GetTrans().x < kLightX - kHalfLength;
        if (!towards) continue;
        // Cars only move forward: where one stands at the last red frame is as far as it got.
        ASSERT_TRUE(v->GetPartTM(tm, 0, (kRedFrames - 1) * 160));
        const float redEnd = tm.GetTrans().x;
        ASSERT_TRUE(v->GetPartTM(tm, 0, (kFrames - 1) * 160));
        const float last = tm.GetTrans().x;
        EXPECT_LT(redEnd, kLightX + kHalfLength);
        const bool atTheLight = redEnd > kLightX - 3000.0f;
        waited += atTheLight;
        EXPECT_TRUE(!atTheLight || last > kLightX + kHalfLength) << redEnd << " " << last;
    }
    EXPECT_GT(waited, 0);
}

}  // namespace
