// Traffic through a traffic light: what the user sees when the signal changes.
#include <cmath>

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
    HostSetProcessorCount(8);
    Trace(0, kFrames * 160);
    int waited = 0;
    for (VehicleState* v : Vehicles()) {
        Matrix3 tm;
        ASSERT_TRUE(v->GetPartTM(tm, 0, 160));
        const bool towards = tm.GetRow(1).x > 0.9f && tm.GetTrans().x < kLightX - kHalfLength;
        float redMax = -1e30f, last = 0.0f;
        for (int f = 1; f < kFrames; ++f) {
            ASSERT_TRUE(v->GetPartTM(tm, 0, f * 160));
            last = tm.GetTrans().x;
            if (f < kRedFrames) redMax = std::max(redMax, last);
        }
        if (!towards) continue;
        EXPECT_LT(redMax, kLightX + kHalfLength);
        const bool atTheLight = redMax > kLightX - 3000.0f;
        waited += atTheLight;
        EXPECT_TRUE(!atTheLight || last > kLightX + kHalfLength) << redMax << " " << last;
    }
    EXPECT_GT(waited, 0);
}

}  // namespace
