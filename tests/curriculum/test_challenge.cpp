#include "core/Circuit.h"
#include "curriculum/Challenge.h"
#include "curriculum/LessonCatalog.h"
#include "tests/curriculum/CircuitBuilders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace Fasoria {
namespace {

constexpr double kTolerance = 1e-12;

// A challenge on the one-qubit lesson 05 with no gate rules beyond one step, for malformed targets.
Challenge handBuilt(std::vector<ChallengeTarget> target)
{
    Challenge challenge;
    challenge.lessonIndex = 4;
    challenge.target = std::move(target);
    challenge.minGates = 1;
    return challenge;
}

template <typename Error>
void expectError(const Challenge &challenge, const Circuit &circuit, const char *message)
{
    try {
        checkChallenge(challenge, circuit);
        ADD_FAILURE() << "no error, expected \"" << message << "\"";
    } catch (const Error &error) {
        EXPECT_STREQ(error.what(), message);
    }
}

TEST(ChallengeCatalog, HoldsOneChallengePerLesson05To14)
{
    const std::vector<Challenge> &challenges = challengeCatalog();
    ASSERT_EQ(challenges.size(), 10U);
    for (std::size_t i = 0; i < challenges.size(); ++i) {
        EXPECT_EQ(challenges[i].lessonIndex, i + 4);
    }
    for (std::uint64_t index : {std::uint64_t{0}, std::uint64_t{3}, std::uint64_t{14}, std::uint64_t{20},
                                std::numeric_limits<std::uint64_t>::max()}) {
        EXPECT_EQ(findChallenge(index), nullptr) << index;
    }
    for (std::uint64_t index = 4; index < 14; ++index) {
        ASSERT_NE(findChallenge(index), nullptr) << index;
        EXPECT_EQ(findChallenge(index)->lessonIndex, index);
    }
}

TEST(ChallengeCatalog, PinsTextsByteForByte)
{
    EXPECT_STREQ(builtIn(11).hint1It, "\xC3\x88 diverso dal primo stato di Bell.");
    EXPECT_STREQ(builtIn(11).hint2It, "Puoi partire da uno stato di Bell gi\xC3\xA0 noto.");
    EXPECT_STREQ(builtIn(6).hint3It, "Una sola H su q0 \xC3\xA8 sufficiente.");
    EXPECT_STREQ(builtIn(12).goalEn, "Prepare (|0> - |1>)/sqrt(2): same probabilities, different phase.");
    EXPECT_STREQ(builtIn(13).hint3It, "H(q0), CNOT(q0->q1), CNOT(q1->q2).");
    EXPECT_STREQ(builtIn(13).hint3En, "H(q0), CNOT(q0->q1), CNOT(q1->q2).");
}

struct CheckCase
{
    const char *name;
    std::uint64_t lesson;
    std::int32_t qubits;
    std::vector<Gate> gates;
    ChallengeStatus status;
    double fidelity;
    bool probabilitiesMatch;
};

void PrintTo(const CheckCase &row, std::ostream *out)
{
    *out << row.name;
}

class CheckBuiltIn : public ::testing::TestWithParam<CheckCase>
{};

TEST_P(CheckBuiltIn, GivesStatusFidelityAndProbabilityMatch)
{
    const CheckCase &row = GetParam();
    const Circuit circuit = circuitOf(row.qubits, row.gates);
    const ChallengeResult result = checkChallenge(builtIn(row.lesson), circuit);
    EXPECT_EQ(result.status, row.status);
    EXPECT_EQ(result.solved, row.status == ChallengeStatus::Solved);
    EXPECT_NEAR(result.fidelity, row.fidelity, kTolerance);
    EXPECT_EQ(result.probabilitiesMatch, row.probabilitiesMatch);
}

const double kPi = std::acos(-1.0);

// Each built-in challenge solved by the circuit its third hint describes, then the discriminating cases.
INSTANTIATE_TEST_SUITE_P(
    Cases, CheckBuiltIn,
    ::testing::Values(
        CheckCase{"hint05", 4, 1, {x(0)}, ChallengeStatus::Solved, 1.0, true},
        CheckCase{"hint06", 5, 1, {x(0), x(0)}, ChallengeStatus::Solved, 1.0, true},
        CheckCase{"hint07", 6, 1, {h(0)}, ChallengeStatus::Solved, 1.0, true},
        CheckCase{"hint08", 7, 2, {x(0)}, ChallengeStatus::Solved, 1.0, true},
        CheckCase{"hint09", 8, 2, {h(0), h(1)}, ChallengeStatus::Solved, 1.0, true},
        CheckCase{"hint10", 9, 2, {h(0), cnot(0, 1)}, ChallengeStatus::Solved, 1.0, true},
        CheckCase{"hint11", 10, 1, {h(0), z(0), h(0)}, ChallengeStatus::Solved, 1.0, true},
        CheckCase{"hint12", 11, 2, {h(0), cnot(0, 1), x(0)}, ChallengeStatus::Solved, 1.0, true},
        CheckCase{"hint13", 12, 1, {h(0), z(0)}, ChallengeStatus::Solved, 1.0, true},
        CheckCase{"hint14", 13, 3, {h(0), cnot(0, 1), cnot(1, 2)}, ChallengeStatus::Solved, 1.0, true},
        CheckCase{"l13HOnlyTooShort", 12, 1, {h(0)}, ChallengeStatus::TooFewGates, 0.0, true},
        CheckCase{"l13RightStateWithoutZ", 12, 1, {x(0), h(0)}, ChallengeStatus::RequiredGateMissing, 1.0, true},
        CheckCase{"l13PhaseUndone", 12, 1, {h(0), z(0), z(0)}, ChallengeStatus::NotSolved, 0.0, true},
        CheckCase{"l13PhaseGateIsNoZ", 12, 1, {h(0), phase(0, kPi)}, ChallengeStatus::RequiredGateMissing, 1.0, true},
        CheckCase{"l11WithoutZ", 10, 1, {h(0), h(0), x(0)}, ChallengeStatus::RequiredGateMissing, 1.0, true},
        CheckCase{"l11WithX", 10, 1, {h(0), z(0), h(0), x(0), x(0)}, ChallengeStatus::ForbiddenGate, 1.0, true},
        CheckCase{"l11SingleX", 10, 1, {h(0), h(0), z(0), x(0)}, ChallengeStatus::ForbiddenGate, 1.0, true},
        CheckCase{"l11TooShort", 10, 1, {h(0), z(0)}, ChallengeStatus::TooFewGates, 0.5, false},
        CheckCase{"l05GlobalPhase", 4, 1, {x(0), z(0)}, ChallengeStatus::Solved, 1.0, true},
        CheckCase{"l06Empty", 5, 1, {}, ChallengeStatus::TooFewGates, 1.0, true},
        CheckCase{"l06OneX", 5, 1, {x(0)}, ChallengeStatus::TooFewGates, 0.0, false},
        CheckCase{"l05TwoQubits", 4, 2, {x(0)}, ChallengeStatus::QubitCountMismatch, 0.0, false},
        CheckCase{"l08WrongQubit", 7, 2, {x(1)}, ChallengeStatus::NotSolved, 0.0, false},
        CheckCase{"l09OneH", 8, 2, {h(0)}, ChallengeStatus::TooFewGates, 0.5, false},
        CheckCase{"l10WithoutCnot", 9, 2, {h(0), h(1)}, ChallengeStatus::RequiredGateMissing, 0.5, false},
        CheckCase{"l12MinusBell", 11, 2, {h(0), cnot(0, 1), z(0)}, ChallengeStatus::NotSolved, 0.0, false},
        CheckCase{"l14OtherRoute", 13, 3, {h(0), cnot(0, 2), cnot(0, 1)}, ChallengeStatus::Solved, 1.0, true},
        CheckCase{"l14OneCnot", 13, 3, {h(0), cnot(0, 1), x(2)}, ChallengeStatus::RequiredGateMissing, 0.25, false}),
    [](const ::testing::TestParamInfo<CheckCase> &row) { return std::string(row.param.name); });

TEST(CheckChallenge, RefusesOverlongOrMismatchedCircuitsWithoutReplaying)
{
    // X on qubit 5 would throw if the circuit were replayed.
    std::vector<Gate> gates(256, x(0));
    gates.push_back(x(5));
    for (std::int32_t qubits : {1, 2}) {
        const ChallengeResult result = checkChallenge(builtIn(4), circuitOf(qubits, gates));
        EXPECT_EQ(result.status, ChallengeStatus::NotSolved) << qubits;
        EXPECT_FALSE(result.solved);
        EXPECT_EQ(result.fidelity, 0.0);
        EXPECT_FALSE(result.probabilitiesMatch);
    }

    const ChallengeResult mismatched = checkChallenge(builtIn(9), circuitOf(3, {cnot(0, 0)}));
    EXPECT_EQ(mismatched.status, ChallengeStatus::QubitCountMismatch);
    EXPECT_EQ(mismatched.fidelity, 0.0);

    Challenge outsideCatalog = handBuilt({{0, {1.0, 0.0}}});
    outsideCatalog.lessonIndex = 21;
    const ChallengeResult outside = checkChallenge(outsideCatalog, circuitOf(1, {x(0), x(0)}));
    EXPECT_EQ(outside.status, ChallengeStatus::QubitCountMismatch);
    EXPECT_FALSE(outside.probabilitiesMatch);
}

TEST(CheckChallenge, EvaluatesACircuitOfExactlyTheStepLimit)
{
    const ChallengeResult result = checkChallenge(builtIn(5), circuitOf(1, std::vector<Gate>(kMaxCheckedSteps, x(0))));
    EXPECT_EQ(result.status, ChallengeStatus::Solved);
    EXPECT_NEAR(result.fidelity, 1.0, kTolerance);
}

TEST(CheckChallenge, PropagatesEngineErrors)
{
    EXPECT_THROW(checkChallenge(builtIn(4), circuitOf(1, {x(1)})), std::out_of_range);
    EXPECT_THROW(checkChallenge(builtIn(9), circuitOf(2, {h(0), cnot(1, 1)})), std::invalid_argument);
}

TEST(SolvingFidelity, IsExactlyTheThreshold)
{
    EXPECT_FALSE(isSolvingFidelity(0.999999989));
    EXPECT_TRUE(isSolvingFidelity(0.99999999));
    EXPECT_TRUE(isSolvingFidelity(1.0));
    EXPECT_FALSE(isSolvingFidelity(0.0));
}

// H then P(θ) gives fidelity cos²(θ/2) against (|0> + |1>)/√2 with equal probabilities throughout.
TEST(CheckChallenge, SolvesJustAboveTheThresholdOnly)
{
    for (const double fidelity : {1.0 - 5e-9, 1.0 - 2e-8}) {
        const double angle = 2.0 * std::acos(std::sqrt(fidelity));
        const ChallengeResult result = checkChallenge(builtIn(6), circuitOf(1, {h(0), phase(0, angle)}));
        EXPECT_NEAR(result.fidelity, fidelity, kTolerance);
        EXPECT_TRUE(result.probabilitiesMatch);
        EXPECT_EQ(result.solved, fidelity >= kSolvedFidelity) << fidelity;
        EXPECT_EQ(result.status, result.solved ? ChallengeStatus::Solved : ChallengeStatus::NotSolved);
    }
}

struct TargetCase
{
    const char *name;
    std::vector<ChallengeTarget> target;
    std::vector<Gate> gates;
    double fidelity;
    bool probabilitiesMatch;
};

void PrintTo(const TargetCase &row, std::ostream *out)
{
    *out << row.name;
}

class CheckTarget : public ::testing::TestWithParam<TargetCase>
{};

TEST_P(CheckTarget, ComparesWithTheDenseTarget)
{
    const TargetCase &row = GetParam();
    const ChallengeResult result = checkChallenge(handBuilt(row.target), circuitOf(1, row.gates));
    EXPECT_NEAR(result.fidelity, row.fidelity, kTolerance);
    EXPECT_EQ(result.probabilitiesMatch, row.probabilitiesMatch);
}

const double kHalfRoot = 0.7071067811865476;

INSTANTIATE_TEST_SUITE_P(
    Targets, CheckTarget,
    ::testing::Values(TargetCase{"repeatedIndicesAccumulate", {{1, {0.5, 0.0}}, {1, {0.5, 0.0}}}, {x(0)}, 1.0, true},
                      TargetCase{"imaginaryTargetConjugated",
                                 {{0, {kHalfRoot, 0.0}}, {1, {0.0, kHalfRoot}}},
                                 {h(0), phase(0, std::acos(-1.0) / 2.0)},
                                 1.0,
                                 true},
                      // Both parts of the overlap matter once the state carries a global phase i.
                      TargetCase{"complexTargetGlobalPhase",
                                 {{0, {kHalfRoot, 0.0}}, {1, {0.0, kHalfRoot}}},
                                 {h(0), phase(0, std::acos(-1.0) / 2.0), x(0), phase(0, std::acos(-1.0) / 2.0), x(0),
                                  phase(0, std::acos(-1.0) / 2.0)},
                                 1.0,
                                 true},
                      TargetCase{"oppositePhase",
                                 {{0, {kHalfRoot, 0.0}}, {1, {0.0, kHalfRoot}}},
                                 {h(0), phase(0, -std::acos(-1.0) / 2.0)},
                                 0.0,
                                 true}),
    [](const ::testing::TestParamInfo<TargetCase> &row) { return std::string(row.param.name); });

// A target normalised within tolerance but slightly above 1 would give a fidelity above 1.
TEST(CheckChallenge, ClampsFidelityToOne)
{
    const ChallengeResult result = checkChallenge(handBuilt({{0, {1.0000000004, 0.0}}}), circuitOf(1, {x(0), x(0)}));
    EXPECT_EQ(result.fidelity, 1.0);
    EXPECT_TRUE(result.probabilitiesMatch);
    EXPECT_EQ(result.status, ChallengeStatus::Solved);
}

TEST(CheckChallenge, RefusesMalformedTargetsBeforeTheRules)
{
    const Circuit empty = circuitOf(1, {});
    expectError<std::out_of_range>(handBuilt({{2, {1.0, 0.0}}}), empty, "Challenge target basis");
    expectError<std::out_of_range>(handBuilt({{std::numeric_limits<std::uint64_t>::max(), {1.0, 0.0}}}), empty,
                                   "Challenge target basis");
    // The basis is checked while the target is spread out, before its norm.
    expectError<std::out_of_range>(handBuilt({{0, {0.5, 0.0}}, {5, {1.0, 0.0}}}), empty, "Challenge target basis");
    expectError<std::invalid_argument>(handBuilt({{0, {0.5, 0.0}}}), empty, "Challenge target not normalized");
    expectError<std::invalid_argument>(handBuilt({}), empty, "Challenge target not normalized");
    expectError<std::invalid_argument>(handBuilt({{0, {1.000000002, 0.0}}}), empty, "Challenge target not normalized");
    expectError<std::invalid_argument>(handBuilt({{0, {std::numeric_limits<double>::quiet_NaN(), 0.0}}}), empty,
                                       "Challenge target not normalized");
    expectError<std::invalid_argument>(handBuilt({{0, {std::numeric_limits<double>::infinity(), 0.0}}}), empty,
                                       "Challenge target not normalized");
}

} // namespace
} // namespace Fasoria
