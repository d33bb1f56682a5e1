#pragma once

#include "core/RandomGenerator.h"
#include "core/StateVector.h"

#include <cstdint>
#include <vector>

namespace Fasoria {

/// Counts per basis index (bit order of StateVector); empty means no shots taken.
using Histogram = std::vector<std::uint64_t>;

/// The next output divided by 2^64 after rounding to double: 0 ≤ u ≤ 1 (u = 1 for outputs near 2^64).
double drawUniform(RandomGenerator &generator);

/// The smallest index i < N − 1 whose cumulative weight reaches u, else N − 1. Weights are normalised first
/// unless they already sum to exactly 1. Throws invalid_argument "No outcomes to choose from" for N = 0.
std::uint64_t pickOutcome(const std::vector<double> &probabilities, double u);

/// Collapses the state to the drawn basis state |k⟩ (amplitude exactly 1 + 0i) and returns k. One draw.
std::uint64_t measureAll(StateVector &state, RandomGenerator &generator);

/// Measures one qubit, zeroes the other branch and renormalises. A certain outcome consumes no number.
/// Throws out_of_range "Qubit index out of range" before drawing anything.
bool measureQubit(StateVector &state, std::uint32_t qubit, RandomGenerator &generator);

/// Repeated independent preparations: `shots` draws into 2^n counts; the state is not touched.
Histogram sampleCounts(const StateVector &state, std::uint64_t shots, RandomGenerator &generator);

/// The lowest basis index among those with the largest count; 0 for an empty histogram.
std::uint64_t mostFrequentOutcome(const Histogram &histogram);

} // namespace Fasoria
