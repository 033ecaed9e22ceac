// One way's verdict on a probe, case by case. The way runs along +X around (100, 50, 0), 20
// long and 4 wide, limited to 500 scene units per second; scene units are centimetres.
#include <cmath>

#include <gtest/gtest.h>

#include "host/time.h"
#include "tests/road/road_test_support.h"

namespace {
struct Case {
    const char* name;
    void (*way)(WayRecord&);
    void (*probe)(VehicleProbe&);
    ZoneEffect expected;
};

void AsIs(WayRecord&) {}
void AsIs(VehicleProbe&) {}

WayRecord TestWay() {
    WayRecord way = BoxWay(90.0f, 48.0f, 110.0f, 52.0f);
    way.maxSpeed = 500.0f;
    return way;
}

// The inner score at lateral offset y, aligned heading d and lateral-axis product e, wander w.
double Shaped(float y, float d, float e, float w) {
    const float s = (1.0f + 3.0f * (1.0f - std::fabs(y / 2.0f))) * std::asin(d);
    return s * (4.0f - 3.0f * std::fabs(std::fabs(e) - w));
}

float CapAtSlot(int slot) {
    return static_cast<float>(500.0 + slot * 10.0 / (GetMasterScale(UNITS_KILOMETERS) * 3600.0));
}

constexpr ZoneEffect kOnWay{1.0, 1.0, 0.0, 0.0, 500.0f};

const Case kCases[] = {
    {"centre", AsIs, AsIs, kOnWay},
    {"front edge", AsIs, [](VehicleProbe& p) { p.position.x = 110.0f; }, kOnWay},
    {"back edge", AsIs, [](VehicleProbe& p) { p.position.x = 90.0f; }, kOnWay},
    {"side edge", AsIs, [](VehicleProbe& p) { p.position.y = 52.0f; }, kOnWay},
    {"corner", AsIs, [](VehicleProbe& p) { p.position = {90.0f, 48.0f, 0.0f}; }, kOnWay},
    {"past front", AsIs, [](VehicleProbe& p) { p.position.x = 110.01f; }, kLaneStart},
    {"past side", AsIs, [](VehicleProbe& p) { p.position.y = 47.99f; }, kLaneStart},
    {"at height", AsIs, [](VehicleProbe& p) { p.position.z = 150.0f; }, kOnWay},
    {"below by height", AsIs, [](VehicleProbe& p) { p.position.z = -150.0f; }, kOnWay},
    {"above height", AsIs, [](VehicleProbe& p) { p.position.z = 150.01f; }, kLaneStart},
    {"NaN position", AsIs, [](VehicleProbe& p) { p.position.x = NAN; }, kLaneStart},
    {"backwards", AsIs, [](VehicleProbe& p) { p.heading = {-1.0f, 0.001f, 0.0f}; }, kLaneStart},
    {"across counts as forward", AsIs, [](VehicleProbe& p) { p.heading = {0.0f, 1.0f, 0.0f}; }, kOnWay},
    {"across, inner: asin(0) scores 0", AsIs,
     [](VehicleProbe& p) {
         p.heading = {0.0f, -1.0f, 0.0f};
         p.inner = 1;
     },
     {0.0, 1.0, 0.0, 16.0, 500.0f}},
    {"inner shaped score", AsIs,
     [](VehicleProbe& p) {
         p.position.y = 51.0f;
         p.inner = 1;
         p.wander = 0.25f;
         p.slot = 3;
     },
     {Shaped(1.0f, 1.0f, -1.0f, 0.25f), 1.0, 0.0, 13.0, CapAtSlot(3)}},
    {"inner shaped score, heading 60 degrees off", AsIs,
     [](VehicleProbe& p) {
         p.inner = 1;
         p.heading = {0.5f, 0.8660254f, 0.0f};
         p.bodyTM.SetRow(0, {0.8660254f, -0.5f, 0.0f});
     },
     {Shaped(0.0f, 0.5f, -0.5f, 0.0f), 1.0, 0.0, 16.0, 500.0f}},
    {"dot product above 1 scores as 1", AsIs,
     [](VehicleProbe& p) {
         p.inner = 1;
         p.heading = {1.0000001f, 0.0f, 0.0f};
     },
     {Shaped(0.0f, 1.0f, -1.0f, 0.0f), 1.0, 0.0, 16.0, 500.0f}},
    {"speed cap gains 10 km/h per slot", AsIs, [](VehicleProbe& p) { p.slot = 2; },
     {1.0, 1.0, 0.0, 0.0, CapAtSlot(2)}},
    {"closed to trucks", [](WayRecord& w) { w.enable[2] = 0; }, [](VehicleProbe& p) { p.type = 2; }, kLaneStart},
    {"type 3 is closed", AsIs, [](VehicleProbe& p) { p.type = 3; }, kLaneStart},
    {"type -1 is closed", AsIs, [](VehicleProbe& p) { p.type = -1; }, kLaneStart},
    {"type outside, inner: priority only", AsIs,
     [](VehicleProbe& p) {
         p.type = 7;
         p.inner = 1;
         p.slot = 5;
     },
     {-100.0, -100.0, 0.0, 11.0, kNoSpeedCap}},
    {"bus-stop way closed to a car still gives its stop term",
     [](WayRecord& w) {
         w.isBusStop = 1;
         w.enable[0] = 0;
     },
     [](VehicleProbe& p) {
         p.inner = 1;
         p.slot = 1;
     },
     {-100.0, -100.0, -20.0, 15.0, kNoSpeedCap}},
    {"bus-stop way, bus that may not stop", [](WayRecord& w) { w.isBusStop = 1; },
     [](VehicleProbe& p) {
         p.type = 1;
         p.inner = 1;
     },
     {Shaped(0.0f, 1.0f, -1.0f, 0.0f), 1.0, -20.0, 16.0, 500.0f}},
    {"bus that may stop: 16 - slot and the way's own limit", [](WayRecord& w) { w.isBusStop = 1; },
     [](VehicleProbe& p) {
         p.type = 1;
         p.inner = 1;
         p.busMayStop = 1;
         p.slot = 4;
     },
     {Shaped(0.0f, 1.0f, -1.0f, 0.0f), 1.0, 12.0, 12.0, 500.0f}},
    {"bus that may stop, outer sample: no stop term", [](WayRecord& w) { w.isBusStop = 1; },
     [](VehicleProbe& p) {
         p.type = 1;
         p.busMayStop = 1;
         p.slot = 4;
     },
     {1.0, 1.0, 0.0, 0.0, CapAtSlot(4)}},
    {"car that may park", [](WayRecord& w) { w.isParking = 1; },
     [](VehicleProbe& p) {
         p.inner = 1;
         p.carMayPark = 1;
         p.slot = 6;
     },
     {Shaped(0.0f, 1.0f, -1.0f, 0.0f), 1.0, 10.0, 10.0, 500.0f}},
    {"car that may park on a bus stop: no stop wish", [](WayRecord& w) { w.isBusStop = 1; },
     [](VehicleProbe& p) {
         p.inner = 1;
         p.carMayPark = 1;
     },
     {Shaped(0.0f, 1.0f, -1.0f, 0.0f), 1.0, -20.0, 16.0, 500.0f}},
};
}  // namespace

TEST(WayEvaluate, CaseTable) {
    for (const Case& c : kCases) {
        WayRecord way = TestWay();
        c.way(way);
        VehicleProbe probe = ProbeAt({100.0f, 50.0f, 0.0f});
        c.probe(probe);
        ZoneEffect e = kLaneStart;
        way.Evaluate(probe, e);
        EXPECT_TRUE(SameEffect(e, c.expected))
            << c.name << ": score " << e.score << " found " << e.found << " stop " << e.stopTerm << " priority "
            << e.priority << " cap " << e.speedCap;
    }
}

TEST(WayEvaluate, ScoreOnlyRisesAndCapOnlyFalls) {
    const WayRecord way = TestWay();
    ZoneEffect e{5.0, 0.0, 0.0, 0.0, 300.0f};
    way.Evaluate(ProbeAt({100.0f, 50.0f, 0.0f}), e);
    EXPECT_EQ(e.score, 5.0);
    EXPECT_EQ(e.speedCap, 300.0f);
    EXPECT_EQ(e.found, 1.0);
}
