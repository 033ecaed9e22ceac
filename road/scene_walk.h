// Walks of the scene that gather lane sources: a node before its children, the children in index
// order; within a node its world-space modifiers by index, then its own object. Every source
// modifier is switched off around its call, so its node evaluates without that modifier.
// count and index are advanced by the sources; fills never write at or past capacity.
#pragma once

class INode;
struct RoadSegment;
struct RoadSegmentArray;
struct WayRecord;

void CountRoadSegmentsInScene(INode* node, int& count);
void FillRoadSegmentsInScene(INode* node, RoadSegment* items, int& index, int capacity);

void CountWaysInScene(INode* node, int& count);
void FillWaysInScene(INode* node, WayRecord* ways, int& index, int capacity);

void CountJunctionWaysInScene(INode* node, const RoadSegmentArray& segments, int& count);
void FillJunctionWaysInScene(INode* node, const RoadSegmentArray& segments, WayRecord* ways, int& index,
                             int capacity);
