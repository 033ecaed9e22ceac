// The connectors of a junction outline: for every linked pair of lane ends, a cubic Bezier for
// each edge of the bundle, cut into 32 ways.
#pragma once

#include "host/geom.h"

class PolyLine;
struct LaneEnd;
struct RoadSegmentArray;
struct WayRecord;

constexpr int kConnectorWays = 32;

// 33 samples of the cubic from p0 (leaving along t0) to p3 (arriving along t3); the tangents
// reach 0.4 of the chord. out[0] is p0 and out[32] is p3 exactly.
void BezierConnector(Point3 p0, Point3 t0, Point3 p3, Point3 t3, Point3 (&out)[kConnectorWays + 1]);
// The right edge (from pos) and the left edge (across all lanes) of the link a -> b.
void ConnectorEdges(const LaneEnd& a, const LaneEnd& b, Point3 (&inner)[kConnectorWays + 1],
                    Point3 (&outer)[kConnectorWays + 1]);

void CountJunctionWays(const RoadSegmentArray& segments, const PolyLine& polyline, const Matrix3& tm, bool leftTurn,
                       bool rightTurn, int& count);
// Writes the connector ways at ways[index] on, a link at a time while it fits below capacity.
void FillJunctionWays(const RoadSegmentArray& segments, const PolyLine& polyline, const Matrix3& tm, bool leftTurn,
                      bool rightTurn, float speed, WayRecord* ways, int& index, int capacity);
