// The simulation run on the panel's settings: start placement, frame-by-frame tracing into
// every vehicle's motion record, and the reset that clears the records again.
#pragma once

class INode;
class Interface;
class MarlovanUtil;

void PlaceVehicles(MarlovanUtil& panel);
void CarTracing(MarlovanUtil& panel);
void ResetVehicles(MarlovanUtil& panel);
// Looks the surface node up from its handle; a handle without a node is reset to 0.
void RefreshSurfaceNode(MarlovanUtil& panel);
// The interface a press works through, taken once when it starts.
Interface* RunInterface(const MarlovanUtil& panel);
