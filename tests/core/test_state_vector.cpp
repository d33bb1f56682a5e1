#include "core/Circuit.h"
#include "core/StateVector.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Fasoria;

namespace {

constexpr double kTolerance = 1e-12;

// Bitwise comparison: a rejected call must leave every double exactly as it was, signs of zeros included.
bool identical(const StateVector &a, const StateVector &b)
{
    return a.dimension() == b.dimension() &&
           std::memcmp(a.amplitudes().data(), b.amplitudes().data(), a.dimension() * sizeof(Complex)) == 0;
}

StateVector superposition(std::uint32_t qubits)
{
    StateVector state = createState(qubits);
    for (std::uint32_t q = 0; q < qubits; ++q) {
        state.applyH(q);
    }
    state.applyPhase(0, 0.3);
    return state;
}

template <typename Error>
void expectError(const std::function<void()> &body, const std::string &message)
{
    try {
        body();
        ADD_FAILURE() << "no exception, expected: " << message;
    } catch (const Error &error) {
        EXPECT_EQ(error.what(), message);
    } catch (const std::exception &other) {
        ADD_FAILURE() << "wrong exception class: " << other.what();
    }
}

} // namespace

TEST(StateVector, CreationRangeAndPreparation)
{
    expectError<std::invalid_argument>([] { createState(0); }, "Qubits must be in the range 1..12");
    expectError<std::invalid_argument>([] { createState(13); }, "Qubits must be in the range 1..12");
    expectError<std::invalid_argument>([] { createState(static_cast<std::uint32_t>(-1)); },
                                       "Qubits must be in the range 1..12");
    for (std::uint32_t n = 1; n <= 12; ++n) {
        const StateVector state = createState(n);
        ASSERT_EQ(state.qubitCount(), static_cast<std::int32_t>(n));
        ASSERT_EQ(state.dimension(), std::uint64_t{1} << n);
        EXPECT_EQ(state.amplitude(0).re, 1.0);
        EXPECT_EQ(state.amplitude(0).im, 0.0);
        for (std::uint64_t i = 1; i < state.dimension(); ++i) {
            ASSERT_EQ(state.probability(i), 0.0);
        }
    }
}

struct RejectedCall
{
    const char *name;
    std::uint32_t qubits;
    std::function<void(StateVector &)> call;
    bool outOfRange; // else invalid_argument
    const char *message;
};

class RejectedCalls : public ::testing::TestWithParam<RejectedCall>
{};

TEST_P(RejectedCalls, ThrowTheRightErrorAndChangeNothing)
{
    const RejectedCall &c = GetParam();
    StateVector state = superposition(c.qubits);
    const StateVector before = state;
    if (c.outOfRange) {
        expectError<std::out_of_range>([&] { c.call(state); }, c.message);
    } else {
        expectError<std::invalid_argument>([&] { c.call(state); }, c.message);
    }
    EXPECT_TRUE(identical(state, before));
}

const double kNaN = std::nan("");
const double kInf = INFINITY;

INSTANTIATE_TEST_SUITE_P(
    Engine, RejectedCalls,
    ::testing::Values(
        RejectedCall{"H_on_qubit_n", 2, [](StateVector &s) { s.applyH(2); }, true, "Qubit index out of range"},
        RejectedCall{"X_negative", 2, [](StateVector &s) { s.applyX(static_cast<std::uint32_t>(-1)); }, true,
                     "Qubit index out of range"},
        RejectedCall{"Z_far", 3, [](StateVector &s) { s.applyZ(40); }, true, "Qubit index out of range"},
        RejectedCall{"P_range_before_nan", 1, [](StateVector &s) { s.applyPhase(5, kNaN); }, true,
                     "Qubit index out of range"},
        RejectedCall{"P_nan", 1, [](StateVector &s) { s.applyPhase(0, kNaN); }, false, "Non-finite phase angle"},
        RejectedCall{"P_inf", 2, [](StateVector &s) { s.applyPhase(1, kInf); }, false, "Non-finite phase angle"},
        RejectedCall{"P_minus_inf", 2, [](StateVector &s) { s.applyPhase(1, -kInf); }, false, "Non-finite phase angle"},
        RejectedCall{"CNOT_same", 2, [](StateVector &s) { s.applyCnot(0, 0); }, false,
                     "Control and target must be distinct"},
        RejectedCall{"CNOT_range_before_same", 2, [](StateVector &s) { s.applyCnot(2, 2); }, true,
                     "Qubit index out of range"},
        RejectedCall{"CNOT_control_range", 2, [](StateVector &s) { s.applyCnot(7, 0); }, true,
                     "Qubit index out of range"},
        RejectedCall{"CNOT_target_range", 2, [](StateVector &s) { s.applyCnot(0, 2); }, true,
                     "Qubit index out of range"},
        RejectedCall{"gate_negative_target", 2,
                     [](StateVector &s) {
                         s.applyGate(Gate{GateKind::H, -1, 0, 0});
                     },
                     true, "Qubit index out of range"},
        RejectedCall{"gate_negative_control", 2,
                     [](StateVector &s) {
                         s.applyGate(Gate{GateKind::Cnot, 0, -2, 0});
                     },
                     true, "Qubit index out of range"},
        RejectedCall{"probability_past_end", 2, [](StateVector &s) { s.probability(4); }, true,
                     "Basis state index out of range"},
        RejectedCall{"amplitude_past_end", 1, [](StateVector &s) { s.amplitude(2); }, true,
                     "Basis state index out of range"}),
    [](const ::testing::TestParamInfo<RejectedCall> &row) { return std::string(row.param.name); });

TEST(StateVector, RegisterAndGateChecksWithoutARegister)
{
    for (const std::int64_t count : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{13}, std::int64_t{1} << 32}) {
        expectError<std::invalid_argument>([count] { checkQubitCount(count); }, "Qubits must be in the range 1..12");
    }
    EXPECT_NO_THROW(checkQubitCount(1));
    EXPECT_NO_THROW(checkQubitCount(12));

    // Target and a CNOT's control are range-checked; everything the gate itself checks is left to it.
    const Gate refused[] = {{GateKind::H, 2, 0, 0.0},    {GateKind::X, -1, 0, 0.0},   {GateKind::P, 3, 0, 0.0},
                            {GateKind::Cnot, 0, 2, 0.0}, {GateKind::Cnot, 2, 0, 0.0}, {GateKind::Cnot, 0, -1, 0.0}};
    for (const Gate &gate : refused) {
        expectError<std::out_of_range>([gate] { checkGateQubits(gate, 2); }, "Qubit index out of range");
    }
    const Gate accepted[] = {{GateKind::Z, 1, 7, 0.0},
                             {GateKind::P, 0, -3, kNaN},
                             {GateKind::Cnot, 1, 1, 0.0},
                             {static_cast<GateKind>(5), 9, 9, 0.0},
                             {static_cast<GateKind>(-1), -1, -1, 0.0}};
    for (const Gate &gate : accepted) {
        EXPECT_NO_THROW(checkGateQubits(gate, 2));
    }
}

TEST(StateVector, UnknownGateKindDoesNothing)
{
    StateVector state = superposition(2);
    const StateVector before = state;
    state.applyGate(Gate{static_cast<GateKind>(5), 0, 1, 1.0});
    state.applyGate(Gate{static_cast<GateKind>(-1), 9, 9, kNaN});
    EXPECT_TRUE(identical(state, before));
}

TEST(StateVector, ExactDoublesOfTheReferenceCases)
{
    StateVector hh = createState(1);
    hh.applyH(0);
    EXPECT_EQ(hh.amplitude(0).re, 0.7071067811865475);
    hh.applyH(0);
    EXPECT_EQ(hh.amplitude(0).re, 0.9999999999999998);
    EXPECT_EQ(hh.amplitude(1).re, 0.0);

    StateVector hp = createState(1);
    hp.applyH(0);
    hp.applyPhase(0, std::acos(-1.0));
    EXPECT_NEAR(hp.probability(0), 0.5, kTolerance);
    EXPECT_NEAR(hp.probability(1), 0.5, kTolerance);
    EXPECT_EQ(hp.amplitude(1).re, -0.7071067811865475);
    EXPECT_NEAR(hp.amplitude(1).re, -std::sqrt(0.5), kTolerance);

    StateVector bell = createState(2);
    bell.applyH(0);
    bell.applyCnot(0, 1);
    EXPECT_NEAR(bell.probability(0), 0.5, kTolerance);
    EXPECT_NEAR(bell.probability(3), 0.5, kTolerance);
    EXPECT_EQ(bell.probability(1), 0.0);
    EXPECT_EQ(bell.probability(2), 0.0);

    StateVector xz = createState(1);
    xz.applyX(0);
    EXPECT_EQ(xz.amplitude(1).re, 1.0);
    EXPECT_EQ(xz.amplitude(0).re, 0.0);
    xz.applyZ(0);
    EXPECT_EQ(xz.amplitude(1).re, -1.0);
    EXPECT_TRUE(std::signbit(xz.amplitude(1).im)) << "Z negates a zero imaginary part to -0.0";
    EXPECT_FALSE(std::signbit(xz.amplitude(0).re)) << "Z leaves amplitudes with the bit clear alone";
}

TEST(StateVector, PositivePhaseTurnsCounterClockwise)
{
    StateVector state = createState(1);
    state.applyX(0);
    state.applyPhase(0, std::acos(-1.0) / 2);
    EXPECT_NEAR(state.amplitude(1).re, 0.0, kTolerance);
    EXPECT_NEAR(state.amplitude(1).im, 1.0, kTolerance);
    EXPECT_EQ(state.amplitude(0).re, 0.0);
}

// An independent reference: every gate as a dense 2x2 matrix applied by gathering into a new vector, and
// CNOT as a permutation of the basis. It shares no loop structure with the engine's kernels.
class DenseReference
{
public:
    explicit DenseReference(std::uint32_t qubits) : m_re(std::size_t{1} << qubits, 0.0), m_im(m_re.size(), 0.0)
    {
        m_re[0] = 1.0;
    }

    void apply(const Gate &gate)
    {
        const double s = 1.0 / std::sqrt(2.0);
        switch (gate.kind) {
        case GateKind::H:
            single(gate.target, {s, 0, s, 0, s, 0, -s, 0});
            break;
        case GateKind::X:
            single(gate.target, {0, 0, 1, 0, 1, 0, 0, 0});
            break;
        case GateKind::Z:
            single(gate.target, {1, 0, 0, 0, 0, 0, -1, 0});
            break;
        case GateKind::P:
            single(gate.target, {1, 0, 0, 0, 0, 0, std::cos(gate.angle), std::sin(gate.angle)});
            break;
        case GateKind::Cnot:
            cnot(gate.control, gate.target);
            break;
        }
    }

    double re(std::size_t i) const { return m_re[i]; }
    double im(std::size_t i) const { return m_im[i]; }

private:
    // m = {u00re, u00im, u01re, u01im, u10re, u10im, u11re, u11im}: new(b) = Σ_c u(b, c) · old(c).
    void single(int qubit, const std::array<double, 8> &m)
    {
        const std::size_t bit = std::size_t{1} << qubit;
        std::vector<double> re(m_re.size()), im(m_im.size());
        for (std::size_t i = 0; i < m_re.size(); ++i) {
            const std::size_t b = (i & bit) ? 1 : 0;
            const std::size_t i0 = i & ~bit;
            const std::size_t i1 = i | bit;
            const double ar = m[b * 4 + 0], ai = m[b * 4 + 1], br = m[b * 4 + 2], bi = m[b * 4 + 3];
            re[i] = ar * m_re[i0] - ai * m_im[i0] + br * m_re[i1] - bi * m_im[i1];
            im[i] = ar * m_im[i0] + ai * m_re[i0] + br * m_im[i1] + bi * m_re[i1];
        }
        m_re.swap(re);
        m_im.swap(im);
    }

    void cnot(int control, int target)
    {
        std::vector<double> re(m_re.size()), im(m_im.size());
        for (std::size_t i = 0; i < m_re.size(); ++i) {
            const std::size_t source = ((i >> control) & 1U) ? i ^ (std::size_t{1} << target) : i;
            re[i] = m_re[source];
            im[i] = m_im[source];
        }
        m_re.swap(re);
        m_im.swap(im);
    }

    std::vector<double> m_re, m_im;
};

class AgainstDenseReference : public ::testing::TestWithParam<std::uint32_t>
{};

TEST_P(AgainstDenseReference, SeededRandomCircuits)
{
    const std::uint32_t n = GetParam();
    std::mt19937_64 random(1000 + n);
    for (int circuitIndex = 0; circuitIndex < 4; ++circuitIndex) {
        StateVector state = createState(n);
        DenseReference reference(n);
        for (int g = 0; g < 60; ++g) {
            Gate gate;
            gate.kind = static_cast<GateKind>(random() % (n > 1 ? 5 : 4));
            gate.target = static_cast<std::int32_t>(random() % n);
            if (gate.kind == GateKind::Cnot) {
                gate.control = static_cast<std::int32_t>((gate.target + 1 + random() % (n - 1)) % n);
            }
            if (gate.kind == GateKind::P) {
                gate.angle = std::uniform_real_distribution<double>(-7.0, 7.0)(random);
            }
            state.applyGate(gate);
            reference.apply(gate);
        }
        for (std::uint64_t i = 0; i < state.dimension(); ++i) {
            ASSERT_NEAR(state.amplitude(i).re, reference.re(i), kTolerance) << "n=" << n << " i=" << i;
            ASSERT_NEAR(state.amplitude(i).im, reference.im(i), kTolerance) << "n=" << n << " i=" << i;
        }
        EXPECT_NEAR(state.totalProbability(), 1.0, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryRegisterSize, AgainstDenseReference, ::testing::Range(1U, 13U));

TEST(StateVector, CnotTouchesOnlyControlSetTargetClearPairs)
{
    // Amplitudes tagged with their own index reveal exactly which ones moved.
    for (std::uint32_t control = 0; control < 4; ++control) {
        for (std::uint32_t target = 0; target < 4; ++target) {
            if (control == target) {
                continue;
            }
            StateVector state = createState(4);
            for (std::uint32_t q = 0; q < 4; ++q) {
                state.applyH(q);
            }
            for (std::uint32_t q = 0; q < 4; ++q) {
                state.applyPhase(q, 0.1 * (q + 1) * (q + 2));
            }
            const StateVector before = state;
            state.applyCnot(control, target);
            for (std::uint64_t i = 0; i < 16; ++i) {
                const std::uint64_t source = ((i >> control) & 1U) ? i ^ (1U << target) : i;
                EXPECT_EQ(state.amplitude(i).re, before.amplitude(source).re);
                EXPECT_EQ(state.amplitude(i).im, before.amplitude(source).im);
            }
        }
    }
}
