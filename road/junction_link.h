// Which lane ends of one outline polyline are linked through the junction. Counting, filling
// and drawing all take their decisions here, so they can never disagree.
#pragma once

#include "road/lane_end.h"

// b lies ahead of a, leads away from it, and to a's right (with rightTurn) or left (with
// leftTurn). A lateral offset within a relative 1e-4 of zero counts as straight on: rounding
// alone never links a straight-through pair.
bool LinksTo(const LaneEnd& a, const LaneEnd& b, bool leftTurn, bool rightTurn);

// Calls visit(a, b) for every linked ordered pair, a in the outer loop, both in array order.
template <class Visit>
void ForEachLink(const LaneEndList& ends, bool leftTurn, bool rightTurn, const Visit& visit) {
    for (int a = 0; a < ends.count; ++a)
        for (int b = 0; b < ends.count; ++b)
            if (a != b && LinksTo(ends.items[a], ends.items[b], leftTurn, rightTurn))
                visit(ends.items[a], ends.items[b]);
}
