// What the viewport draws of the scene at a time: every visible node's evaluated object, triangle
// meshes as their wireframe (mesh_wire.h) through the node's transform at that time.
#pragma once

#include <string>
#include <vector>

#include "host/graphics_window.h"
#include "host/time.h"

class INode;
class Interface;

struct LegendEntry {
    std::string name;
    Point3 color;  // the node's wire colour
};

struct ViewCapture {
    std::vector<DrawRecord> records;
    // The nodes that drew something, in scene order, but for vehicle bodies and wheels.
    std::vector<LegendEntry> legend;
};

// The node's wire colour as red, green and blue from 0 to 1.
Point3 NodeWireColor(INode* node);

// A mesh draws its outline and creases when they fit in what the meshes before it left of
// kMaxMeshWireEdges, and its footprint when they do not. Throws std::runtime_error, naming the
// node, when a node draws points that are not finite or the picture passes kMaxPicturePoints.
ViewCapture CaptureView(Interface* ip, TimeValue t);
