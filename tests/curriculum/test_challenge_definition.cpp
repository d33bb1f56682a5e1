#include "core/Circuit.h"
#include "curriculum/Challenge.h"
#include "curriculum/ChallengeDefinition.h"
#include "tests/curriculum/CircuitBuilders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace Fasoria {
namespace {

const double kPi = std::acos(-1.0);
const double kHalfRoot = 0.7071067811865476;

// The circuit each built-in challenge's third hint describes, by lesson index.
struct Solution
{
    std::uint64_t lesson;
    std::int32_t qubits;
    std::vector<Gate> gates;
};

const std::vector<Solution> &solutions()
{
    static const std::vector<Solution> table = {
        {4, 1, {x(0)}},
        {5, 1, {x(0), x(0)}},
        {6, 1, {h(0)}},
        {7, 2, {x(0)}},
        {8, 2, {h(0), h(1)}},
        {9, 2, {h(0), cnot(0, 1)}},
        {10, 1, {h(0), z(0), h(0)}},
        {11, 2, {h(0), cnot(0, 1), x(0)}},
        {12, 1, {h(0), z(0)}},
        {13, 3, {h(0), cnot(0, 1), cnot(1, 2)}},
    };
    return table;
}

// The solution and variations that break each rule or the state in turn.
std::vector<Circuit> submissions(const Solution &solution)
{
    std::vector<Gate> shorter = solution.gates;
    shorter.pop_back();
    std::vector<Gate> withX = solution.gates;
    withX.push_back(x(0));
    withX.push_back(x(0));
    std::vector<Gate> withZ = solution.gates;
    withZ.push_back(z(0));
    // P(π) acts as Z on the state but is not a Z for the rules.
    std::vector<Gate> zAsPhase = solution.gates;
    for (Gate &gate : zAsPhase) {
        if (gate.kind == GateKind::Z) {
            gate = phase(gate.target, kPi);
        }
    }
    std::vector<Gate> onlyH;
    for (std::int32_t q = 0; q < solution.qubits; ++q) {
        onlyH.push_back(h(q));
    }
    return {circuitOf(solution.qubits, solution.gates),
            circuitOf(solution.qubits, {}),
            circuitOf(solution.qubits, shorter),
            circuitOf(solution.qubits, withX),
            circuitOf(solution.qubits, withZ),
            circuitOf(solution.qubits, zAsPhase),
            circuitOf(solution.qubits, onlyH),
            circuitOf(solution.qubits, {h(0), phase(0, kPi / 3.0), x(0)}),
            circuitOf(solution.qubits + 1, solution.gates),
            circuitOf(solution.qubits, std::vector<Gate>(kMaxCheckedSteps + 1, x(0)))};
}

TEST(ChallengeDefinition, GradesEveryBuiltInChallengeAsTheChallengeItself)
{
    ASSERT_EQ(solutions().size(), challengeCatalog().size());
    for (const Solution &solution : solutions()) {
        const Challenge &challenge = builtIn(solution.lesson);
        const ChallengeDefinition definition = challengeDefinition(challenge);
        EXPECT_EQ(definition.goalEn, challenge.goalEn);
        EXPECT_EQ(definition.hint3It, challenge.hint3It);
        const std::vector<Circuit> circuits = submissions(solution);
        for (std::size_t i = 0; i < circuits.size(); ++i) {
            const ChallengeResult expected = checkChallenge(challenge, circuits[i]);
            const ChallengeResult actual = checkChallenge(definition, circuits[i]);
            const std::string where = "lesson " + std::to_string(solution.lesson) + ", circuit " + std::to_string(i);
            EXPECT_EQ(actual.status, expected.status) << where;
            EXPECT_EQ(actual.solved, expected.solved) << where;
            EXPECT_EQ(actual.probabilitiesMatch, expected.probabilitiesMatch) << where;
            EXPECT_EQ(actual.fidelity, expected.fidelity) << where;
        }
        EXPECT_EQ(checkChallenge(definition, circuits[0]).status, ChallengeStatus::Solved) << solution.lesson;
    }
}

TEST(ChallengeDefinition, CarriesTheRulesOfThePhaseLesson)
{
    const ChallengeDefinition definition = challengeDefinition(builtIn(10));
    EXPECT_EQ(definition.qubitCount, 1);
    ASSERT_EQ(definition.required.size(), 2U);
    EXPECT_EQ(definition.required[0].kind, GateKind::H);
    EXPECT_EQ(definition.required[0].count, 2);
    EXPECT_EQ(definition.required[1].kind, GateKind::Z);
    ASSERT_EQ(definition.forbidden.size(), 1U);
    EXPECT_EQ(definition.forbidden[0], GateKind::X);
    EXPECT_FALSE(definition.maxGates.has_value());
    EXPECT_TRUE(challengeDefinition(builtIn(13)).forbidden.empty());

    Challenge outside = builtIn(4);
    outside.lessonIndex = 21;
    EXPECT_THROW(challengeDefinition(outside), std::out_of_range);
}

TEST(TargetFromCircuit, KeepsEveryAmplitudeThatIsNotExactlyZero)
{
    // XZXZ = −I: the reference prepares minus the Bell state.
    const std::vector<ChallengeTarget> bell =
        targetFromCircuit(circuitOf(2, {h(0), cnot(0, 1), x(0), z(0), x(0), z(0)}));
    ASSERT_EQ(bell.size(), 2U);
    EXPECT_EQ(bell[0].index, 0U);
    EXPECT_EQ(bell[1].index, 3U);
    EXPECT_LT(bell[0].amplitude.re, -0.7);
    EXPECT_LT(bell[1].amplitude.re, -0.7);

    // H P(π) H leaves a rounding residue of about 6e-17 on |0>: small, not zero, so it stays.
    const std::vector<ChallengeTarget> residue = targetFromCircuit(circuitOf(1, {h(0), phase(0, kPi), h(0)}));
    ASSERT_EQ(residue.size(), 2U);
    EXPECT_EQ(residue[0].index, 0U);
    EXPECT_EQ(targetFromCircuit(circuitOf(3, {x(2)})).size(), 1U);

    EXPECT_THROW(targetFromCircuit(circuitOf(0, {})), std::invalid_argument);
    EXPECT_THROW(targetFromCircuit(circuitOf(9, {})), std::invalid_argument);
    EXPECT_THROW(targetFromCircuit(circuitOf(2, {x(2)})), std::out_of_range);
}

ChallengeDefinition teacherDefinition(std::int32_t qubits, std::vector<ChallengeTarget> target)
{
    ChallengeDefinition definition;
    definition.qubitCount = qubits;
    definition.goalIt = "Prepara lo stato.";
    definition.goalEn = "Prepare the state.";
    definition.target = std::move(target);
    return definition;
}

TEST(CheckDefinition, IgnoresTheGlobalPhaseOfAReferenceTarget)
{
    const ChallengeDefinition definition =
        teacherDefinition(2, targetFromCircuit(circuitOf(2, {h(0), cnot(0, 1), x(0), z(0), x(0), z(0)})));
    const ChallengeResult result = checkChallenge(definition, circuitOf(2, {h(0), cnot(0, 1)}));
    EXPECT_EQ(result.status, ChallengeStatus::Solved);
    EXPECT_NEAR(result.fidelity, 1.0, 1e-12);

    // A register larger than any lesson's.
    std::vector<Gate> plusI;
    for (std::int32_t q = 0; q < kMaxChallengeQubits; ++q) {
        plusI.push_back(h(q));
        plusI.push_back(phase(q, kPi / 2.0));
    }
    const ChallengeDefinition wide = teacherDefinition(8, targetFromCircuit(circuitOf(8, plusI)));
    EXPECT_EQ(wide.target.size(), 256U);
    EXPECT_EQ(checkChallenge(wide, circuitOf(8, plusI)).status, ChallengeStatus::Solved);
    EXPECT_EQ(checkChallenge(wide, circuitOf(8, {h(0)})).status, ChallengeStatus::NotSolved);
}

struct RuleCase
{
    const char *name;
    std::vector<GateKind> forbidden;
    std::int32_t qubits;
    std::vector<Gate> gates;
    ChallengeStatus status;
    double fidelity;
};

void PrintTo(const RuleCase &row, std::ostream *out)
{
    *out << row.name;
}

class RuleOrder : public ::testing::TestWithParam<RuleCase>
{};

// Target |1>, two to four steps, at least two H; the forbidden kinds vary.
TEST_P(RuleOrder, DecidesTheFirstBrokenRule)
{
    const RuleCase &row = GetParam();
    ChallengeDefinition definition = teacherDefinition(1, {{1, {1.0, 0.0}}});
    definition.minGates = 2;
    definition.maxGates = 4;
    definition.required = {{GateKind::H, 2}};
    definition.forbidden = row.forbidden;
    const ChallengeResult result = checkChallenge(definition, circuitOf(row.qubits, row.gates));
    EXPECT_EQ(result.status, row.status);
    EXPECT_EQ(result.solved, row.status == ChallengeStatus::Solved);
    EXPECT_NEAR(result.fidelity, row.fidelity, 1e-12);
}

const std::vector<GateKind> kNoX = {GateKind::X};
const std::vector<GateKind> kNoPNoX = {GateKind::P, GateKind::X};
const std::vector<GateKind> kNoXNoP = {GateKind::X, GateKind::P};

INSTANTIATE_TEST_SUITE_P(
    Verdicts, RuleOrder,
    ::testing::Values(
        RuleCase{"solved", kNoX, 1, {h(0), z(0), h(0)}, ChallengeStatus::Solved, 1.0},
        RuleCase{"aboveTheMaximum", kNoX, 1, {h(0), z(0), z(0), z(0), h(0)}, ChallengeStatus::TooManyGates, 1.0},
        RuleCase{"maximumReached", kNoX, 1, {h(0), z(0), h(0), z(0)}, ChallengeStatus::Solved, 1.0},
        RuleCase{"minimumBeforeRequired", kNoX, 1, {x(0)}, ChallengeStatus::TooFewGates, 1.0},
        RuleCase{"maximumBeforeRequired", kNoX, 1, {x(0), z(0), z(0), z(0), z(0)}, ChallengeStatus::TooManyGates, 1.0},
        RuleCase{"requiredBeforeForbidden", kNoX, 1, {x(0), h(0), z(0)}, ChallengeStatus::RequiredGateMissing, 0.5},
        RuleCase{"forbiddenX", kNoX, 1, {h(0), h(0), x(0)}, ChallengeStatus::ForbiddenGate, 1.0},
        RuleCase{
            "forbiddenBeforeFidelity", kNoPNoX, 1, {h(0), phase(0, kPi), h(0)}, ChallengeStatus::ForbiddenKind, 1.0},
        RuleCase{"firstListedKindDecidesP",
                 kNoPNoX,
                 1,
                 {h(0), phase(0, 0.0), h(0), x(0)},
                 ChallengeStatus::ForbiddenKind,
                 1.0},
        RuleCase{"firstListedKindDecidesX",
                 kNoXNoP,
                 1,
                 {h(0), phase(0, 0.0), h(0), x(0)},
                 ChallengeStatus::ForbiddenGate,
                 1.0},
        RuleCase{"stateDiffers", kNoPNoX, 1, {h(0), z(0), z(0), h(0)}, ChallengeStatus::NotSolved, 0.0},
        RuleCase{"registerBeforeRules", kNoX, 2, {x(0)}, ChallengeStatus::QubitCountMismatch, 0.0}),
    [](const ::testing::TestParamInfo<RuleCase> &row) { return std::string(row.param.name); });

struct DefectCase
{
    const char *name;
    std::function<void(ChallengeDefinition &)> spoil;
    /// Null for a definition that must be accepted.
    const char *message;
    bool outOfRange = false;
};

void PrintTo(const DefectCase &row, std::ostream *out)
{
    *out << row.name;
}

class Validation : public ::testing::TestWithParam<DefectCase>
{};

// A defect is reported before the circuit is looked at: this one is too long to be graded, which alone would
// give NotSolved without a word.
TEST_P(Validation, RefusesDefectsBeforeEvaluating)
{
    const DefectCase &row = GetParam();
    ChallengeDefinition definition = teacherDefinition(2, {{0, {kHalfRoot, 0.0}}, {3, {kHalfRoot, 0.0}}});
    definition.minGates = 2;
    definition.maxGates = 3;
    definition.required = {{GateKind::H, 1}, {GateKind::Cnot, 1}};
    definition.forbidden = {GateKind::Z};
    row.spoil(definition);
    if (row.message == nullptr) {
        EXPECT_NO_THROW(validateChallengeDefinition(definition));
        return;
    }
    try {
        checkChallenge(definition, circuitOf(2, std::vector<Gate>(kMaxCheckedSteps + 1, x(0))));
        ADD_FAILURE() << "accepted";
    } catch (const std::out_of_range &error) {
        EXPECT_TRUE(row.outOfRange);
        EXPECT_STREQ(error.what(), row.message);
    } catch (const std::invalid_argument &error) {
        EXPECT_FALSE(row.outOfRange);
        EXPECT_STREQ(error.what(), row.message);
    }
}

using D = ChallengeDefinition;
const auto kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Definitions, Validation,
    ::testing::Values(
        DefectCase{"valid", [](D &) {}, nullptr},
        DefectCase{"hintsMayBeEmpty", [](D &d) { d.hint1En = d.hint3It = ""; }, nullptr},
        DefectCase{"maximumEqualsMinimum", [](D &d) { d.maxGates = 2; }, nullptr},
        DefectCase{"noMaximum", [](D &d) { d.maxGates.reset(); }, nullptr},
        DefectCase{"repeatedIndicesAccumulate",
                   [](D &d) {
                       d.target = {{1, {0.5, 0.0}}, {1, {0.5, 0.0}}};
                   },
                   nullptr},
        DefectCase{"noQubits", [](D &d) { d.qubitCount = 0; }, "Challenge qubits must be in the range 1..8"},
        DefectCase{"nineQubits", [](D &d) { d.qubitCount = 9; }, "Challenge qubits must be in the range 1..8"},
        DefectCase{"qubitsBeforeTarget",
                   [](D &d) {
                       d.qubitCount = -1;
                       d.target.clear();
                   },
                   "Challenge qubits must be in the range 1..8"},
        DefectCase{"emptyGoal", [](D &d) { d.goalIt.clear(); }, "Challenge goal missing"},
        DefectCase{"blankGoal", [](D &d) { d.goalEn = " \t\n"; }, "Challenge goal missing"},
        DefectCase{"basisOutside",
                   [](D &d) {
                       d.target.push_back({4, {0.0, 0.0}});
                   },
                   "Challenge target basis", true},
        DefectCase{"basisFarOutside",
                   [](D &d) {
                       d.target = {{std::numeric_limits<std::uint64_t>::max(), {1.0, 0.0}}};
                   },
                   "Challenge target basis", true},
        DefectCase{"notNormalized",
                   [](D &d) {
                       d.target = {{0, {0.5, 0.0}}, {3, {0.5, 0.0}}};
                   },
                   "Challenge target not normalized"},
        DefectCase{"emptyTarget", [](D &d) { d.target.clear(); }, "Challenge target not normalized"},
        DefectCase{"nanTarget", [](D &d) { d.target[0].amplitude.im = kNaN; }, "Challenge target not normalized"},
        DefectCase{"negativeMinimum", [](D &d) { d.minGates = -1; }, "Challenge minimum gates out of range"},
        DefectCase{"minimumAboveLimit",
                   [](D &d) {
                       d.minGates = 257;
                       d.maxGates.reset();
                   },
                   "Challenge minimum gates out of range"},
        DefectCase{"maximumAboveLimit", [](D &d) { d.maxGates = 257; }, "Challenge maximum gates out of range"},
        DefectCase{"negativeMaximum", [](D &d) { d.maxGates = -1; }, "Challenge maximum gates out of range"},
        DefectCase{"maximumBelowMinimum", [](D &d) { d.maxGates = 1; }, "Challenge maximum below minimum"},
        DefectCase{"unknownRequiredKind", [](D &d) { d.required[1].kind = static_cast<GateKind>(5); },
                   "Challenge gate kind unknown"},
        DefectCase{"zeroRequiredCount", [](D &d) { d.required[0].count = 0; }, "Challenge required count out of range"},
        DefectCase{"requiredAboveLimit",
                   [](D &d) {
                       d.required[0].count = 257;
                       d.maxGates.reset();
                   },
                   "Challenge required count out of range"},
        DefectCase{"requiredTwice", [](D &d) { d.required[1].kind = GateKind::H; }, "Challenge required kind repeated"},
        DefectCase{"requiredAboveMaximum", [](D &d) { d.required[1].count = 3; },
                   "Challenge required gates above maximum"},
        DefectCase{"unknownForbiddenKind", [](D &d) { d.forbidden.push_back(static_cast<GateKind>(-1)); },
                   "Challenge gate kind unknown"},
        DefectCase{"forbiddenTwice", [](D &d) { d.forbidden.push_back(GateKind::Z); },
                   "Challenge forbidden kind repeated"},
        DefectCase{"requiredAndForbidden", [](D &d) { d.forbidden.push_back(GateKind::Cnot); },
                   "Challenge required kind forbidden"}),
    [](const ::testing::TestParamInfo<DefectCase> &row) { return std::string(row.param.name); });

TEST(GradeChallenge, AppliesRulesAsGivenWithoutValidating)
{
    // No goal and a minimum past the step limit: refused by validation, graded as given here.
    ChallengeDefinition definition;
    definition.target = {{0, {1.0, 0.0}}};
    definition.minGates = 300;
    EXPECT_EQ(gradeChallenge(definition, circuitOf(1, {})).status, ChallengeStatus::TooFewGates);
    EXPECT_THROW(checkChallenge(definition, circuitOf(1, {})), std::invalid_argument);
    definition.target = {{0, {0.5, 0.0}}};
    EXPECT_THROW(gradeChallenge(definition, circuitOf(1, {})), std::invalid_argument);
}

} // namespace
} // namespace Fasoria
