// A scene for the traffic light, diagram and sampling tests, cleared around each test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "host/hold.h"
#include "host/interface.h"
#include "host/rollups.h"
#include "host/testing.h"
#include "traffic/traffic_light.h"

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static IObjParam* Ip() { return static_cast<IObjParam*>(GetCOREInterface()); }
    static INode* Place(Object* obj, const Matrix3& tm = Matrix3()) {
        INode* node = Ip()->CreateObjectNode(obj);
        node->SetNodeTM(0, tm);
        return node;
    }
    static TrafficLightObject* NewLight() {
        return static_cast<TrafficLightObject*>(static_cast<Object*>(GetTrafficLightDesc()->Create(FALSE)));
    }
    // The 24 entries from a string of 'G' and 'R', and back.
    static void SetDiagram(IParamBlock2* block, const char* cells) {
        for (int i = 0; i < 24; ++i) block->SetValue(kDiagramParam, 0, cells[i] == 'G' ? 1 : 0, i);
    }
    static std::string Diagram(IParamBlock2* block) {
        std::string cells;
        for (int i = 0; i < 24; ++i) cells += block->GetInt(kDiagramParam, 0, i) != 0 ? 'G' : 'R';
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
