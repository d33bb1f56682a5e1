#pragma once

#include "core/Circuit.h"
#include "core/Gate.h"
#include "core/StateVector.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Fasoria {

/// One non-zero amplitude of a sparse target state; basis states not listed have amplitude 0.
struct ChallengeTarget
{
    /// Basis index: bit k is qubit qk.
    std::uint64_t index = 0;
    Complex amplitude;
};

/// A challenge lesson: goal, three hints from gentle to explicit, target state and gate rules. The qubit
/// count it requires is the one of the catalog lesson at `lessonIndex`.
struct Challenge
{
    std::uint64_t lessonIndex = 0;
    const char *goalIt = "";
    const char *goalEn = "";
    const char *hint1It = "";
    const char *hint1En = "";
    const char *hint2It = "";
    const char *hint2En = "";
    const char *hint3It = "";
    const char *hint3En = "";
    std::vector<ChallengeTarget> target;
    /// Minimum number of steps of the circuit.
    std::int32_t minGates = 0;
    /// A kind the circuit must contain at least `requiredCount` times; a count of 0 disables the rule.
    GateKind requiredKind = GateKind::H;
    std::int32_t requiredCount = 0;
};

/// Outcome of a check, by its stored number.
enum class ChallengeStatus : std::int32_t
{
    Solved = 0,
    TooFewGates = 1,
    RequiredGateMissing = 2,
    NotSolved = 3,
    QubitCountMismatch = 4,
    /// X was used where it is forbidden.
    ForbiddenGate = 5,
    /// Another forbidden kind was used (only challenge definitions forbid kinds other than X).
    ForbiddenKind = 6,
    /// More steps than the definition's maximum.
    TooManyGates = 7,
};

/// The verdict on a circuit. Fidelity and probabilitiesMatch are reported with every rule violation too.
struct ChallengeResult
{
    bool solved = false;
    /// Every basis probability equals the target's within 1e-8.
    bool probabilitiesMatch = false;
    /// |⟨target|ψ⟩|² in [0, 1], independent of the global phase of ψ.
    double fidelity = 0.0;
    ChallengeStatus status = ChallengeStatus::NotSolved;
};

/// Lowest fidelity that counts as solved.
constexpr double kSolvedFidelity = 0.99999999;

/// Circuits longer than this are refused unchecked (the editor never builds them).
constexpr std::size_t kMaxCheckedSteps = 256;

/// The ten challenges in lesson order, built on first use (thread-safe) and never modified afterwards.
const std::vector<Challenge> &challengeCatalog();

/// The challenge of a lesson, or null when the lesson is not a challenge.
const Challenge *findChallenge(std::uint64_t lessonIndex);

/// Whether a fidelity is high enough to solve a challenge that every gate rule accepts.
bool isSolvingFidelity(double fidelity);

/// Replays the whole circuit and grades it against the challenge, through its challengeDefinition and
/// gradeChallenge. Throws out_of_range "Challenge target basis" and invalid_argument "Challenge target not
/// normalized" for a malformed target; engine errors of the replay propagate.
ChallengeResult checkChallenge(const Challenge &challenge, const Circuit &circuit);

} // namespace Fasoria
