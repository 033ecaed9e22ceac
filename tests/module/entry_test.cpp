
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
    EXPECT_TRUE(wc->lpfnWndProc == &TrafficLightViewProc && wc->hInstance == Instance());
}

TEST_F(EntryTest, GetStringSharesOneBufferAndCutsAt255) {
    Attach();
    const std::wstring longText(400, L'y');
    const StringResource extra[] = {{500, longText.c_str()}, {501, L""}};
    HostRegisterStringTable(Instance(), extra, 2);
    const wchar_t* first = GetString(40);
    EXPECT_EQ(std::wstring(first), L"Road Param");
    EXPECT_TRUE(GetString(41) == first && std::wstring(first) == L"Cross Param") << "one shared buffer";
    EXPECT_EQ(std::wstring(GetString(500)), std::wstring(255, L'y'));
    EXPECT_EQ(GetString(501), nullptr);
}

}  // namespace
