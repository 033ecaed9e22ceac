// The module file as the host loads it: by its name, its functions found by name, its strings,
// window class and dialog templates taken from the file itself.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/class_desc.h"
#include "host/module_resources.h"

namespace {

class LoadedModule : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module = LoadLibraryW(L"Marlovan.dlo"); }
    static void TearDownTestSuite() { EXPECT_TRUE(FreeLibrary(module)); }
    void SetUp() override { ASSERT_NE(module, nullptr) << "error " << GetLastError(); }
    template <typename F>
    static F Find(const char* f) { return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, f))); }
    static inline HMODULE module = nullptr;
};

// Loading ran the entry routine, so the description comes from the string table.
TEST_F(LoadedModule, FunctionsByNameAnswerAsTheHostExpects) {
    for (const char* name : {"SetupBusStopParamBlocks", "SetupCrossModParamBlocks", "SetupObstacleParamBlocks",
                             "SetupParkingParamBlocks", "SetupRoadModParamBlocks", "SetupSpeedLimiterParamBlocks",
                             "SetupStopLineParamBlocks"})
        EXPECT_NE(Find<void (*)()>(name), nullptr) << name;
    EXPECT_EQ(Find<DWORD (*)()>("LibVersion")(), 0x3E802A00u);
    EXPECT_STREQ(Find<const wchar_t* (*)()>("LibDescription")(), L"Marlovan");
    ASSERT_EQ(Find<int (*)()>("LibNumberClasses")(), 11);
    for (unsigned int i = 0; i < 11; ++i) {
        auto* desc = static_cast<ClassDesc2*>(Find<ClassDesc* (*)(unsigned int)>("LibClassDesc")(i));
        EXPECT_TRUE(desc != nullptr && desc->HInstance() == module) << i;
    }
}

TEST_F(LoadedModule, StringsWindowClassAndDialogTemplates) {
    wchar_t text[16];
    for (UINT id = 1; id <= 42; ++id) EXPECT_EQ(LoadStringW(module, id, text, 16) > 0, id <= 41) << id;
    EXPECT_TRUE(LoadStringW(module, 40, text, 16) == 10 && text == std::wstring(L"Road Param"));
    WNDCLASSW wc{};
    EXPECT_TRUE(GetClassInfoW(module, L"TrafficLightView", &wc));
    const std::pair<int, std::wstring> named[] = {{1153, L"TRAFFICLIGHTVIEW"}, {1155, L"SpinnerControl"}};
    for (const auto& control : named) EXPECT_EQ(std::ranges::count(HostDialogControls(module, 127), control), 1);
    const std::pair<int, std::size_t> addressedCounts[] = {{115, 1},  {117, 7}, {119, 4}, {120, 7},  {123, 14},
                                                           {124, 4},  {125, 6}, {126, 4}, {128, 5},  {129, 22},
                                                           {131, 6},  {132, 4}};
    for (const auto& [id, count] : addressedCounts) EXPECT_EQ(HostDialogControls(module, id).size(), count) << id;
}

}  // namespace
