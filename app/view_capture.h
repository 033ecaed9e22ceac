// What the viewport draws of the scene at a time: every visible node's evaluated object.
#pragma once

#include <string>
#include <vector>

#include "host/graphics_window.h"
#include "host/time.h"

class Interface;

struct LegendEntry {
    std::string name;
    Point3 color;  // the node's wire colour
};

struct ViewCapture {
    std::vector<DrawRecord> records;
    std::vector<LegendEntry> legend;  // the nodes that drew something, in scene order
};

// Throws std::runtime_error, naming the node, when a node draws points that are not finite or
// the picture passes kMaxPicturePoints.
ViewCapture CaptureView(Interface* ip, TimeValue t);
