// A run scene (300 m of road on a flat ground, an obstacle, cars parked off the road) and a host
// that records what the run showed and answers its questions (No as often as asked, then Yes).
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <new>
#include <vector>

#include "common/random_access.h"
#include "common/tracing.h"
#include "host/run_ui.h"
#include "host/testing.h"
#include "tests/road/road_support.h"
#include "tests/vehicle/ground_meshes.h"
#include "traffic/obstacle.h"
#include "utility/marlovan_util.h"
#include "utility/scene_collect.h"
#include "vehicle/vehicle_object.h"

class RunTest : public ::testing::Test {
public:
    MarlovanUtil panel;
    std::vector<HostUiEvent> shown;
    std::array<int, HostUiEvent::MessageBox + 1> counts{};  // also of events that could not be kept
    std::function<void(int)> onProgress;                    // given each percent shown
    int noAnswers = 0;                                      // "Stop Tracing?" answered No this often first

    void SetUp() override {
        GetCOREInterface()->ResetScene();
        SharedRandom().srand(7);
#ifndef _WIN32  // the host stand-in's own Win32 bookkeeping
        HostResetWin32();
        HostResetThreadsAndEvents();
#endif
        shown.reserve(4096);
        HostSetUiObserver([this](const HostUiEvent& e) {
            ++counts[e.kind];
            try {
                if (shown.size() < shown.capacity()) shown.push_back(e);
            } catch (const std::bad_alloc&) {
            }
            if (e.kind == HostUiEvent::ProgressUpdate && onProgress) onProgress(e.value);
        });
        HostSetMessageResponder([this](const HostUiEvent&) { return noAnswers-- > 0 ? IDNO : IDYES; });
        panel.ip = GetCOREInterface();
        panel.motionWindow = HostCreateWindow(nullptr, L"Motion", 0, nullptr);
    }
    void TearDown() override {
#ifndef _WIN32
        EXPECT_TRUE(HostWaitForThreads());
        HostSetProcessorCount(std::nullopt);
        HostResetThreadsAndEvents();
#endif
        HostSetUiObserver(nullptr);
        HostSetMessageResponder(nullptr);
        GetCOREInterface()->ResetScene();
    }

    // At `at`, turned `angle` radians about Z.
    static INode* Add(Object* obj, Point3 at = {}, float angle = 0) {
        INode* node = GetCOREInterface()->CreateObjectNode(obj);
        node->SetNodeTM(0, RotateZMatrix(angle) * TransMatrix(at));
        return node;
    }
    // Wheels set, parameters not yet read: the run must refresh them to place the car.
    static VehicleObject* AddCar(Point3 at = {0, 5000, 0}) {
        auto* v = static_cast<VehicleObject*>(static_cast<Object*>(GetVehicleDesc()->Create(FALSE)));
        v->SetWheelCount(2);
        v->SetWheelTables({80, 120, 30}, {20, 30, 0}, 0), v->SetWheelTables({80, -120, 30}, {20, 30, 0}, 1);
        Add(v, at);
        return v;
    }
    // A flat square of ground from `at`, picked as the surface.
    void AddGround(float side, Point3 at) {
        auto* ground = new TriObject;
        ground->GetMesh() = FlatGrid(1, side);
        panel.surfaceHandle = Add(ground, at)->GetHandle();
    }
    void Scene(int cars) {
        AddRoad(MakeShape({{0, 0, 0}, {30000, 0, 0}}));
        AddGround(32000, {-1000, -16000, 0});
        Add(new ObstacleObject, {25000, 2000, 0});
        for (int i = 0; i < cars; ++i) AddCar();
    }
    void Trace(int startTicks, int endTicks) {
        shown.clear(), counts = {};
        panel.startTime = startTicks, panel.endTime = endTicks;
        panel.PressTrace();
    }
    std::vector<int> Values(HostUiEvent::Kind kind) const {
        std::vector<int> v;
        for (const HostUiEvent& e : shown)
            if (e.kind == kind) v.push_back(e.value);
        return v;
    }
    static std::vector<VehicleState*> Vehicles() { return CollectVehicles(GetCOREInterface()->GetRootNode()); }
};
