#include "road/scene_walk.h"

#include <array>
#include <cstddef>

#include "host/node.h"
#include "road/bus_stop.h"
#include "road/cross_mod.h"
#include "road/modifier_switch.h"
#include "road/parking.h"
#include "road/road_class_ids.h"
#include "road/road_mod.h"

namespace {

// A lane source: the class that supplies it and its count and fill routines.
template <class Count, class Fill>
struct Source {
    Class_ID id;
    Count count;
    Fill fill;
};

using SegmentSource = Source<void (*)(Modifier*, INode*, int&), void (*)(Modifier*, INode*, RoadSegment*, int&, int)>;
using ModifierWaySource = Source<void (*)(Modifier*, INode*, int&), void (*)(Modifier*, INode*, WayRecord*, int&, int)>;
using ObjectWaySource = Source<void (*)(Object*, INode*, int&), void (*)(Object*, INode*, WayRecord*, int&, int)>;
using JunctionWaySource = Source<void (*)(Modifier*, const RoadSegmentArray&, INode*, int&),
                                 void (*)(Modifier*, const RoadSegmentArray&, INode*, WayRecord*, int&, int)>;

RoadMod* AsRoad(Modifier* mod) { return static_cast<RoadMod*>(mod); }
BusStopObject* AsBusStop(Object* obj) { return static_cast<BusStopObject*>(obj); }
ParkingObject* AsParking(Object* obj) { return static_cast<ParkingObject*>(obj); }
// Another modifier under the crossing's Class_ID gives no connectors.
CrossMod* AsCross(Modifier* mod) { return dynamic_cast<CrossMod*>(mod); }

constexpr std::array<SegmentSource, 1> kSegmentSources{{
    {kRoadModClassID, [](Modifier* m, INode* n, int& c) { AsRoad(m)->CountSegments(n, c); },
     [](Modifier* m, INode* n, RoadSegment* s, int& i, int cap) { AsRoad(m)->FillSegments(n, s, i, cap); }},
}};

constexpr std::array<ModifierWaySource, 1> kModifierWaySources{{
    {kRoadModClassID, [](Modifier* m, INode* n, int& c) { AsRoad(m)->CountWays(n, c); },
     [](Modifier* m, INode* n, WayRecord* w, int& i, int cap) { AsRoad(m)->FillWays(n, w, i, cap); }},
}};

// Objects that are lane sources themselves (bus stops, parking places); recognised only as the
// node's own object, never under a modifier stack.
constexpr std::array<ObjectWaySource, 2> kObjectWaySources{{
    {kBusStopClassID, [](Object* o, INode* n, int& c) { AsBusStop(o)->CountWays(n, c); },
     [](Object* o, INode* n, WayRecord* w, int& i, int cap) { AsBusStop(o)->FillWays(n, w, i, cap); }},
    {kParkingClassID, [](Object* o, INode* n, int& c) { AsParking(o)->CountWays(n, c); },
     [](Object* o, INode* n, WayRecord* w, int& i, int cap) { AsParking(o)->FillWays(n, w, i, cap); }},
}};

// Junction outlines, which need the scene's road segments to find their lane ends.
constexpr std::array<JunctionWaySource, 1> kJunctionWaySources{{
    {kCrossModClassID,
     [](Modifier* m, const RoadSegmentArray& s, INode* n, int& c) {
         if (CrossMod* cross = AsCross(m)) cross->CountWays(s, n, c);
     },
     [](Modifier* m, const RoadSegmentArray& s, INode* n, WayRecord* w, int& i, int cap) {
         if (CrossMod* cross = AsCross(m)) cross->FillWays(s, n, w, i, cap);
     }},
}};

template <class S, std::size_t N>
const S* FindSource(const std::array<S, N>& table, Class_ID id) {
    for (const S& source : table)
        if (source.id == id) return &source;
    return nullptr;
}

template <class Visit>
void VisitNodes(INode* node, const Visit& visit) {
    if (node == nullptr) return;
    visit(node);
    for (int i = 0; i < node->NumberOfChildren(); ++i) VisitNodes(node->GetChildNode(i), visit);
}

// Calls call(source, modifier) for each enabled modifier of the node's world-space stack that the
// table knows, by index, with that modifier switched off meanwhile.
template <class S, std::size_t N, class Call>
void VisitSourceModifiers(INode* node, const std::array<S, N>& table, const Call& call) {
    IDerivedObject* stack = node->GetWSMDerivedObject();
    if (stack == nullptr) return;
    for (int i = 0; i < stack->NumModifiers(); ++i) {
        Modifier* mod = stack->GetModifier(i);
        if (mod == nullptr || !mod->IsEnabled()) continue;
        const S* source = FindSource(table, mod->ClassID());
        if (source == nullptr) continue;
        ModifierSwitch off;
        off.SwitchOff(mod);
        call(*source, mod);
    }
}

template <class S, std::size_t N, class Call>
void VisitSourceObject(INode* node, const std::array<S, N>& table, const Call& call) {
    Object* obj = node->GetObjectRef();
    if (obj == nullptr) return;
    if (const S* source = FindSource(table, obj->ClassID())) call(*source, obj);
}

}  // namespace

void CountRoadSegmentsInScene(INode* node, int& count) {
    VisitNodes(node, [&](INode* n) {
        VisitSourceModifiers(n, kSegmentSources, [&](const SegmentSource& s, Modifier* m) { s.count(m, n, count); });
    });
}

void FillRoadSegmentsInScene(INode* node, RoadSegment* items, int& index, int capacity) {
    VisitNodes(node, [&](INode* n) {
        VisitSourceModifiers(n, kSegmentSources,
                             [&](const SegmentSource& s, Modifier* m) { s.fill(m, n, items, index, capacity); });
    });
}

void CountWaysInScene(INode* node, int& count) {
    VisitNodes(node, [&](INode* n) {
        VisitSourceModifiers(n, kModifierWaySources,
                             [&](const ModifierWaySource& s, Modifier* m) { s.count(m, n, count); });
        VisitSourceObject(n, kObjectWaySources, [&](const ObjectWaySource& s, Object* o) { s.count(o, n, count); });
    });
}

void FillWaysInScene(INode* node, WayRecord* ways, int& index, int capacity) {
    VisitNodes(node, [&](INode* n) {
        VisitSourceModifiers(n, kModifierWaySources,
                             [&](const ModifierWaySource& s, Modifier* m) { s.fill(m, n, ways, index, capacity); });
        VisitSourceObject(n, kObjectWaySources,
                          [&](const ObjectWaySource& s, Object* o) { s.fill(o, n, ways, index, capacity); });
    });
}

void CountJunctionWaysInScene(INode* node, const RoadSegmentArray& segments, int& count) {
    VisitNodes(node, [&](INode* n) {
        VisitSourceModifiers(n, kJunctionWaySources,
                             [&](const JunctionWaySource& s, Modifier* m) { s.count(m, segments, n, count); });
    });
}

void FillJunctionWaysInScene(INode* node, const RoadSegmentArray& segments, WayRecord* ways, int& index,
                             int capacity) {
    VisitNodes(node, [&](INode* n) {
        VisitSourceModifiers(n, kJunctionWaySources, [&](const JunctionWaySource& s, Modifier* m) {
            s.fill(m, segments, n, ways, index, capacity);
        });
    });
}
