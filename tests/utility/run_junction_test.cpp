// A crossroads traced end to end: what the recorded motion shows at a light, the junction, the
// bus stop and the parking place.
#include "road/bus_stop.h"
#include "road/cross_mod.h"
#include "road/parking.h"
#include "tests/utility/run_support.h"
#include "traffic/traffic_light.h"
#include "utility/run_driver.h"

namespace {

constexpr float kLane = 350.0f, kJunction = 1000.0f, kQuarter = 1.5707964f;
constexpr int kFrames = 300, kRedFrames = 120;

enum Role { Held, Crossing, Bus, Parker };
// On the right-hand lane of its road, heading along it (radians from +X).
const struct { Role role; Point3 at; float heading; } kStarts[] = {
    {Held, {-2500, -175, 0}, 0}, {Crossing, {3500, 175, 0}, 2 * kQuarter}, {Crossing, {175, -3500, 0}, kQuarter},
    {Crossing, {-175, 3500, 0}, -kQuarter}, {Bus, {1500, -175, 0}, 0}, {Parker, {-2000, 175, 0}, 2 * kQuarter}};

// Two two-lane roads through a junction outline with a light on its west approach, red for the
// first 120 frames; east of it a bus stop beside the eastbound lane, west of it a parking bay
// beside the westbound lane, both 15 m long; the vehicles above.
void Crossroads(RunTest& run) {
    for (const Point3 end : {Point3(8000, 0, 0), Point3(0, 8000, 0)}) {
        RoadMod* road = nullptr;
        AddRoad(MakeShape({-end, end}), &road);
        Block(road)->SetValue(kStripWidth, 0, kLane);
        Block(road)->SetValue(kMaxSpeed, 0, 50.0f);
    }
    auto* cross = new CrossMod;
    cross->GetParamBlock(0)->SetValue(2, 0, 30.0f);
    const float j = kJunction;
    run.Add(MakeShape({{-j, -j, 0}, {j, -j, 0}, {j, j, 0}, {-j, j, 0}}, true))->AddWSModifier(cross);
    const struct { ClassDesc* desc; float width, length; Point3 at; float angle; } helpers[] = {
        {GetTrafficLightDesc(), kLane / 2, 100, {-1200, -175, 0}, -kQuarter},
        {GetBusStopDesc(), 300, 1500, {4000, -kLane, 0}, -kQuarter},
        {GetParkingDesc(), kLane, 1500, {-6000, 1.5f * kLane, 0}, kQuarter}};
    for (const auto& h : helpers) {
        auto* obj = static_cast<Object*>(h.desc->Create(FALSE));
        run.Add(obj, h.at, h.angle);
        IParamBlock2* block = obj->GetParamBlock(0);
        block->SetValue(0, 0, h.width);
        block->SetValue(1, 0, h.length);
        if (h.desc != GetTrafficLightDesc()) continue;
        block->SetValue(kPeriodParam, 0, 2 * kRedFrames * 160);
        for (int i = 0; i < 24; ++i) block->SetValue(kDiagramParam, 0, i < 12 ? 0 : 1, i);
    }
    run.AddGround(18000, {-9000, -9000, 0});
    for (const auto& s : kStarts) {
        VehicleObject* v = run.AddCar(s.at);
        v->SetType(s.role == Bus ? 1 : 0);
        if (s.role != Bus) continue;
        v->SetSize({250, 1200, 300});
        v->SetWheelTables({110, 400, 50}, {30, 50, 0}, 0);
        v->SetWheelTables({110, -400, 50}, {30, 50, 0}, 1);
    }
}

// Every vehicle starts on its lane having driven 100 m (as placed) or none: a bus stops in its
// bay and a car enters the parking bay only after 50 m. Vehicles that leave the junction on the
// other road keep to its connectors. Seeded, on one worker, so the run is always the same.
TEST_F(RunTest, CrossroadsTurnsOnConnectorsStopsAndParksWhenWished) {
    for (const auto& [travelled, wishes] : {std::pair{100.0, true}, {0.0, false}}) {
        GetCOREInterface()->ResetScene();
        Crossroads(*this);
        HostSetProcessorCount(1);
        SharedRandom().srand(10);
        const std::vector<VehicleState*> vehicles = Vehicles();
        for (std::size_t i = 0; i < vehicles.size(); ++i) {
            vehicles[i]->ResetAt(RotateZMatrix(kStarts[i].heading - kQuarter) * TransMatrix(kStarts[i].at), 0);
            vehicles[i]->travelled = travelled;
        }
        panel.startTime = 0, panel.endTime = kFrames * 160;
        CarTracing(panel);
        const LaneNetwork lanes;  // four lanes, the bus stop's three ways, the bay, then the connectors
        int turned = 0;
        for (std::size_t i = 0; i < vehicles.size(); ++i) {
            int still = 0, parked = 0;
            float offConnector = 0;
            Point3 first, last(1e9f, 0, 0), redEnd;
            for (int k = 0; k < kFrames; ++k) {
                Matrix3 tm;
                ASSERT_TRUE(vehicles[i]->GetPartTM(tm, 0, k * 160));
                const Point3 p = tm.GetTrans();
                float nearest = 1e9f;
                for (int w = 0; w < lanes.Count(); ++w) {
                    const WayRecord& way = lanes.Ways()[w];
                    const Point3 q = p * way.inverse;
                    const bool on = std::fabs(q.x) <= way.halfX && std::fabs(q.y) <= way.halfY;
                    if (w >= 8 && std::fabs(q.x) <= way.halfX) nearest = std::min(nearest, std::fabs(q.y));
                    still += on && way.isBusStop && Length(p - last) < 1.0f;
                    parked += on && way.isParking;
                }
                if (std::fabs(p.x) < kJunction && std::fabs(p.y) < kJunction)
                    offConnector = std::max(offConnector, nearest);
                (k == 0 ? first : last) = p;
                if (k == kRedFrames - 1) redEnd = p;
            }
            const bool turns = (std::fabs(first.x) > std::fabs(first.y)) != (std::fabs(last.x) > std::fabs(last.y));
            turned += turns;
            EXPECT_TRUE(!turns || offConnector < kLane / 4) << i << ": " << offConnector;
            // Up to the light while it is red, on past it once green.
            const Role role = kStarts[i].role;
            const bool waited = redEnd.x < -1100 && redEnd.x > -2200 && Length(last - redEnd) > 2000;
            EXPECT_TRUE(role != Held || waited) << redEnd.x;
            EXPECT_TRUE(role != Bus || (still >= 30) == wishes) << still;
            EXPECT_TRUE(role != Parker || (parked > 0) == wishes) << parked;
        }
        EXPECT_GT(turned, 0);
    }
}

}  // namespace
