// Stops at bus stops and parking places: when one starts, from the history of stop shares.
#include <numeric>

#include "host/time.h"
#include "vehicle/vehicle_state.h"

namespace {
// Metres to drive after a reset or a stop before the next stop may start.
constexpr double kStopSpacing = 50.0;
}  // namespace

float VehicleState::StopShare() const {
    if (travelled < kStopSpacing) return 0.0f;
    const float sum = std::accumulate(stopShare, stopShare + 20, 0.0f);
    return (sum < 0.0f ? 0.0f : sum) * 0.05f;
}

bool VehicleState::AtStopPlace() {
    const double recent = 0.05 * std::accumulate(stopShare, stopShare + 20, 0.0);
    const double older = 0.05 * std::accumulate(stopShare + 20, stopShare + 40, 0.0);
    for (int k = 39; k >= 1; --k) stopShare[k] = stopShare[k - 1];
    if (travelled < kStopSpacing) return false;
    if (recent > 0.9) return true;
    if (recent <= 0.5) return false;
    if (older > recent) return true;
    return speed < 2.0 / (GetMasterScale(UNITS_KILOMETERS) * 3600.0);
}
