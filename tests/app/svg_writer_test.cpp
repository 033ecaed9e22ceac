#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/svg_writer.h"

namespace {

TEST(SvgWriter, NonFinitePointsDoNotSpoilTheView) {
    std::vector<DrawRecord> records;
    records.push_back({DrawRecord::Kind::Segment, {}, false, {{0, 0, 0}, {NAN, 1, 0}}});
    records.push_back({DrawRecord::Kind::Segment, {}, false, {{0, 0, 0}, {INFINITY, 1, 0}}});
    const std::string svg = TopViewSvg(records, "t");
    const std::string view = svg.substr(svg.find("viewBox"), 40);
    EXPECT_TRUE(view.find("nan") == std::string::npos && view.find("inf") == std::string::npos) << view;
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
