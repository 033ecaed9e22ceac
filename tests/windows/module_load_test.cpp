// The module file as the host loads it: by its name, its functions found by name, its strings,
// window class and dialog templates taken from the file itself.
#include <gtest/gtest.h>

#include "host/module_resources.h"
#include "resources/resource.h"
#include "tests/module/class_table.h"

namespace {

class LoadedModule : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module = LoadLibraryW(L"Marlovan.dlo"); }
    static void TearDownTestSuite() { EXPECT_TRUE(FreeLibrary(module)); }
    void SetUp() override { ASSERT_NE(module, nullptr) << "error " << GetLastError(); }

    template <typename Function>
    static Function Find(const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    static inline HMODULE module = nullptr;
};

TEST_F(LoadedModule, EntryPointsAndSetUpFunctionsByName) {
    for (const char* name : {"LibDescription", "LibNumberClasses", "LibClassDesc", "LibVersion",
                             "SetupBusStopParamBlocks", "SetupCrossModParamBlocks", "SetupObstacleParamBlocks",
                             "SetupParkingParamBlocks", "SetupRoadModParamBlocks", "SetupSpeedLimiterParamBlocks",
                             "SetupStopLineParamBlocks"})
        EXPECT_NE(Find<void (*)()>(name), nullptr) << name;
    EXPECT_EQ(Find<DWORD (*)()>("LibVersion")(), 0x3E802A00u);
}

// Loading ran the entry routine, so the description comes from the string table.
TEST_F(LoadedModule, DescriptionAndDescriptors) {
    EXPECT_STREQ(Find<const wchar_t* (*)()>("LibDescription")(), L"Marlovan");
    ASSERT_EQ(Find<int (*)()>("LibNumberClasses")(), 11);
    const auto classDesc = Find<ClassDesc* (*)(unsigned int)>("LibClassDesc");
    for (unsigned int i = 0; i < 11; ++i) {
        auto* desc = static_cast<ClassDesc2*>(classDesc(i));
        ASSERT_NE(desc, nullptr) << i;
        const ExpectedClass& e = kExpectedClasses[i];
        EXPECT_TRUE(desc->ClassID() == e.id && desc->ClassName() == std::wstring(e.name)) << i;
        EXPECT_EQ(desc->HInstance(), module) << i;
    }
    EXPECT_EQ(classDesc(11), nullptr);
}

TEST_F(LoadedModule, StringsWindowClassAndDialogTemplates) {
    wchar_t text[16];
    for (UINT id = 1; id <= 42; ++id) EXPECT_EQ(LoadStringW(module, id, text, 16) > 0, id <= 41) << id;
    EXPECT_EQ(LoadStringW(module, IDS_ROAD_PARAM, text, 16), 10);
    EXPECT_STREQ(text, L"Road Param");
    WNDCLASSW wc{};
    EXPECT_TRUE(GetClassInfoW(module, L"TrafficLightView", &wc) && wc.lpfnWndProc != nullptr);
    const std::wstring edit = L"CustEdit", spin = L"SpinnerControl";
    const std::vector<std::pair<int, std::wstring>> light = {
        {1154, edit}, {1155, spin}, {1156, edit},     {1157, spin},
        {1158, L"Button"}, {1159, L"Button"}, {1099, edit}, {1100, spin},
        {1153, L"TRAFFICLIGHTVIEW"}, {1101, edit}, {1102, spin}};  // the module's class, in capitals
    EXPECT_EQ(HostDialogControls(module, IDD_TRAFFIC_LIGHT_PARAM), light);
    // The controls the code addresses in each roll-up (labels left out).
    const std::pair<int, std::size_t> counts[] = {{115, 1},  {117, 7}, {119, 4}, {120, 7},  {123, 14},
                                                  {124, 4},  {125, 6}, {126, 4}, {127, 11}, {128, 5},
                                                  {129, 22}, {130, 0}, {131, 6}, {132, 4}};
    for (const auto& [dialog, count] : counts) {
        EXPECT_EQ(HostDialogControls(module, dialog).size(), count) << dialog;
        EXPECT_TRUE(FindResourceW(module, MAKEINTRESOURCEW(dialog), MAKEINTRESOURCEW(5))) << dialog;
    }
}

}  // namespace
