// The one random source: a 64-bit Mersenne Twister with its output turned into
// numbers by hand, so that a seed gives the same sequence with every standard
// library (the library's distributions differ between implementations).
#pragma once

#include <cstdint>
#include <random>

inline std::mt19937_64 engine;

inline void rngseed(std::int32_t seed) {
  engine.seed(static_cast<std::uint64_t>(static_cast<std::uint32_t>(seed)));
}

// The top 53 bits scaled into [0, 1): exact in a double, never 1.
inline double rnguniform() { return static_cast<double>(engine() >> 11) * 0x1.0p-53; }

inline int rngint(int lo, int hi) {
  return lo + static_cast<int>(rnguniform() * (hi - lo + 1));
}
