// Eight of a cell's ways laid out column by column, so that the queries' XY test runs on all
// eight at once and the full record is read only for the ways that pass.
#pragma once

#include <cstdint>

#include "road/way_record.h"

struct WayBlock {
    static constexpr int kWays = 8;

    float toX[4][kWays];  // rows 0 to 3 of the inverse's x column: world to way-space x
    float toY[4][kWays];
    float halfX[kWays];   // kInertHalf in unused slots, so they never pass
    float halfY[kWays];
    const WayRecord* way[kWays];

    void Set(int slot, const WayRecord* record) {
        way[slot] = record;
        for (int r = 0; r < 4; ++r) {
            toX[r][slot] = record ? record->inverse[r].x : 0.0f;
            toY[r][slot] = record ? record->inverse[r].y : 0.0f;
        }
        halfX[slot] = record ? record->halfX : kInertHalf;
        halfY[slot] = record ? record->halfY : kInertHalf;
    }

    // Bit k set when way k passes the x and y parts of its containment test. Computed exactly as
    // the host's point transform does, so a way left out is one that the full test rejects too. Out of line:
    // on its own the compiler runs the eight ways as vectors, inlined it unrolls them.
    unsigned HitsXY(const Point3& p) const;
};
