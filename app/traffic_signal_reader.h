// A traffic light's signal in a scene file: a 24-slot cycle and its period, or an animated
// input.
#pragma once

class BaseObject;
class JsonPlace;

// {"diagram": "RRRRRRGGGGGG...", "period": seconds} or {"animated": [[frame, input], ...]},
// input 0 to 100, green above 50. Only a TrafficLight has a signal.
void ReadTrafficSignal(const JsonPlace& signal, BaseObject* light);
