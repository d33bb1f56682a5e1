#include "curriculum/AlgorithmGenerator.h"

#include "curriculum/Networks.h"

#include <cmath>
#include <cstddef>
#include <stdexcept>

namespace Fasoria {

namespace {

constexpr StepText kPreparationStep{"Preparazione: crea la sovrapposizione.", "Preparation: build the superposition."};
constexpr StepText kOracleStep{"Oracolo: il segreto modifica la fase o il qubit ausiliario.",
                               "Oracle: the secret modifies phase or the ancilla."};
constexpr StepText kDiffusionStep{"Diffusione: trasforma differenze di fase in probabilità.",
                                  "Diffusion: convert phase differences into probabilities."};
constexpr StepText kInterferenceStep{"Interferenza: leggi soltanto i qubit dati.",
                                     "Interference: read data qubits only."};

// Names of the checkpoints that end each phase.
constexpr TextPair kInitial{"Stato iniziale", "Initial state"};
constexpr TextPair kAfterPreparation{"Dopo la preparazione", "After preparation"};
constexpr TextPair kAfterOracle{"Dopo l'oracolo", "After oracle"};
constexpr TextPair kAfterDiffusion{"Dopo la diffusione", "After diffusion"};
constexpr TextPair kAfterInterference{"Dopo l'interferenza", "After interference"};

struct CircuitTexts
{
    const char *titleIt;
    const char *titleEn;
    const char *questionIt;
    const char *questionEn;
    const char *explanationIt;
    const char *explanationEn;
};

// clang-format off
constexpr CircuitTexts kDeutschTexts{
    "Deutsch configurabile", "Configurable Deutsch",
    "Scegli f(x): il circuito decide se è costante o bilanciata.",
    "Choose f(x): the circuit decides constant versus balanced.",
    "Leggi q0: 0 costante, 1 bilanciata. q1 è ausiliario.",
    "Read q0: 0 constant, 1 balanced. q1 is an ancilla."};
constexpr CircuitTexts kBernsteinVaziraniTexts{
    "Bernstein-Vazirani configurabile", "Configurable Bernstein-Vazirani",
    "Cambia la stringa segreta e recuperala con una sola interrogazione logica.",
    "Change the hidden bit string and recover it in a single logical query.",
    "I qubit dati rivelano il segreto; ignora il qubit ausiliario.",
    "The data qubits reveal the secret; ignore the ancilla."};
constexpr CircuitTexts kGroverTexts{
    "Grover configurabile", "Configurable Grover",
    "Cambia il numero nascosto e il numero di iterazioni. Più iterazioni non significa sempre meglio.",
    "Change the marked item and iteration count. More iterations are not always better.",
    "Osserva la probabilità del bersaglio e individua il punto ottimale.",
    "Watch the marked-state probability and find the optimum."};
// clang-format on

// The editor's limit on a working circuit: a generated circuit must stay editable.
constexpr std::size_t kMaxSteps = 256;

void startCircuit(GeneratedAlgorithm &result, const CircuitTexts &texts, std::uint32_t qubits)
{
    Circuit &circuit = result.circuit;
    circuit.titleIt = texts.titleIt;
    circuit.titleEn = texts.titleEn;
    circuit.questionIt = texts.questionIt;
    circuit.questionEn = texts.questionEn;
    circuit.explanationIt = texts.explanationIt;
    circuit.explanationEn = texts.explanationEn;
    circuit.qubitCount = static_cast<std::int32_t>(qubits);
}

// A phase that added no gate leaves the checkpoint list unchanged, so the earlier stage keeps its index.
void addStage(GeneratedAlgorithm &result, TextPair name)
{
    const auto gateIndex = static_cast<std::int64_t>(result.circuit.steps.size());
    if (!result.stages.empty() && result.stages.back().gateIndex == gateIndex) {
        return;
    }
    result.stages.push_back(AlgorithmStage{gateIndex, name.it, name.en});
}

void appendOnRange(std::vector<LessonStep> &steps, GateKind kind, std::uint32_t count, StepText text)
{
    for (std::uint32_t k = 0; k < count; ++k) {
        Networks::appendGate(steps, kind, static_cast<std::int32_t>(k), text);
    }
}

void buildDeutsch(GeneratedAlgorithm &result, std::uint32_t function)
{
    if (function > 3) {
        throw std::invalid_argument("Deutsch function outside 0..3");
    }
    std::vector<LessonStep> &steps = result.circuit.steps;
    startCircuit(result, kDeutschTexts, 2);
    addStage(result, kInitial);

    Networks::appendGate(steps, GateKind::X, 1, kPreparationStep);
    Networks::appendGate(steps, GateKind::H, 1, kPreparationStep);
    Networks::appendGate(steps, GateKind::H, 0, kPreparationStep);
    addStage(result, kAfterPreparation);

    // Functions 1 and 3 flip the output unconditionally; 2 and 3 copy x into it.
    if (function == 1 || function == 3) {
        Networks::appendGate(steps, GateKind::X, 1, kOracleStep);
    }
    if (function == 2 || function == 3) {
        Networks::appendCnot(steps, 0, 1, kOracleStep);
    }
    addStage(result, kAfterOracle);

    Networks::appendGate(steps, GateKind::H, 0, kInterferenceStep);
    addStage(result, kAfterInterference);

    result.classicalQueries = 2;
    result.quantumQueries = 1;
    result.readoutMask = 1;
    result.readoutValue = function >= 2 ? 1 : 0;
    result.expectedProbability = 1.0;
}

void buildBernsteinVazirani(GeneratedAlgorithm &result, std::uint32_t dataBits, std::uint32_t secret)
{
    if (dataBits < 1 || dataBits > 4 || secret >= (1U << dataBits)) {
        throw std::invalid_argument("BV: 1..4 data bits and an in-range secret are required");
    }
    // Data qubits q0..q(n-1); the ancilla is qn.
    const auto ancilla = static_cast<std::int32_t>(dataBits);
    std::vector<LessonStep> &steps = result.circuit.steps;
    startCircuit(result, kBernsteinVaziraniTexts, dataBits + 1);
    addStage(result, kInitial);

    Networks::appendGate(steps, GateKind::X, ancilla, kPreparationStep);
    Networks::appendGate(steps, GateKind::H, ancilla, kPreparationStep);
    appendOnRange(steps, GateKind::H, dataBits, kPreparationStep);
    addStage(result, kAfterPreparation);

    for (std::uint32_t j = 0; j < dataBits; ++j) {
        if (((secret >> j) & 1U) != 0) {
            Networks::appendCnot(steps, static_cast<std::int32_t>(j), ancilla, kOracleStep);
        }
    }
    addStage(result, kAfterOracle);

    appendOnRange(steps, GateKind::H, dataBits, kInterferenceStep);
    addStage(result, kAfterInterference);

    result.classicalQueries = static_cast<std::int32_t>(dataBits);
    result.quantumQueries = 1;
    result.readoutMask = (std::uint64_t{1} << dataBits) - 1;
    result.readoutValue = secret;
    result.expectedProbability = 1.0;
}

void buildGrover(GeneratedAlgorithm &result, std::uint32_t qubits, std::uint32_t target, std::uint32_t iterations)
{
    if ((qubits != 2 && qubits != 3) || target >= (1U << qubits) || iterations < 1 || iterations > 4) {
        throw std::invalid_argument("Grover: 2..3 qubits, valid target, 1..4 iterations required");
    }
    std::vector<LessonStep> &steps = result.circuit.steps;
    startCircuit(result, kGroverTexts, qubits);
    addStage(result, kInitial);

    appendOnRange(steps, GateKind::H, qubits, kPreparationStep);
    addStage(result, kAfterPreparation);

    for (std::uint32_t round = 0; round < iterations; ++round) {
        Networks::appendPhaseOracle(steps, qubits, target, kOracleStep);
        addStage(result, kAfterOracle);
        Networks::appendDiffusion(steps, qubits, kDiffusionStep);
        addStage(result, kAfterDiffusion);
    }

    const std::uint64_t states = std::uint64_t{1} << qubits;
    result.classicalQueries = static_cast<std::int32_t>(states - 1);
    result.quantumQueries = static_cast<std::int32_t>(iterations);
    result.readoutMask = states - 1;
    result.readoutValue = target;
    // sin²((2k + 1)·asin(1/√N)): each round turns the state by twice the initial angle towards the target.
    const double angle =
        static_cast<double>(2 * iterations + 1) * std::asin(1.0 / std::sqrt(static_cast<double>(states)));
    const double amplitude = std::sin(angle);
    result.expectedProbability = amplitude * amplitude;
}

} // namespace

GeneratedAlgorithm generateAlgorithm(const AlgorithmParameters &parameters)
{
    GeneratedAlgorithm result;
    result.parameters = parameters;
    switch (static_cast<std::uint32_t>(parameters.kind)) {
    case static_cast<std::uint32_t>(AlgorithmKind::Deutsch):
        buildDeutsch(result, static_cast<std::uint32_t>(parameters.deutschFunction));
        break;
    case static_cast<std::uint32_t>(AlgorithmKind::BernsteinVazirani):
        buildBernsteinVazirani(result, static_cast<std::uint32_t>(parameters.qubits),
                               static_cast<std::uint32_t>(parameters.bvSecret));
        break;
    case static_cast<std::uint32_t>(AlgorithmKind::Grover):
        buildGrover(result, static_cast<std::uint32_t>(parameters.qubits),
                    static_cast<std::uint32_t>(parameters.groverTarget),
                    static_cast<std::uint32_t>(parameters.groverIterations));
        break;
    default:
        throw std::invalid_argument("Unknown algorithm");
    }
    if (result.circuit.steps.size() > kMaxSteps) {
        throw std::invalid_argument("Too many gates");
    }
    return result;
}

} // namespace Fasoria
