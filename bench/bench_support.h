// Shared by the benchmark programs: CI runs each once on a tiny input so that none can rot.
#pragma once

#include <cstdlib>

inline bool TinyRun() {
    const char* tiny = std::getenv("MARLOVAN_BENCH_TINY");
    return tiny != nullptr && tiny[0] == '1';
}
