#pragma once

#include "core/Circuit.h"
#include "core/StateVector.h"

#include <cstdint>
#include <vector>

namespace Fasoria {

/// Teaching metadata of one algorithm lesson. Texts are static UTF-8 constants, Italian and English side by
/// side; the query counts compare a worst-case classical method with the quantum circuit's oracle calls.
struct AlgorithmInfo
{
    /// Zero-based catalog index (14..20).
    std::int64_t lessonIndex;
    const char *nameIt;
    const char *nameEn;
    /// How the oracle is built.
    const char *oracleIt;
    const char *oracleEn;
    /// The classical method for the same task.
    const char *classicalIt;
    const char *classicalEn;
    /// Which qubits to read and what they mean.
    const char *readoutIt;
    const char *readoutEn;
    /// What the comparison does not show.
    const char *caveatIt;
    const char *caveatEn;
    std::int32_t classicalQueries;
    std::int32_t quantumQueries;
    /// Bits of the basis index holding the answer (bit k is qubit qk).
    std::uint64_t readoutMask;
    /// The correct answer on the masked bits; never has a bit outside readoutMask.
    std::uint64_t readoutValue;
    /// Ideal probability of measuring readoutValue on readoutMask after the complete circuit.
    double expectedProbability;
};

/// A named checkpoint: the number of gates applied when it is reached (0 is the initial state).
struct AlgorithmStage
{
    std::int64_t gateIndex;
    const char *nameIt;
    const char *nameEn;
};

/// The record of an algorithm lesson, or null for any other lesson index. The records are built once and
/// never change, so the pointer stays valid for the whole run.
const AlgorithmInfo *findAlgorithmInfo(std::int64_t lessonIndex);

/// The checkpoints of an algorithm lesson in ascending gate index; empty for any other lesson index.
std::vector<AlgorithmStage> algorithmStages(std::int64_t lessonIndex);

/// Sum, in ascending basis order, of the probabilities of the outcomes i with (i AND mask) = value. Not
/// clamped or renormalised. Throws invalid_argument "Algorithm readout value outside mask" when value has a
/// bit outside mask.
double readoutProbability(const StateVector &state, std::uint64_t readoutMask, std::uint64_t readoutValue);

/// The readout probability after the complete circuit, replayed from |0…0⟩. The mask is checked before any
/// replay; engine errors propagate.
double readoutProbability(std::uint64_t readoutMask, std::uint64_t readoutValue, const Circuit &circuit);

/// The readout probability of a lesson record on a circuit of the lesson shape.
inline double readoutProbability(const AlgorithmInfo &info, const Circuit &circuit)
{
    return readoutProbability(info.readoutMask, info.readoutValue, circuit);
}

} // namespace Fasoria
