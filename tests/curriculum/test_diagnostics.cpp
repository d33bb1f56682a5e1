#include "core/Circuit.h"
#include "curriculum/Challenge.h"
#include "curriculum/ChallengeDefinition.h"
#include "curriculum/Diagnostics.h"
#include "tests/curriculum/CircuitBuilders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace Fasoria {
namespace {

const double kPi = std::acos(-1.0);

// A three-qubit challenge (on lesson 14's register) whose target |001> changes under every relabelling.
Challenge asymmetric(std::vector<ChallengeTarget> target = {{1, {1.0, 0.0}}})
{
    Challenge challenge;
    challenge.lessonIndex = 13;
    challenge.target = std::move(target);
    return challenge;
}

// The uniform superposition of three qubits.
Challenge uniformThree()
{
    const double amplitude = 1.0 / std::sqrt(8.0);
    std::vector<ChallengeTarget> target;
    for (std::uint64_t i = 0; i < 8; ++i) {
        target.push_back({i, {amplitude, 0.0}});
    }
    return asymmetric(target);
}

struct DiagnosisCase
{
    const char *name;
    Challenge challenge;
    std::int32_t qubits;
    std::vector<Gate> gates;
    StateFinding finding;
    const char *english;
    const char *italian;
};

void PrintTo(const DiagnosisCase &row, std::ostream *out)
{
    *out << row.name;
}

class DiagnoseSubmission : public ::testing::TestWithParam<DiagnosisCase>
{};

TEST_P(DiagnoseSubmission, FindsTheMostSpecificReason)
{
    const DiagnosisCase &row = GetParam();
    const Diagnosis diagnosis = diagnoseChallenge(row.challenge, circuitOf(row.qubits, row.gates));
    EXPECT_EQ(diagnosis.finding, row.finding);
    EXPECT_EQ(diagnosisText(diagnosis, English), row.english);
    if (row.italian != nullptr) {
        EXPECT_EQ(diagnosisText(diagnosis, Italian), row.italian);
    }
}

// Lesson numbers in the comments are the catalog's (index + 1).
INSTANTIATE_TEST_SUITE_P(
    Students, DiagnoseSubmission,
    ::testing::Values(
        // 05, |1>: X then Z is −|1>.
        DiagnosisCase{"global-phase",
                      builtIn(4),
                      1,
                      {x(0), z(0)},
                      StateFinding::GlobalPhase,
                      "The state is the target up to a global phase of 180.0°, which does not count against the "
                      "student: fidelity ignores it.",
                      "Lo stato è quello richiesto a meno di una fase globale di 180.0°, che non penalizza lo "
                      "studente: la fedeltà la ignora."},
        DiagnosisCase{"solved-exactly", builtIn(4), 1, {x(0)}, StateFinding::Correct, "", ""},
        // 06, |0> with two X: the empty circuit already is |0>.
        DiagnosisCase{"empty-but-right",
                      builtIn(5),
                      1,
                      {},
                      StateFinding::Correct,
                      "The state is correct. The circuit has 0 gates; the challenge asks for at least 2.",
                      "Lo stato è corretto. Il circuito ha 0 porte; la consegna ne chiede almeno 2."},
        // 08, |01>: the student flips the leftmost qubit.
        DiagnosisCase{"reversed-two",
                      builtIn(7),
                      2,
                      {x(1)},
                      StateFinding::ReversedOrder,
                      "This is the target state with the qubit order reversed: q0 is the rightmost bit of a label.",
                      nullptr},
        // 09, four equal positive amplitudes: Z on both qubits flips two signs.
        DiagnosisCase{"two-phases",
                      builtIn(8),
                      2,
                      {h(0), h(1), z(0), z(1)},
                      StateFinding::RelativePhase,
                      "Same probabilities as the target, but the relative phase differs: |01> by 180.0°, |10> by "
                      "180.0°.",
                      "Stesse probabilità dello stato richiesto, ma la fase relativa è diversa: |01> di 180.0°, |10> "
                      "di 180.0°."},
        // 10, Bell: one qubit only.
        DiagnosisCase{"one-qubit-bell",
                      builtIn(9),
                      1,
                      {h(0)},
                      StateFinding::QubitCount,
                      "The circuit has 1 qubit, but this challenge needs 2.",
                      "Il circuito ha 1 qubit, ma questa sfida ne richiede 2."},
        DiagnosisCase{"three-qubit-bell",
                      builtIn(9),
                      3,
                      {h(0), cnot(0, 1)},
                      StateFinding::QubitCount,
                      "The circuit has 3 qubits, but this challenge needs 2.",
                      nullptr},
        // 11, |1> through a phase: the right state without Z, or with X.
        DiagnosisCase{"no-z",
                      builtIn(10),
                      1,
                      {h(0), h(0), x(0)},
                      StateFinding::Correct,
                      "The state is correct. The challenge requires at least one Z gate.",
                      "Lo stato è corretto. La consegna richiede almeno una porta Z."},
        DiagnosisCase{"forbidden-x",
                      builtIn(10),
                      1,
                      {h(0), z(0), h(0), x(0), x(0)},
                      StateFinding::Correct,
                      "The state is correct. The challenge forbids X, but the circuit has 2 X gates.",
                      "Lo stato è corretto. La consegna vieta X, ma il circuito ha 2 porte X."},
        // 12, (|01> + |10>)/sqrt(2): a Z before the X gives a minus sign on |10>.
        DiagnosisCase{"minus-on-10",
                      builtIn(11),
                      2,
                      {h(0), cnot(0, 1), z(0), x(0)},
                      StateFinding::RelativePhase,
                      "Same probabilities as the target, but the relative phase differs: |10> by 180.0°.",
                      nullptr},
        // 13, (|0> - |1>)/sqrt(2): H alone, H with two Z, H with S, and X before H.
        DiagnosisCase{"h-alone",
                      builtIn(12),
                      1,
                      {h(0)},
                      StateFinding::RelativePhase,
                      "Same probabilities as the target, but the relative phase differs: |1> by 180.0°. The circuit "
                      "has 1 gate; the challenge asks for at least 2.",
                      "Stesse probabilità dello stato richiesto, ma la fase relativa è diversa: |1> di 180.0°. Il "
                      "circuito ha 1 porta; la consegna ne chiede almeno 2."},
        DiagnosisCase{"z-twice",
                      builtIn(12),
                      1,
                      {h(0), z(0), z(0)},
                      StateFinding::RelativePhase,
                      "Same probabilities as the target, but the relative phase differs: |1> by 180.0°.",
                      nullptr},
        DiagnosisCase{"quarter-turn",
                      builtIn(12),
                      1,
                      {h(0), phase(0, kPi / 2.0)},
                      StateFinding::RelativePhase,
                      "Same probabilities as the target, but the relative phase differs: |1> by -90.0°. The "
                      "challenge requires at least 1 Z gate; the circuit has 0.",
                      "Stesse probabilità dello stato richiesto, ma la fase relativa è diversa: |1> di -90.0°. La "
                      "consegna richiede almeno 1 porta Z; il circuito ne ha 0."},
        DiagnosisCase{"x-then-h",
                      builtIn(12),
                      1,
                      {x(0), h(0)},
                      StateFinding::Correct,
                      "The state is correct. The challenge requires at least 1 Z gate; the circuit has 0.",
                      nullptr},
        // 14, GHZ: the second CNOT is missing.
        DiagnosisCase{"ghz-half",
                      builtIn(13),
                      3,
                      {h(0), cnot(0, 1)},
                      StateFinding::Probabilities,
                      "The probabilities differ most at |011> (0.5000 instead of 0.0000), |111> (0.0000 instead of "
                      "0.5000). The circuit has 2 gates; the challenge asks for at least 3.",
                      "Le probabilità differiscono soprattutto in |011> (0.5000 invece di 0.0000), |111> (0.0000 "
                      "invece di 0.5000). Il circuito ha 2 porte; la consegna ne chiede almeno 3."},
        DiagnosisCase{"ghz-spread",
                      builtIn(13),
                      3,
                      {h(0), h(1), cnot(0, 2)},
                      StateFinding::Probabilities,
                      "The probabilities differ most at |000> (0.2500 instead of 0.5000), |010> (0.2500 instead of "
                      "0.0000), |101> (0.2500 instead of 0.0000) and 1 more. The challenge requires at least 2 CNOT "
                      "gates; the circuit has 1.",
                      "Le probabilità differiscono soprattutto in |000> (0.2500 invece di 0.5000), |010> (0.2500 "
                      "invece di 0.0000), |101> (0.2500 invece di 0.0000) e altri 1. La consegna richiede almeno 2 "
                      "porte CNOT; il circuito ne ha 1."},
        // Relabellings on three qubits, against |001>.
        DiagnosisCase{"exchanged-q0-q1",
                      asymmetric(),
                      3,
                      {x(1)},
                      StateFinding::QubitsExchanged,
                      "This is the target state with q0 and q1 exchanged: check which qubit each gate acts on.",
                      "È lo stato richiesto con q0 e q1 scambiati: controlla su quale qubit agisce ogni porta."},
        DiagnosisCase{"exchanged-with-phase",
                      asymmetric(),
                      3,
                      {x(1), z(1)},
                      StateFinding::QubitsExchanged,
                      "This is the target state with q0 and q1 exchanged: check which qubit each gate acts on.",
                      nullptr},
        DiagnosisCase{"reversed-three",
                      asymmetric(),
                      3,
                      {x(2)},
                      StateFinding::ReversedOrder,
                      "This is the target state with the qubit order reversed: q0 is the rightmost bit of a label.",
                      "È lo stato richiesto con l'ordine dei qubit invertito: q0 è il bit più a destra "
                      "dell'etichetta."},
        // Six phases wrong: the list stops after four.
        DiagnosisCase{"long-phase-list",
                      uniformThree(),
                      3,
                      {h(0), h(1), h(2), phase(0, kPi / 2.0), z(1)},
                      StateFinding::RelativePhase,
                      "Same probabilities as the target, but the relative phase differs: |001> by 90.0°, |010> by "
                      "180.0°, |011> by -90.0°, |101> by 90.0° and 2 more.",
                      "Stesse probabilità dello stato richiesto, ma la fase relativa è diversa: |001> di 90.0°, |010> "
                      "di 180.0°, |011> di -90.0°, |101> di 90.0° e altri 2."}),
    [](const ::testing::TestParamInfo<DiagnosisCase> &row) {
        std::string name = row.param.name;
        for (char &c : name) {
            c = c == '-' ? '_' : c;
        }
        return name;
    });

TEST(Diagnosis, CarriesTheFiguresBehindTheText)
{
    const Diagnosis relative =
        diagnoseChallenge(uniformThree(), circuitOf(3, {h(0), h(1), h(2), phase(0, kPi / 2.0), z(1)}));
    ASSERT_EQ(relative.phaseDifferences.size(), 6U);
    const std::uint64_t indices[] = {1, 2, 3, 5, 6, 7};
    const double degrees[] = {90.0, 180.0, -90.0, 90.0, 180.0, -90.0};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(relative.phaseDifferences[i].index, indices[i]);
        EXPECT_NEAR(relative.phaseDifferences[i].degrees, degrees[i], 1e-9);
    }
    EXPECT_FALSE(relative.result.solved);

    const Diagnosis exchanged = diagnoseChallenge(asymmetric(), circuitOf(3, {x(1)}));
    EXPECT_EQ(exchanged.firstQubit, 0);
    EXPECT_EQ(exchanged.secondQubit, 1);

    const Diagnosis global = diagnoseChallenge(builtIn(4), circuitOf(1, {x(0), phase(0, kPi / 4.0)}));
    EXPECT_EQ(global.finding, StateFinding::GlobalPhase);
    EXPECT_NEAR(global.globalPhaseDegrees, 45.0, 1e-9);
    EXPECT_TRUE(global.result.solved);
}

TEST(Diagnosis, LongCircuitIsNotEvaluated)
{
    const Diagnosis diagnosis = diagnoseChallenge(builtIn(4), circuitOf(1, std::vector<Gate>(257, x(0))));
    EXPECT_EQ(diagnosis.finding, StateFinding::NotEvaluated);
    EXPECT_EQ(diagnosisText(diagnosis, English), "The circuit has more than 256 gates and is not evaluated.");
    EXPECT_EQ(diagnosisText(diagnosis, Italian), "Il circuito ha più di 256 porte e non viene valutato.");
}

TEST(Diagnosis, MalformedTargetThrowsLikeTheCheck)
{
    EXPECT_THROW(diagnoseChallenge(asymmetric({{8, {1.0, 0.0}}}), circuitOf(3, {})), std::out_of_range);
    EXPECT_THROW(diagnoseChallenge(asymmetric({{1, {0.5, 0.0}}}), circuitOf(3, {})), std::invalid_argument);
}

// A teacher's challenge: the target |0…01> on `qubits` qubits and the given rules.
ChallengeDefinition teacherOne(std::int32_t qubits)
{
    ChallengeDefinition definition;
    definition.qubitCount = qubits;
    definition.goalIt = "Accendi q0.";
    definition.goalEn = "Switch q0 on.";
    definition.target = {{1, {1.0, 0.0}}};
    return definition;
}

struct DefinitionCase
{
    const char *name;
    ChallengeDefinition definition;
    std::int32_t qubits;
    std::vector<Gate> gates;
    StateFinding finding;
    ChallengeStatus status;
    const char *english;
    const char *italian;
};

void PrintTo(const DefinitionCase &row, std::ostream *out)
{
    *out << row.name;
}

class DiagnoseDefinition : public ::testing::TestWithParam<DefinitionCase>
{};

TEST_P(DiagnoseDefinition, ExplainsTheRulesOfATeachersChallenge)
{
    const DefinitionCase &row = GetParam();
    const Diagnosis diagnosis = diagnoseChallenge(row.definition, circuitOf(row.qubits, row.gates));
    EXPECT_EQ(diagnosis.finding, row.finding);
    EXPECT_EQ(diagnosis.result.status, row.status);
    EXPECT_EQ(diagnosisText(diagnosis, English), row.english);
    if (row.italian != nullptr) {
        EXPECT_EQ(diagnosisText(diagnosis, Italian), row.italian);
    }
}

ChallengeDefinition withMaximum(std::int32_t maximum)
{
    ChallengeDefinition definition = teacherOne(1);
    definition.maxGates = maximum;
    return definition;
}

ChallengeDefinition withForbidden(std::vector<GateKind> kinds)
{
    ChallengeDefinition definition = teacherOne(1);
    definition.forbidden = std::move(kinds);
    return definition;
}

ChallengeDefinition withRequired(std::vector<GateRequirement> required)
{
    ChallengeDefinition definition = teacherOne(1);
    definition.required = std::move(required);
    return definition;
}

INSTANTIATE_TEST_SUITE_P(
    Teachers, DiagnoseDefinition,
    ::testing::Values(
        DefinitionCase{"too-many",
                       withMaximum(2),
                       1,
                       {x(0), z(0), z(0)},
                       StateFinding::Correct,
                       ChallengeStatus::TooManyGates,
                       "The state is correct. The circuit has 3 gates; the challenge allows at most 2.",
                       "Lo stato è corretto. Il circuito ha 3 porte; la consegna ne ammette al massimo 2."},
        DefinitionCase{"forbidden-p",
                       withForbidden({GateKind::Z, GateKind::P}),
                       1,
                       {x(0), phase(0, kPi / 2.0)},
                       StateFinding::GlobalPhase,
                       ChallengeStatus::ForbiddenKind,
                       "The state is the target up to a global phase of 90.0°, which does not count against the "
                       "student: fidelity ignores it. The challenge forbids P, but the circuit has 1 P gate.",
                       "Lo stato è quello richiesto a meno di una fase globale di 90.0°, che non penalizza lo "
                       "studente: la fedeltà la ignora. La consegna vieta P, ma il circuito ha 1 porta P."},
        DefinitionCase{"forbidden-x",
                       withForbidden({GateKind::X}),
                       1,
                       {x(0), x(0), x(0)},
                       StateFinding::Correct,
                       ChallengeStatus::ForbiddenGate,
                       "The state is correct. The challenge forbids X, but the circuit has 3 X gates.",
                       nullptr},
        DefinitionCase{"second-requirement",
                       withRequired({{GateKind::X, 1}, {GateKind::Z, 2}}),
                       1,
                       {x(0), z(0)},
                       StateFinding::GlobalPhase,
                       ChallengeStatus::RequiredGateMissing,
                       "The state is the target up to a global phase of 180.0°, which does not count against the "
                       "student: fidelity ignores it. The challenge requires at least 2 Z gates; the circuit has 1.",
                       nullptr},
        DefinitionCase{"five-qubits",
                       teacherOne(5),
                       4,
                       {x(0)},
                       StateFinding::QubitCount,
                       ChallengeStatus::QubitCountMismatch,
                       "The circuit has 4 qubits, but this challenge needs 5.",
                       "Il circuito ha 4 qubit, ma questa sfida ne richiede 5."},
        DefinitionCase{"five-qubits-exchanged",
                       teacherOne(5),
                       5,
                       {x(3)},
                       StateFinding::QubitsExchanged,
                       ChallengeStatus::NotSolved,
                       "This is the target state with q0 and q3 exchanged: check which qubit each gate acts on.",
                       nullptr}),
    [](const ::testing::TestParamInfo<DefinitionCase> &row) {
        std::string name = row.param.name;
        for (char &c : name) {
            c = c == '-' ? '_' : c;
        }
        return name;
    });

// Converted, a built-in challenge is explained as before; only the phase lesson's missing Z reads as a count.
TEST(DiagnoseDefinition, FindsWhatTheBuiltInDiagnosisFinds)
{
    for (const Challenge &challenge : challengeCatalog()) {
        const ChallengeDefinition definition = challengeDefinition(challenge);
        for (const Circuit &circuit : {circuitOf(definition.qubitCount, {}), circuitOf(definition.qubitCount, {h(0)}),
                                       circuitOf(definition.qubitCount, {x(0), h(0), z(0)})}) {
            const Diagnosis expected = diagnoseChallenge(challenge, circuit);
            const Diagnosis actual = diagnoseChallenge(definition, circuit);
            EXPECT_EQ(actual.finding, expected.finding) << challenge.lessonIndex;
            EXPECT_EQ(actual.result.status, expected.result.status) << challenge.lessonIndex;
            EXPECT_EQ(actual.result.fidelity, expected.result.fidelity) << challenge.lessonIndex;
            EXPECT_EQ(actual.challengeQubits, expected.challengeQubits) << challenge.lessonIndex;
            if (challenge.lessonIndex != 10) {
                EXPECT_EQ(diagnosisText(actual, English), diagnosisText(expected, English)) << challenge.lessonIndex;
            }
        }
    }
}

TEST(DiagnoseDefinition, RefusesAnInvalidDefinition)
{
    ChallengeDefinition definition = teacherOne(2);
    definition.goalEn.clear();
    EXPECT_THROW(diagnoseChallenge(definition, circuitOf(2, {x(0)})), std::invalid_argument);
}

TEST(Diagnosis, BasisLabelPutsQ0Rightmost)
{
    EXPECT_EQ(ketLabel(1, 2), "|01>");
    EXPECT_EQ(ketLabel(6, 3), "|110>");
    EXPECT_EQ(ketLabel(0, 1), "|0>");
}

} // namespace
} // namespace Fasoria
