#pragma once

#include "core/Circuit.h"
#include "core/Gate.h"
#include "core/Language.h"
#include "curriculum/Challenge.h"
#include "curriculum/ChallengeDefinition.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Fasoria {

/// What the comparison of the final state with a challenge's target found. Exactly one applies; they are
/// tried from the most specific explanation of a wrong state to the most general.
enum class StateFinding : std::int32_t
{
    /// The target state itself.
    Correct = 0,
    /// The target state times a global phase, which the fidelity ignores.
    GlobalPhase = 1,
    /// The register has another size than the challenge's lesson (or the lesson is not in the catalog).
    QubitCount = 2,
    /// The target state with the order of all qubits reversed.
    ReversedOrder = 3,
    /// The target state with two qubits exchanged.
    QubitsExchanged = 4,
    /// Every probability matches, but some relative phases differ.
    RelativePhase = 5,
    /// The probabilities differ.
    Probabilities = 6,
    /// Too many steps: the check refused the circuit without replaying it.
    NotEvaluated = 7,
};

/// A basis state whose phase differs from the target's once the global phase is aligned.
struct PhaseDifference
{
    std::uint64_t index = 0;
    /// The student's phase minus the target's, in degrees within (−180, 180].
    double degrees = 0.0;
};

/// A basis state whose probability differs from the target's.
struct ProbabilityDifference
{
    std::uint64_t index = 0;
    double actual = 0.0;
    double expected = 0.0;
};

/// The verdict of checkChallenge with the reasons behind it, as data a view or a report can render.
struct Diagnosis
{
    ChallengeResult result;
    StateFinding finding = StateFinding::Correct;
    std::int32_t circuitQubits = 0;
    /// The qubit count of the challenge's lesson; 0 when the lesson is not in the catalog.
    std::int32_t challengeQubits = 0;
    /// The exchanged pair (first < second) for QubitsExchanged.
    std::int32_t firstQubit = 0;
    std::int32_t secondQubit = 0;
    /// The global phase in degrees within (−180, 180] when the state is the target's.
    double globalPhaseDegrees = 0.0;
    /// For RelativePhase, in ascending basis order.
    std::vector<PhaseDifference> phaseDifferences;
    /// For Probabilities, the largest difference first (ties in ascending basis order).
    std::vector<ProbabilityDifference> probabilityDifferences;
    /// The figures behind a rule violation.
    std::size_t gateCount = 0;
    std::int32_t minGates = 0;
    GateKind requiredKind = GateKind::H;
    std::int32_t requiredCount = 0;
    std::size_t requiredFound = 0;
    std::size_t xCount = 0;
    /// A definition's maximum number of steps, for TooManyGates.
    std::optional<std::int32_t> maxGates;
    /// The first forbidden kind the circuit uses and its number of steps, for ForbiddenGate and ForbiddenKind.
    GateKind forbiddenKind = GateKind::X;
    std::size_t forbiddenFound = 0;
};

/// Grades the circuit with checkChallenge and explains the result by comparing the final state with the
/// target amplitude by amplitude. Throws what checkChallenge throws.
Diagnosis diagnoseChallenge(const Challenge &challenge, const Circuit &circuit);

/// The same for a challenge definition, graded with checkChallenge after its validation: the qubit count is
/// the definition's, and the rule figures are those of the requirement the circuit fails first (else the
/// first requirement). Throws what checkChallenge throws.
Diagnosis diagnoseChallenge(const ChallengeDefinition &definition, const Circuit &circuit);

/// What is wrong, most specific first, in one or two sentences: the state finding, then the broken gate
/// rule if any. Empty for a solved circuit whose state is exactly the target.
std::string diagnosisText(const Diagnosis &diagnosis, Language language);

/// The n-bit label of a basis index between bars, q(n−1) first and q0 last: "|01>".
std::string ketLabel(std::uint64_t index, std::int32_t qubits);

} // namespace Fasoria
