// One way record: its frame, its verdict on a probe and snapping onto it.
#include <random>

#include "road/way_overlap.h"
#include "tests/road/road_support.h"

namespace {
// A 20 by 4 way along +X around (100, 50, 0) at 500 units/s; the probe a car at its centre.
struct EvaluateCase {
    const char* name;
    void (*way)(WayRecord&);
    void (*probe)(VehicleProbe&);
    ZoneEffect expected;
};

void AsIs(WayRecord&) {}
void AsIs(VehicleProbe&) {}

// The inner score at lateral offset y, aligned heading d and lateral-axis product e, wander w.
double Shaped(float y, float d, float e, float w) {
    return (1.0f + 3.0f * (1.0f - std::fabs(y / 2.0f))) * std::asin(d) * (4.0f - 3.0f * std::fabs(std::fabs(e) - w));
}

float CapAtSlot(int slot) {
    return static_cast<float>(500.0 + slot * 10.0 / (GetMasterScale(UNITS_KILOMETERS) * 3600.0));
}

constexpr ZoneEffect kOnWay{1.0, 1.0, 0.0, 0.0, 500.0f};
const double kAligned = Shaped(0.0f, 1.0f, -1.0f, 0.0f);

const EvaluateCase kEvaluateCases[] = {
    {"centre", AsIs, AsIs, kOnWay},
    {"before the start", AsIs, [](VehicleProbe& p) { p.position.x = 89.0f; }, kLaneStart},
    {"past the end", AsIs, [](VehicleProbe& p) { p.position.x = 111.0f; }, kLaneStart},
    {"backwards (d < 0)", AsIs, [](VehicleProbe& p) { p.heading = {-1.0f, 0.001f, 0.0f}; }, kLaneStart},
    {"across (d = 0) counts as forward", AsIs, [](VehicleProbe& p) { p.heading = {0.0f, 1.0f, 0.0f}; }, kOnWay},
    {"across, inner: asin(0) scores 0", AsIs,
     [](VehicleProbe& p) { p.heading = {0.0f, -1.0f, 0.0f}, p.inner = 1; }, {0.0, 1.0, 0.0, 16.0, 500.0f}},
    {"inner shaped score", AsIs,
     [](VehicleProbe& p) { p.position.y = 51.0f, p.inner = 1, p.wander = 0.25f, p.slot = 3; },
     {Shaped(1.0f, 1.0f, -1.0f, 0.25f), 1.0, 0.0, 13.0, CapAtSlot(3)}},
    {"inner shaped score, heading 60 degrees off", AsIs,
     [](VehicleProbe& p) {
         p.inner = 1, p.heading = {0.5f, 0.8660254f, 0.0f};
         p.bodyTM.SetRow(0, {0.8660254f, -0.5f, 0.0f});
     },
     {Shaped(0.0f, 0.5f, -0.5f, 0.0f), 1.0, 0.0, 16.0, 500.0f}},
    {"dot product above 1 scores as 1", AsIs, [](VehicleProbe& p) { p.inner = 1, p.heading = {1.0000001f, 0, 0}; },
     {kAligned, 1.0, 0.0, 16.0, 500.0f}},
    {"speed cap gains 10 km/h per slot", AsIs, [](VehicleProbe& p) { p.slot = 2; }, {1.0, 1.0, 0.0, 0.0, CapAtSlot(2)}},
    {"closed to trucks", [](WayRecord& w) { w.enable[2] = 0; }, [](VehicleProbe& p) { p.type = 2; }, kLaneStart},
    {"type 3 is closed", AsIs, [](VehicleProbe& p) { p.type = 3; }, kLaneStart},
    {"bus-stop way closed to a car still gives its stop term", [](WayRecord& w) { w.isBusStop = 1, w.enable[0] = 0; },
     [](VehicleProbe& p) { p.inner = 1, p.slot = 1; }, {-100.0, -100.0, -20.0, 15.0, kNoSpeedCap}},
    {"bus-stop way, bus that may not stop", [](WayRecord& w) { w.isBusStop = 1; },
     [](VehicleProbe& p) { p.type = 1, p.inner = 1; }, {kAligned, 1.0, -20.0, 16.0, 500.0f}},
    {"bus that may stop: 16 - slot and the way's own limit", [](WayRecord& w) { w.isBusStop = 1; },
     [](VehicleProbe& p) { p.type = 1, p.inner = 1, p.busMayStop = 1, p.slot = 4; },
     {kAligned, 1.0, 12.0, 12.0, 500.0f}},
    {"car that may park", [](WayRecord& w) { w.isParking = 1; },
     [](VehicleProbe& p) { p.inner = 1, p.carMayPark = 1, p.slot = 6; }, {kAligned, 1.0, 10.0, 10.0, 500.0f}},
    {"car that may park on a bus stop: no stop wish", [](WayRecord& w) { w.isBusStop = 1; },
     [](VehicleProbe& p) { p.inner = 1, p.carMayPark = 1; }, {kAligned, 1.0, -20.0, 16.0, 500.0f}},
};
}  // namespace

TEST(WayEvaluate, CaseTableAndALopsidedWaysCorners) {
    for (const EvaluateCase& c : kEvaluateCases) {
        WayRecord way = BoxWay(90.0f, 48.0f, 110.0f, 52.0f);
        way.maxSpeed = 500.0f;
        c.way(way);
        VehicleProbe probe = ProbeAt({100.0f, 50.0f, 0.0f});
        c.probe(probe);
        ZoneEffect e = kLaneStart;
        way.Evaluate(probe, e);
        EXPECT_TRUE(SameEffect(e, c.expected)) << c.name << ": score, found, stop, priority, cap " << e.score << " "
                                               << e.found << " " << e.stopTerm << " " << e.priority << " " << e.speedCap;
    }
    // The half sizes reach a lopsided way's farthest corner on each side, so every corner is held.
    const WayRecord lopsided = MakeWay({0, 0, 0}, {1000, -300, 0}, {1000, 100, 0}, {400, 100, 0});
    for (const Point3& c : lopsided.corner) {
        ZoneEffect e = kLaneStart;
        lopsided.Evaluate(ProbeAt(c), e);
        EXPECT_EQ(e.found, 1.0) << c.x << "," << c.y;
    }
}

// Corners whose cross edges run from the left edge to the right one, given in reverse order or
// crossed over, still make a frame with X along the travel and X x Y up: Y then points from the
// c3/c2 edge to the c0/c1 edge, and the inverse measures along that Y. The reversed way rises 1
// in 10; the crossed one is a bow tie.
TEST(WayFrame, ReversedAndCrossedCornersStandUpright) {
    const float a = std::sqrt(1.01f);
    const struct { const char* name; Point3 corner[4], frame[4], inverse[4]; float halfX, halfY; } cases[] = {
        {"reverse order", {{0, 400, 0}, {1000, 400, 100}, {1000, 0, 100}, {0, 0, 0}},
         {Point3(1, 0, 0.1f) / a, {0, 1, 0}, Point3(-0.1f, 0, 1) / a, {500, 200, 50}},
         {{a, 0, -0.1f}, {0, 1, 0}, {0, 0, 1}, {-500 * a, -200, 0}}, 500 * a, 200},
        {"crossed", {{0, 0, 0}, {1000, 600, 0}, {1000, -200, 0}, {0, 400, 0}},
         {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {500, 200, 0}}, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {-500, -200, 0}}, 500, 400},
    };
    for (const auto& t : cases) {
        const WayRecord way = MakeWay(t.corner[0], t.corner[1], t.corner[2], t.corner[3]);
        for (int r = 0; r < 4; ++r) {
            EXPECT_TRUE(Near(way.frame.GetRow(r), t.frame[r], 1e-3f)) << t.name << " frame row " << r;
            EXPECT_TRUE(Near(way.inverse.GetRow(r), t.inverse[r], 1e-3f)) << t.name << " inverse row " << r;
        }
        EXPECT_NEAR(way.halfX, t.halfX, 1e-3f) << t.name;
        EXPECT_TRUE(way.halfY == t.halfY && way.minHalf == t.halfY) << t.name;
    }
}

namespace {
// A vehicle at p facing (0.6, 0.8, 0), tilted about its forward axis; 0.1 m is 10 units.
Matrix3 VehicleAt(Point3 p) {
    Matrix3 m({0.8f, -0.6f, 0.1f}, {0.6f, 0.8f, 0.0f}, {-0.08f, 0.06f, 1.0f}, p);
    m.SetFlags(MAT_IDENT);
    return m;
}
}  // namespace

TEST(WaySnap, OneWay) {
    const WayRecord flat = BoxWay(0, 0, 1000, 400), raised = BoxWay(0, 0, 1000, 400, 20.0f);
    const WayRecord sloped = MakeWay({0, 0, 0}, {1000, 0, 100}, {1000, 400, 100}, {0, 400, 0});  // rises 1 in 10
    const Point3 kStays(NAN, NAN, NAN);
    const struct {
        const char* name;
        const WayRecord& way;
        Point3 at, expected;  // kStays: the pose is left as it is
        float tolerance;      // what the tolerance of 100 becomes
    } cases[] = {
        {"moved down onto a raised way", raised, {300, 100, 70}, {300, 100, 20}, 50},
        {"sloped: moved vertically", sloped, {250, 100, 80}, {250, 100, 25}, 55},
        {"within 0.1 m: only the tolerance", flat, {300, 100, -9.5f}, kStays, 9.5f},
        {"exactly 0.1 m is moved", flat, {300, 100, 10}, {300, 100, 0}, 10},
        {"edge and tolerance count as on", flat, {1000, 400, 100}, {1000, 400, 0}, 100},
        {"past the end", flat, {1000.5f, 100, 50}, kStays, 100},
        {"past the side", flat, {300, -0.5f, 50}, kStays, 100},
        {"beyond the tolerance", flat, {300, 100, 100.5f}, kStays, 100},
        {"NaN", flat, {NAN, 100, 50}, kStays, 100},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        const Matrix3 start = VehicleAt(t.at);
        Matrix3 m = start;
        float tolerance = 100.0f;
        t.way.Snap(m, tolerance);
        EXPECT_NEAR(tolerance, t.tolerance, 1e-3f);
        if (std::isnan(t.expected.x)) {
            EXPECT_TRUE(SameMatrix(m, start));
            continue;
        }
        // Stood on the plane: up is the way's normal, forward the old forward along the plane.
        const Point3 up = t.way.frame.GetRow(2), f0 = start.GetRow(1);
        EXPECT_TRUE(Near(m.GetRow(3), t.expected, 1e-3f));
        EXPECT_TRUE(Near(m.GetRow(2), up, 1e-6f));
        EXPECT_TRUE(Near(m.GetRow(1), Normalize(f0 - up * DotProd(f0, up)), 1e-6f));
        EXPECT_TRUE(Near(m.GetRow(0), CrossProd(m.GetRow(1), up), 1e-6f));
        EXPECT_EQ(m.GetFlags() & MAT_IDENT, 0u);
    }
    EXPECT_TRUE(Near(sloped.frame.GetRow(2), Normalize({-100, 0, 1000}), 1e-6f));
}

// A held point lies in an overlapped cell, even a one-point cell, on edges of far sheared ways.
TEST(WayOverlap, EveryHeldPointIsInAnOverlappedCell) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> spread(-2e5f, 2e5f), size(50.0f, 2000.0f), unit(0.0f, 1.0f);
    int held = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        const Point3 o(spread(rng), spread(rng), 0.0f), a(size(rng), size(rng) * (unit(rng) - 0.5f), 0.0f);
        const Point3 b(size(rng) * (unit(rng) - 0.5f), size(rng), 0.0f);
        const WayRecord way = MakeWay(o, o + a, o + a + b, o + b);
        for (int k = 0; k < 4; ++k) {
            const Point3 p = way.corner[k] + (way.corner[(k + 1) % 4] - way.corner[k]) * unit(rng);
            const Point3 q = p * way.inverse;
            if (!(std::fabs(q.x) <= way.halfX && std::fabs(q.y) <= way.halfY)) continue;
            ++held;
            ASSERT_TRUE(WayOverlapsBox(WayReach(way), Box3(p, p))) << trial << " " << k;
        }
    }
    EXPECT_GT(held, 2000);
    // In the corner of a cell vastly larger than the way, its reach rounds to the cell's edge.
    EXPECT_TRUE(WayOverlapsBox(WayReach(BoxWay(0, 0, 1, 1)), Box3({0, 0, 0}, {1e9f, 1e9f, 0})));
}
