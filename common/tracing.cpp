#include "common/tracing.h"

#include <atomic>

namespace {
constinit std::atomic<std::int32_t> tracingFlag{0};
}  // namespace

std::int32_t IsTracing() { return tracingFlag.load(std::memory_order_relaxed); }

void SetTracing(std::int32_t value) { tracingFlag.store(value, std::memory_order_relaxed); }
