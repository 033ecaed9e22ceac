// A seedable random generator that many threads may draw from at once without a lock.
#pragma once

#include <atomic>
#include <cstdint>

class RandGenerator {
public:
    RandGenerator() = default;
    explicit RandGenerator(std::uint64_t seed) : seed_(seed) {}
    RandGenerator(const RandGenerator&) = delete;
    RandGenerator& operator=(const RandGenerator&) = delete;

    // Restarts the sequence; for reproducible single-threaded runs.
    void srand(std::uint64_t seed);
    // A raw draw in [0, 0x7FFFFFFF].
    int rand();
    // In (0, 1]: never 0, so it may be divided by.
    float Rand01();
    // In (-1, 1].
    float Rand11();

private:
    std::uint64_t Next();

    std::atomic<std::uint64_t> counter_{0};
    std::atomic<std::uint64_t> seed_{0x6A09E667F3BCC909ull};
};
