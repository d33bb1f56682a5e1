#include "validation/suite/DenseReference.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace Fasoria {

namespace {

using Amplitude = std::complex<double>;

// A single-qubit gate matrix, entry[row][column] with row the output bit and column the input bit.
struct Matrix2
{
    Amplitude entry[2][2];
};

void checkQubitCount(std::uint32_t qubitCount)
{
    if (qubitCount < 1 || qubitCount > StateVector::kMaxQubits) {
        throw std::invalid_argument("Reference qubit count out of range");
    }
}

void checkQubit(std::int32_t qubit, std::uint32_t qubitCount)
{
    if (static_cast<std::uint32_t>(qubit) >= qubitCount) {
        throw std::out_of_range("Reference qubit out of range");
    }
}

// The matrix of H, X, Z or P(angle).
Matrix2 singleQubitMatrix(const Gate &gate)
{
    const double a = 1.0 / std::sqrt(2.0);
    switch (gate.kind) {
    case GateKind::H:
        return Matrix2{{{Amplitude(a), Amplitude(a)}, {Amplitude(a), Amplitude(-a)}}};
    case GateKind::X:
        return Matrix2{{{Amplitude(0.0), Amplitude(1.0)}, {Amplitude(1.0), Amplitude(0.0)}}};
    case GateKind::Z:
        return Matrix2{{{Amplitude(1.0), Amplitude(0.0)}, {Amplitude(0.0), Amplitude(-1.0)}}};
    case GateKind::P:
        return Matrix2{{{Amplitude(1.0), Amplitude(0.0)},
                        {Amplitude(0.0), Amplitude(std::cos(gate.angle), std::sin(gate.angle))}}};
    case GateKind::Cnot:
        break;
    }
    throw std::invalid_argument("Reference gate kind unknown");
}

} // namespace

DenseReference::DenseReference(std::uint32_t qubitCount) : m_qubitCount(qubitCount)
{
    checkQubitCount(qubitCount);
    m_amplitudes.assign(std::size_t{1} << qubitCount, Amplitude(0.0, 0.0));
    m_amplitudes[0] = 1.0;
}

void DenseReference::apply(const Gate &gate)
{
    checkQubit(gate.target, m_qubitCount);
    const std::size_t targetBit = std::size_t{1} << gate.target;
    Amplitudes output(m_amplitudes.size());
    if (gate.kind == GateKind::Cnot) {
        checkQubit(gate.control, m_qubitCount);
        if (gate.control == gate.target) {
            throw std::invalid_argument("Reference CNOT needs distinct qubits");
        }
        // A permutation: output j takes the input with the target flipped exactly when j's control is set.
        const std::size_t controlBit = std::size_t{1} << gate.control;
        for (std::size_t j = 0; j < output.size(); ++j) {
            output[j] = m_amplitudes[(j & controlBit) != 0 ? j ^ targetBit : j];
        }
    } else {
        if (gate.kind == GateKind::P && !std::isfinite(gate.angle)) {
            throw std::invalid_argument("Reference angle not finite");
        }
        const Matrix2 m = singleQubitMatrix(gate);
        // Output j with target bit b gathers row b of the matrix against the two inputs differing in that bit.
        for (std::size_t j = 0; j < output.size(); ++j) {
            const std::size_t row = (j & targetBit) != 0 ? 1 : 0;
            output[j] = m.entry[row][0] * m_amplitudes[j & ~targetBit] + m.entry[row][1] * m_amplitudes[j | targetBit];
        }
    }
    m_amplitudes = std::move(output);
}

std::optional<std::uint64_t> firstDeviation(const std::vector<Complex> &engine,
                                            const DenseReference::Amplitudes &reference, double tolerance)
{
    const std::size_t common = std::min(engine.size(), reference.size());
    for (std::size_t j = 0; j < common; ++j) {
        const double distance = std::hypot(engine[j].re - reference[j].real(), engine[j].im - reference[j].imag());
        // Written so that a NaN distance counts as a deviation.
        if (!(distance <= tolerance)) {
            return j;
        }
    }
    if (engine.size() != reference.size()) {
        return common;
    }
    return std::nullopt;
}

Gate drawRandomGate(std::mt19937_64 &random, std::uint32_t qubitCount)
{
    checkQubitCount(qubitCount);
    const double pi = std::acos(-1.0);
    Gate gate;
    gate.kind = static_cast<GateKind>(random() % (qubitCount == 1 ? 4 : 5));
    gate.target = static_cast<std::int32_t>(random() % qubitCount);
    gate.control = static_cast<std::int32_t>(random() % qubitCount);
    if (gate.kind == GateKind::Cnot && gate.control == gate.target) {
        gate.control = static_cast<std::int32_t>((static_cast<std::uint32_t>(gate.target) + 1) % qubitCount);
    }
    const double u = static_cast<double>(random()) * 0x1p-64;
    gate.angle = pi * (2.0 * u - 1.0);
    return gate;
}

} // namespace Fasoria
