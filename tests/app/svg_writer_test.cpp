#include "app/svg_writer.h"
#include "app_fixture.h"

namespace {

ViewCapture TwoRecords() {
    ViewCapture view;
    view.records.push_back({DrawRecord::Kind::Segment, {1.0f, 0.0f, 0.0f}, false, {{0, 0, 0}, {10, 5, 0}}});
    view.records.push_back({DrawRecord::Kind::Polyline, {0.0f, 1.0f, 0.0f}, true, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}});
    view.legend.push_back({"Road <1>", {1.0f, 0.0f, 0.0f}});
    view.legend.push_back({"", {0.0f, 1.0f, 0.0f}});
    return view;
}

// Top view in the records' colours and the view's proportions, 1.5 px lines, scale bar, names.
TEST(SvgWriter, DrawsRecordsScaleBarAndLegend) {
    const std::string svg = TopViewSvg(TwoRecords(), "a<b&c", 0.01);
    for (const char* part : {"<polyline stroke=\"#ff0000\" points=\"0,-0 10,-5 \"", "<polygon stroke=\"#00ff00\"",
                             "<title>a&lt;b&amp;c</title>", "viewBox=\"-1.5 -6.5 13 8\"", "width=\"1000\" height=\"615\"",
                             ".drawing * { vector-effect: non-scaling-stroke; }", "stroke-width=\"1.5\"",
                             // 13 units of 1 cm: a fifth is 2.6 cm, so the bar is 2 cm, 2 / 13 of 1000 pixels.
                             ">2 cm</text>", "12,603 165.846,603", "fill=\"#ff0000\">Road &lt;1&gt;</text>",
                             "fill=\"#00ff00\">(unnamed)</text>"})
        EXPECT_NE(svg.find(part), std::string::npos) << part << "\n" << svg;
    EXPECT_NE(TopViewSvg(TwoRecords(), "t", 2000.0).find(">5 km</text>"), std::string::npos);
    ViewCapture crowded = TwoRecords();
    crowded.legend.assign(100, {"n", {1, 1, 1}});
    // 615 pixels high: 33 lines fit above the scale bar, the last of them the count.
    EXPECT_NE(TopViewSvg(crowded, "t", 0.01).find(">and 68 more</text>"), std::string::npos);
    EXPECT_NE(TopViewSvg(ViewCapture{}, "t", 0.01).find("viewBox=\"-100 -100 200 200\""), std::string::npos);
}

}  // namespace
