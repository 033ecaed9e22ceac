// Whether a simulation run is in progress; display and playback code read it.
#pragma once

#include <cstdint>

std::int32_t IsTracing();
void SetTracing(std::int32_t value);
