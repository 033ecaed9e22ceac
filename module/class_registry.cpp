#include "module/class_registry.h"

#include "road/road_mod_desc.h"
#include "traffic/obstacle.h"
#include "traffic/speed_limiter.h"
#include "traffic/stop_line.h"
#include "traffic/traffic_light.h"

namespace {
using DescAccessor = ClassDesc* (*)();

// A class that is not built yet has a null slot.
constexpr DescAccessor kAccessors[kRegisteredClassCount] = {
    nullptr,  // MarlovanUtil
    GetRoadModDesc,
    nullptr,  // CrossMod
    GetSpeedLimiterDesc,
    GetObstacleDesc,
    GetTrafficLightDesc,
    nullptr,  // BusStopObject
    nullptr,  // VehicleObject
    nullptr,  // VehicleControl
    nullptr,  // ParkingObject
    GetStopLineDesc,
};
}  // namespace

ClassDesc* RegisteredClass(unsigned int index) {
    if (index >= static_cast<unsigned int>(kRegisteredClassCount)) return nullptr;
    const DescAccessor accessor = kAccessors[index];
    return accessor != nullptr ? accessor() : nullptr;
}
