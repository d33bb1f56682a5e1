#include "core/Circuit.h"
#include "core/QubitState.h"
#include "core/StateVector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

using namespace Fasoria;

namespace {

constexpr double kTolerance = 1e-12;
const double kPi = std::acos(-1.0);
const double kHalfRoot = std::sqrt(0.5);

using Bloch = std::array<double, 3>;

Gate gate(GateKind kind, std::int32_t target, std::int32_t control = 0, double angle = 0.0)
{
    return Gate{kind, target, control, angle};
}

StateVector prepare(std::uint32_t qubits, const std::vector<Gate> &gates)
{
    StateVector state = createState(qubits);
    for (const Gate &g : gates) {
        state.applyGate(g);
    }
    return state;
}

struct BlochCase
{
    const char *name;
    std::uint32_t qubits;
    std::vector<Gate> gates;
    /// Per qubit, q0 first.
    std::vector<Bloch> vectors;
};

void PrintTo(const BlochCase &row, std::ostream *out)
{
    *out << row.name;
}

class HandComputed : public ::testing::TestWithParam<BlochCase>
{};

TEST_P(HandComputed, GivesTheBlochVectorOfEveryQubit)
{
    const BlochCase &row = GetParam();
    const std::vector<QubitState> states = qubitStates(prepare(row.qubits, row.gates));
    ASSERT_EQ(states.size(), row.vectors.size());
    for (std::size_t k = 0; k < states.size(); ++k) {
        const QubitState &q = states[k];
        const Bloch &expected = row.vectors[k];
        EXPECT_NEAR(q.x, expected[0], kTolerance) << "q" << k;
        EXPECT_NEAR(q.y, expected[1], kTolerance) << "q" << k;
        EXPECT_NEAR(q.z, expected[2], kTolerance) << "q" << k;
        const double length =
            std::sqrt(expected[0] * expected[0] + expected[1] * expected[1] + expected[2] * expected[2]);
        EXPECT_NEAR(q.length, length, kTolerance) << "q" << k;
        EXPECT_NEAR(q.probabilityOne, (1.0 - expected[2]) / 2.0, kTolerance) << "q" << k;
        // ρ = (I + xX + yY + zZ) / 2, element by element.
        EXPECT_NEAR(q.rho00.re, (1.0 + expected[2]) / 2.0, kTolerance) << "q" << k;
        EXPECT_NEAR(q.rho01.re, expected[0] / 2.0, kTolerance) << "q" << k;
        EXPECT_NEAR(q.rho01.im, -expected[1] / 2.0, kTolerance) << "q" << k;
        EXPECT_NEAR(q.rho10.im, expected[1] / 2.0, kTolerance) << "q" << k;
        EXPECT_EQ(q.rho00.im, 0.0) << "q" << k;
        EXPECT_EQ(q.rho11.im, 0.0) << "q" << k;
    }
}

// H·P(θ)·H|0⟩ = ((1 + e^{iθ}) / 2, (1 − e^{iθ}) / 2), whose vector is (0, −sin θ, cos θ).
INSTANTIATE_TEST_SUITE_P(
    States, HandComputed,
    ::testing::Values(
        BlochCase{"zero", 1, {}, {{0.0, 0.0, 1.0}}}, BlochCase{"one", 1, {gate(GateKind::X, 0)}, {{0.0, 0.0, -1.0}}},
        BlochCase{"plus", 1, {gate(GateKind::H, 0)}, {{1.0, 0.0, 0.0}}},
        BlochCase{"minus", 1, {gate(GateKind::H, 0), gate(GateKind::Z, 0)}, {{-1.0, 0.0, 0.0}}},
        BlochCase{"plusI", 1, {gate(GateKind::H, 0), gate(GateKind::P, 0, 0, kPi / 2.0)}, {{0.0, 1.0, 0.0}}},
        BlochCase{"minusI", 1, {gate(GateKind::H, 0), gate(GateKind::P, 0, 0, -kPi / 2.0)}, {{0.0, -1.0, 0.0}}},
        BlochCase{"bell", 2, {gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0)}, {{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}}},
        BlochCase{"ghz3",
                  3,
                  {gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0), gate(GateKind::Cnot, 2, 1)},
                  {{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}}},
        BlochCase{"product3",
                  3,
                  {gate(GateKind::H, 0), gate(GateKind::P, 0, 0, kPi / 4.0), gate(GateKind::X, 1), gate(GateKind::H, 2),
                   gate(GateKind::P, 2, 0, kPi / 3.0), gate(GateKind::H, 2)},
                  {{kHalfRoot, kHalfRoot, 0.0}, {0.0, 0.0, -1.0}, {0.0, -std::sqrt(3.0) / 2.0, 0.5}}},
        // Only the outermost bit and q0 are entangled; the qubits between stay in |0⟩.
        BlochCase{"twelveQubitEnds",
                  12,
                  {gate(GateKind::H, 11), gate(GateKind::Cnot, 0, 11)},
                  {{0.0, 0.0, 0.0},
                   {0.0, 0.0, 1.0},
                   {0.0, 0.0, 1.0},
                   {0.0, 0.0, 1.0},
                   {0.0, 0.0, 1.0},
                   {0.0, 0.0, 1.0},
                   {0.0, 0.0, 1.0},
                   {0.0, 0.0, 1.0},
                   {0.0, 0.0, 1.0},
                   {0.0, 0.0, 1.0},
                   {0.0, 0.0, 1.0},
                   {0.0, 0.0, 0.0}}}),
    [](const ::testing::TestParamInfo<BlochCase> &row) { return std::string(row.param.name); });

std::vector<Gate> randomGates(std::int32_t qubits, int count, std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    const auto n = static_cast<std::uint64_t>(qubits);
    std::vector<Gate> gates;
    for (int g = 0; g < count; ++g) {
        // A single qubit has no CNOT.
        const auto kind = static_cast<GateKind>(random() % (n > 1 ? 5 : 4));
        const auto target = static_cast<std::int32_t>(random() % n);
        std::int32_t control = 0;
        if (kind == GateKind::Cnot) {
            control = static_cast<std::int32_t>((static_cast<std::uint64_t>(target) + 1 + random() % (n - 1)) % n);
        }
        const double angle = static_cast<double>(random() % 1000) / 1000.0 * 2.0 * kPi;
        gates.push_back(gate(kind, target, control, angle));
    }
    return gates;
}

// The whole density matrix |ψ⟩⟨ψ|, then the sum over the other qubits of its entries whose indices agree
// outside qubit k: the partial trace as written in a textbook.
std::array<std::complex<double>, 4> partialTrace(const StateVector &state, std::uint32_t k)
{
    const std::size_t dimension = state.dimension();
    std::vector<std::complex<double>> density(dimension * dimension);
    for (std::size_t i = 0; i < dimension; ++i) {
        for (std::size_t j = 0; j < dimension; ++j) {
            const std::complex<double> a(state.amplitude(i).re, state.amplitude(i).im);
            const std::complex<double> b(state.amplitude(j).re, state.amplitude(j).im);
            density[i * dimension + j] = a * std::conj(b);
        }
    }
    std::array<std::complex<double>, 4> reduced{};
    for (std::size_t i = 0; i < dimension; ++i) {
        for (std::size_t j = 0; j < dimension; ++j) {
            const std::size_t others = ~(std::size_t{1} << k);
            if ((i & others) == (j & others)) {
                reduced[((i >> k) & 1U) * 2 + ((j >> k) & 1U)] += density[i * dimension + j];
            }
        }
    }
    return reduced;
}

TEST(QubitStates, MatchAPartialTraceOfTheWholeDensityMatrix)
{
    for (const std::uint32_t qubits : {1U, 3U, 8U}) {
        const StateVector state = prepare(qubits, randomGates(static_cast<std::int32_t>(qubits), 120, 2026));
        const std::vector<QubitState> states = qubitStates(state);
        ASSERT_EQ(states.size(), qubits);
        double smallest = 1.0;
        for (std::uint32_t k = 0; k < qubits; ++k) {
            const std::array<std::complex<double>, 4> rho = partialTrace(state, k);
            const QubitState &q = states[k];
            const std::string where = std::to_string(qubits) + " qubits, q" + std::to_string(k);
            EXPECT_NEAR(q.rho00.re, rho[0].real(), kTolerance) << where;
            EXPECT_NEAR(q.rho01.re, rho[1].real(), kTolerance) << where;
            EXPECT_NEAR(q.rho01.im, rho[1].imag(), kTolerance) << where;
            EXPECT_NEAR(q.rho10.re, rho[2].real(), kTolerance) << where;
            EXPECT_NEAR(q.rho10.im, rho[2].imag(), kTolerance) << where;
            EXPECT_NEAR(q.rho11.re, rho[3].real(), kTolerance) << where;
            EXPECT_NEAR(q.x, 2.0 * rho[1].real(), kTolerance) << where;
            EXPECT_NEAR(q.y, 2.0 * rho[2].imag(), kTolerance) << where;
            EXPECT_NEAR(q.z, (rho[0] - rho[3]).real(), kTolerance) << where;
            EXPECT_NEAR(q.probabilityOne, rho[3].real(), kTolerance) << where;
            EXPECT_LE(q.length, 1.0 + kTolerance) << where;
            smallest = std::min(smallest, q.length);
        }
        // A random circuit of this length entangles its qubits: the test would prove little on a product state.
        if (qubits > 1) {
            EXPECT_LT(smallest, 0.99) << qubits;
        }
    }
}

} // namespace
