#include <string>

#include "module/strings.h"
#include "module_fixture.h"
#include "traffic/traffic_light_view.h"

namespace {

using EntryTest = ModuleTest;

TEST_F(EntryTest, ProcessAttachKeepsHandleAndRegistersTheDiagramClass) {
    Attach();
    EXPECT_EQ(ModuleInstance(), Instance());
    EXPECT_EQ(ClassDescHInstance(), Instance());
    EXPECT_TRUE(HostThreadCallsDisabled(Instance()));
    const WNDCLASSW* wc = HostFindWindowClass(Instance(), L"TrafficLightView");
    ASSERT_NE(wc, nullptr);
    EXPECT_EQ(wc->style, 0u);
    EXPECT_EQ(wc->lpfnWndProc, &TrafficLightViewProc);
    EXPECT_EQ(wc->cbClsExtra, 0);
    EXPECT_EQ(wc->cbWndExtra, 0);
    EXPECT_EQ(wc->hInstance, Instance());
    EXPECT_EQ(wc->hIcon, nullptr);
    EXPECT_EQ(wc->hCursor, nullptr);
    EXPECT_EQ(wc->hbrBackground, nullptr);
    EXPECT_EQ(wc->lpszMenuName, nullptr);
}

TEST_F(EntryTest, OtherReasonsChangeNothing) {
    for (DWORD reason : {DLL_PROCESS_DETACH, DLL_THREAD_ATTACH, DLL_THREAD_DETACH}) {
        EXPECT_EQ(DllMain(Instance(), reason, nullptr), TRUE);
        EXPECT_EQ(ModuleInstance(), nullptr);
        EXPECT_EQ(HostFindWindowClass(Instance(), L"TrafficLightView"), nullptr);
        EXPECT_FALSE(HostThreadCallsDisabled(Instance()));
    }
}

TEST_F(EntryTest, AttachSucceedsEvenWhenTheClassExists) {
    Attach();
    Attach();
    EXPECT_EQ(ModuleInstance(), Instance());
}

TEST_F(EntryTest, VersionAndDescription) {
    EXPECT_EQ(LibVersion(), 0x3E802A00u);
    EXPECT_EQ(LibDescription(), nullptr);
    Attach();
    ASSERT_NE(LibDescription(), nullptr);
    EXPECT_EQ(std::wstring(LibDescription()), L"Marlovan");
}

TEST_F(EntryTest, GetStringNeedsTheModuleHandle) {
    EXPECT_EQ(GetString(4), nullptr);
    Attach();
    EXPECT_EQ(std::wstring(GetString(4)), L"Parameters");
    EXPECT_EQ(GetString(0), nullptr);
    EXPECT_EQ(GetString(42), nullptr);
}

TEST_F(EntryTest, GetStringSharesOneBufferAndCutsAt255) {
    Attach();
    const std::wstring longText(400, L'y');
    const StringResource extra[] = {{500, longText.c_str()}, {501, L""}};
    HostRegisterStringTable(Instance(), extra, 2);
    const wchar_t* first = GetString(40);
    EXPECT_EQ(std::wstring(first), L"Road Param");
    const wchar_t* second = GetString(41);
    EXPECT_EQ(first, second);
    EXPECT_EQ(std::wstring(first), L"Cross Param");
    EXPECT_EQ(std::wstring(GetString(500)), std::wstring(255, L'y'));
    EXPECT_EQ(GetString(501), nullptr);
}

TEST_F(EntryTest, TheStringTableHoldsFortyOneEntries) {
    Attach();
    const wchar_t* expected[42] = {
        nullptr,
        L"Marlovan", L"Dynamics Objects", L"Marlovan", L"Parameters", L"Road_Width", L"Traffic Light Period",
        L"Road Min Speed", L"Road Max Speed", L"Road Number", L"Road Type", L"Car Length", L"Car Width",
        L"Car Height", L"Axis Length", L"Front Axis Shift", L"Back Axis Shift", L"Wheel Radius", L"Wheel Width",
        L"Max Rudder Angle", L"Car Acceleration", L"Car Riskiness", L"Car Maneuverable", L"Rudder Sensitiveness",
        L"Car Rigidity", L"Car Damping", L"Car Type", L"Show Dynamics Wire", L"Car Max Speed", L"Car Node",
        L"Object Type", L"Way Pref 1", L"Way Pref 2", L"Way Pref 3", L"Way Pref 4", L"Way Pref 5",
        L"Way Pref 6", L"Way Pref 7", L"Way Pref 8", L"Way Pref 9", L"Road Param", L"Cross Param",
    };
    for (UINT id = 1; id <= 41; ++id) {
        const wchar_t* text = GetString(id);
        ASSERT_NE(text, nullptr) << id;
        EXPECT_EQ(std::wstring(text), expected[id]) << id;
    }
}

}  // namespace
