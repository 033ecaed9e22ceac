// A crossroads traced end to end: what the recorded motion shows at a light, a limiter, a stop
// line, the junction, the bus stop and the parking place, for any seed and worker count.
#include <array>

#include "road/bus_stop.h"
#include "road/cross_mod.h"
#include "road/parking.h"
#include "tests/utility/run_support.h"
#include "traffic/speed_limiter.h"
#include "traffic/stop_line.h"
#include "traffic/traffic_light.h"
#include "utility/run_driver.h"

namespace {

constexpr float kLane = 350.0f, kJunction = 1000.0f, kRoadEnd = 8000.0f, kQuarter = 1.5707964f;
constexpr int kRedFrames = 120, kFrames = 230;

enum Role { Held, Limited, Crossing, Stopped, Bus, Parker };
// On the right-hand lane of its road, heading along it (radians from +X).
struct Start { Role role; Point3 at; float heading; };
const Start kStarts[] = {{Held, {-2500, -175, 0}, 0}, {Held, {-4000, -175, 0}, 0}, {Limited, {3500, 175, 0}, 2 * kQuarter},
                         {Crossing, {175, -3500, 0}, kQuarter}, {Stopped, {-175, 3500, 0}, -kQuarter},
                         {Bus, {2500, -175, 0}, 0}, {Bus, {175, 2500, 0}, kQuarter},
                         {Parker, {-2500, 175, 0}, 2 * kQuarter}, {Parker, {-4000, 175, 0}, 2 * kQuarter}};
float HalfWidth(const Start& s) { return s.role == Bus ? 125.0f : 90.0f; }

// Two two-lane roads through a junction outline; a light red for 120 frames on the west approach,
// a 20 km/h limiter on the east one, a stop line on the north one; bus stops east and north of the
// junction beside the lanes leaving it, a parking bay west of it beside the westbound lane, all 15 m long.
void Crossroads(RunTest& run) {
    for (const Point3 end : {Point3(kRoadEnd, 0, 0), Point3(0, kRoadEnd, 0)}) {
        RoadMod* road = nullptr;
        AddRoad(MakeShape({-end, end}), &road);
        Block(road)->SetValue(kStripWidth, 0, kLane), Block(road)->SetValue(kMaxSpeed, 0, 50.0f);
    }
    auto* cross = new CrossMod;
    const float j = kJunction;
    cross->GetParamBlock(0)->SetValue(2, 0, 30.0f);
    run.Add(MakeShape({{-j, -j, 0}, {j, -j, 0}, {j, j, 0}, {-j, j, 0}}, true))->AddWSModifier(cross);
    const struct { ClassDesc* desc; float width, length; Point3 at; float angle; } helpers[] = {
        {GetTrafficLightDesc(), kLane / 2, 100, {-1200, -175, 0}, -kQuarter},
        {GetSpeedLimiterDesc(), 400, kLane / 2, {1900, 175, 0}, 0},
        {GetStopLineDesc(), kLane / 2, 100, {-175, 1300, 0}, 2 * kQuarter},
        {GetBusStopDesc(), 300, 1500, {4000, -kLane, 0}, -kQuarter},
        {GetBusStopDesc(), 300, 1500, {kLane, 4000, 0}, 0},
        {GetParkingDesc(), kLane, 1500, {-6000, 1.5f * kLane, 0}, kQuarter}};
    for (const auto& h : helpers) {
        auto* obj = static_cast<Object*>(h.desc->Create(FALSE));
        run.Add(obj, h.at, h.angle);
        IParamBlock2* block = obj->GetParamBlock(0);
        block->SetValue(0, 0, h.width), block->SetValue(1, 0, h.length);
        if (h.desc == GetSpeedLimiterDesc()) block->SetValue(kSpeedLimiterSpeedParam, 0, 20.0f);
        if (h.desc != GetTrafficLightDesc()) continue;
        block->SetValue(kPeriodParam, 0, 2 * kRedFrames * 160);
        for (int i = 0; i < 24; ++i) block->SetValue(kDiagramParam, 0, i < 12 ? 0 : 1, i);
    }
    run.AddGround(18000, {-9000, -9000, 0});
    for (const Start& s : kStarts) {
        VehicleObject* v = run.AddCar(s.at);
        v->SetType(s.role == Bus ? 1 : 0);
        if (s.role != Bus) continue;
        v->SetSize({250, 1200, 300});
        v->SetWheelTables({110, 400, 50}, {30, 50, 0}, 0), v->SetWheelTables({110, -400, 50}, {30, 50, 0}, 1);
    }
}

// Every vehicle starts on its lane having driven 100 m with the wish (a bus or car stops only after
// 50 m), or none. Whatever the seed and worker count: no stop without the wish; the light holds a
// queue; the limiter and the stop line slow their cars to 20 and about 11 km/h; on the straight
// roads each vehicle keeps to a lane of its own direction, and turning vehicles keep within a lane
// of the connectors (2.3 m seen); no two vehicles meet. Counts the frames a bus stood at a stop,
// those a car spent parked, and the vehicles that turned.
std::array<int, 3> TraceCrossroads(RunTest& run, unsigned seed, bool wish, [[maybe_unused]] DWORD processors) {
    GetCOREInterface()->ResetScene();
    Crossroads(run);
#ifndef _WIN32  // Windows runs on the machine's own processors
    HostSetProcessorCount(processors);
#endif
    SharedRandom().srand(seed);
    const std::vector<VehicleState*> vehicles = RunTest::Vehicles();
    for (std::size_t i = 0; i < vehicles.size(); ++i) {
        vehicles[i]->ResetAt(RotateZMatrix(kStarts[i].heading - kQuarter) * TransMatrix(kStarts[i].at), 0);
        vehicles[i]->travelled = wish ? 100.0 : 0.0;
    }
    run.panel.startTime = 0, run.panel.endTime = kFrames * 160;
    CarTracing(run.panel);
    const LaneNetwork lanes;  // four lanes, the bus stops' three ways each, the bay, then the connectors
    constexpr int connectors = 4 + 2 * 3 + 1;
    int busStill = 0, parked = 0, turned = 0;
    float offConnector = 0, offLane = 0, closeness = 1e9f, slowest[2] = {};  // limiter, stop line: the longest frame step
    bool waited = true;
    std::vector<std::vector<Point3>> paths(vehicles.size());
    for (std::size_t i = 0; i < vehicles.size(); ++i) {
        float offJunction = 0;
        std::vector<Point3>& path = paths[i];
        for (int k = 0; k < kFrames; ++k) {
            Matrix3 tm;
            EXPECT_TRUE(vehicles[i]->GetPartTM(tm, 0, k * 160));
            const Point3 p = tm.GetTrans();
            const float step = k > 0 ? Length(p - path.back()) : 1.0f;
            float nearest = 1e9f, ownLane = 1e9f;  // from the middle of the nearest connector; beyond the nearest own lane
            for (int w = 0; w < lanes.Count(); ++w) {
                const WayRecord& way = lanes.Ways()[w];
                const Point3 q = p * way.inverse;
                const bool on = std::fabs(q.x) <= way.halfX && std::fabs(q.y) <= way.halfY;
                if (w >= connectors && std::fabs(q.x) <= way.halfX) nearest = std::min(nearest, std::fabs(q.y));
                if (w < 4 && std::fabs(q.x) <= way.halfX && DotProd(way.frame.GetRow(0), tm.GetRow(1)) > 0)
                    ownLane = std::min(ownLane, std::fabs(q.y) - way.halfY);
                if (on && (way.isBusStop || way.isParking)) ownLane = std::min(ownLane, 0.0f);
                busStill += on && way.isBusStop && step < 1.0f;
                parked += on && way.isParking;
            }
            const float along = std::max(std::fabs(p.x), std::fabs(p.y));
            if (along < kJunction) offJunction = std::max(offJunction, nearest);
            if (along > kJunction && along < kRoadEnd) offLane = std::max(offLane, ownLane);
            const Role role = kStarts[i].role;
            if ((role == Limited && std::fabs(p.x - 1900) < 250) || (role == Stopped && std::fabs(p.y - 1680) < 50))
                slowest[role == Stopped] = std::max(slowest[role == Stopped], step);
            for (std::size_t v = 0; v < i; ++v)
                closeness = std::min(closeness, Length(p - paths[v][k]) - HalfWidth(kStarts[i]) - HalfWidth(kStarts[v]));
            path.push_back(p);
        }
        const Point3 first = path.front(), last = path.back(), redEnd = path[kRedFrames - 1];
        if ((std::fabs(first.x) > std::fabs(first.y)) != (std::fabs(last.x) > std::fabs(last.y)))
            offConnector = std::max(offConnector, offJunction), ++turned;
        // Up to the light while it is red, on past it once green.
        if (kStarts[i].role == Held) waited = waited && redEnd.x < -1100 && redEnd.x > first.x + 500 && Length(last - redEnd) > 1000;
    }
    EXPECT_TRUE(wish || (busStill == 0 && parked == 0)) << seed;
    EXPECT_TRUE(waited && offLane <= 0 && offConnector < kLane && closeness > 0) << seed << ": " << offLane << ", " << offConnector << ", " << closeness;
    EXPECT_TRUE(slowest[0] < 19 && slowest[1] < 10) << seed << ": " << slowest[0] << ", " << slowest[1];
    return {busStill, parked, turned};
}

// A bus stands in about half the traces with the wish, so traces go on past the tenth until one
// has: a stream where none of 24 does is as good as impossible.
TEST_F(RunTest, CrossroadsHoldForEverySeedAndWorkerCount) {
    int stood = 0, parked = 0, turned = 0;
    for (unsigned seed = 1; seed <= 10 || (seed <= 24 && (stood == 0 || parked == 0 || turned == 0)); ++seed) {
        const auto [bus, car, turns] = TraceCrossroads(*this, seed, seed > 2, seed % 3 == 1 ? 1 : 8);
        stood += bus >= 10, parked += car > 0, turned += turns;
    }
    EXPECT_TRUE(stood > 0 && parked > 0 && turned > 0) << stood << ", " << parked << ", " << turned;
}

}  // namespace
