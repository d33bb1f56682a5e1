#include "curriculum/ChallengeDefinition.h"

#include "core/StateVector.h"
#include "curriculum/LessonCatalog.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <stdexcept>

namespace Fasoria {

namespace {

constexpr double kNormTolerance = 1e-9;
constexpr double kProbabilityTolerance = 1e-8;
// Lesson 11 reveals a phase: besides its own rule it needs a Z and must not reach |1> with X.
constexpr std::uint64_t kPhaseRevealLesson = 10;
const char *const kQubitRangeMessage = "Challenge qubits must be in the range 1..8";

bool isKnownKind(GateKind kind)
{
    const auto number = static_cast<std::int32_t>(kind);
    return number >= 0 && number < kGateKindCount;
}

bool isBlank(const std::string &text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

bool isStepCount(std::int32_t count, std::int32_t lowest)
{
    return count >= lowest && count <= static_cast<std::int32_t>(kMaxCheckedSteps);
}

// The sparse target spread over the whole register; repeated indices accumulate.
std::vector<Complex> denseTarget(const std::vector<ChallengeTarget> &target, std::uint64_t dimension)
{
    std::vector<Complex> dense(dimension);
    for (const ChallengeTarget &entry : target) {
        if (entry.index >= dimension) {
            throw std::out_of_range("Challenge target basis");
        }
        dense[entry.index].re += entry.amplitude.re;
        dense[entry.index].im += entry.amplitude.im;
    }
    return dense;
}

// Written so that a non-finite norm is refused as well.
void checkNormalized(const std::vector<Complex> &target)
{
    double norm = 0.0;
    for (const Complex &t : target) {
        norm += t.re * t.re + t.im * t.im;
    }
    if (!(std::fabs(norm - 1.0) <= kNormTolerance)) {
        throw std::invalid_argument("Challenge target not normalized");
    }
}

void validateCounts(const ChallengeDefinition &definition)
{
    if (!isStepCount(definition.minGates, 0)) {
        throw std::invalid_argument("Challenge minimum gates out of range");
    }
    if (definition.maxGates && !isStepCount(*definition.maxGates, 0)) {
        throw std::invalid_argument("Challenge maximum gates out of range");
    }
    if (definition.maxGates && *definition.maxGates < definition.minGates) {
        throw std::invalid_argument("Challenge maximum below minimum");
    }
}

void validateKinds(const ChallengeDefinition &definition)
{
    std::array<bool, kGateKindCount> required{};
    std::int64_t requiredSteps = 0;
    for (const GateRequirement &requirement : definition.required) {
        if (!isKnownKind(requirement.kind)) {
            throw std::invalid_argument("Challenge gate kind unknown");
        }
        if (!isStepCount(requirement.count, 1)) {
            throw std::invalid_argument("Challenge required count out of range");
        }
        bool &seen = required[static_cast<std::size_t>(requirement.kind)];
        if (seen) {
            throw std::invalid_argument("Challenge required kind repeated");
        }
        seen = true;
        requiredSteps += requirement.count;
    }
    if (definition.maxGates && requiredSteps > *definition.maxGates) {
        throw std::invalid_argument("Challenge required gates above maximum");
    }
    std::array<bool, kGateKindCount> forbidden{};
    for (const GateKind kind : definition.forbidden) {
        if (!isKnownKind(kind)) {
            throw std::invalid_argument("Challenge gate kind unknown");
        }
        bool &seen = forbidden[static_cast<std::size_t>(kind)];
        if (seen) {
            throw std::invalid_argument("Challenge forbidden kind repeated");
        }
        seen = true;
    }
    for (std::size_t kind = 0; kind < required.size(); ++kind) {
        if (required[kind] && forbidden[kind]) {
            throw std::invalid_argument("Challenge required kind forbidden");
        }
    }
}

// Compared by number, so a kind outside 0..4 counts the steps that carry that same number.
std::int64_t countKind(const Circuit &circuit, GateKind kind)
{
    return std::count_if(circuit.steps.begin(), circuit.steps.end(),
                         [kind](const LessonStep &step) { return step.gate.kind == kind; });
}

// The first gate rule the circuit breaks, or Solved when it keeps them all. Counts compare as signed
// numbers, so a count of 0 or below never rules anything out.
ChallengeStatus ruleStatus(const ChallengeDefinition &definition, const Circuit &circuit)
{
    const auto steps = static_cast<std::int64_t>(circuit.steps.size());
    if (steps < definition.minGates) {
        return ChallengeStatus::TooFewGates;
    }
    if (definition.maxGates && steps > *definition.maxGates) {
        return ChallengeStatus::TooManyGates;
    }
    for (const GateRequirement &requirement : definition.required) {
        if (countKind(circuit, requirement.kind) < requirement.count) {
            return ChallengeStatus::RequiredGateMissing;
        }
    }
    for (const GateKind kind : definition.forbidden) {
        if (countKind(circuit, kind) > 0) {
            return kind == GateKind::X ? ChallengeStatus::ForbiddenGate : ChallengeStatus::ForbiddenKind;
        }
    }
    return ChallengeStatus::Solved;
}

// Rounding can push a squared overlap just outside [0, 1]; a value not above 0 becomes 0.
double clampToUnit(double value)
{
    if (!(value > 0.0)) {
        return 0.0;
    }
    return value >= 1.0 ? 1.0 : value;
}

// |⟨t|ψ⟩|², conjugating the target, summed in ascending basis order.
double fidelity(const std::vector<Complex> &target, const std::vector<Complex> &psi)
{
    double overlapRe = 0.0;
    double overlapIm = 0.0;
    for (std::size_t i = 0; i < target.size(); ++i) {
        overlapRe += psi[i].re * target[i].re + psi[i].im * target[i].im;
        overlapIm += psi[i].im * target[i].re - psi[i].re * target[i].im;
    }
    return clampToUnit(overlapRe * overlapRe + overlapIm * overlapIm);
}

bool probabilitiesMatch(const std::vector<Complex> &target, const StateVector &state)
{
    for (std::size_t i = 0; i < target.size(); ++i) {
        const double targetProbability = target[i].re * target[i].re + target[i].im * target[i].im;
        if (std::fabs(targetProbability - state.probability(i)) > kProbabilityTolerance) {
            return false;
        }
    }
    return true;
}

} // namespace

void validateChallengeDefinition(const ChallengeDefinition &definition)
{
    if (definition.qubitCount < 1 || definition.qubitCount > kMaxChallengeQubits) {
        throw std::invalid_argument(kQubitRangeMessage);
    }
    if (isBlank(definition.goalIt) || isBlank(definition.goalEn)) {
        throw std::invalid_argument("Challenge goal missing");
    }
    checkNormalized(denseTarget(definition.target, std::uint64_t{1} << definition.qubitCount));
    validateCounts(definition);
    validateKinds(definition);
}

ChallengeResult checkChallenge(const ChallengeDefinition &definition, const Circuit &circuit)
{
    validateChallengeDefinition(definition);
    return gradeChallenge(definition, circuit);
}

ChallengeResult gradeChallenge(const ChallengeDefinition &definition, const Circuit &circuit)
{
    ChallengeResult result;
    if (circuit.steps.size() > kMaxCheckedSteps) {
        return result;
    }
    if (definition.qubitCount != circuit.qubitCount) {
        result.status = ChallengeStatus::QubitCountMismatch;
        return result;
    }

    const StateVector state = replayPrefix(circuit, circuit.steps.size());
    const std::vector<Complex> target = denseTarget(definition.target, state.dimension());
    checkNormalized(target);
    result.fidelity = fidelity(target, state.amplitudes());
    result.probabilitiesMatch = probabilitiesMatch(target, state);

    result.status = ruleStatus(definition, circuit);
    if (result.status == ChallengeStatus::Solved) {
        result.solved = isSolvingFidelity(result.fidelity);
        result.status = result.solved ? ChallengeStatus::Solved : ChallengeStatus::NotSolved;
    }
    return result;
}

ChallengeDefinition challengeDefinition(const Challenge &challenge)
{
    const LessonCatalog &lessons = lessonCatalog();
    if (challenge.lessonIndex >= lessons.size()) {
        throw std::out_of_range("Challenge lesson outside catalog");
    }
    ChallengeDefinition definition;
    definition.qubitCount = lessons[challenge.lessonIndex].qubitCount;
    definition.goalIt = challenge.goalIt;
    definition.goalEn = challenge.goalEn;
    definition.hint1It = challenge.hint1It;
    definition.hint1En = challenge.hint1En;
    definition.hint2It = challenge.hint2It;
    definition.hint2En = challenge.hint2En;
    definition.hint3It = challenge.hint3It;
    definition.hint3En = challenge.hint3En;
    definition.target = challenge.target;
    // A count of 0 or below disables the rule, which a definition expresses by leaving it out.
    definition.minGates = std::max(challenge.minGates, 0);
    if (challenge.requiredCount > 0) {
        definition.required.push_back({challenge.requiredKind, challenge.requiredCount});
    }
    if (challenge.lessonIndex == kPhaseRevealLesson) {
        definition.required.push_back({GateKind::Z, 1});
        definition.forbidden.push_back(GateKind::X);
    }
    return definition;
}

std::vector<ChallengeTarget> targetFromCircuit(const Circuit &reference)
{
    if (reference.qubitCount < 1 || reference.qubitCount > kMaxChallengeQubits) {
        throw std::invalid_argument(kQubitRangeMessage);
    }
    const StateVector state = replayPrefix(reference, reference.steps.size());
    std::vector<ChallengeTarget> target;
    for (std::uint64_t i = 0; i < state.dimension(); ++i) {
        const Complex &amplitude = state.amplitude(i);
        if (amplitude.re != 0.0 || amplitude.im != 0.0) {
            target.push_back({i, amplitude});
        }
    }
    return target;
}

} // namespace Fasoria
