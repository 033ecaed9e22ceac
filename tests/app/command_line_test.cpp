#include <gtest/gtest.h>

#include <vector>

#include "app/command_line.h"

namespace {

std::optional<CommandLine> Parse(std::vector<const char*> words) {
    words.insert(words.begin(), "marlovan");
    return ParseCommandLine(static_cast<int>(words.size()), const_cast<char**>(words.data()), "M.dlo");
}

TEST(CommandLine, RenderTakesASceneAnOutputAndAFrame) {
    const auto cl = Parse({"render", "scenes/town.json", "--frame", "12"});
    ASSERT_TRUE(cl);
    EXPECT_EQ(cl->modulePath, "M.dlo");
    EXPECT_EQ(cl->scenePath, "scenes/town.json");
    EXPECT_EQ(cl->outputPath, "town.svg");
    EXPECT_EQ(cl->frame, 12);
    EXPECT_EQ(Parse({"--module", "x.dlo", "render", "a.json", "-o", "b.svg"})->outputPath, "b.svg");
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
