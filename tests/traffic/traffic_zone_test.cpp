// TrafficZone: Init, and Apply's rules and edges.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/box_helpers.h"
#include "tests/traffic/zone_test_support.h"

namespace {
enum class Want { Nothing, Block, Cap };

struct ApplyCase {
    std::string what;
    TrafficZone zone;
    VehicleProbe probe;
    Want want;
};

VehicleProbe At(float x, float y, float z = 0.0f) { return ProbeAt({x, y, z}); }

// A probe at the origin whose body stands at (x, y) heading along forward; its front is 2 ahead.
VehicleProbe Body(float x, float y, Point3 forward = {0, 1, 0}, Point3 sample = {0, 0, 0}) {
    VehicleProbe probe = ProbeAt(sample);
    probe.bodyTM = Frame({forward.y, -forward.x, 0}, forward, {x, y, 0});
    return probe;
}

std::vector<ApplyCase> ApplyCases() {
    std::vector<ApplyCase> cases;
    const auto add = [&](std::string what, const TrafficZone& zone, const VehicleProbe& probe, Want want) {
        cases.push_back({std::move(what), zone, probe, want});
    };
    // A speed limit at (10, 20), 4 wide and 6 long: its boundary is inside.
    const TrafficZone limit = MakeZone(FrameAt(10, 20), 2.0f, 3.0f, RuleSpeedLimit);
    add("on +x edge", limit, At(12, 20), Want::Cap);
    add("on a corner", limit, At(8, 17), Want::Cap);
    add("past x", limit, At(12.01f, 20), Want::Nothing);
    add("past y", limit, At(10, 16.99f), Want::Nothing);
    add("limit, heading back", limit, Body(10, 20, {0, -1, 0}, {10, 20, 0}), Want::Cap);
    // The starting cap is 9: rule 1 only ever lowers it.
    for (const float speed : {12.0f, 9.0f, 4.0f})
        add("limit " + std::to_string(speed), MakeZone(FrameAt(0, 0), 2, 2, RuleSpeedLimit, speed), At(0, 0),
            speed < 9.0f ? Want::Cap : Want::Nothing);
    // Height against the probe's 1.5, measured along world up whatever the zone's Z row.
    const TrafficZone raised = MakeZone(FrameAt(0, 0, 10), 2, 2, RuleVehicle);
    add("top", raised, At(0, 0, 11.5f), Want::Block);
    add("above", raised, At(0, 0, 11.51f), Want::Nothing);
    Matrix3 tilted = FrameAt(0, 0);
    tilted.SetRow(2, {5, 0, 10});
    add("tilted z, above", MakeZone(tilted, 1, 1, RuleVehicle), At(0, 0, 1.6f), Want::Nothing);
    // Rules above 4 do nothing.
    for (const std::uint32_t rule : {5u, 100u, static_cast<std::uint32_t>(RuleNone)})
        add("inert " + std::to_string(rule), MakeZone(FrameAt(0, 0), 2, 2, rule, 0), Body(0, -50), Want::Nothing);
    // A zone never acts on its owner's probes; others' are blocked (-100 assigned over the start's 5
    // and 3) or capped.
    for (std::uint32_t rule = RuleVehicle; rule <= RuleStopLine; ++rule) {
        const TrafficZone owned = MakeZone(FrameAt(0, 0), 3, 3, rule, 1.0f, 42);
        VehicleProbe own = Body(0, -50);
        own.owner = 42;
        add("own " + std::to_string(rule), owned, own, Want::Nothing);
        add("other's " + std::to_string(rule), owned, Body(0, -50),
            rule == RuleVehicle || rule == RuleObstacle ? Want::Block : Want::Cap);
    }
    // Parallel X and Y axes give a NaN inverse, which blocks nothing.
    for (std::uint32_t rule = RuleVehicle; rule <= RuleStopLine; ++rule)
        add("singular " + std::to_string(rule), MakeZone(Frame({1, 0, 0}, {2, 0, 0}, {}), 5, 5, rule, 0), Body(0, -50),
            Want::Nothing);

    // Lights and stop lines 6 wide and 3 long at the origin: heading d = Y row . body Y row > 0.3.
    for (const std::uint32_t rule : {RuleTrafficLight, RuleStopLine}) {
        const TrafficZone line = MakeZone(FrameAt(0, 0), 3.0f, 1.5f, rule, 2.0f);
        const std::string r = rule == RuleTrafficLight ? "light " : "stop ";
        add(r + "against", line, Body(0, -20, {0, -1, 0}), Want::Nothing);
        add(r + "d = 0.3", line, Body(0, -20, {0.9f, 0.3f, 0}), Want::Nothing);
        add(r + "d above 0.3", line, Body(0, -20, {0.9f, std::nextafter(0.3f, 1.0f), 0}), Want::Cap);
        add(r + "short row, d = 0.25", line, Body(0, -20, {0, 0.25f, 0}), Want::Nothing);
        add(r + "long row, d = 0.4", line, Body(0, -20, {2.3f, 0.4f, 0}), Want::Cap);
    }
    // A light holds until the front (body y + 2) passes the far edge y = 1.5; a stop line only
    // before the near edge y = -1.5.
    const TrafficZone light = MakeZone(FrameAt(0, 0), 3.0f, 1.5f, RuleTrafficLight, 2.0f);
    const TrafficZone stop = MakeZone(FrameAt(0, 0), 3.0f, 1.5f, RuleStopLine, 2.0f);
    add("light, front short of far edge", light, Body(0, -0.51f), Want::Cap);
    add("light, front on far edge", light, Body(0, -0.5f), Want::Nothing);
    add("stop, front short of near edge", stop, Body(0, -3.51f), Want::Cap);
    add("stop, front on near edge", stop, Body(0, -3.5f), Want::Nothing);
    // Facing +X at x = 50: near edge x = 49, far edge x = 51, judged in the zone's own frame.
    const Matrix3 east = Frame({0, -1, 0}, {1, 0, 0}, {50, 10, 0});
    const Point3 sample(50.5f, 12, 0);
    const TrafficZone eastStop = MakeZone(east, 4, 1, RuleStopLine, 2);
    add("east stop, before", eastStop, Body(40, 10, {1, 0, 0}, sample), Want::Cap);
    add("east stop, past", eastStop, Body(47, 10, {1, 0, 0}, sample), Want::Nothing);
    add("east stop, crossing sideways", eastStop, Body(40, 10, {0, 1, 0}, sample), Want::Nothing);
    return cases;
}
}  // namespace

TEST(ZoneApply, EdgesRulesAndHeadings) {
    for (const ApplyCase& c : ApplyCases()) {
        ZoneEffect want = kStartEffect;
        if (c.want == Want::Block) want.score = want.found = -100.0;
        if (c.want == Want::Cap) want.speedCap = c.zone.speed;
        const ZoneEffect got = Applied(c.zone, c.probe);
        EXPECT_TRUE(SameEffect(got, want)) << c.what << ": score " << got.score << " cap " << got.speedCap;
    }
}

TEST(ZoneShape, MinHalfIsTheSmallerContainsXYAndPointInBoxXYAreStrictOverlapsBoxIsClosed) {
    const TrafficZone limit = MakeZone(FrameAt(10, 20), 2.0f, 3.0f, RuleSpeedLimit);
    EXPECT_TRUE(limit.ContainsXY({11.99f, 22.99f, 50}) && !limit.ContainsXY({12, 20, 0}) && !limit.ContainsXY({10, 17, 0}));
    EXPECT_TRUE(limit.minHalf == 2.0f && MakeZone(FrameAt(0, 0), 3.0f, 1.0f).minHalf == 1.0f);
    // A zone corner strictly inside the box settles the overlap; on any of its edges it does not.
    const Box3 box({0, 0, 0}, {10, 10, 0});
    EXPECT_TRUE(PointInBoxXY({9.99f, 0.01f, 50}, box) && !PointInBoxXY({0, 5, 0}, box) && !PointInBoxXY({5, 0, 0}, box) &&
                !PointInBoxXY({10, 5, 0}, box) && !PointInBoxXY({5, 10, 0}, box));
    // Against [0, 10]: inside, around, thin and 40 long across, touching; 0.01 apart, beside a corner, singular.
    const Matrix3 thin = Frame({0.6f, 0.8f, 0}, {-0.8f, 0.6f, 0}, {5, 5, 0});
    const std::pair<TrafficZone, bool> cases[] = {
        {MakeZone(FrameAt(5, 5), 1, 1), true}, {MakeZone(FrameAt(5, 5), 20, 20), true}, {MakeZone(thin, 0.5f, 20), true},
        {MakeZone(FrameAt(12, 5), 2, 1), true}, {MakeZone(FrameAt(12.01f, 5), 2, 1), false},
        {MakeZone(thin * TransMatrix({8, 8, 0}), 0.5f, 20), false}, {MakeZone(Frame({1, 0, 0}, {2, 0, 0}, {}), 5, 5), false}};
    for (const auto& [zone, overlaps] : cases) EXPECT_EQ(zone.OverlapsBox(box), overlaps) << zone.hx;
}
