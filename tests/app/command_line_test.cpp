#include <gtest/gtest.h>

#include <vector>

#include "app/command_line.h"
#include "app/text.h"

namespace {

std::optional<CommandLine> Parse(std::vector<const char*> words) {
    words.insert(words.begin(), "marlovan");
    return ParseCommandLine(static_cast<int>(words.size()), const_cast<char**>(words.data()), "M.dlo");
}

TEST(CommandLine, MalformedWordsAreRefused) {
    EXPECT_FALSE(Parse({}));
    EXPECT_FALSE(Parse({"render"}));
    EXPECT_FALSE(Parse({"render", "a.json", "--frame", "1x"}));
    EXPECT_FALSE(Parse({"render", "a.json", "--frame"}));
    EXPECT_FALSE(Parse({"info", "extra"}));
    EXPECT_FALSE(Parse({"dance"}));
    EXPECT_TRUE(Parse({"info"}));
}

}  // namespace

TEST(Text, Utf8AtTheTwoAndThreeByteBoundaries) {
    const struct {
        wchar_t wide;
        const char* bytes;
    } cases[] = {
        {L'\x7F', "\x7F"}, {L'\x80', "\xC2\x80"}, {L'\x7FF', "\xDF\xBF"}, {L'\x800', "\xE0\xA0\x80"},
        {L'\xFFFD', "\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        const wchar_t text[] = {c.wide, L'\0'};
        EXPECT_EQ(ToUtf8(text), c.bytes) << static_cast<int>(c.wide);
        EXPECT_EQ(FromUtf8(c.bytes), std::wstring(1, c.wide)) << static_cast<int>(c.wide);
    }
    EXPECT_EQ(FromUtf8("a\xE0\xA0"), L"a\uFFFD\uFFFD");
}
