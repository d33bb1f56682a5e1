#pragma once

#include "core/Language.h"
#include "curriculum/Challenge.h"

#include <QString>

namespace Fasoria {

/// Fidelity × 100 in fixed notation with 4 decimals, as the verdict writes it.
QString fidelityPercent(double fidelity);

/// The verdict a check shows: the status message, the fidelity sentence and, when the probabilities match
/// but the state is not reached, the hint that the relative phase differs.
QString challengeMessage(const ChallengeResult &result, Language language);

} // namespace Fasoria
