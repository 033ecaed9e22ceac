#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "app/command_line.h"
#include "app/text.h"

namespace {

struct Parsed {
    std::optional<CommandLine> cl;
    int exitCode = -1;
    std::string out, err;
};

Parsed Parse(std::vector<const char*> words) {
    words.insert(words.begin(), "marlovan");
    std::ostringstream out, err;
    Parsed p;
    p.cl = ParseCommandLine(static_cast<int>(words.size()), words.data(), "M.dlo", out, err, p.exitCode);
    p.out = out.str();
    p.err = err.str();
    return p;
}

TEST(CommandLine, RenderTakesASceneAnOutputAndAFrame) {
    const auto cl = Parse({"render", "scenes/town.json", "--frame", "20000000000"}).cl;
    ASSERT_TRUE(cl);
    EXPECT_TRUE(cl->command == "render" && cl->modulePath == "M.dlo" && cl->scenePath == "scenes/town.json");
    EXPECT_TRUE(cl->outputPath == "town.svg" && cl->frame == 20000000000LL);
    const auto other = Parse({"--module", "x.dlo", "render", "a.json", "-o", "b.svg"}).cl;
    EXPECT_TRUE(other->modulePath == "x.dlo" && other->outputPath == "b.svg");
    EXPECT_NE(Parse({"run", "--help"}).out.find("with no, a second Ctrl-C within two seconds stops the run"), std::string::npos);
}

// Each mistake is named with the option and the word that was wrong; the exit code is 2.
TEST(CommandLine, MistakesNameTheOptionAndTheValue) {
    const struct { std::vector<const char*> words; const char* message; } rows[] = {
        {{}, "subcommand"}, {{"render"}, "scene"}, {{"render", "a.json", "--frame", "abc"}, "--frame = abc"},
        {{"render", "a.json", "--frame", "1x"}, "--frame = 1x"}, {{"render", "a.json", "--frame"}, "--frame"},
        {{"info", "extra"}, "extra"}, {{"dance"}, "dance"},
    };
    for (const auto& row : rows) {
        const Parsed p = Parse(row.words);
        EXPECT_TRUE(!p.cl && p.exitCode == 2 && p.err.find(row.message) != std::string::npos) << row.message << ": " << p.err;
    }
}

}  // namespace

TEST(Text, Utf8AtTheTwoAndThreeByteBoundaries) {
    const struct { wchar_t wide; const char* bytes; } cases[] = {
        {L'\x7F', "\x7F"}, {L'\x80', "\xC2\x80"}, {L'\x7FF', "\xDF\xBF"}, {L'\x800', "\xE0\xA0\x80"},
        {L'\xFFFD', "\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        const wchar_t text[] = {c.wide, L'\0'};
        EXPECT_TRUE(ToUtf8(text) == c.bytes && FromUtf8(c.bytes) == std::wstring(1, c.wide)) << static_cast<int>(c.wide);
    }
    EXPECT_EQ(FromUtf8("a\xE0\xA0"), L"a\uFFFD\uFFFD");
}
