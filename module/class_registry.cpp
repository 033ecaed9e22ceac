#include "module/class_registry.h"

#include "road/bus_stop.h"
#include "road/cross_mod.h"
#include "road/parking.h"
#include "road/road_mod_desc.h"
#include "traffic/obstacle.h"
#include "traffic/speed_limiter.h"
#include "traffic/stop_line.h"
#include "traffic/traffic_light.h"
#include "utility/marlovan_util.h"
#include "vehicle/vehicle_control.h"
#include "vehicle/vehicle_object.h"

namespace {
using DescAccessor = ClassDesc* (*)();

constexpr DescAccessor kAccessors[kRegisteredClassCount] = {
    GetMarlovanUtilDesc,
    GetRoadModDesc,
    GetCrossModDesc,
    GetSpeedLimiterDesc,
    GetObstacleDesc,
    GetTrafficLightDesc,
    GetBusStopDesc,
    GetVehicleDesc,
    GetVehicleControlDesc,
    GetParkingDesc,
    GetStopLineDesc,
};
}  // namespace

ClassDesc* RegisteredClass(unsigned int index) {
    if (index >= static_cast<unsigned int>(kRegisteredClassCount)) return nullptr;
    return kAccessors[index]();
}
