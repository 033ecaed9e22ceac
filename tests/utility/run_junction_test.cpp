// A crossroads traced end to end: what the recorded motion shows at the junction, the bus stop
// and the parking place.
#include <cmath>

#include "road/bus_stop.h"
#include "road/cross_mod.h"
#include "road/lane_network.h"
#include "road/parking.h"
#include "road/road_params.h"
#include "tests/utility/run_support.h"
#include "utility/run_driver.h"

namespace {

constexpr float kLane = 350.0f, kJunction = 1000.0f, kQuarter = 1.5707964f;
constexpr int kFrames = 300, kBays = 4;  // the bus stop's three ways and the parking bay

enum Role { Crossing, Bus, Parker };
// Heading in radians from +X; each on the right-hand lane of its road.
const struct { Role role; Point3 at; float heading; } kStarts[] = {
    {Crossing, {-3500, -175, 0}, 0}, {Crossing, {3500, 175, 0}, 2 * kQuarter}, {Crossing, {175, -3500, 0}, kQuarter},
    {Crossing, {-175, 3500, 0}, -kQuarter}, {Bus, {1500, -175, 0}, 0}, {Parker, {-2000, 175, 0}, 2 * kQuarter}};

// Two two-lane roads through a junction outline; east of it a bus stop beside the eastbound
// lane, west of it a parking bay beside the westbound lane, both 15 m long; cars and a bus.
struct CrossroadsTest : RunTest {
    static void Crossroads();
};
void CrossroadsTest::Crossroads() {
    for (const Point3 end : {Point3(8000, 0, 0), Point3(0, 8000, 0)}) {
        auto* road = new RoadMod;
        road->GetParamBlock(0)->SetValue(kStripWidth, 0, kLane);
        road->GetParamBlock(0)->SetValue(kMaxSpeed, 0, 50.0f);
        AddShape({-end, end}, false, road);
    }
    auto* cross = new CrossMod;
    cross->GetParamBlock(0)->SetValue(2, 0, 30.0f);
    AddShape({{-kJunction, -kJunction, 0}, {kJunction, -kJunction, 0}, {kJunction, kJunction, 0}, {-kJunction, kJunction, 0}}, true, cross);
    const struct { ClassDesc* desc; float width; Point3 at; float angle; } bays[] = {
        {GetBusStopDesc(), 300, {4000, -kLane, 0}, -kQuarter}, {GetParkingDesc(), kLane, {-6000, 1.5f * kLane, 0}, kQuarter}};
    for (const auto& b : bays) {
        auto* obj = static_cast<Object*>(b.desc->Create(FALSE));
        obj->GetParamBlock(0)->SetValue(0, 0, b.width);
        obj->GetParamBlock(0)->SetValue(1, 0, 1500.0f);
        Add(obj)->SetNodeTM(0, RotateZMatrix(b.angle) * TransMatrix(b.at));
    }
    for (const auto& s : kStarts) {
        VehicleObject* v = AddCar(s.at);
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
TEST_F(CrossroadsTest, TurnsOnConnectorsStopsAndParksWhenWished) {
    const struct { double travelled; bool wishes; } rows[] = {{100, true}, {0, false}};
    for (const auto& row : rows) {
        GetCOREInterface()->ResetScene();
        Crossroads();
        AddGround({-9000, -9000, 0}, {9000, 9000, 0});
        HostSetProcessorCount(1);
        SharedRandom().srand(10);
        const std::vector<VehicleState*> vehicles = Vehicles();
        for (std::size_t i = 0; i < vehicles.size(); ++i) {
            const float h = kStarts[i].heading;
            vehicles[i]->ResetAt(Matrix3({std::sin(h), -std::cos(h), 0}, {std::cos(h), std::sin(h), 0}, {0, 0, 1}, kStarts[i].at), 0);
            vehicles[i]->travelled = row.travelled;
        }
        panel.startTime = 0, panel.endTime = kFrames * 160;
        CarTracing(panel);
        const LaneNetwork lanes;  // the roads' lanes, the bays' ways, then the junction's connectors
        int turned = 0;
        for (std::size_t i = 0; i < vehicles.size(); ++i) {
            int still = 0, parked = 0;
            float offConnector = 0;
            Point3 first, last(1e9f, 0, 0);
            for (int k = 0; k < kFrames; ++k) {
                Matrix3 tm;
                ASSERT_TRUE(vehicles[i]->GetPartTM(tm, 0, k * 160));
                const Point3 p = tm.GetTrans();
                float nearest = 1e9f;
                for (int w = 0; w < lanes.Count(); ++w) {
                    const WayRecord& way = lanes.Ways()[w];
                    const Point3 q = p * way.inverse;
                    const bool on = std::abs(q.x) <= way.halfX && std::abs(q.y) <= way.halfY;
                    if (w >= 4 + kBays && std::abs(q.x) <= way.halfX) nearest = std::min(nearest, std::abs(q.y));
                    still += on && way.isBusStop && Length(p - last) < 1.0f;
                    parked += on && way.isParking;
                }
                if (std::abs(p.x) < kJunction && std::abs(p.y) < kJunction) offConnector = std::max(offConnector, nearest);
                (k == 0 ? first : last) = p;
            }
            const bool turns = (std::abs(first.x) > std::abs(first.y)) != (std::abs(last.x) > std::abs(last.y));
            turned += turns;
            EXPECT_TRUE(!turns || offConnector < kLane / 4) << i << ": " << offConnector;
            EXPECT_TRUE(kStarts[i].role != Bus || (still >= 30) == row.wishes) << still;
            EXPECT_TRUE(kStarts[i].role != Parker || (parked > 0) == row.wishes) << parked;
        }
        EXPECT_GT(turned, 0);
    }
}

}  // namespace
