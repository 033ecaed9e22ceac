// The vehicle object's saved data: any bytes as the chunks of one vehicle. Loading must never
// crash or allocate beyond the input, and whatever loads must play back and save again.
#include <cstddef>
#include <cstdint>

#include "host/save_load.h"
#include "vehicle/vehicle_object.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto* vehicle = static_cast<VehicleObject*>(static_cast<Object*>(GetVehicleDesc()->Create(FALSE)));
    ILoad load(data, size);
    vehicle->Load(&load);
    Matrix3 tm;
    for (int part = 0; part < 7; ++part) vehicle->State().GetPartTM(tm, part, static_cast<std::int32_t>(size) * 40);
    ISave save;
    vehicle->Save(&save);
    vehicle->DeleteThis();
    return 0;
}
