#include <array>

#include "host/node.h"
#include "host/time.h"
#include "road/bus_stop.h"
#include "road/way_record.h"

namespace {
constexpr double kBusStopKmh = 20.0;

using Corners = std::array<Point3, 4>;

// The bay and the squares beyond its +Y and -Y ends, c0..c3 in the order SetCorners takes:
// +Y travel normally, -Y when reversed.
std::array<Corners, BusStopObject::kWayCount> LocalCorners(float w, float h, bool reversed) {
    const float l = w + h, s = w / 2.0f;
    auto at = [](float x, float y) { return Point3(x, y, 0.0f); };
    if (!reversed)
        return {{{at(w, -l), at(w, l), at(0, l), at(0, -l)},
                 {at(s, l), at(s, l + s), at(0, l + s), at(0, l)},
                 {at(s, -l - s), at(s, -l), at(0, -l), at(0, -l - s)}}};
    return {{{at(-w, l), at(-w, -l), at(0, -l), at(0, l)},
             {at(-s, l + s), at(-s, l), at(0, l), at(0, l + s)},
             {at(-s, -l), at(-s, -l - s), at(0, -l - s), at(0, -l)}}};
}
}  // namespace

void BusStopObject::CountWays(INode*, int& count) const { count += kWayCount; }

void BusStopObject::FillWays(INode* node, WayRecord* ways, int& count, int capacity) const {
    if (node == nullptr || count > capacity - kWayCount) return;
    float h = 0.0f, w = 0.0f;
    std::uint8_t reverse = 0;
    GetParams(h, w, reverse);
    const Matrix3 tm = node->GetObjectTM(0);
    const auto corners = LocalCorners(w, h, reverse != 0);
    WayRecord& bay = ways[count];
    bay = WayRecord();
    bay.maxSpeed = static_cast<float>(kBusStopKmh / (GetMasterScale(UNITS_KILOMETERS) * 3600.0));
    bay.enable[1] = 1;
    bay.isBusStop = 1;
    for (int k = 0; k < kWayCount; ++k) {
        // Each square copies the record before it, speed and flags included.
        if (k > 0) ways[count] = ways[count - 1];
        const Corners& c = corners[static_cast<std::size_t>(k)];
        ways[count].SetCorners(c[0] * tm, c[1] * tm, c[2] * tm, c[3] * tm);
        ++count;
    }
}
