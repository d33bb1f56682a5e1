#include "validation/suite/EngineChecks.h"

#include "core/Circuit.h"
#include "core/Measurement.h"
#include "core/RandomGenerator.h"
#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/AlgorithmInfo.h"
#include "curriculum/Challenge.h"
#include "editor/CircuitEditor.h"
#include "validation/suite/DenseReference.h"

#include <cmath>
#include <complex>
#include <cstring>
#include <locale>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

namespace Fasoria {

namespace {

constexpr double kGoldenTolerance = 5e-13;
constexpr double kCrossCheckTolerance = 5e-12;
constexpr double kNormTolerance = 1e-12;

void require(bool condition, const char *failure)
{
    if (!condition) {
        throw std::runtime_error(failure);
    }
}

double distance(const Complex &a, const Complex &b)
{
    return std::hypot(a.re - b.re, a.im - b.im);
}

bool isUnitNorm(const StateVector &state, double tolerance)
{
    return std::fabs(state.totalProbability() - 1.0) < tolerance;
}

// The standard stream notation of a complex number, independent of the global locale.
std::string streamText(const Complex &value)
{
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    stream << std::complex<double>(value.re, value.im);
    return stream.str();
}

Gate h(std::int32_t target)
{
    return Gate{GateKind::H, target, 0, 0.0};
}

Gate x(std::int32_t target)
{
    return Gate{GateKind::X, target, 0, 0.0};
}

Gate z(std::int32_t target)
{
    return Gate{GateKind::Z, target, 0, 0.0};
}

Gate p(std::int32_t target, double angle)
{
    return Gate{GateKind::P, target, 0, angle};
}

Gate cnot(std::int32_t control, std::int32_t target)
{
    return Gate{GateKind::Cnot, target, control, 0.0};
}

StateVector prepare(std::uint32_t qubits, const std::vector<Gate> &gates)
{
    StateVector state = createState(qubits);
    for (const Gate &gate : gates) {
        state.applyGate(gate);
    }
    return state;
}

void runRandomCircuit(std::mt19937_64 &random, std::uint32_t n, int circuit)
{
    StateVector state = createState(n);
    DenseReference reference(n);
    for (int step = 0; step < 30; ++step) {
        const Gate gate = drawRandomGate(random, n);
        state.applyGate(gate);
        reference.apply(gate);
        require(isUnitNorm(state, kCrossCheckTolerance), "Norm drift in random circuit");
        if (const auto basis = firstDeviation(state.amplitudes(), reference.amplitudes(), kCrossCheckTolerance)) {
            throw std::runtime_error("Dense matrix mismatch n=" + std::to_string(n) +
                                     " circuit=" + std::to_string(circuit) + " step=" + std::to_string(step) +
                                     " basis=" + std::to_string(*basis));
        }
    }
}

// A copy of a catalog lesson with free-lab steps appended.
Circuit lessonWith(std::size_t lessonIndex, const std::vector<Gate> &appended)
{
    Circuit circuit = lessonCatalog().at(lessonIndex);
    for (const Gate &gate : appended) {
        circuit.steps.emplace_back(gate.kind, gate.target, gate.control, gate.angle);
    }
    return circuit;
}

AlgorithmParameters parametersOf(AlgorithmKind kind)
{
    AlgorithmParameters parameters;
    parameters.kind = kind;
    return parameters;
}

bool reaches(const GeneratedAlgorithm &generated, double expected)
{
    return std::fabs(readoutProbability(generated, generated.circuit) - expected) <= 1e-10;
}

bool reachesOwnExpectation(const AlgorithmParameters &parameters)
{
    const GeneratedAlgorithm generated = generateAlgorithm(parameters);
    return reaches(generated, generated.expectedProbability);
}

} // namespace

const std::vector<GoldenVector> &goldenVectors()
{
    static const std::vector<GoldenVector> kGolden = [] {
        const double a = 1.0 / std::sqrt(2.0);
        const double b = 1.0 / std::sqrt(8.0);
        const double halfPi = std::acos(-1.0) / 2.0;
        const Complex o{0.0, 0.0};
        return std::vector<GoldenVector>{
            {"G01-reset", 1, {}, {{1.0, 0.0}, o}},
            {"G02-H", 1, {h(0)}, {{a, 0.0}, {a, 0.0}}},
            {"G03-HZ", 1, {h(0), z(0)}, {{a, 0.0}, {-a, 0.0}}},
            {"G04-HZH", 1, {h(0), z(0), h(0)}, {o, {1.0, 0.0}}},
            {"G05-XZ", 1, {x(0), z(0)}, {o, {-1.0, 0.0}}},
            {"G06-phase90", 1, {h(0), p(0, halfPi)}, {{a, 0.0}, {0.0, a}}},
            {"G07-Bell", 2, {h(0), cnot(0, 1)}, {{a, 0.0}, o, o, {a, 0.0}}},
            {"G08-BellMinus", 2, {h(0), cnot(0, 1), z(1)}, {{a, 0.0}, o, o, {-a, 0.0}}},
            {"G09-Uniform2", 2, {h(0), h(1)}, {{0.5, 0.0}, {0.5, 0.0}, {0.5, 0.0}, {0.5, 0.0}}},
            {"G10-Bell-H", 2, {h(0), cnot(0, 1), h(0)}, {{0.5, 0.0}, {0.5, 0.0}, {0.5, 0.0}, {-0.5, 0.0}}},
            {"G11-GHZ", 3, {h(0), cnot(0, 1), cnot(1, 2)}, {{a, 0.0}, o, o, o, o, o, o, {a, 0.0}}},
            {"G12-Uniform3", 3, {h(0), h(1), h(2)}, std::vector<Complex>(8, Complex{b, 0.0})},
        };
    }();
    return kGolden;
}

void requireGoldenState(const StateVector &state, const std::vector<Complex> &expected)
{
    require(state.dimension() == expected.size(), "Golden dimension mismatch");
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Complex &computed = state.amplitude(i);
        // Written so that a NaN amplitude counts as a mismatch.
        if (!(distance(computed, expected[i]) <= kGoldenTolerance)) {
            throw std::runtime_error("Amplitude " + std::to_string(i) + " expected " + streamText(expected[i]) +
                                     " obtained " + streamText(computed));
        }
    }
    require(isUnitNorm(state, kNormTolerance), "Golden state norm is not one");
}

void checkGoldenVector(const GoldenVector &golden)
{
    requireGoldenState(prepare(golden.qubits, golden.gates), golden.expected);
}

void checkDenseIndependent()
{
    std::mt19937_64 random(kCrossCheckSeed);
    for (std::uint32_t n = 1; n <= 5; ++n) {
        for (int circuit = 0; circuit < 40; ++circuit) {
            runRandomCircuit(random, n, circuit);
        }
    }
}

void checkMeasurementCollapse()
{
    RandomGenerator generator(20261013);
    for (int round = 0; round < 100; ++round) {
        StateVector ghz = prepare(3, {h(0), cnot(0, 1), cnot(1, 2)});
        const bool one = measureQubit(ghz, 1, generator);
        require(ghz.probability(one ? 7 : 0) > 0.999999999999, "Entangled collapse inconsistent");
        require(isUnitNorm(ghz, kNormTolerance), "Collapsed norm changed");
    }
    const StateVector state = prepare(2, {h(0)});
    const std::vector<Complex> copy = state.amplitudes();
    const Histogram histogram = sampleCounts(state, 4096, generator);
    std::uint64_t total = 0;
    for (const std::uint64_t count : histogram) {
        total += count;
    }
    require(histogram.size() == 4 && total == 4096, "Histogram total incorrect");
    require(state.amplitudes().size() == copy.size() &&
                std::memcmp(state.amplitudes().data(), copy.data(), copy.size() * sizeof(Complex)) == 0,
            "Sampling modified input state");
}

void checkGateInverse()
{
    const double angle = 0.731;
    for (std::uint32_t n = 1; n <= 5; ++n) {
        for (std::int32_t j = 0; j < static_cast<std::int32_t>(n); ++j) {
            const StateVector state = prepare(n, {h(j), h(j), x(j), x(j), z(j), z(j), p(j, angle), p(j, -angle)});
            require(distance(state.amplitude(0), Complex{1.0, 0.0}) <= 1e-12, "Inverse gates mismatch");
            require(isUnitNorm(state, kNormTolerance), "Inverse norm mismatch");
        }
    }
}

void checkReplayAllLessons(const LessonCatalog &lessons)
{
    require(lessons.size() == 21, "Lesson count changed; review fixtures");
    for (const Lesson &lesson : lessons) {
        StateVector sequential = createState(static_cast<std::uint32_t>(lesson.qubitCount));
        for (std::size_t k = 0; k <= lesson.steps.size(); ++k) {
            const StateVector replayed = replayPrefix(lesson, k);
            require(isUnitNorm(replayed, 1e-11), "Replay norm mismatch");
            bool same = replayed.dimension() == sequential.dimension();
            for (std::uint64_t i = 0; same && i < replayed.dimension(); ++i) {
                same = distance(replayed.amplitude(i), sequential.amplitude(i)) <= 2e-12;
            }
            require(same, "Replay differs from sequential evaluation");
            if (k < lesson.steps.size()) {
                applyGate(sequential, lesson.steps[k].gate);
            }
        }
    }
}

void checkStandardAlgorithms()
{
    for (std::int64_t index = 14; index <= 20; ++index) {
        const AlgorithmInfo *info = findAlgorithmInfo(index);
        require(info != nullptr, "Missing algorithm metadata");
        const double probability = readoutProbability(*info, lessonCatalog().at(static_cast<std::size_t>(index)));
        require(std::fabs(probability - info->expectedProbability) <= 5e-11, "Algorithm success probability mismatch");
    }
}

void checkConfigurableAlgorithms()
{
    int runs = 0;
    for (std::int32_t function = 0; function <= 3; ++function) {
        AlgorithmParameters parameters = parametersOf(AlgorithmKind::Deutsch);
        parameters.deutschFunction = function;
        require(reachesOwnExpectation(parameters), "Deutsch mismatch");
        ++runs;
    }
    for (std::int32_t bits = 1; bits <= 4; ++bits) {
        for (std::int32_t secret = 0; secret < (1 << bits); ++secret) {
            AlgorithmParameters parameters = parametersOf(AlgorithmKind::BernsteinVazirani);
            parameters.qubits = bits;
            parameters.bvSecret = secret;
            require(reachesOwnExpectation(parameters), "BV mismatch");
            ++runs;
        }
    }
    for (std::int32_t qubits = 2; qubits <= 3; ++qubits) {
        const double theta = std::asin(1.0 / std::sqrt(static_cast<double>(1 << qubits)));
        for (std::int32_t target = 0; target < (1 << qubits); ++target) {
            for (std::int32_t k = 1; k <= 4; ++k) {
                AlgorithmParameters parameters = parametersOf(AlgorithmKind::Grover);
                parameters.qubits = qubits;
                parameters.groverTarget = target;
                parameters.groverIterations = k;
                // The analytic success probability, computed here rather than taken from the generator.
                const double amplitude = std::sin((2.0 * k + 1.0) * theta);
                require(reaches(generateAlgorithm(parameters), amplitude * amplitude), "Grover analytic mismatch");
                ++runs;
            }
        }
    }
    require(runs == 82, "Expected 82 parameter combinations");
}

void checkEditorRollback()
{
    CircuitEditor editor(lessonCatalog().at(0));
    const Circuit before = editor.circuit();
    bool rejected = false;
    try {
        editor.insertGate(0, LessonStep(GateKind::Cnot, 0, 0, 0.0));
    } catch (const std::invalid_argument &) {
        rejected = true;
    } catch (const std::exception &) {
        // Any other class of error is the wrong rejection, reported below.
    }
    bool unchanged = editor.circuit().steps.size() == before.steps.size();
    for (std::size_t i = 0; unchanged && i < before.steps.size(); ++i) {
        unchanged = editor.circuit().steps[i].gate == before.steps[i].gate;
    }
    require(rejected && unchanged, "Invalid gate modified editor");
}

void checkFidelityPhase()
{
    const Challenge *challenge = findChallenge(12);
    require(challenge != nullptr, "Missing phase challenge");
    require(!checkChallenge(*challenge, lessonWith(12, {h(0)})).solved, "Wrong relative phase accepted");
    const ChallengeResult result = checkChallenge(*challenge, lessonWith(12, {h(0), z(0)}));
    require(result.solved && result.fidelity > 0.999999999999, "Correct phase not accepted");
}

} // namespace Fasoria
