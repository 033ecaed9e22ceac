#include "host/rollups.h"

std::vector<Rollup>& OpenRollups() {
    static std::vector<Rollup> open;
    return open;
}
