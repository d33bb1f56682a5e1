#include "education/model/BellMixture.h"

#include "core/StateVector.h"
#include "education/model/LearningTexts.h"
#include "ui/model/LogEvent.h"

#include <stdexcept>

namespace Fasoria {
namespace {

constexpr std::uint32_t kQ0 = 0;
constexpr std::uint32_t kQ1 = 1;

void applyReadout(StateVector &state, BellBasis basis)
{
    if (basis == BellBasis::XX || basis == BellBasis::XZ) {
        state.applyH(kQ1);
    }
    if (basis == BellBasis::XX || basis == BellBasis::ZX) {
        state.applyH(kQ0);
    }
}

std::array<double, 4> probabilities(const StateVector &state)
{
    std::array<double, 4> result{};
    for (std::uint64_t i = 0; i < result.size(); ++i) {
        result[i] = state.probability(i);
    }
    return result;
}

} // namespace

BellProbabilities bellProbabilities(std::int32_t basis)
{
    if (basis < 0 || basis >= kBellBasisCount) {
        throw std::out_of_range("Bell basis out of range");
    }
    const auto readout = static_cast<BellBasis>(basis);
    BellProbabilities result;

    StateVector bell = createState(2);
    bell.applyH(kQ0);
    bell.applyCnot(kQ0, kQ1);
    applyReadout(bell, readout);
    result.bell = probabilities(bell);

    StateVector zeros = createState(2);
    StateVector ones = createState(2);
    ones.applyX(kQ0);
    ones.applyX(kQ1);
    applyReadout(zeros, readout);
    applyReadout(ones, readout);
    const std::array<double, 4> fromZeros = probabilities(zeros);
    const std::array<double, 4> fromOnes = probabilities(ones);
    for (std::size_t i = 0; i < result.mixture.size(); ++i) {
        result.mixture[i] = 0.5 * fromZeros[i] + 0.5 * fromOnes[i];
    }
    return result;
}

std::array<BellRow, 4> bellRows(std::int32_t basis)
{
    const BellProbabilities values = bellProbabilities(basis);
    std::array<BellRow, 4> rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = {basisLabel(i, 2), fixedText(values.bell[i] * 100.0, 2), fixedText(values.mixture[i] * 100.0, 2)};
    }
    return rows;
}

QStringList bellBasisNames()
{
    return {QStringLiteral("Z / Z"), QStringLiteral("X / X"), QStringLiteral("Z / X"), QStringLiteral("X / Z")};
}

QStringList bellHeaders(Language language)
{
    return {learningText(LearningText::BellColumnOutcome, language),
            learningText(LearningText::BellColumnBell, language),
            learningText(LearningText::BellColumnMixture, language)};
}

} // namespace Fasoria
