#include "core/Measurement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

using namespace Fasoria;

namespace {

constexpr double kTolerance = 1e-12;

StateVector plus()
{
    StateVector state = createState(1);
    state.applyH(0);
    return state;
}

StateVector bell()
{
    StateVector state = createState(2);
    state.applyH(0);
    state.applyCnot(0, 1);
    return state;
}

// The word whose MT19937-64 tempering is z: the tempering steps undone in reverse order.
std::uint64_t untempered(std::uint64_t z)
{
    z ^= z >> 43;
    z ^= (z << 37) & 0xFFF7EEE000000000ULL;
    std::uint64_t y = z;
    for (int i = 0; i < 4; ++i) {
        y = z ^ ((y << 17) & 0x71D67FFFEDA60000ULL);
    }
    z = y;
    for (int i = 0; i < 3; ++i) {
        y = z ^ ((y >> 29) & 0x5555555555555555ULL);
    }
    return y;
}

// A generator whose next output is `output`: with the two oldest words 0 the next word of the recurrence is
// word 156, the untempered output; word 2 keeps the state from drawing 0 for ever.
RandomGenerator drawingNext(std::uint64_t output)
{
    std::string text;
    for (std::size_t k = 0; k < RandomGenerator::kStateSize; ++k) {
        const std::uint64_t word = k == 156 ? untempered(output) : (k == 2 ? 1 : 0);
        text += std::to_string(word) + " ";
    }
    RandomGenerator generator;
    EXPECT_TRUE(generator.restoreState(text));
    return generator;
}

constexpr std::uint64_t kLargestOutput = ~std::uint64_t{0}; // drawUniform gives exactly 1.0

} // namespace

struct PickCase
{
    const char *name;
    std::vector<double> weights;
    double u;
    std::uint64_t expected;
};

class PickOutcome : public ::testing::TestWithParam<PickCase>
{};

TEST_P(PickOutcome, ChoosesTheFirstCumulativeReachingU)
{
    EXPECT_EQ(pickOutcome(GetParam().weights, GetParam().u), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, PickOutcome,
                         ::testing::Values(PickCase{"u_zero_picks_first", {0.5, 0.5}, 0.0, 0},
                                           PickCase{"u_zero_skips_a_leading_zero", {0.0, 1.0}, 0.0, 1},
                                           PickCase{"u_zero_skips_leading_zeros", {0.0, 0.0, 0.5, 0.5}, 0.0, 2},
                                           PickCase{"u_one_stops_before_trailing_zeros", {0.1, 0.2, 0.3, 0.0}, 1.0, 2},
                                           PickCase{"u_one_falls_to_last", {0.5, 0.5}, 1.0, 1},
                                           PickCase{"exact_cumulative_is_reached", {0.25, 0.25, 0.5}, 0.25, 0},
                                           PickCase{"just_above_cumulative", {0.25, 0.25, 0.5}, 0.2500000001, 1},
                                           PickCase{"zero_after_nonzero_never_chosen", {0.5, 0.0, 0.5}, 0.5000001, 2},
                                           PickCase{"zero_last_is_fallback", {1.0, 0.0}, 1.0, 0},
                                           PickCase{"unnormalised_weights", {1.0, 1.0, 2.0}, 0.5, 1},
                                           PickCase{"unnormalised_weights_high", {1.0, 1.0, 2.0}, 0.51, 2},
                                           PickCase{"single_outcome", {1.0}, 0.7, 0},
                                           PickCase{"u_above_rounded_total", {0.1, 0.2, 0.3, 0.4}, 1.0, 3}),
                         [](const ::testing::TestParamInfo<PickCase> &row) { return std::string(row.param.name); });

TEST(PickOutcome, EmptyListIsRefused)
{
    EXPECT_THROW(pickOutcome({}, 0.5), std::invalid_argument);
}

TEST(DrawUniform, ConsumesOneOutputAndStaysInUnitInterval)
{
    RandomGenerator a(3), b(3);
    for (int i = 0; i < 1000; ++i) {
        const double u = drawUniform(a);
        ASSERT_GE(u, 0.0);
        ASSERT_LE(u, 1.0);
        ASSERT_EQ(u, static_cast<double>(b.next()) / 18446744073709551616.0);
    }
}

TEST(MeasureAll, CollapsesToExactlyOne)
{
    StateVector state = plus();
    RandomGenerator generator(456);
    const std::uint64_t k = measureAll(state, generator);
    ASSERT_LE(k, 1U);
    EXPECT_EQ(state.amplitude(k).re, 1.0);
    EXPECT_EQ(state.amplitude(k).im, 0.0);
    EXPECT_EQ(state.probability(1 - k), 0.0);
}

TEST(MeasureAll, DropsThePhaseOfTheOutcome)
{
    StateVector state = createState(1);
    state.applyX(0);
    state.applyPhase(0, -std::acos(-1.0) / 2); // amplitude −i on |1⟩
    RandomGenerator generator;
    ASSERT_EQ(measureAll(state, generator), 1U);
    EXPECT_EQ(state.amplitude(1).re, 1.0);
    EXPECT_EQ(state.amplitude(1).im, 0.0);
}

TEST(MeasureAll, FollowsPickOutcomeWithOneDraw)
{
    for (std::uint64_t seed = 0; seed < 50; ++seed) {
        StateVector state = createState(3);
        state.applyH(0);
        state.applyH(2);
        state.applyPhase(2, 0.7);
        std::vector<double> p(8);
        for (std::uint64_t i = 0; i < 8; ++i) {
            p[i] = state.probability(i);
        }
        RandomGenerator generator(seed), twin(seed);
        const std::uint64_t expected = pickOutcome(p, drawUniform(twin));
        EXPECT_EQ(measureAll(state, generator), expected);
        EXPECT_TRUE(generator == twin);
    }
}

TEST(MeasureQubit, BellPairCollapsesTogether)
{
    StateVector state = bell();
    RandomGenerator generator(12345);
    const bool outcome = measureQubit(state, 0, generator);
    EXPECT_NEAR(state.probability(outcome ? 3 : 0), 1.0, kTolerance);
    EXPECT_NEAR(state.totalProbability(), 1.0, kTolerance);
}

TEST(MeasureQubit, BothOutcomesOccurAndRenormalise)
{
    int ones = 0;
    for (std::uint64_t seed = 0; seed < 200; ++seed) {
        StateVector state = createState(2);
        state.applyH(0);
        state.applyH(1);
        RandomGenerator generator(seed);
        const bool outcome = measureQubit(state, 1, generator);
        ones += outcome ? 1 : 0;
        for (std::uint64_t i = 0; i < 4; ++i) {
            const bool bitSet = (i & 2U) != 0;
            EXPECT_NEAR(state.probability(i), bitSet == outcome ? 0.5 : 0.0, kTolerance);
        }
    }
    EXPECT_GT(ones, 60);
    EXPECT_LT(ones, 140);
}

TEST(MeasureQubit, CertainOutcomesConsumeNoNumber)
{
    // P1 must be exactly 1 or 0: a superposition elsewhere would round P1 to just below 1 and draw.
    StateVector one = createState(2);
    one.applyX(1);
    one.applyCnot(1, 0);
    RandomGenerator generator(8), untouched(8);
    EXPECT_TRUE(measureQubit(one, 1, generator));
    EXPECT_TRUE(measureQubit(one, 0, generator));
    StateVector zero = createState(2);
    zero.applyH(1);
    EXPECT_FALSE(measureQubit(zero, 0, generator));
    EXPECT_TRUE(generator == untouched);
    EXPECT_EQ(generator.next(), untouched.next());
}

TEST(MeasureQubit, RangeCheckedBeforeDrawing)
{
    StateVector state = plus();
    const StateVector before = state;
    RandomGenerator generator(1), untouched(1);
    try {
        measureQubit(state, 1, generator);
        FAIL() << "expected out_of_range";
    } catch (const std::out_of_range &error) {
        EXPECT_STREQ(error.what(), "Qubit index out of range");
    }
    EXPECT_TRUE(generator == untouched);
    EXPECT_EQ(state.amplitude(0).re, before.amplitude(0).re);
    EXPECT_EQ(state.amplitude(1).re, before.amplitude(1).re);
}

TEST(SampleCounts, ZeroShotsGiveZerosWithoutDrawing)
{
    const StateVector state = bell();
    RandomGenerator generator(5), untouched(5);
    const Histogram counts = sampleCounts(state, 0, generator);
    EXPECT_EQ(counts, Histogram(4, 0));
    EXPECT_TRUE(generator == untouched);
}

TEST(SampleCounts, SeededHadamardStaysNearHalfAndLeavesStateAlone)
{
    const StateVector state = plus();
    RandomGenerator generator(42);
    const Histogram counts = sampleCounts(state, 10000, generator);
    ASSERT_EQ(counts.size(), 2U);
    EXPECT_EQ(counts[0] + counts[1], 10000U);
    EXPECT_GE(counts[0], 4701U);
    EXPECT_LE(counts[0], 5299U);
    EXPECT_NEAR(state.probability(0), 0.5, kTolerance);
}

TEST(SampleCounts, EachShotIsOnePickWithOneDraw)
{
    StateVector state = createState(3);
    state.applyH(0);
    state.applyH(1);
    state.applyPhase(1, 1.1);
    state.applyH(1);
    state.applyCnot(0, 2);
    std::vector<double> p(8);
    for (std::uint64_t i = 0; i < 8; ++i) {
        p[i] = state.probability(i);
    }
    RandomGenerator generator(77), twin(77);
    const Histogram counts = sampleCounts(state, 3000, generator);
    Histogram expected(8, 0);
    for (int shot = 0; shot < 3000; ++shot) {
        ++expected[pickOutcome(p, drawUniform(twin))];
    }
    EXPECT_EQ(counts, expected);
    EXPECT_TRUE(generator == twin) << "exactly one output per shot";
    EXPECT_EQ(counts[1] + counts[3] + counts[4] + counts[6], 0U) << "impossible outcomes never drawn";
}

TEST(CraftedGenerator, DrawsTheChosenOutputFirst)
{
    for (const std::uint64_t output : {std::uint64_t{0}, std::uint64_t{12345}, kLargestOutput}) {
        RandomGenerator generator = drawingNext(output);
        EXPECT_EQ(generator.next(), output);
    }
    RandomGenerator largest = drawingNext(kLargestOutput);
    EXPECT_EQ(drawUniform(largest), 1.0);
}

// A draw of exactly 0 or 1 on a state whose possible outcomes are preceded or followed by outcomes of
// probability 0: the measurement and every shot give a possible outcome.
struct EdgeDraw
{
    const char *name;
    std::uint32_t qubits;
    std::vector<Gate> gates;
    std::uint64_t output;
    std::uint64_t expected;
};

class ImpossibleOutcome : public ::testing::TestWithParam<EdgeDraw>
{};

TEST_P(ImpossibleOutcome, IsNeverMeasuredNorSampled)
{
    const EdgeDraw &row = GetParam();
    StateVector prepared = createState(row.qubits);
    for (const Gate &gate : row.gates) {
        prepared.applyGate(gate);
    }
    ASSERT_GT(prepared.probability(row.expected), 0.0);
    RandomGenerator shots = drawingNext(row.output);
    const Histogram counts = sampleCounts(prepared, 1, shots);
    EXPECT_EQ(counts[row.expected], 1U);

    RandomGenerator generator = drawingNext(row.output);
    EXPECT_EQ(measureAll(prepared, generator), row.expected);
    EXPECT_EQ(prepared.amplitude(row.expected).re, 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeDraws, ImpossibleOutcome,
    ::testing::Values(
        EdgeDraw{"u_zero_on_one", 1, {{GateKind::X, 0, 0, 0.0}}, 0, 1},
        EdgeDraw{"u_zero_after_two_empty_states", 2, {{GateKind::X, 1, 0, 0.0}, {GateKind::H, 0, 0, 0.0}}, 0, 2},
        // H P(0.744) H: the normalised cumulative sum of |00> and |01> rounds to just below 1.
        EdgeDraw{"u_one_before_two_empty_states",
                 2,
                 {{GateKind::H, 0, 0, 0.0}, {GateKind::P, 0, 0, 0.744}, {GateKind::H, 0, 0, 0.0}},
                 kLargestOutput,
                 1}),
    [](const ::testing::TestParamInfo<EdgeDraw> &row) { return std::string(row.param.name); });

TEST(MeasureQubit, EmptyBranchIsNeverTheOutcome)
{
    // H H X leaves |1> with probability 0.99999999999999956 and nothing on |0>: a draw of 1 is not below
    // P1, yet the outcome 0 has probability 0 and would leave nothing to renormalise.
    StateVector state = createState(1);
    state.applyH(0);
    state.applyH(0);
    state.applyX(0);
    ASSERT_EQ(state.probability(0), 0.0);
    ASSERT_LT(state.probability(1), 1.0);
    RandomGenerator generator = drawingNext(kLargestOutput);
    const RandomGenerator untouched = generator;
    EXPECT_TRUE(measureQubit(state, 0, generator));
    EXPECT_NEAR(state.probability(1), 1.0, kTolerance);
    EXPECT_TRUE(generator == untouched) << "a certain outcome draws nothing";
}

TEST(MostFrequentOutcome, LowestIndexWinsTies)
{
    EXPECT_EQ(mostFrequentOutcome({3, 5, 5, 1}), 1U);
    EXPECT_EQ(mostFrequentOutcome({0, 0, 0, 0}), 0U);
    EXPECT_EQ(mostFrequentOutcome({1, 2, 3, 9}), 3U);
    EXPECT_EQ(mostFrequentOutcome({}), 0U);
}
