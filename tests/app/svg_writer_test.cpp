#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/svg_writer.h"

namespace {

ViewCapture TwoRecords() {
    ViewCapture view;
    view.records.push_back({DrawRecord::Kind::Segment, {1.0f, 0.0f, 0.0f}, false, {{0, 0, 0}, {10, 5, 0}}});
    view.records.push_back({DrawRecord::Kind::Polyline, {0.0f, 1.0f, 0.0f}, true, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}});
    view.legend.push_back({"Road <1>", {1.0f, 0.0f, 0.0f}});
    view.legend.push_back({"", {0.0f, 1.0f, 0.0f}});
    return view;
}

TEST(SvgWriter, DrawsRecordsInTheirColoursLookingDown) {
    const std::string svg = TopViewSvg(TwoRecords(), "a<b&c", 0.01);
    EXPECT_NE(svg.find("<polyline stroke=\"#ff0000\" points=\"0,-0 10,-5 \""), std::string::npos);
    EXPECT_NE(svg.find("<polygon stroke=\"#00ff00\""), std::string::npos);
    EXPECT_NE(svg.find("<title>a&lt;b&amp;c</title>"), std::string::npos);
    // The drawing keeps the view's proportions: 11.5 by 6.5 units with their margins.
    EXPECT_NE(svg.find("viewBox=\"-1.5 -6.5 13 8\""), std::string::npos) << svg;
    EXPECT_NE(svg.find("width=\"1000\" height=\"615\""), std::string::npos);
}

// Lines keep 1.5 screen pixels; a scale bar of a round length; the nodes' names in their colours.
TEST(SvgWriter, ScreenWidthStrokesScaleBarAndLegend) {
    const std::string svg = TopViewSvg(TwoRecords(), "t", 0.01);
    EXPECT_NE(svg.find(".drawing * { vector-effect: non-scaling-stroke; }"), std::string::npos);
    EXPECT_NE(svg.find("stroke-width=\"1.5\""), std::string::npos);
    // 13 units of 1 cm: a fifth is 2.6 cm, so the bar is 2 cm long, 2 / 13 of 1000 pixels.
    EXPECT_NE(svg.find(">2 cm</text>"), std::string::npos) << svg;
    EXPECT_NE(svg.find("12,603 165.846,603"), std::string::npos) << svg;
    EXPECT_NE(svg.find("fill=\"#ff0000\">Road &lt;1&gt;</text>"), std::string::npos);
    EXPECT_NE(svg.find("fill=\"#00ff00\">(unnamed)</text>"), std::string::npos);
    EXPECT_NE(TopViewSvg(TwoRecords(), "t", 2000.0).find(">5 km</text>"), std::string::npos);
}

TEST(SvgWriter, ALongLegendCountsWhatDoesNotFit) {
    ViewCapture view = TwoRecords();
    view.legend.assign(100, {"n", {1, 1, 1}});
    // 615 pixels high: 33 lines fit above the scale bar, the last of them the count.
    const std::string svg = TopViewSvg(view, "t", 0.01);
    EXPECT_NE(svg.find(">and 68 more</text>"), std::string::npos);
}

TEST(SvgWriter, AnEmptyViewIsStillAPicture) {
    const std::string svg = TopViewSvg(ViewCapture{}, "t", 0.01);
    EXPECT_NE(svg.find("viewBox=\"-100 -100 200 200\""), std::string::npos);
}

TEST(SvgWriter, AFailedWriteSaysWhyAndLeavesNothingBehind) {
    const auto dir = std::filesystem::temp_directory_path() / "marlovan_svg_test";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "out.svg").string();
    WriteFileAtomically(path, "<svg/>");
    std::ifstream in(path);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "<svg/>");
    const std::string missing = (dir / "missing" / "out.svg").string();
    try {
        WriteFileAtomically(missing, "x");
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(e.what(), "cannot write " + missing + ": No such file or directory");
    }
    // A directory in the way: the temporary file is written, the rename fails and is undone.
    EXPECT_THROW(WriteFileAtomically(dir.string(), "x"), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(dir.string() + ".tmp"));
    std::filesystem::remove_all(dir);
}

}  // namespace
