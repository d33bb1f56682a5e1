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

/// The smallest index i of positive weight, below the last such index L, whose cumulative weight reaches u,
/// else L: an outcome of weight 0 is never chosen, whatever u (0 included, and a u beyond a last cumulative
/// sum that rounding left below 1). Weights are normalised first unless they already sum to exactly 1.
/// Without any positive weight the result is N − 1. Throws invalid_argument "No outcomes to choose from"
/// for N = 0.
std::uint64_t pickOutcome(const std::vector<double> &probabilities, double u);

/// Collapses the state to the drawn basis state |k⟩ (amplitude exactly 1 + 0i) and returns k. One draw.
std::uint64_t measureAll(StateVector &state, RandomGenerator &generator);

/// Measures one qubit, zeroes the other branch and renormalises. A certain outcome (the other branch has
/// probability 0) consumes no number.
/// Throws out_of_range "Qubit index out of range" before drawing anything.
bool measureQubit(StateVector &state, std::uint32_t qubit, RandomGenerator &generator);

/// Repeated independent preparations: `shots` draws into 2^n counts, each outcome chosen as pickOutcome
/// chooses it; the state is not touched.
Histogram sampleCounts(const StateVector &state, std::uint64_t shots, RandomGenerator &generator);

/// Throws invalid_argument "Histogram size differs from register" unless `counts` holds one count per basis
/// state of a register of `dimension` states. Every record of outcomes (results, worksheet) checks with it.
void checkHistogramSize(const Histogram &counts, std::uint64_t dimension);
/// Throws out_of_range "Measured outcome outside register" unless `outcome` is a basis state of a register of
/// `dimension` states.
void checkMeasuredOutcome(std::uint64_t outcome, std::uint64_t dimension);

/// The lowest basis index among those with the largest count; 0 for an empty histogram.
std::uint64_t mostFrequentOutcome(const Histogram &histogram);

} // namespace Fasoria
