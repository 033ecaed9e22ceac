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

}  // namespace
