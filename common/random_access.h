// Draws from the module's one random generator, shared by every thread of a run.
#pragma once

#include <cstdint>

#include "host/random.h"

// The shared generator itself; tests seed it through this.
RandGenerator& SharedRandom();

// In (0, 1].
float Rand01();
// In (-1, 1].
float Rand11();
// A raw draw in [0, 0x7FFFFFFF]; callers reduce it themselves.
std::uint32_t RandInt();
