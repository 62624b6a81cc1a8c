// The measurement noise's generator: splitmix64 and Gaussian pairs by Box-Muller,
// so that a seed gives the same noise on every platform.
#pragma once

#include <cstdint>

struct NoisePair {
    double n1, n2;  // independent, zero mean, unit variance
};

// Advances the generator; the next 64 random bits.
uint64_t splitmix64(uint64_t* state);
// (0, 1]: never 0, so its logarithm is finite.
double uniformFromBits(uint64_t bits);
// Two uniforms u1, u2 in that order: r = sqrt(-2 ln u1), (r cos 2 pi u2, r sin 2 pi u2).
NoisePair gaussianPair(uint64_t* state);
