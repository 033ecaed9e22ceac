// Reading a road modifier's ways and segments straight from it.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "road/road_mod.h"
#include "road/road_segment.h"
#include "road/way_record.h"

inline std::vector<WayRecord> WaysOf(RoadMod* mod, INode* node) {
    int count = 0;
    mod->CountWays(node, count);
    std::vector<WayRecord> ways(static_cast<std::size_t>(count));
    int index = 0;
    mod->FillWays(node, ways.data(), index, count);
    EXPECT_EQ(index, count);
    return ways;
}

inline std::vector<RoadSegment> SegmentsOf(RoadMod* mod, INode* node) {
    int count = 0;
    mod->CountSegments(node, count);
    std::vector<RoadSegment> segments(static_cast<std::size_t>(count));
    int index = 0;
    mod->FillSegments(node, segments.data(), index, count);
    EXPECT_EQ(index, count);
    return segments;
}

inline void ExpectCorners(const WayRecord& way, Point3 c0, Point3 c1, Point3 c2, Point3 c3) {
    EXPECT_EQ(way.corner[0], c0);
    EXPECT_EQ(way.corner[1], c1);
    EXPECT_EQ(way.corner[2], c2);
    EXPECT_EQ(way.corner[3], c3);
}
