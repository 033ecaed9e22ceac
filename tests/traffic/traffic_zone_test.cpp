// TrafficZone: Init, Apply's rules and edges, and OverlapsBox against a separating-axis reference.
#include <cmath>
#include <cstddef>
#include <cstring>
#include <algorithm>
#include <functional>
#include <limits>
#include <new>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/traffic/zone_test_support.h"
#include "traffic/zone_shape.h"

// The record's fields lie in this order.
constexpr std::size_t kOffsets[] = {offsetof(TrafficZone, owner), offsetof(TrafficZone, tm),
                                    offsetof(TrafficZone, inverse), offsetof(TrafficZone, corners),
                                    offsetof(TrafficZone, hx), offsetof(TrafficZone, hy),
                                    offsetof(TrafficZone, minHalf), offsetof(TrafficZone, speed),
                                    offsetof(TrafficZone, slot), offsetof(TrafficZone, rule)};
static_assert(std::ranges::is_sorted(kOffsets));

namespace {
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

Box3 BoxXY(float x0, float y0, float x1, float y1) { return Box3({x0, y0, -1.0f}, {x1, y1, 1.0f}); }
}  // namespace

TEST(ZoneInit, CornersGoRoundFromLocalMinusXPlusYAndMinHalfIsTheSmallerHalf) {
    // Local X along world +Y, local Y along world -X.
    const TrafficZone zone = MakeZone(Frame({0, 1, 0}, {-1, 0, 0}, {10, 20, 5}), 2.0f, 3.0f);
    const Point3 expected[] = {{7, 18, 5}, {7, 22, 5}, {13, 22, 5}, {13, 18, 5}};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(zone.corners[i], expected[i]) << i;
    Box3 box({0, 19, -1}, {8, 20, 0});
    zone.AddToBox(box);
    EXPECT_TRUE(box.pmin == Point3(0, 18, -1) && box.pmax == Point3(13, 22, 5));
    EXPECT_EQ(zone.minHalf, 2.0f);
    EXPECT_EQ(MakeZone(Matrix3(), 3, 2).minHalf, 2.0f);
    EXPECT_EQ(MakeZone(Matrix3(), 1.25f, 1.25f).minHalf, 1.25f);
}

// Whatever the storage held before, a default zone is the finite unit square and acts on nothing.
TEST(ZoneInit, DefaultZoneIsAFiniteUnitSquareActingOnNothing) {
    const TrafficZone unit = MakeZone(Matrix3(), 1.0f, 1.0f, RuleNone, kNoSpeedCap);
    for (const unsigned char fill : {0x00, 0xFF}) {
        alignas(TrafficZone) unsigned char storage[sizeof(TrafficZone)];
        std::memset(storage, fill, sizeof storage);
        const TrafficZone* zone = new (storage) TrafficZone;
        EXPECT_TRUE(IsIndexable(*zone)) << int(fill);
        EXPECT_EQ(zone->inverse, Matrix3()) << int(fill);
        EXPECT_EQ(zone->minHalf, 1.0f) << int(fill);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(zone->corners[i], unit.corners[i]) << int(fill);
        for (const std::uint64_t owner : {1ull, ~0ull}) {
            VehicleProbe probe = ProbeAt({0, 0, 0}, owner);
            probe.bodyTM = FrameAt(0, -50);
            EXPECT_TRUE(SameEffect(Applied(*zone, probe), kStartEffect)) << int(fill) << " " << owner;
        }
    }
}

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
    add("on -x edge", limit, At(8, 20), Want::Cap);
    add("on +y edge", limit, At(10, 23), Want::Cap);
    add("on a corner", limit, At(8, 17), Want::Cap);
    add("past x", limit, At(12.01f, 20), Want::Nothing);
    add("past y", limit, At(10, 16.99f), Want::Nothing);
    add("limit, heading back", limit, Body(10, 20, {0, -1, 0}, {10, 20, 0}), Want::Cap);
    // The starting cap is 9: rule 1 only ever lowers it.
    for (const float speed : {12.0f, 9.0f, 4.0f, 0.0f})
        add("limit " + std::to_string(speed), MakeZone(FrameAt(0, 0), 2, 2, RuleSpeedLimit, speed), At(0, 0),
            speed < 9.0f ? Want::Cap : Want::Nothing);
    // Height against the probe's 1.5, measured along world up whatever the zone's Z row.
    const TrafficZone raised = MakeZone(FrameAt(0, 0, 10), 2, 2, RuleVehicle);
    add("top", raised, At(0, 0, 11.5f), Want::Block);
    add("bottom", raised, At(0, 0, 8.5f), Want::Block);
    add("above", raised, At(0, 0, 11.51f), Want::Nothing);
    add("below", raised, At(0, 0, 8.49f), Want::Nothing);
    Matrix3 tilted = FrameAt(0, 0);
    tilted.SetRow(2, {5, 0, 10});
    add("tilted z, top", MakeZone(tilted, 1, 1, RuleVehicle), At(0, 0, 1.5f), Want::Block);
    add("tilted z, above", MakeZone(tilted, 1, 1, RuleVehicle), At(0, 0, 1.6f), Want::Nothing);
    tilted.SetRow(2, {0, 0, 0});
    add("flat z", MakeZone(tilted, 1, 1, RuleVehicle), At(0.5f, -0.5f, 1), Want::Block);
    // Blocking assigns -100 (the start holds 5 and 3); rules above 4 do nothing.
    for (const std::uint32_t rule : {RuleVehicle, RuleObstacle})
        add("blocks " + std::to_string(rule), MakeZone(FrameAt(0, 0), 2, 2, rule, 0), At(0.5f, 0.5f), Want::Block);
    for (const std::uint32_t rule : {5u, 100u, static_cast<std::uint32_t>(RuleNone)})
        add("inert " + std::to_string(rule), MakeZone(FrameAt(0, 0), 2, 2, rule, 0), Body(0, -50), Want::Nothing);
    // A zone never acts on its owner's probes.
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
        add(r + "along", line, Body(0, -20), Want::Cap);
        add(r + "against", line, Body(0, -20, {0, -1, 0}), Want::Nothing);
        add(r + "across", line, Body(0, -20, {1, 0, 0}), Want::Nothing);
        add(r + "d = 0.3", line, Body(0, -20, {0.9f, 0.3f, 0}), Want::Nothing);
        add(r + "d above 0.3", line, Body(0, -20, {0.9f, std::nextafter(0.3f, 1.0f), 0}), Want::Cap);
        add(r + "short row, d = 0.25", line, Body(0, -20, {0, 0.25f, 0}), Want::Nothing);
        add(r + "long row, d = 0.4", line, Body(0, -20, {2.3f, 0.4f, 0}), Want::Cap);
        add(r + "probe outside", line, Body(0, -20, {0, 1, 0}, {0, 1.6f, 0}), Want::Nothing);
    }
    // A light holds until the front (body y + 2) passes the far edge y = 1.5; a stop line only
    // before the near edge y = -1.5.
    const TrafficZone light = MakeZone(FrameAt(0, 0), 3.0f, 1.5f, RuleTrafficLight, 2.0f);
    const TrafficZone stop = MakeZone(FrameAt(0, 0), 3.0f, 1.5f, RuleStopLine, 2.0f);
    add("light, front short of far edge", light, Body(0, -0.51f), Want::Cap);
    add("light, front on far edge", light, Body(0, -0.5f), Want::Nothing);
    add("stop, front short of near edge", stop, Body(0, -3.51f), Want::Cap);
    add("stop, front on near edge", stop, Body(0, -3.5f), Want::Nothing);
    add("stop, front inside", stop, Body(0, -2), Want::Nothing);
    // Facing +X at x = 50: near edge x = 49, far edge x = 51, judged in the zone's own frame.
    const Matrix3 east = Frame({0, -1, 0}, {1, 0, 0}, {50, 10, 0});
    const Point3 sample(50.5f, 12, 0);
    const TrafficZone eastStop = MakeZone(east, 4, 1, RuleStopLine, 2);
    const TrafficZone eastLight = MakeZone(east, 4, 1, RuleTrafficLight, 2);
    add("east stop, before", eastStop, Body(40, 10, {1, 0, 0}, sample), Want::Cap);
    add("east stop, past", eastStop, Body(47, 10, {1, 0, 0}, sample), Want::Nothing);
    add("east light, short", eastLight, Body(48.9f, 10, {1, 0, 0}, sample), Want::Cap);
    add("east light, on far edge", eastLight, Body(49, 10, {1, 0, 0}, sample), Want::Nothing);
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

TEST(ZoneContainsXY, StrictlyInsideAndFalseForNaN) {
    const TrafficZone zone = MakeZone(FrameAt(10, 20), 2.0f, 3.0f);
    for (const Point3& p : {Point3(12, 20, 0), Point3(10, 17, 0), Point3(8, 23, 0)}) EXPECT_FALSE(zone.ContainsXY(p));
    EXPECT_TRUE(zone.ContainsXY({11.99f, 22.99f, 1e6f}));
    EXPECT_FALSE(MakeZone(Frame({1, 0, 0}, {2, 0, 0}, {}), 5, 5).ContainsXY({0, 0, 0}));
}

// Apply and ContainsXY agree with the local coordinates of the point worked out in double.
TEST(ZoneApply, RotatedZonesMatchLocalCoordinatesInDouble) {
    std::mt19937 rng(31);
    std::uniform_real_distribution<float> angle(-kPi, kPi), coord(-100, 100), half(0.5f, 20), unit(-1.5f, 1.5f);
    int inside = 0, outside = 0;
    for (int n = 0; n < 2000; ++n) {
        const float a = angle(rng), cx = coord(rng), cy = coord(rng), hx = half(rng), hy = half(rng);
        const TrafficZone zone = MakeZone(RotateZMatrix(a) * TransMatrix({cx, cy, 0}), hx, hy);
        for (int k = 0; k < 20; ++k) {
            const Point3 p = Point3(unit(rng) * hx, unit(rng) * hy, 0) * zone.tm;
            const double dx = p.x - double{cx}, dy = p.y - double{cy};
            const double lx = dx * std::cos(double{a}) + dy * std::sin(double{a});
            const double ly = -dx * std::sin(double{a}) + dy * std::cos(double{a});
            const double mx = hx - std::fabs(lx), my = hy - std::fabs(ly);
            if (std::fabs(mx) < 1e-3 || std::fabs(my) < 1e-3) continue;
            const bool expected = mx > 0 && my > 0;
            (expected ? inside : outside)++;
            ASSERT_EQ(Applied(zone, ProbeAt(p)).score == -100.0, expected) << n << " " << k;
            ASSERT_EQ(zone.ContainsXY(p), expected) << n << " " << k;
        }
    }
    EXPECT_GT(inside, 10000);
    EXPECT_GT(outside, 10000);
}

TEST(ZoneOverlapsBox, ExactCoversContainmentAndSeparation) {
    struct Case {
        const char* what;
        TrafficZone zone;
        Box3 box;
        bool overlaps;
    };
    const Box3 b4 = BoxXY(0, 0, 4, 4), tall = BoxXY(2, 4, 6, 10);
    const Case cases[] = {
        {"box inside zone", MakeZone(FrameAt(2, 2), 20, 20), b4, true},
        {"zone inside box", MakeZone(FrameAt(2, 2), 1, 0.5f), b4, true},
        {"thin zone across, corners outside", MakeZone(RotateZMatrix(0.3f) * TransMatrix({2, 2, 0}), 100, 0.5f), b4, true},
        {"exact cover", MakeZone(FrameAt(4, 7), 2, 3), tall, true},
        {"exact cover, quarter turn", MakeZone(Frame({0, 1, 0}, {-1, 0, 0}, {4, 7, 0}), 3, 2), tall, true},
        {"same x range, longer y", MakeZone(FrameAt(2, 2), 2, 10), b4, true},
        {"lower half, three shared edges", MakeZone(FrameAt(2, 1), 2, 1), b4, true},
        {"a quadrant", MakeZone(FrameAt(3, 3), 1, 1), b4, true},
        {"half off, edges on the box's lines", MakeZone(FrameAt(4, 2), 2, 2), b4, true},
        {"diamond inscribed", MakeZone(Frame({1, 1, 0}, {-1, 1, 0}, {2, 2, 0}), 1, 1), b4, true},
        {"just below", MakeZone(FrameAt(2, -3), 2, 2.9f), b4, false},
        {"diamond off the corner", MakeZone(Frame({1, 1, 0}, {-1, 1, 0}, {5.5f, 5.5f, 0}), 1, 1), b4, false},
        {"NaN origin", MakeZone(FrameAt(kNaN, 0), 2, 2), b4, false},
        {"NaN axis, huge box", MakeZone(Frame({kNaN, 0, 0}, {0, 1, 0}, {}), 2, 2), BoxXY(-1e6f, -1e6f, 1e6f, 1e6f), false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.zone.OverlapsBox(c.box), c.overlaps) << c.what;
}

namespace {
// Draws zone and box pairs and checks OverlapsBox against the reference wherever the depth is
// clearly positive (never false) or clearly negative (never true).
void CheckOverlapsAgainstReference(const std::function<std::pair<TrafficZone, Box3>()>& draw, int count,
                                   double margin, int minEach) {
    int overlapping = 0, separated = 0;
    for (int n = 0; n < count; ++n) {
        const auto [zone, box] = draw();
        const double depth = OverlapDepth(ZoneQuad(zone), BoxQuad(box));
        if (depth > margin) {
            ++overlapping;
            ASSERT_TRUE(zone.OverlapsBox(box)) << "n=" << n << " depth=" << depth;
        } else if (depth < -margin) {
            ++separated;
            ASSERT_FALSE(zone.OverlapsBox(box)) << "n=" << n << " gap=" << -depth;
        }
    }
    EXPECT_GT(overlapping, minEach);
    EXPECT_GT(separated, minEach);
}
}  // namespace

// Axis-aligned, mirrored and 45-degree frames on a half-unit grid: shared edges and exact covers
// abound, and the reference is exact, so only mere touching is left unjudged.
TEST(ZoneOverlapsBox, GridZonesAgreeWithTheReference) {
    const Point3 axes[][2] = {
        {{1, 0, 0}, {0, 1, 0}},  {{0, 1, 0}, {-1, 0, 0}}, {{-1, 0, 0}, {0, -1, 0}}, {{0, -1, 0}, {1, 0, 0}},
        {{1, 0, 0}, {0, -1, 0}}, {{-1, 0, 0}, {0, 1, 0}}, {{0, 1, 0}, {1, 0, 0}},   {{0, -1, 0}, {-1, 0, 0}},
        {{1, 1, 0}, {-1, 1, 0}}, {{1, -1, 0}, {1, 1, 0}}, {{1, 1, 0}, {1, -1, 0}},  {{-1, 1, 0}, {-1, -1, 0}},
    };
    std::mt19937 rng(4242);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(axes)) - 1), pos(-6, 6), ext(1, 6), size(1, 8);
    const auto half = [&](std::uniform_int_distribution<int>& d) { return static_cast<float>(d(rng)) * 0.5f; };
    CheckOverlapsAgainstReference(
        [&] {
            const auto& ax = axes[pick(rng)];
            const Point3 origin(half(pos), half(pos), 0);
            const TrafficZone zone = MakeZone(Frame(ax[0], ax[1], origin), half(ext), half(ext));
            const float x0 = half(pos), y0 = half(pos);
            return std::pair{zone, BoxXY(x0, y0, x0 + half(size), y0 + half(size))};
        },
        300000, 0.0, 50000);
}

TEST(ZoneOverlapsBox, RotatedZonesAgreeWithTheReference) {
    std::mt19937 rng(777);
    std::uniform_real_distribution<float> angle(-kPi, kPi), coord(-10, 10), half(0.05f, 6), size(0.1f, 10);
    CheckOverlapsAgainstReference(
        [&] {
            const Matrix3 tm = RotateZMatrix(angle(rng)) * TransMatrix({coord(rng), coord(rng), 0});
            const TrafficZone zone = MakeZone(tm, half(rng), half(rng));
            const float x0 = coord(rng), y0 = coord(rng);
            return std::pair{zone, BoxXY(x0, y0, x0 + size(rng), y0 + size(rng))};
        },
        200000, 1e-4, 30000);
}
