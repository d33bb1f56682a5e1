#include "curriculum/Diagnostics.h"

#include "core/GateText.h"
#include "core/StateVector.h"
#include "curriculum/LessonCatalog.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>

namespace Fasoria {

namespace {

const double kPi = std::acos(-1.0);
// A phase difference below this (radians) is rounding, not a mistake.
constexpr double kPhaseTolerance = 1e-6;
// Probabilities the check compares within this tolerance.
constexpr double kProbabilityTolerance = 1e-8;
// Longer lists of basis states end in "and N more".
constexpr std::size_t kListedStates = 4;
constexpr std::size_t kListedProbabilities = 3;

enum TextId
{
    kStateCorrect,
    kGlobalPhase,
    kQubitCount,
    kUnknownLesson,
    kReversedOrder,
    kQubitsExchanged,
    kRelativePhase,
    kPhaseItem,
    kProbabilities,
    kProbabilityItem,
    kStateDiffers,
    kMore,
    kTooFewGates,
    kRequiredKind,
    kRequiredZ,
    kForbiddenX,
    kForbiddenKind,
    kTooManyGates,
    kNotEvaluated,
    kGateSingular,
    kGatePlural,
    kQubitSingular,
    kQubitPlural,
};

// Italian first, then English; %1..%4 are filled in by the callers below.
// clang-format off
const TextPair kTexts[] = {
    {"Lo stato è corretto.",
     "The state is correct."},
    {"Lo stato è quello richiesto a meno di una fase globale di %1°, che non penalizza lo studente: la fedeltà la ignora.",
     "The state is the target up to a global phase of %1°, which does not count against the student: fidelity ignores it."},
    {"Il circuito ha %1 %2, ma questa sfida ne richiede %3.",
     "The circuit has %1 %2, but this challenge needs %3."},
    {"La sfida non appartiene ad alcuna lezione del catalogo.",
     "The challenge belongs to no lesson of the catalog."},
    {"È lo stato richiesto con l'ordine dei qubit invertito: q0 è il bit più a destra dell'etichetta.",
     "This is the target state with the qubit order reversed: q0 is the rightmost bit of a label."},
    {"È lo stato richiesto con q%1 e q%2 scambiati: controlla su quale qubit agisce ogni porta.",
     "This is the target state with q%1 and q%2 exchanged: check which qubit each gate acts on."},
    {"Stesse probabilità dello stato richiesto, ma la fase relativa è diversa: %1.",
     "Same probabilities as the target, but the relative phase differs: %1."},
    {"%1 di %2°",
     "%1 by %2°"},
    {"Le probabilità differiscono soprattutto in %1.",
     "The probabilities differ most at %1."},
    {"%1 (%2 invece di %3)",
     "%1 (%2 instead of %3)"},
    {"Lo stato è diverso da quello richiesto.",
     "The state differs from the target."},
    {"e altri %1",
     "and %1 more"},
    {"Il circuito ha %1 %2; la consegna ne chiede almeno %3.",
     "The circuit has %1 %2; the challenge asks for at least %3."},
    {"La consegna richiede almeno %1 %3 %2; il circuito ne ha %4.",
     "The challenge requires at least %1 %2 %3; the circuit has %4."},
    {"La consegna richiede almeno una porta Z.",
     "The challenge requires at least one Z gate."},
    {"La consegna vieta X, ma il circuito ha %1 %2 X.",
     "The challenge forbids X, but the circuit has %1 X %2."},
    {"La consegna vieta %1, ma il circuito ha %2 %3 %1.",
     "The challenge forbids %1, but the circuit has %2 %1 %3."},
    {"Il circuito ha %1 %2; la consegna ne ammette al massimo %3.",
     "The circuit has %1 %2; the challenge allows at most %3."},
    {"Il circuito ha più di 256 porte e non viene valutato.",
     "The circuit has more than 256 gates and is not evaluated."},
    {"porta", "gate"},
    {"porte", "gates"},
    {"qubit", "qubit"},
    {"qubit", "qubits"},
};
// clang-format on
static_assert(std::size(kTexts) == kQubitPlural + 1, "one text pair per TextId");

const char *text(TextId id, Language language)
{
    return pick(language, kTexts[id]);
}

// Replaces %1..%4 by the arguments in order; a placeholder one language does not use is simply absent.
std::string fill(TextId id, Language language, const std::vector<std::string> &arguments)
{
    std::string result;
    const std::string pattern = text(id, language);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::size_t slot = i + 1 < pattern.size() ? static_cast<std::size_t>(pattern[i + 1] - '1') : 9;
        if (pattern[i] == '%' && slot < arguments.size()) {
            result += arguments[slot];
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

std::string kindLetter(GateKind kind)
{
    static const char *const kLetters[kGateKindCount] = {"H", "X", "Z", "P", "CNOT"};
    const auto index = static_cast<std::int32_t>(kind);
    return index >= 0 && index < kGateKindCount ? kLetters[index] : "?";
}

std::string countWord(std::size_t count, TextId singular, TextId plural, Language language)
{
    return text(count == 1 ? singular : plural, language);
}

// "a, b, c and 2 more": the first `limit` items, then how many were left out.
std::string joinList(const std::vector<std::string> &items, std::size_t limit, Language language)
{
    std::string result;
    for (std::size_t i = 0; i < items.size() && i < limit; ++i) {
        result += (i == 0 ? "" : ", ") + items[i];
    }
    if (items.size() > limit) {
        result += " " + fill(kMore, language, {std::to_string(items.size() - limit)});
    }
    return result;
}

// An angle in degrees within (−180, 180]; values that would print as −180.0 count as +180.
double wrappedDegrees(double radians)
{
    double degrees = std::remainder(radians, 2.0 * kPi) * 180.0 / kPi;
    if (degrees < -179.95) {
        degrees += 360.0;
    }
    return degrees;
}

std::vector<Complex> denseTarget(const std::vector<ChallengeTarget> &entries, std::uint64_t dimension)
{
    std::vector<Complex> target(dimension);
    for (const ChallengeTarget &entry : entries) {
        if (entry.index >= dimension) {
            throw std::out_of_range("Challenge target basis");
        }
        target[entry.index].re += entry.amplitude.re;
        target[entry.index].im += entry.amplitude.im;
    }
    return target;
}

// ⟨target|state⟩, summed in ascending basis order like the check's fidelity.
Complex overlap(const std::vector<Complex> &target, const std::vector<Complex> &state)
{
    Complex sum;
    for (std::size_t i = 0; i < target.size(); ++i) {
        sum.re += state[i].re * target[i].re + state[i].im * target[i].im;
        sum.im += state[i].im * target[i].re - state[i].re * target[i].im;
    }
    return sum;
}

bool matchesUpToGlobalPhase(const std::vector<Complex> &target, const std::vector<Complex> &state)
{
    const Complex product = overlap(target, state);
    return isSolvingFidelity(product.re * product.re + product.im * product.im);
}

// The state with its qubits relabelled: qubit k of the result is qubit order[k] of the input.
std::vector<Complex> relabelled(const std::vector<Complex> &state, const std::vector<std::int32_t> &order)
{
    std::vector<Complex> result(state.size());
    for (std::uint64_t i = 0; i < state.size(); ++i) {
        std::uint64_t source = 0;
        for (std::size_t k = 0; k < order.size(); ++k) {
            source |= ((i >> order[k]) & 1U) << k;
        }
        result[i] = state[source];
    }
    return result;
}

std::vector<std::int32_t> identityOrder(std::int32_t qubits)
{
    std::vector<std::int32_t> order(static_cast<std::size_t>(qubits));
    for (std::int32_t k = 0; k < qubits; ++k) {
        order[static_cast<std::size_t>(k)] = k;
    }
    return order;
}

// Reversal first (for two qubits it is also the only exchange), then every exchange of two qubits.
bool findPermutation(Diagnosis &diagnosis, const std::vector<Complex> &target, const std::vector<Complex> &state)
{
    const std::int32_t qubits = diagnosis.circuitQubits;
    if (qubits < 2) {
        return false;
    }
    std::vector<std::int32_t> reversed = identityOrder(qubits);
    std::reverse(reversed.begin(), reversed.end());
    if (matchesUpToGlobalPhase(target, relabelled(state, reversed))) {
        diagnosis.finding = StateFinding::ReversedOrder;
        return true;
    }
    for (std::int32_t a = 0; a < qubits; ++a) {
        for (std::int32_t b = a + 1; b < qubits; ++b) {
            std::vector<std::int32_t> order = identityOrder(qubits);
            std::swap(order[static_cast<std::size_t>(a)], order[static_cast<std::size_t>(b)]);
            if (matchesUpToGlobalPhase(target, relabelled(state, order))) {
                diagnosis.finding = StateFinding::QubitsExchanged;
                diagnosis.firstQubit = a;
                diagnosis.secondQubit = b;
                return true;
            }
        }
    }
    return false;
}

// Aligns the global phase on the most probable target state (the lowest index among equals) and lists
// the basis states whose phase still differs.
std::vector<PhaseDifference> phaseDifferences(const std::vector<Complex> &target, const std::vector<Complex> &state)
{
    std::size_t reference = 0;
    for (std::size_t i = 1; i < target.size(); ++i) {
        const double weight = target[i].re * target[i].re + target[i].im * target[i].im;
        const double best = target[reference].re * target[reference].re + target[reference].im * target[reference].im;
        if (weight > best) {
            reference = i;
        }
    }
    const auto phase = [](const Complex &c) { return std::atan2(c.im, c.re); };
    const double alignment = phase(state[reference]) - phase(target[reference]);
    std::vector<PhaseDifference> differences;
    for (std::size_t i = 0; i < target.size(); ++i) {
        if (target[i].re * target[i].re + target[i].im * target[i].im <= kProbabilityTolerance) {
            continue;
        }
        const double difference = std::remainder(phase(state[i]) - phase(target[i]) - alignment, 2.0 * kPi);
        if (std::fabs(difference) > kPhaseTolerance) {
            differences.push_back(PhaseDifference{i, wrappedDegrees(difference)});
        }
    }
    return differences;
}

std::vector<ProbabilityDifference> probabilityDifferences(const std::vector<Complex> &target, const StateVector &state)
{
    std::vector<ProbabilityDifference> differences;
    for (std::uint64_t i = 0; i < target.size(); ++i) {
        const double expected = target[i].re * target[i].re + target[i].im * target[i].im;
        const double actual = state.probability(i);
        if (std::fabs(actual - expected) > kProbabilityTolerance) {
            differences.push_back(ProbabilityDifference{i, actual, expected});
        }
    }
    // Differences equal to 1e-12 rank as ties, so rounding noise does not reorder basis states.
    const auto rank = [](const ProbabilityDifference &d) {
        return std::llround(std::fabs(d.actual - d.expected) * 1e12);
    };
    std::stable_sort(
        differences.begin(), differences.end(),
        [&rank](const ProbabilityDifference &a, const ProbabilityDifference &b) { return rank(a) > rank(b); });
    return differences;
}

std::size_t countKind(const Circuit &circuit, GateKind kind)
{
    return static_cast<std::size_t>(std::count_if(circuit.steps.begin(), circuit.steps.end(),
                                                  [kind](const LessonStep &step) { return step.gate.kind == kind; }));
}

void compareStates(Diagnosis &diagnosis, const std::vector<ChallengeTarget> &entries, const Circuit &circuit)
{
    const StateVector state = replayPrefix(circuit, circuit.steps.size());
    const std::vector<Complex> &amplitudes = state.amplitudes();
    const std::vector<Complex> target = denseTarget(entries, state.dimension());
    if (isSolvingFidelity(diagnosis.result.fidelity)) {
        const Complex product = overlap(target, amplitudes);
        const double phase = std::atan2(product.im, product.re);
        if (std::fabs(phase) > kPhaseTolerance) {
            diagnosis.finding = StateFinding::GlobalPhase;
            diagnosis.globalPhaseDegrees = wrappedDegrees(phase);
        }
        return;
    }
    if (findPermutation(diagnosis, target, amplitudes)) {
        return;
    }
    if (diagnosis.result.probabilitiesMatch) {
        diagnosis.phaseDifferences = phaseDifferences(target, amplitudes);
        if (!diagnosis.phaseDifferences.empty()) {
            diagnosis.finding = StateFinding::RelativePhase;
            return;
        }
    }
    diagnosis.finding = StateFinding::Probabilities;
    diagnosis.probabilityDifferences = probabilityDifferences(target, state);
}

// The state finding once the verdict and the qubit counts are known.
void explainState(Diagnosis &diagnosis, const std::vector<ChallengeTarget> &target, const Circuit &circuit)
{
    if (circuit.steps.size() > kMaxCheckedSteps) {
        diagnosis.finding = StateFinding::NotEvaluated;
    } else if (diagnosis.result.status == ChallengeStatus::QubitCountMismatch) {
        diagnosis.finding = StateFinding::QubitCount;
    } else {
        compareStates(diagnosis, target, circuit);
    }
}

std::string stateText(const Diagnosis &diagnosis, Language language)
{
    const std::int32_t qubits = diagnosis.circuitQubits;
    switch (diagnosis.finding) {
    case StateFinding::Correct:
        return text(kStateCorrect, language);
    case StateFinding::GlobalPhase:
        return fill(kGlobalPhase, language, {formatFixed(diagnosis.globalPhaseDegrees, 1)});
    case StateFinding::QubitCount:
        if (diagnosis.challengeQubits == 0) {
            return text(kUnknownLesson, language);
        }
        return fill(kQubitCount, language,
                    {std::to_string(qubits),
                     countWord(static_cast<std::size_t>(qubits), kQubitSingular, kQubitPlural, language),
                     std::to_string(diagnosis.challengeQubits)});
    case StateFinding::ReversedOrder:
        return text(kReversedOrder, language);
    case StateFinding::QubitsExchanged:
        return fill(kQubitsExchanged, language,
                    {std::to_string(diagnosis.firstQubit), std::to_string(diagnosis.secondQubit)});
    case StateFinding::RelativePhase: {
        std::vector<std::string> items;
        for (const PhaseDifference &difference : diagnosis.phaseDifferences) {
            items.push_back(
                fill(kPhaseItem, language, {ketLabel(difference.index, qubits), formatFixed(difference.degrees, 1)}));
        }
        return fill(kRelativePhase, language, {joinList(items, kListedStates, language)});
    }
    case StateFinding::Probabilities: {
        std::vector<std::string> items;
        for (const ProbabilityDifference &difference : diagnosis.probabilityDifferences) {
            items.push_back(fill(kProbabilityItem, language,
                                 {ketLabel(difference.index, qubits), formatFixed(difference.actual, 4),
                                  formatFixed(difference.expected, 4)}));
        }
        if (items.empty()) {
            return text(kStateDiffers, language);
        }
        return fill(kProbabilities, language, {joinList(items, kListedProbabilities, language)});
    }
    case StateFinding::NotEvaluated:
        return text(kNotEvaluated, language);
    }
    return std::string();
}

std::string ruleText(const Diagnosis &diagnosis, Language language)
{
    switch (diagnosis.result.status) {
    case ChallengeStatus::TooFewGates:
        return fill(kTooFewGates, language,
                    {std::to_string(diagnosis.gateCount),
                     countWord(diagnosis.gateCount, kGateSingular, kGatePlural, language),
                     std::to_string(diagnosis.minGates)});
    case ChallengeStatus::RequiredGateMissing:
        // The count rule is checked first; when it holds, the missing gate is the phase lesson's Z.
        if (diagnosis.requiredFound < static_cast<std::size_t>(diagnosis.requiredCount)) {
            const auto required = static_cast<std::size_t>(diagnosis.requiredCount);
            return fill(kRequiredKind, language,
                        {std::to_string(required), kindLetter(diagnosis.requiredKind),
                         countWord(required, kGateSingular, kGatePlural, language),
                         std::to_string(diagnosis.requiredFound)});
        }
        return text(kRequiredZ, language);
    case ChallengeStatus::ForbiddenGate:
        return fill(
            kForbiddenX, language,
            {std::to_string(diagnosis.xCount), countWord(diagnosis.xCount, kGateSingular, kGatePlural, language)});
    case ChallengeStatus::ForbiddenKind:
        return fill(kForbiddenKind, language,
                    {kindLetter(diagnosis.forbiddenKind), std::to_string(diagnosis.forbiddenFound),
                     countWord(diagnosis.forbiddenFound, kGateSingular, kGatePlural, language)});
    case ChallengeStatus::TooManyGates:
        return fill(kTooManyGates, language,
                    {std::to_string(diagnosis.gateCount),
                     countWord(diagnosis.gateCount, kGateSingular, kGatePlural, language),
                     std::to_string(diagnosis.maxGates.value_or(0))});
    default:
        return std::string();
    }
}

} // namespace

std::string ketLabel(std::uint64_t index, std::int32_t qubits)
{
    std::string label = "|";
    for (std::int32_t k = qubits - 1; k >= 0; --k) {
        label += ((index >> k) & 1U) != 0 ? '1' : '0';
    }
    return label + ">";
}

Diagnosis diagnoseChallenge(const Challenge &challenge, const Circuit &circuit)
{
    Diagnosis diagnosis;
    diagnosis.result = checkChallenge(challenge, circuit);
    diagnosis.circuitQubits = circuit.qubitCount;
    const LessonCatalog &catalog = lessonCatalog();
    if (challenge.lessonIndex < catalog.size()) {
        diagnosis.challengeQubits = catalog[challenge.lessonIndex].qubitCount;
    }
    diagnosis.gateCount = circuit.steps.size();
    diagnosis.minGates = challenge.minGates;
    diagnosis.requiredKind = challenge.requiredKind;
    diagnosis.requiredCount = challenge.requiredCount;
    diagnosis.requiredFound = countKind(circuit, challenge.requiredKind);
    diagnosis.xCount = countKind(circuit, GateKind::X);
    diagnosis.forbiddenFound = diagnosis.xCount;
    explainState(diagnosis, challenge.target, circuit);
    return diagnosis;
}

Diagnosis diagnoseChallenge(const ChallengeDefinition &definition, const Circuit &circuit)
{
    Diagnosis diagnosis;
    diagnosis.result = checkChallenge(definition, circuit);
    diagnosis.circuitQubits = circuit.qubitCount;
    diagnosis.challengeQubits = definition.qubitCount;
    diagnosis.gateCount = circuit.steps.size();
    diagnosis.minGates = definition.minGates;
    diagnosis.maxGates = definition.maxGates;
    const auto failing = std::find_if(
        definition.required.begin(), definition.required.end(), [&circuit](const GateRequirement &requirement) {
            return countKind(circuit, requirement.kind) < static_cast<std::size_t>(requirement.count);
        });
    if (!definition.required.empty()) {
        const GateRequirement &shown = failing != definition.required.end() ? *failing : definition.required.front();
        diagnosis.requiredKind = shown.kind;
        diagnosis.requiredCount = shown.count;
    }
    diagnosis.requiredFound = countKind(circuit, diagnosis.requiredKind);
    diagnosis.xCount = countKind(circuit, GateKind::X);
    for (const GateKind kind : definition.forbidden) {
        if (countKind(circuit, kind) > 0) {
            diagnosis.forbiddenKind = kind;
            diagnosis.forbiddenFound = countKind(circuit, kind);
            break;
        }
    }
    explainState(diagnosis, definition.target, circuit);
    return diagnosis;
}

std::string diagnosisText(const Diagnosis &diagnosis, Language language)
{
    if (diagnosis.result.solved && diagnosis.finding == StateFinding::Correct) {
        return std::string();
    }
    const std::string rule = ruleText(diagnosis, language);
    const std::string state = stateText(diagnosis, language);
    return rule.empty() ? state : state + " " + rule;
}

} // namespace Fasoria
