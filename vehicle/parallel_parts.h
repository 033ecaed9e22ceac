// Splits one job into parts that run side by side: each on a thread of its own where one can
// be made, else on the caller's thread.
#pragma once

#include <cstdint>

// Runs part(arg, i) for every i in [0, parts) and returns when all have ended. An exception
// from any part comes out here after every thread has finished.
void RunParts(std::int32_t parts, void (*part)(void* arg, std::int32_t index), void* arg);
