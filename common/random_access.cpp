#include "common/random_access.h"

namespace {
// Constant-initialised, so class registration and other static initialisers may draw from it
// before any dynamic initialiser has run.
constinit RandGenerator sharedGenerator;
}  // namespace

RandGenerator& SharedRandom() { return sharedGenerator; }

float Rand01() { return sharedGenerator.Rand01(); }

float Rand11() { return sharedGenerator.Rand11(); }

std::uint32_t RandInt() { return static_cast<std::uint32_t>(sharedGenerator.rand()); }
