// A traffic light placed in the scene, shared by the light, diagram and sampling tests.
#pragma once

#include <gtest/gtest.h>

#include <array>

#include "common/module_handle.h"
#include "host/hold.h"
#include "host/interface.h"
#include "host/module_resources.h"
#include "host/rollups.h"
#include "host/testing.h"
#include "module/entry_points.h"
#include "traffic/traffic_light.h"

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static IObjParam* Ip() { return static_cast<IObjParam*>(GetCOREInterface()); }

    template <class T>
    static T* Make(ClassDesc* desc) {
        return static_cast<T*>(static_cast<Object*>(desc->Create(FALSE)));
    }
    static INode* Place(Object* obj, const Matrix3& tm = Matrix3()) {
        INode* node = Ip()->CreateObjectNode(obj);
        node->SetNodeTM(0, tm);
        return node;
    }
    static TrafficLightObject* NewLight() { return Make<TrafficLightObject>(GetTrafficLightDesc()); }
    // The 24 entries from a string of 'G' and 'R'.
    static void SetDiagram(IParamBlock2* block, const char* cells) {
        for (int i = 0; i < 24; ++i) block->SetValue(kDiagramParam, 0, cells[i] == 'G' ? 1 : 0, i);
    }
    static std::array<int, 24> Diagram(IParamBlock2* block) {
        std::array<int, 24> cells{};
        for (int i = 0; i < 24; ++i) cells[static_cast<std::size_t>(i)] = block->GetInt(kDiagramParam, 0, i);
        return cells;
    }

private:
    static void Reset() {
        Ip()->ResetScene();
        OpenRollups().clear();
        theHold.Reset();
        HostResetWindows();
        SetSceneUnitMetres(0.01);
    }
};
