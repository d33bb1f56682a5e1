#pragma once

#include "core/Circuit.h"
#include "curriculum/AlgorithmInfo.h"

#include <cstdint>
#include <vector>

namespace Fasoria {

/// The algorithms the laboratory can generate, by their stored numbers.
enum class AlgorithmKind : std::int32_t
{
    Deutsch = 0,
    BernsteinVazirani = 1,
    Grover = 2,
};

/// The problem the student chose. Fields arrive from controls, settings and session files, so they stay
/// signed; the generator compares every numeric field as unsigned, which puts negative values out of range.
struct AlgorithmParameters
{
    AlgorithmKind kind = AlgorithmKind::Grover;
    /// Bernstein-Vazirani data bits (1..4) or Grover register size (2..3); Deutsch ignores it.
    std::int32_t qubits = 3;
    /// Grover's marked basis value, below 2^qubits.
    std::int32_t groverTarget = 5;
    /// Grover's oracle-plus-diffusion rounds, 1..4.
    std::int32_t groverIterations = 2;
    /// Bernstein-Vazirani hidden string, below 2^qubits; bit k belongs to data qubit qk.
    std::int32_t bvSecret = 5;
    /// Deutsch function: 0 f(x)=0, 1 f(x)=1, 2 f(x)=x, 3 f(x)=1−x.
    std::int32_t deutschFunction = 2;
};

/// A generated circuit with its checkpoints and the figures that score its readout.
struct GeneratedAlgorithm
{
    AlgorithmParameters parameters;
    Circuit circuit;
    /// Checkpoints in ascending gate index, the first always the initial state at 0.
    std::vector<AlgorithmStage> stages;
    std::int32_t classicalQueries = 0;
    std::int32_t quantumQueries = 0;
    std::uint64_t readoutMask = 0;
    std::uint64_t readoutValue = 0;
    double expectedProbability = 0.0;
};

/// Builds the complete circuit of primitive gates for the parameters. Throws invalid_argument with a fixed
/// message ("Unknown algorithm", "Deutsch function outside 0..3", "BV: 1..4 data bits and an in-range
/// secret are required", "Grover: 2..3 qubits, valid target, 1..4 iterations required", "Too many gates")
/// before returning anything.
GeneratedAlgorithm generateAlgorithm(const AlgorithmParameters &parameters);

/// The readout probability of a generated algorithm's figures on a circuit (normally its own).
inline double readoutProbability(const GeneratedAlgorithm &algorithm, const Circuit &circuit)
{
    return readoutProbability(algorithm.readoutMask, algorithm.readoutValue, circuit);
}

} // namespace Fasoria
