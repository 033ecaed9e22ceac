// The eight time-sampled zones of one control object (speed limiter, obstacle, stop line or
// traffic light) for the zone index, refreshed for every frame of a run.
#pragma once

#include "host/class_id.h"
#include "host/time.h"
#include "traffic/traffic_zone.h"

class INode;
class Object;

// Look-ahead steps of 0.025 s from the present to each time slot.
inline constexpr float ZoneSlotSteps[8] = {0, 5, 11, 18, 26, 35, 45, 56};

struct ObstacleRecord {
    // First, so that the record's zones are the eight-zone block the zone index takes.
    TrafficZone zones[8];
    INode* node = nullptr;      // not owned
    Object* object = nullptr;   // the node's object, not owned
    Class_ID classID{0xFFFFFFFF, 0xFFFFFFFF};

    // Takes the node, its object and that object's class.
    void SetNode(INode* n);
    // Rewrites the eight zones for time t; a record of any other class keeps its zones.
    void Update(TimeValue t);
};

// The time of slot k's sample from t: 105 ticks per step, in single precision as the zones have
// always been sampled, held within the 32-bit tick range.
TimeValue ZoneSampleTime(TimeValue t, int k);
// km/h to scene units per second.
double KmhToSceneSpeed(double kmh);
