#include "module/strings.h"
#include "module_fixture.h"
#include "traffic/traffic_light_view.h"

namespace {

using EntryTest = ModuleTest;

// Only process attach acts (handle, thread calls, diagram class); other reasons change nothing.
TEST_F(EntryTest, OnlyProcessAttachActs) {
    HostResetWin32();
    const DWORD reasons[] = {DLL_PROCESS_DETACH, DLL_THREAD_ATTACH, DLL_THREAD_DETACH, 7};
    for (const bool attached : {false, true}) {
        for (const DWORD reason : reasons) {
            EXPECT_EQ(DllMain(attached ? nullptr : Instance(), reason, nullptr), TRUE) << reason;
            const WNDCLASSW* wc = HostFindWindowClass(Instance(), L"TrafficLightView");
            EXPECT_TRUE(attached ? wc && wc->lpfnWndProc == &TrafficLightViewProc && wc->hInstance == Instance() : !wc);
            EXPECT_TRUE(ModuleInstance() == (attached ? Instance() : nullptr) && ClassDescHInstance() == ModuleInstance());
            EXPECT_TRUE(HostThreadCallsDisabled(Instance()) == attached && (LibDescription() != nullptr) == attached) << reason;
        }
        Attach();
    }
}

TEST_F(EntryTest, GetStringSharesOneBufferAndCutsAt255) {
    Attach();
    const std::wstring longText(400, L'y');
    const StringResource extra[] = {{500, longText.c_str()}, {501, L""}};
    HostRegisterStringTable(Instance(), extra, 2);
    const wchar_t* first = GetString(40);
    EXPECT_EQ(std::wstring(first), L"Road Param");
    EXPECT_TRUE(GetString(41) == first && std::wstring(first) == L"Cross Param") << "one shared buffer";
    EXPECT_TRUE(GetString(500) == std::wstring(255, L'y') && GetString(501) == nullptr);
}

}  // namespace
