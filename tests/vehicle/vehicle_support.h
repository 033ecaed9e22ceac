// The vehicle suites share a clean scene, units of 1 cm, no run, and known wheel layouts.
#pragma once

#include <gtest/gtest.h>

#include "common/tracing.h"
#include "host/interface.h"
#include "host/rollups.h"
#include "vehicle/vehicle_object.h"

class VehicleTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    // A vehicle object owned by nobody yet: place it in the scene or call DeleteThis.
    static VehicleObject* MakeVehicle() {
        return static_cast<VehicleObject*>(static_cast<Object*>(GetVehicleDesc()->Create(FALSE)));
    }
    // Three axles: front at y 120, then -20 and -80; right wheels at x 70; radii and heights 30, 32, 34.
    static void SetWheels(VehicleObject* v, int axles = 3) {
        v->SetWheelCount(axles);
        const float y[] = {120.0f, -20.0f, -80.0f};
        for (int a = 0; a < 3; ++a) v->SetWheelTables({70.0f, y[a], 30.0f + 2.0f * a}, {20.0f, 30.0f + 2.0f * a, 0.0f}, a);
        v->UpdateFromParams();
    }
    static INode* PlaceVehicle(VehicleObject* v, const Matrix3& tm) {
        INode* node = GetCOREInterface()->CreateObjectNode(v);
        node->SetNodeTM(0, tm);
        return node;
    }

private:
    static void Reset() {
        GetCOREInterface()->ResetScene();
        OpenRollups().clear();
        SetSceneUnitMetres(0.01);
        SetTracing(0);
    }
};

// The block's default vehicle (460 by 180 by 145) on two axles, in the scene at the origin.
class OneVehicleTest : public VehicleTest {
protected:
    void SetUp() override {
        VehicleTest::SetUp();
        vehicleNode = PlaceVehicle(vehicle, Matrix3());
        SetWheels(vehicle, 2);
    }
    VehicleObject* vehicle = MakeVehicle();
    VehicleState& s = vehicle->State();
    INode* vehicleNode = nullptr;
};

// The state's present motion, appended to its record.
inline void AppendSnapshot(VehicleState& s) {
    VehicleSnapshot snap;
    s.record.Append(s.TakeSnapshot(snap));
}
inline void ExpectMatrixNear(const Matrix3& a, const Matrix3& b, float tol = 1e-4f) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(a[r][c], b[r][c], tol) << "row " << r << " column " << c;
}
