#pragma once

#include "core/Language.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace Fasoria {

/// Readout bases of the two qubits, written q1 / q0: an X readout is H before the computational measurement.
enum class BellBasis : std::int32_t
{
    ZZ = 0,
    XX = 1,
    ZX = 2,
    XZ = 3,
};

constexpr std::int32_t kBellBasisCount = 4;

/// Outcome probabilities 00, 01, 10, 11 (q1 q0) of the Bell state and of the classical mixture.
struct BellProbabilities
{
    std::array<double, 4> bell{};
    std::array<double, 4> mixture{};
};

/// Bell: |00⟩, H on q0, CNOT q0 → q1, then the readout. Mixture: the branches |00⟩ and |11⟩ with weight 1/2 each,
/// the readout applied to each branch on its own and the probabilities averaged; amplitudes of different branches
/// are never added. Throws out_of_range "Bell basis out of range" for a basis outside 0..3.
BellProbabilities bellProbabilities(std::int32_t basis);

/// One table row: the outcome label and both probabilities in percent with 2 decimals.
struct BellRow
{
    QString outcome;
    QString bell;
    QString mixture;
};

/// The four rows of the table for `basis` (same errors as bellProbabilities).
std::array<BellRow, 4> bellRows(std::int32_t basis);

/// "Z / Z", "X / X", "Z / X", "X / Z": the selector's items, in basis order.
QStringList bellBasisNames();

/// The three header labels.
QStringList bellHeaders(Language language);

} // namespace Fasoria
