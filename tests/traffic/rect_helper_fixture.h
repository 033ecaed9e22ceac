// A scene, a view and the three rectangle-helper classes, so each test builds its case in a
// few lines. Objects are made through their descriptors, as the host makes them.
#pragma once

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "host/class_desc.h"
#include "host/create_mouse.h"
#include "host/interface.h"
#include "host/rollups.h"
#include "host/viewport.h"
#include "resources/resource.h"
#include "traffic/obstacle.h"
#include "traffic/speed_limiter.h"
#include "traffic/stop_line.h"

struct HelperClassCase {
    const wchar_t* name;
    ClassDesc* (*getDesc)();
    void (*setup)(ParamBlockDesc2*);
    Class_ID id;
    unsigned int slot;
    int dialog;
    int widthEdit, widthSpin, lengthEdit, lengthSpin;
};

inline const HelperClassCase kHelperClasses[] = {
    {L"SpeedLimiter", GetSpeedLimiterDesc, SetupSpeedLimiterParamBlocks, {0x156A0982, 0x059D70D6}, 3, 125, 1145, 1146,
     1143, 1144},
    {L"Obstacle", GetObstacleDesc, SetupObstacleParamBlocks, {0x5B0B46B6, 0x6EBE723F}, 4, 126, 1151, 1152, 1149, 1150},
    {L"StopLine", GetStopLineDesc, SetupStopLineParamBlocks, {0x3E8C088E, 0x49951049}, 10, 132, 1145, 1146, 1143,
     1144},
};

inline std::string HelperCaseName(const ::testing::TestParamInfo<HelperClassCase>& info) {
    return std::string(info.param.name, info.param.name + std::wcslen(info.param.name));
}

class RectHelperTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static ClassDesc2* Desc(const HelperClassCase& c) { return static_cast<ClassDesc2*>(c.getDesc()); }
    static ParamBlockDesc2* BlockDesc(const HelperClassCase& c) { return Desc(c)->GetParamBlockDescByID(0); }

    // A new object of the class, owned by nobody yet: place it or call DeleteThis.
    template <class T = RectHelperObject>
    static T* Make(const HelperClassCase& c) {
        return static_cast<T*>(static_cast<Object*>(c.getDesc()->Create(FALSE)));
    }

    // A node in the scene holding obj with the given transform and half sizes; the cache is
    // refreshed as the host does before drawing.
    static INode* Place(RectHelperObject* obj, const Matrix3& tm, float halfWidth, float halfLength) {
        INode* node = GetCOREInterface()->CreateObjectNode(obj);
        node->SetNodeTM(0, tm);
        obj->GetParamBlock(0)->SetValue(0, 0, halfWidth);
        obj->GetParamBlock(0)->SetValue(1, 0, halfLength);
        obj->ObjectValidity(0);
        return node;
    }

    ViewExp view;

private:
    static void Reset() {
        GetCOREInterface()->ResetScene();
        GetCOREInterface()->SetSubObjectLevel(0);
        OpenRollups().clear();
        SetSceneUnitMetres(0.01);
    }
};

class RectHelperClassTest : public RectHelperTest, public ::testing::WithParamInterface<HelperClassCase> {};
