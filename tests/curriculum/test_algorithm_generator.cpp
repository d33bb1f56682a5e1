#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/LessonCatalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace Fasoria;

namespace {

AlgorithmParameters deutsch(std::int32_t function)
{
    AlgorithmParameters parameters;
    parameters.kind = AlgorithmKind::Deutsch;
    parameters.deutschFunction = function;
    return parameters;
}

AlgorithmParameters bernsteinVazirani(std::int32_t dataBits, std::int32_t secret)
{
    AlgorithmParameters parameters;
    parameters.kind = AlgorithmKind::BernsteinVazirani;
    parameters.qubits = dataBits;
    parameters.bvSecret = secret;
    return parameters;
}

AlgorithmParameters grover(std::int32_t qubits, std::int32_t target, std::int32_t iterations)
{
    AlgorithmParameters parameters;
    parameters.kind = AlgorithmKind::Grover;
    parameters.qubits = qubits;
    parameters.groverTarget = target;
    parameters.groverIterations = iterations;
    return parameters;
}

std::string refusal(const AlgorithmParameters &parameters)
{
    try {
        generateAlgorithm(parameters);
    } catch (const std::invalid_argument &error) {
        return error.what();
    }
    return "<accepted>";
}

enum Phase
{
    Preparation,
    Oracle,
    Diffusion,
    Interference
};

const std::pair<std::string, std::string> kPhaseTexts[] = {
    {"Preparazione: crea la sovrapposizione.", "Preparation: build the superposition."},
    {"Oracolo: il segreto modifica la fase o il qubit ausiliario.",
     "Oracle: the secret modifies phase or the ancilla."},
    {"Diffusione: trasforma differenze di fase in probabilit\xc3\xa0.",
     "Diffusion: convert phase differences into probabilities."},
    {"Interferenza: leggi soltanto i qubit dati.", "Interference: read data qubits only."},
};

enum StageName
{
    Initial,
    AfterPreparation,
    AfterOracle,
    AfterDiffusion,
    AfterInterference
};

const std::pair<std::string, std::string> kStageNames[] = {
    {"Stato iniziale", "Initial state"},
    {"Dopo la preparazione", "After preparation"},
    {"Dopo l'oracolo", "After oracle"},
    {"Dopo la diffusione", "After diffusion"},
    {"Dopo l'interferenza", "After interference"},
};

struct Layout
{
    const char *name;
    AlgorithmParameters parameters;
    std::int32_t qubitCount;
    std::vector<std::pair<Phase, std::size_t>> phaseRuns;
    std::vector<std::pair<std::int64_t, StageName>> stages;
};

class GeneratedLayoutTest : public ::testing::TestWithParam<Layout>
{};

struct LessonMatch
{
    std::size_t lessonIndex;
    AlgorithmParameters parameters;
};

class LessonReproductionTest : public ::testing::TestWithParam<LessonMatch>
{};

double analyticGrover(std::uint32_t qubits, std::uint32_t iterations)
{
    const double s = std::sin((2.0 * iterations + 1.0) * std::asin(std::pow(2.0, -0.5 * qubits)));
    return s * s;
}

std::size_t zeroBits(std::uint32_t value, std::uint32_t width)
{
    return width - std::bitset<32>(value).count();
}

} // namespace

TEST_P(GeneratedLayoutTest, PhasesCarryTheirTextsAndStagesMarkTheirEnds)
{
    const Layout &expected = GetParam();
    const GeneratedAlgorithm generated = generateAlgorithm(expected.parameters);
    EXPECT_EQ(generated.circuit.qubitCount, expected.qubitCount);

    std::size_t step = 0;
    for (const auto &[phase, count] : expected.phaseRuns) {
        for (std::size_t i = 0; i < count; ++i, ++step) {
            ASSERT_LT(step, generated.circuit.steps.size());
            EXPECT_EQ(generated.circuit.steps[step].explanationIt, kPhaseTexts[phase].first) << step;
            EXPECT_EQ(generated.circuit.steps[step].explanationEn, kPhaseTexts[phase].second) << step;
        }
    }
    EXPECT_EQ(generated.circuit.steps.size(), step);

    ASSERT_EQ(generated.stages.size(), expected.stages.size());
    for (std::size_t i = 0; i < expected.stages.size(); ++i) {
        EXPECT_EQ(generated.stages[i].gateIndex, expected.stages[i].first) << i;
        EXPECT_EQ(generated.stages[i].nameIt, kStageNames[expected.stages[i].second].first) << i;
        EXPECT_EQ(generated.stages[i].nameEn, kStageNames[expected.stages[i].second].second) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Generator, GeneratedLayoutTest,
    ::testing::Values(Layout{"DeutschConstantZero",
                             deutsch(0),
                             2,
                             {{Preparation, 3}, {Interference, 1}},
                             {{0, Initial}, {3, AfterPreparation}, {4, AfterInterference}}},
                      Layout{"DeutschOneMinusX",
                             deutsch(3),
                             2,
                             {{Preparation, 3}, {Oracle, 2}, {Interference, 1}},
                             {{0, Initial}, {3, AfterPreparation}, {5, AfterOracle}, {6, AfterInterference}}},
                      Layout{"BvSecretZero",
                             bernsteinVazirani(3, 0),
                             4,
                             {{Preparation, 5}, {Interference, 3}},
                             {{0, Initial}, {5, AfterPreparation}, {8, AfterInterference}}},
                      Layout{"BvFourOnes",
                             bernsteinVazirani(4, 15),
                             5,
                             {{Preparation, 6}, {Oracle, 4}, {Interference, 4}},
                             {{0, Initial}, {6, AfterPreparation}, {10, AfterOracle}, {14, AfterInterference}}},
                      Layout{"GroverTwoQubits",
                             grover(2, 2, 1),
                             2,
                             {{Preparation, 2}, {Oracle, 5}, {Diffusion, 11}},
                             {{0, Initial}, {2, AfterPreparation}, {7, AfterOracle}, {18, AfterDiffusion}}},
                      Layout{"GroverTwoIterations",
                             grover(3, 5, 2),
                             3,
                             {{Preparation, 3}, {Oracle, 19}, {Diffusion, 29}, {Oracle, 19}, {Diffusion, 29}},
                             {{0, Initial},
                              {3, AfterPreparation},
                              {22, AfterOracle},
                              {51, AfterDiffusion},
                              {70, AfterOracle},
                              {99, AfterDiffusion}}}),
    [](const ::testing::TestParamInfo<Layout> &row) { return std::string(row.param.name); });

TEST_P(LessonReproductionTest, GatesStagesAndFiguresMatchTheLesson)
{
    const LessonMatch &match = GetParam();
    const Circuit &lesson = lessonCatalog().at(match.lessonIndex);
    const GeneratedAlgorithm generated = generateAlgorithm(match.parameters);

    EXPECT_EQ(generated.circuit.qubitCount, lesson.qubitCount);
    ASSERT_EQ(generated.circuit.steps.size(), lesson.steps.size());
    for (std::size_t i = 0; i < lesson.steps.size(); ++i) {
        const Gate &made = generated.circuit.steps[i].gate;
        const Gate &taught = lesson.steps[i].gate;
        EXPECT_TRUE(made == taught) << "step " << i << ": kind " << static_cast<int>(made.kind) << " target "
                                    << made.target << " control " << made.control << " angle " << made.angle;
    }

    const std::vector<AlgorithmStage> lessonStages = algorithmStages(static_cast<std::int64_t>(match.lessonIndex));
    ASSERT_EQ(generated.stages.size(), lessonStages.size());
    for (std::size_t i = 0; i < lessonStages.size(); ++i) {
        EXPECT_EQ(generated.stages[i].gateIndex, lessonStages[i].gateIndex) << i;
    }

    const AlgorithmInfo *info = findAlgorithmInfo(static_cast<std::int64_t>(match.lessonIndex));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(generated.classicalQueries, info->classicalQueries);
    EXPECT_EQ(generated.quantumQueries, info->quantumQueries);
    EXPECT_EQ(generated.readoutMask, info->readoutMask);
    EXPECT_EQ(generated.readoutValue, info->readoutValue);
    EXPECT_NEAR(generated.expectedProbability, info->expectedProbability, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Lessons15To21, LessonReproductionTest,
                         ::testing::Values(LessonMatch{14, deutsch(1)}, LessonMatch{15, deutsch(2)},
                                           LessonMatch{16, deutsch(3)}, LessonMatch{17, bernsteinVazirani(3, 5)},
                                           LessonMatch{18, grover(2, 2, 1)}, LessonMatch{19, grover(3, 5, 1)},
                                           LessonMatch{20, grover(3, 5, 2)}),
                         [](const ::testing::TestParamInfo<LessonMatch> &row) {
                             return "lesson" + std::to_string(row.param.lessonIndex + 1);
                         });

TEST(AlgorithmGenerator, DeutschConstantZeroHasNoOracleGates)
{
    const GeneratedAlgorithm generated = generateAlgorithm(deutsch(0));
    const std::vector<Gate> expected = {
        {GateKind::X, 1, 0, 0.0}, {GateKind::H, 1, 0, 0.0}, {GateKind::H, 0, 0, 0.0}, {GateKind::H, 0, 0, 0.0}};
    ASSERT_EQ(generated.circuit.steps.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(generated.circuit.steps[i].gate == expected[i]) << i;
    }
    EXPECT_EQ(generated.readoutValue, 0U);
}

TEST(AlgorithmGenerator, CircuitTextsNameTheAlgorithm)
{
    const Circuit d = generateAlgorithm(deutsch(2)).circuit;
    const Circuit b = generateAlgorithm(bernsteinVazirani(2, 1)).circuit;
    const Circuit g = generateAlgorithm(grover(2, 0, 1)).circuit;
    EXPECT_STREQ(d.titleIt, "Deutsch configurabile");
    EXPECT_STREQ(d.titleEn, "Configurable Deutsch");
    EXPECT_STREQ(d.questionIt, "Scegli f(x): il circuito decide se \xc3\xa8 costante o bilanciata.");
    EXPECT_STREQ(d.explanationIt, "Leggi q0: 0 costante, 1 bilanciata. q1 \xc3\xa8 ausiliario.");
    EXPECT_STREQ(d.explanationEn, "Read q0: 0 constant, 1 balanced. q1 is an ancilla.");
    EXPECT_STREQ(b.titleEn, "Configurable Bernstein-Vazirani");
    EXPECT_STREQ(b.questionEn, "Change the hidden bit string and recover it in a single logical query.");
    EXPECT_STREQ(b.explanationIt, "I qubit dati rivelano il segreto; ignora il qubit ausiliario.");
    EXPECT_STREQ(g.titleIt, "Grover configurabile");
    EXPECT_STREQ(
        g.questionIt,
        "Cambia il numero nascosto e il numero di iterazioni. Pi\xc3\xb9 iterazioni non significa sempre meglio.");
    EXPECT_STREQ(g.questionEn, "Change the marked item and iteration count. More iterations are not always better.");
    EXPECT_STREQ(g.explanationIt, "Osserva la probabilit\xc3\xa0 del bersaglio e individua il punto ottimale.");
    EXPECT_STREQ(g.explanationEn, "Watch the marked-state probability and find the optimum.");
}

TEST(AlgorithmGenerator, DefaultsGenerateTheTwoIterationSearch)
{
    const AlgorithmParameters defaults;
    EXPECT_EQ(defaults.kind, AlgorithmKind::Grover);
    EXPECT_EQ(defaults.qubits, 3);
    EXPECT_EQ(defaults.groverTarget, 5);
    EXPECT_EQ(defaults.groverIterations, 2);
    EXPECT_EQ(defaults.bvSecret, 5);
    EXPECT_EQ(defaults.deutschFunction, 2);
    EXPECT_EQ(generateAlgorithm(defaults).circuit.steps.size(), 99U);
}

TEST(AlgorithmGenerator, RefusesOutOfRangeParametersWithTheirMessages)
{
    const std::string kDeutsch = "Deutsch function outside 0..3";
    const std::string kBv = "BV: 1..4 data bits and an in-range secret are required";
    const std::string kGrover = "Grover: 2..3 qubits, valid target, 1..4 iterations required";
    AlgorithmParameters unknown;
    for (const std::int32_t kind : {3, -1}) {
        unknown.kind = static_cast<AlgorithmKind>(kind);
        EXPECT_EQ(refusal(unknown), "Unknown algorithm") << kind;
    }
    const std::vector<std::pair<AlgorithmParameters, std::string>> cases = {
        {deutsch(4), kDeutsch},          {deutsch(-1), kDeutsch},         {bernsteinVazirani(0, 0), kBv},
        {bernsteinVazirani(5, 0), kBv},  {bernsteinVazirani(-1, 0), kBv}, {bernsteinVazirani(3, 8), kBv},
        {bernsteinVazirani(1, -1), kBv}, {grover(1, 0, 1), kGrover},      {grover(4, 0, 1), kGrover},
        {grover(-3, 0, 1), kGrover},     {grover(3, 8, 1), kGrover},      {grover(2, 4, 1), kGrover},
        {grover(2, -1, 1), kGrover},     {grover(3, 5, 0), kGrover},      {grover(3, 5, 5), kGrover},
        {grover(3, 5, -2), kGrover},
    };
    for (const auto &[parameters, message] : cases) {
        EXPECT_EQ(refusal(parameters), message)
            << static_cast<int>(parameters.kind) << " qubits " << parameters.qubits << " target "
            << parameters.groverTarget << " iterations " << parameters.groverIterations << " secret "
            << parameters.bvSecret << " function " << parameters.deutschFunction;
    }
}

TEST(AlgorithmGenerator, IgnoresTheFieldsOfOtherKinds)
{
    AlgorithmParameters d = deutsch(1);
    d.qubits = -1;
    d.groverTarget = 99;
    d.groverIterations = 0;
    d.bvSecret = -5;
    EXPECT_EQ(generateAlgorithm(d).circuit.steps.size(), 5U);

    AlgorithmParameters b = bernsteinVazirani(2, 3);
    b.groverTarget = -1;
    b.groverIterations = 9;
    b.deutschFunction = 9;
    EXPECT_EQ(generateAlgorithm(b).circuit.steps.size(), 8U);

    AlgorithmParameters g = grover(2, 3, 1);
    g.bvSecret = 100;
    g.deutschFunction = -1;
    EXPECT_EQ(generateAlgorithm(g).circuit.steps.size(), 16U);
}

TEST(AlgorithmGenerator, GroverSuccessFollowsTheRotationAngle)
{
    const double twoQubits[] = {1.0, 0.25, 0.25, 1.0};
    const double threeQubits[] = {0.78125, 0.9453125, 0.330078125, 0.01220703125};
    for (std::int32_t k = 1; k <= 4; ++k) {
        EXPECT_NEAR(generateAlgorithm(grover(2, 1, k)).expectedProbability, twoQubits[k - 1], 1e-12) << k;
        EXPECT_NEAR(generateAlgorithm(grover(3, 6, k)).expectedProbability, threeQubits[k - 1], 1e-12) << k;
    }
}

// Every valid parameter set: the counts, stages and figures follow the construction rules, the circuit
// really delivers its expected probability, and the first value outside each per-size range is refused.
TEST(AlgorithmGenerator, EnumeratesAllValidParameterSets)
{
    std::size_t accepted = 0;
    std::size_t largest = 0;
    const auto check = [&](const AlgorithmParameters &parameters, std::size_t gates, std::size_t stages,
                           std::int32_t classical, std::int32_t quantum) {
        const GeneratedAlgorithm generated = generateAlgorithm(parameters);
        ++accepted;
        largest = std::max(largest, generated.circuit.steps.size());
        EXPECT_EQ(generated.circuit.steps.size(), gates);
        EXPECT_EQ(generated.parameters.kind, parameters.kind);
        EXPECT_EQ(generated.classicalQueries, classical);
        EXPECT_EQ(generated.quantumQueries, quantum);
        EXPECT_EQ(generated.readoutValue & ~generated.readoutMask, 0U);
        const double readout = readoutProbability(generated, generated.circuit);
        EXPECT_NEAR(readout, generated.expectedProbability, 1e-9);
        EXPECT_EQ(generated.stages.size(), stages);
        if (generated.stages.empty()) {
            return readout;
        }
        EXPECT_EQ(generated.stages.front().gateIndex, 0);
        EXPECT_STREQ(generated.stages.front().nameEn, "Initial state");
        for (std::size_t i = 1; i < generated.stages.size(); ++i) {
            EXPECT_LT(generated.stages[i - 1].gateIndex, generated.stages[i].gateIndex);
        }
        EXPECT_EQ(static_cast<std::size_t>(generated.stages.back().gateIndex), gates);
        return readout;
    };

    const std::size_t deutschGates[] = {4, 5, 5, 6};
    for (std::int32_t f = 0; f <= 3; ++f) {
        check(deutsch(f), deutschGates[f], f == 0 ? 3 : 4, 2, 1);
    }

    for (std::int32_t n = 1; n <= 4; ++n) {
        for (std::int32_t s = 0; s < (1 << n); ++s) {
            const std::size_t ones = std::bitset<32>(static_cast<std::uint32_t>(s)).count();
            check(bernsteinVazirani(n, s), 2 * static_cast<std::size_t>(n) + 2 + ones, s == 0 ? 3 : 4, n, 1);
        }
        EXPECT_NE(refusal(bernsteinVazirani(n, 1 << n)), "<accepted>") << n;
        EXPECT_NE(refusal(bernsteinVazirani(n, -1)), "<accepted>") << n;
    }

    for (std::int32_t n = 2; n <= 3; ++n) {
        const auto width = static_cast<std::uint32_t>(n);
        for (std::int32_t t = 0; t < (1 << n); ++t) {
            const std::size_t oracle = 2 * zeroBits(static_cast<std::uint32_t>(t), width) + (n == 2 ? 3 : 17);
            const std::size_t diffusion = n == 2 ? 11 : 29;
            for (std::int32_t k = 1; k <= 4; ++k) {
                const auto rounds = static_cast<std::size_t>(k);
                const double readout =
                    check(grover(n, t, k), width + rounds * (oracle + diffusion), 2 + 2 * rounds, (1 << n) - 1, k);
                EXPECT_NEAR(readout, analyticGrover(width, static_cast<std::uint32_t>(k)), 1e-9);
            }
            EXPECT_NE(refusal(grover(n, t, 0)), "<accepted>");
            EXPECT_NE(refusal(grover(n, t, 5)), "<accepted>");
        }
        EXPECT_NE(refusal(grover(n, 1 << n, 1)), "<accepted>") << n;
        EXPECT_NE(refusal(grover(n, -1, 1)), "<accepted>") << n;
    }

    EXPECT_EQ(accepted, 82U);
    // The step limit is never reached by a valid set: Grover on 3 qubits, target 0, 4 rounds is the largest.
    EXPECT_EQ(largest, 211U);
}
