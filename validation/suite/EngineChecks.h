#pragma once

#include "core/Gate.h"
#include "core/StateVector.h"
#include "curriculum/LessonCatalog.h"

#include <cstdint>
#include <vector>

namespace Fasoria {

/// The MT19937-64 seed of the random cross-check, reported as "deterministic_seed".
constexpr std::uint64_t kCrossCheckSeed = 0x5155414E54554D;

/// An analytic state: the gates applied to |0…0⟩ on `qubits` qubits must give `expected` (index 0 upward).
struct GoldenVector
{
    const char *id;
    std::uint32_t qubits;
    std::vector<Gate> gates;
    std::vector<Complex> expected;
};

/// G01..G12 in order.
const std::vector<GoldenVector> &goldenVectors();

/// Compares a state with stored amplitudes: throws runtime_error "Golden dimension mismatch", then
/// "Amplitude <i> expected (<re>,<im>) obtained (<re>,<im>)" for the first amplitude farther than 5e-13, then
/// "Golden state norm is not one".
void requireGoldenState(const StateVector &state, const std::vector<Complex> &expected);

/// Builds the golden state through the engine and compares it.
void checkGoldenVector(const GoldenVector &golden);

/// The check bodies of R01..R08 in order; each throws runtime_error with its fixed message on failure.
void checkDenseIndependent();
void checkMeasurementCollapse();
void checkGateInverse();
/// R04 over any list of lessons: the shipped catalog must hold exactly 21.
void checkReplayAllLessons(const LessonCatalog &lessons);
void checkStandardAlgorithms();
void checkConfigurableAlgorithms();
void checkEditorRollback();
void checkFidelityPhase();

} // namespace Fasoria
