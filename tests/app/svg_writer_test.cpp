#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/svg_writer.h"

namespace {

TEST(SvgWriter, DrawsRecordsInTheirColoursLookingDown) {
    std::vector<DrawRecord> records;
    records.push_back({DrawRecord::Kind::Segment, {1.0f, 0.0f, 0.0f}, false, {{0, 0, 0}, {10, 5, 0}}});
    records.push_back({DrawRecord::Kind::Polyline, {0.0f, 1.0f, 0.0f}, true, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}});
    const std::string svg = TopViewSvg(records, "a<b&c");
    EXPECT_NE(svg.find("<polyline stroke=\"#ff0000\""), std::string::npos);
    EXPECT_NE(svg.find("points=\"0,-0 10,-5 \""), std::string::npos);
    EXPECT_NE(svg.find("<polygon stroke=\"#00ff00\""), std::string::npos);
    EXPECT_NE(svg.find("<title>a&lt;b&amp;c</title>"), std::string::npos);
}

TEST(SvgWriter, NonFinitePointsDoNotSpoilTheView) {
    std::vector<DrawRecord> records;
    records.push_back({DrawRecord::Kind::Segment, {}, false, {{0, 0, 0}, {NAN, 1, 0}}});
    const std::string svg = TopViewSvg(records, "t");
    EXPECT_EQ(svg.find("viewBox=\"nan"), std::string::npos);
    EXPECT_EQ(svg.find("viewBox=\"-nan"), std::string::npos);
}

TEST(SvgWriter, AFailedWriteLeavesNothingBehind) {
    const auto dir = std::filesystem::temp_directory_path() / "marlovan_svg_test";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "out.svg").string();
    WriteFileAtomically(path, "<svg/>");
    std::ifstream in(path);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "<svg/>");
    EXPECT_THROW(WriteFileAtomically((dir / "missing" / "out.svg").string(), "x"), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    std::filesystem::remove_all(dir);
}

}  // namespace
