#pragma once

#include "core/Circuit.h"
#include "core/Gate.h"
#include "curriculum/Challenge.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Fasoria {

/// The largest register a challenge definition may ask for (the editor's limit).
constexpr std::int32_t kMaxChallengeQubits = 8;

/// At least `count` steps of `kind`.
struct GateRequirement
{
    GateKind kind = GateKind::H;
    std::int32_t count = 1;
};

/// A challenge as data that owns its texts, whether a teacher wrote it or it was converted from a built-in
/// `Challenge`. Graded by checkChallenge, which validates it first.
struct ChallengeDefinition
{
    /// 1..kMaxChallengeQubits; the circuit must have exactly this many qubits.
    std::int32_t qubitCount = 1;
    /// Both goals must say something; any hint may be empty.
    std::string goalIt;
    std::string goalEn;
    std::string hint1It;
    std::string hint1En;
    std::string hint2It;
    std::string hint2En;
    std::string hint3It;
    std::string hint3En;
    /// The sparse target state, normalised within 1e-9; repeated indices accumulate.
    std::vector<ChallengeTarget> target;
    /// Minimum number of steps, 0..256.
    std::int32_t minGates = 0;
    /// Checked in this order, each kind at most once, each count 1..256.
    std::vector<GateRequirement> required;
    /// Kinds the circuit must not use, each at most once and none of them required.
    std::vector<GateKind> forbidden;
    /// Maximum number of steps, minGates..256, when present.
    std::optional<std::int32_t> maxGates;
};

/// Throws on the first defect, checked in this order: invalid_argument "Challenge qubits must be in the range
/// 1..8", "Challenge goal missing" (a goal empty or blank); out_of_range "Challenge target basis" (an index
/// not below 2^n); invalid_argument "Challenge target not normalized", "Challenge minimum gates out of
/// range", "Challenge maximum gates out of range", "Challenge maximum below minimum"; for each requirement
/// "Challenge gate kind unknown", "Challenge required count out of range", "Challenge required kind
/// repeated"; "Challenge required gates above maximum" (the sum of the required counts); for each forbidden
/// kind "Challenge gate kind unknown", "Challenge forbidden kind repeated"; "Challenge required kind
/// forbidden".
void validateChallengeDefinition(const ChallengeDefinition &definition);

/// Validates the definition, then grades the circuit with gradeChallenge.
ChallengeResult checkChallenge(const ChallengeDefinition &definition, const Circuit &circuit);

/// The evaluation itself, without validating the definition: as for a built-in challenge, a circuit of more
/// than 256 steps is refused unchecked, another qubit count gives QubitCountMismatch, then the target is
/// checked while it is spread over the register (out_of_range "Challenge target basis", invalid_argument
/// "Challenge target not normalized"), and the rules decide in the order minimum gates, maximum gates,
/// requirements, forbidden kinds (the first forbidden kind used gives ForbiddenGate for X and ForbiddenKind
/// for any other), fidelity. Engine errors of the replay propagate.
ChallengeResult gradeChallenge(const ChallengeDefinition &definition, const Circuit &circuit);

/// The definition a built-in challenge stands for: its texts and rules, the qubit count of its lesson, and
/// for lesson 11 the Z it requires and the X it forbids. Throws out_of_range "Challenge lesson outside
/// catalog" when the lesson index is not in the catalog.
ChallengeDefinition challengeDefinition(const Challenge &challenge);

/// The target a reference circuit prepares: its whole replay from |0…0⟩, every amplitude that is not exactly
/// 0 in ascending basis order. Throws invalid_argument "Challenge qubits must be in the range 1..8"; engine
/// errors of the replay propagate.
std::vector<ChallengeTarget> targetFromCircuit(const Circuit &reference);

} // namespace Fasoria
