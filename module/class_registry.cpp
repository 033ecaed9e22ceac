#include "module/class_registry.h"

namespace {
using DescAccessor = ClassDesc* (*)();

// A class that is not built yet has a null slot.
constexpr DescAccessor kAccessors[kRegisteredClassCount] = {
    nullptr,  // MarlovanUtil
    nullptr,  // RoadMod
    nullptr,  // CrossMod
    nullptr,  // SpeedLimiterObject
    nullptr,  // ObstacleObject
    nullptr,  // TrafficLightObject
    nullptr,  // BusStopObject
    nullptr,  // VehicleObject
    nullptr,  // VehicleControl
    nullptr,  // ParkingObject
    nullptr,  // StopLineObject
};
}  // namespace

ClassDesc* RegisteredClass(unsigned int index) {
    if (index >= static_cast<unsigned int>(kRegisteredClassCount)) return nullptr;
    const DescAccessor accessor = kAccessors[index];
    return accessor != nullptr ? accessor() : nullptr;
}
