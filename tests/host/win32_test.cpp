#include <gtest/gtest.h>

#include <string>

#include "host/module_resources.h"
#include "host/testing.h"

namespace {

HINSTANCE ThisModule() {
    static const int anchor = 0;
    return HostModuleHandleOf(&anchor);
}

TEST(Win32, LoadStringTruncatesAndTerminates) {
    const std::wstring longText(300, L'x');
    const StringResource table[] = {{9001, L"short"}, {9002, longText.c_str()}};
    ASSERT_TRUE(HostRegisterStringTable(ThisModule(), table, 2));
    wchar_t buf[8];
    EXPECT_EQ(LoadStringW(ThisModule(), 9001, buf, 8), 5);
    EXPECT_EQ(std::wstring(buf), L"short");
    EXPECT_EQ(LoadStringW(ThisModule(), 9001, buf, 4), 3);
    EXPECT_EQ(std::wstring(buf), L"sho");
    wchar_t big[256];
    EXPECT_EQ(LoadStringW(ThisModule(), 9002, big, 256), 255);
    EXPECT_EQ(std::wstring(big), std::wstring(255, L'x'));
    EXPECT_EQ(LoadStringW(ThisModule(), 12345, big, 256), 0);
    EXPECT_EQ(LoadStringW(nullptr, 9001, big, 256), 0);
    EXPECT_EQ(LoadStringW(ThisModule(), 9001, big, 0), 0);
}

LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM) { return 7; }

TEST(Win32, WindowClassesRegisterOncePerModule) {
    HostResetWin32();
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ThisModule();
    wc.lpszClassName = L"View";
    EXPECT_NE(RegisterClassW(&wc), 0);
    EXPECT_EQ(RegisterClassW(&wc), 0);
    const WNDCLASSW* found = HostFindWindowClass(ThisModule(), L"View");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->lpfnWndProc, &Proc);
    EXPECT_EQ(std::wstring(found->lpszClassName), L"View");
    EXPECT_EQ(HostFindWindowClass(ThisModule(), L"Other"), nullptr);
    wc.lpfnWndProc = nullptr;
    wc.lpszClassName = L"NoProc";
    EXPECT_EQ(RegisterClassW(&wc), 0);
    HostResetWin32();
}

TEST(Win32, ProcessorCountCanBeInjected) {
    SYSTEM_INFO si;
    HostSetProcessorCount(0);
    GetSystemInfo(&si);
    EXPECT_EQ(si.dwNumberOfProcessors, 0u);
    HostSetProcessorCount(std::nullopt);
    GetSystemInfo(&si);
    EXPECT_GE(si.dwNumberOfProcessors, 1u);
}

}  // namespace
