#pragma once

#include "core/Gate.h"
#include "core/StateVector.h"

#include <complex>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace Fasoria {

/// A second, deliberately different simulator for the cross-check: std::complex arithmetic and one gather per
/// output amplitude into a fresh vector, where the engine updates pairs in place. It shares no code with
/// StateVector, so a fault in the engine's update loops cannot hide in both. Bit order as the engine's: bit k
/// of a basis index is qubit qk.
class DenseReference
{
public:
    using Amplitudes = std::vector<std::complex<double>>;

    /// |0…0⟩ on 1..12 qubits; throws invalid_argument "Reference qubit count out of range" otherwise.
    explicit DenseReference(std::uint32_t qubitCount);

    std::uint32_t qubitCount() const { return m_qubitCount; }
    const Amplitudes &amplitudes() const { return m_amplitudes; }

    /// Replaces the amplitudes by the gate applied to them. Throws out_of_range "Reference qubit out of
    /// range", invalid_argument "Reference CNOT needs distinct qubits", "Reference angle not finite" or
    /// "Reference gate kind unknown" before changing anything.
    void apply(const Gate &gate);

private:
    std::uint32_t m_qubitCount;
    Amplitudes m_amplitudes;
};

/// The lowest basis index where the engine amplitude lies farther than `tolerance` (complex distance) from
/// the reference, or where only one of the vectors has an amplitude; nothing when all agree.
std::optional<std::uint64_t> firstDeviation(const std::vector<Complex> &engine,
                                            const DenseReference::Amplitudes &reference, double tolerance);

/// Draws one random gate for `qubitCount` qubits (1..12) in the cross-check's fixed order: kind = output mod 5
/// (mod 4 for one qubit, which never draws CNOT), target = output mod n, control = output mod n (moved to
/// (target + 1) mod n when a CNOT would use one qubit twice), angle = π·(2u − 1) with u = output · 2^−64.
/// Throws invalid_argument "Reference qubit count out of range" before drawing for a count outside 1..12.
Gate drawRandomGate(std::mt19937_64 &random, std::uint32_t qubitCount);

} // namespace Fasoria
