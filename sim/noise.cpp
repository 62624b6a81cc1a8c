#include "sim/noise.h"

#include <cmath>

#include "sim/settings.h"

uint64_t splitmix64(uint64_t* state) {
    *state += 0x9E3779B97F4A7C15ull;
    uint64_t z = *state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double uniformFromBits(uint64_t bits) {
    return static_cast<double>((bits >> 11) + 1) * 0x1.0p-53;
}

NoisePair gaussianPair(uint64_t* state) {
    const double u1 = uniformFromBits(splitmix64(state));
    const double u2 = uniformFromBits(splitmix64(state));
    const double r = std::sqrt(-2.0 * std::log(u1));
    return {r * std::cos(kTwoPi * u2), r * std::sin(kTwoPi * u2)};
}
