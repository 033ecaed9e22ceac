#include "host/random.h"

namespace {
// splitmix64's finaliser: every bit of the counter reaches every bit of the draw.
std::uint64_t Mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
}  // namespace

void RandGenerator::srand(std::uint64_t seed) {
    seed_.store(seed, std::memory_order_relaxed);
    counter_.store(0, std::memory_order_relaxed);
}

std::uint64_t RandGenerator::Next() {
    const std::uint64_t n = counter_.fetch_add(1, std::memory_order_relaxed);
    return Mix(seed_.load(std::memory_order_relaxed) + n * 0x9E3779B97F4A7C15ull);
}

int RandGenerator::rand() { return static_cast<int>(Next() >> 33); }

float RandGenerator::Rand01() {
    // 24 bits fill a float's mantissa exactly; +1 keeps 0 out and lets 1 in.
    const std::uint64_t bits = (Next() >> 40) + 1;
    return static_cast<float>(bits) * (1.0f / 16777216.0f);
}

float RandGenerator::Rand11() { return 2.0f * Rand01() - 1.0f; }
