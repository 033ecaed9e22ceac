// A small run scene (a straight road on a flat ground, cars, an obstacle) and a host that records
// what the run showed and answers its questions.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <new>
#include <vector>

#include "common/random_access.h"
#include "common/tracing.h"
#include "host/run_ui.h"
#include "host/testing.h"
#include "host/tri_object.h"
#include "road/road_mod.h"
#include "host/spline_shape.h"
#include "traffic/obstacle.h"
#include "utility/marlovan_util.h"
#include "vehicle/vehicle_object.h"

class RunTest : public ::testing::Test {
protected:
    MarlovanUtil panel;
    std::vector<HostUiEvent> shown;
    int counts[HostUiEvent::MessageBox + 1] = {};  // of every event, also those not kept
    // Called at each progress update with the percent; may set the cancel state.
    std::function<void(int)> onProgress;
    std::vector<int> answers;  // to the questions, in order; Yes once they run out

    void SetUp() override {
        GetCOREInterface()->ResetScene();
        SetTracing(0);
        SharedRandom().srand(7);
        HostResetWin32();
        HostResetThreadsAndEvents();
        HostSetProcessorCount(std::nullopt);
        SetTicksPerFrame(160);
        shown.reserve(4096);
        HostSetUiObserver([this](const HostUiEvent& e) {
            ++counts[e.kind];
            try {
                if (shown.size() < shown.capacity()) shown.push_back(e);
            } catch (const std::bad_alloc&) {
            }
            if (e.kind == HostUiEvent::ProgressUpdate && onProgress) onProgress(e.value);
        });
        HostSetMessageResponder([this](const HostUiEvent&) {
            if (answers.empty()) return IDYES;
            const int a = answers.front();
            answers.erase(answers.begin());
            return a;
        });
        panel.ip = GetCOREInterface();
        panel.motionWindow = HostCreateWindow(nullptr, L"Motion", 0, nullptr);
    }
    void TearDown() override {
        EXPECT_TRUE(HostWaitForThreads());
        HostSetUiObserver(nullptr);
        HostSetMessageResponder(nullptr);
        HostResetThreadsAndEvents();
        HostSetProcessorCount(std::nullopt);
        GetCOREInterface()->ResetScene();
    }

    static INode* Add(Object* obj, Point3 at = {}) {
        INode* node = GetCOREInterface()->CreateObjectNode(obj);
        node->SetNodeTM(0, TransMatrix(at));
        return node;
    }
    // 300 m of road along +X with its flat ground; the ground is the picked surface.
    void AddRoadAndGround() {
        auto* shape = new SplineShape;
        shape->shape.steps = 0;
        Spline3D* s = shape->shape.NewSpline();
        for (const Point3 p : {Point3(0, 0, 0), Point3(30000, 0, 0)}) s->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_LINE, p, p, p));
        Add(shape)->AddWSModifier(new RoadMod);
        auto* ground = new TriObject;
        Mesh& m = ground->GetMesh();
        for (const Point3 p : {Point3(-1000, -3000, 0), Point3(31000, -3000, 0), Point3(31000, 3000, 0), Point3(-1000, 3000, 0)})
            m.verts.push_back(p);
        m.faces.resize(2);
        m.faces[0].setVerts(0, 1, 2);
        m.faces[1].setVerts(0, 2, 3);
        panel.surfaceHandle = Add(ground)->GetHandle();
    }
    static VehicleObject* AddCar(Point3 at = {}) {
        auto* v = static_cast<VehicleObject*>(static_cast<Object*>(GetVehicleDesc()->Create(FALSE)));
        v->SetWheelCount(2);
        v->SetWheelTables({80, 120, 30}, {20, 30, 0}, 0);
        v->SetWheelTables({80, -120, 30}, {20, 30, 0}, 1);
        Add(v, at);
        return v;
    }
    void Scene(int cars) {
        AddRoadAndGround();
        Add(new ObstacleObject, {25000, 2000, 0});
        for (int i = 0; i < cars; ++i) AddCar({0, 5000.0f + 500.0f * static_cast<float>(i), 0});
    }
    void Trace(int startFrame, int endFrame) {
        panel.startTime = startFrame * GetTicksPerFrame();
        panel.endTime = endFrame * GetTicksPerFrame();
        panel.PressTrace();
    }
    std::vector<int> Values(HostUiEvent::Kind kind) const {
        std::vector<int> v;
        for (const HostUiEvent& e : shown)
            if (e.kind == kind) v.push_back(e.value);
        return v;
    }
    int Count(HostUiEvent::Kind kind) const { return counts[kind]; }
    void ClearShown() {
        shown.clear();
        std::fill(std::begin(counts), std::end(counts), 0);
    }
};
