#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/graphics_window.h"
#include "host/viewport.h"

namespace {

// The default mapping puts world (0, 0) at pixel (320, 240), one pixel per unit, y up.
HitRegion Region(int type, int crossing, IPoint2 a, IPoint2 b = {}) {
    IPoint2 p[2] = {a, b};
    HitRegion region;
    return MakeHitRegion(region, type, crossing, 4, p), region;
}

std::vector<Point3> Across(float y) { return {{-9, y, 0}, {9, y, 0}}; }

// Picks are measured in pixels: the nearest counts (the first of equals among logged hits), a hit
// at the region's size counts, halves round up, and box edges belong to the box.
TEST(Pick, NearestHitRoundedWithInclusiveBounds) {
    using Shape = std::vector<Point3>;
    const HitRegion point = Region(HITTYPE_POINT, 0, {320, 240});
    const DWORD miss = 0xFFFFFFFFu;
    const struct { const char* name; HitRegion region; Matrix3 tm; std::vector<Shape> shapes; int closed; DWORD at; }
    rows[] = {
        {"nearest of three", point, {}, {Across(3), Across(-1.25f), Across(2)}, 0, 1},
        {"exactly at the size", point, {}, {Across(4)}, 0, 4},
        {"just beyond it", point, {}, {Across(4.5f)}, 0, miss},
        {"half a pixel rounds up", point, {}, {Across(-2.5f)}, 0, 3},
        {"to the nearer end", point, {}, {{{3, 2, 0}, {9, 2, 0}}, {{-9, 0, 0}, {-3, 0, 0}}}, 0, 3},
        {"in the drawing transform", point, TransMatrix({0, -3, 0}), {Across(5)}, 0, 2},
        {"open: no closing edge", point, {}, {{{-20, 2, 0}, {20, 30, 0}, {20, 2, 0}}}, 0, miss},
        {"closed: its closing edge", point, {}, {{{-20, 2, 0}, {20, 30, 0}, {20, 2, 0}}}, 1, 2},
        {"crossing: on an edge", Region(HITTYPE_BOX, 1, {324, 236}, {316, 244}), {}, {Across(4)}, 0, 0},
        {"crossing: at a corner", Region(HITTYPE_BOX, 1, {324, 236}, {316, 244}), {}, {{{4, 4, 0}, {9, 9, 0}}}, 0, 0},
        {"crossing: beside it", Region(HITTYPE_BOX, 1, {324, 236}, {316, 244}), {}, {Across(4.5f)}, 0, miss},
        {"window: corner to corner", Region(HITTYPE_BOX, 0, {316, 236}, {324, 244}), {}, {{{-4, -4, 0}, {4, 4, 0}}}, 0, 0},
        {"window: one end out", Region(HITTYPE_BOX, 0, {316, 236}, {324, 244}), {}, {{{-4, -4, 0}, {5, 4, 0}}}, 0, miss},
    };
    for (const auto& row : rows) {
        GraphicsWindow gw;
        HitRegion region = row.region;
        gw.setHitRegion(&region);
        gw.setRndLimits(GW_PICK);
        gw.setTransform(row.tm);
        for (Shape s : row.shapes)
            s.size() == 2 ? gw.segment(s.data(), 1) : gw.polyline(int(s.size()), s.data(), nullptr, row.closed, nullptr);
        EXPECT_TRUE(gw.getHitDistance() == row.at && gw.checkHitCode() == (row.at != miss) && gw.Records().empty())
            << row.name;
    }
    ViewExp view;
    for (const std::uintptr_t node : {1, 2, 3}) view.LogHit(reinterpret_cast<INode*>(node), node == 1 ? 3 : 1, 0, nullptr);
    EXPECT_EQ(view.GetClosestHit(), reinterpret_cast<INode*>(std::uintptr_t{2}));
}

}  // namespace
