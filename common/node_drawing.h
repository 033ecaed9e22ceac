// Drawing and picking a node's object in a viewport, shared by the helper objects.
#pragma once

#include <functional>

#include "host/geom.h"
#include "host/time.h"

class GraphicsWindow;
class INode;
class ViewExp;
struct IPoint2;

// The line colour of a node: white when selected, else its wire colour.
Point3 NodeLineColor(INode* inode);

// Draws with `draw` in pick mode under the node's object transform at t and logs a hit where
// the drawing meets the hit region; 1 on a hit.
int PickByDrawing(TimeValue t, INode* inode, int type, int crossing, IPoint2* p, ViewExp* vpt,
                  const std::function<void(GraphicsWindow*)>& draw);
