#include "common/worker_count.h"

#include "host/win32.h"

std::int32_t GetWorkerThreadCount() {
    constexpr DWORD maxWorkers = 8;
    SYSTEM_INFO si{};
    GetSystemInfo(&si);
    // A system that reports no processors still runs us on one.
    if (si.dwNumberOfProcessors == 0) return 1;
    if (si.dwNumberOfProcessors > maxWorkers) return static_cast<std::int32_t>(maxWorkers);
    return static_cast<std::int32_t>(si.dwNumberOfProcessors);
}
