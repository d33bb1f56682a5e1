#include "core/StateVector.h"

#include <cmath>
#include <stdexcept>

namespace Fasoria {

namespace {

const char *const kQubitRangeMessage = "Qubits must be in the range 1..12";
const char *const kQubitIndexMessage = "Qubit index out of range";
const char *const kBasisIndexMessage = "Basis state index out of range";

} // namespace

StateVector::StateVector(std::uint32_t qubitCount)
    : m_qubitCount(static_cast<std::int32_t>(qubitCount)), m_amplitudes(std::size_t{1} << qubitCount)
{
    m_amplitudes[0] = Complex{1.0, 0.0};
}

StateVector createState(std::uint32_t qubitCount)
{
    checkQubitCount(qubitCount);
    return StateVector(qubitCount);
}

void checkQubitCount(std::int64_t qubitCount)
{
    if (qubitCount < 1 || qubitCount > StateVector::kMaxQubits) {
        throw std::invalid_argument(kQubitRangeMessage);
    }
}

void checkGateQubits(const Gate &gate, std::int32_t qubitCount)
{
    const auto outside = [qubitCount](std::int32_t qubit) { return qubit < 0 || qubit >= qubitCount; };
    switch (gate.kind) {
    case GateKind::H:
    case GateKind::X:
    case GateKind::Z:
    case GateKind::P:
        if (outside(gate.target)) {
            throw std::out_of_range(kQubitIndexMessage);
        }
        break;
    case GateKind::Cnot:
        if (outside(gate.target) || outside(gate.control)) {
            throw std::out_of_range(kQubitIndexMessage);
        }
        break;
    }
}

void StateVector::checkQubit(std::uint32_t qubit) const
{
    if (qubit >= static_cast<std::uint32_t>(m_qubitCount)) {
        throw std::out_of_range(kQubitIndexMessage);
    }
}

const Complex &StateVector::amplitude(std::uint64_t i) const
{
    if (i >= dimension()) {
        throw std::out_of_range(kBasisIndexMessage);
    }
    return m_amplitudes[i];
}

// The kernels below walk the indices whose bit q is clear in blocks: `base` runs over multiples of 2m and
// `i` over base .. base + m − 1, which is exactly the increasing order of those indices; the partner of i is
// i + m (= i OR m). Indices with the bit set are i + m in the same order.

void StateVector::applyH(std::uint32_t qubit)
{
    checkQubit(qubit);
    // 1.0 / sqrt(2.0) is 0.7071067811865475; sqrt(0.5) would round to a different double.
    const double s = 1.0 / std::sqrt(2.0);
    const std::size_t m = std::size_t{1} << qubit;
    const std::size_t n = m_amplitudes.size();
    Complex *amplitudes = m_amplitudes.data();
    for (std::size_t base = 0; base < n; base += 2 * m) {
        for (std::size_t i = base; i < base + m; ++i) {
            const Complex a = amplitudes[i];
            const Complex b = amplitudes[i + m];
            amplitudes[i] = Complex{(a.re + b.re) * s, (a.im + b.im) * s};
            amplitudes[i + m] = Complex{(a.re - b.re) * s, (a.im - b.im) * s};
        }
    }
}

void StateVector::applyX(std::uint32_t qubit)
{
    checkQubit(qubit);
    const std::size_t m = std::size_t{1} << qubit;
    const std::size_t n = m_amplitudes.size();
    Complex *amplitudes = m_amplitudes.data();
    for (std::size_t base = 0; base < n; base += 2 * m) {
        for (std::size_t i = base; i < base + m; ++i) {
            const Complex a = amplitudes[i];
            amplitudes[i] = amplitudes[i + m];
            amplitudes[i + m] = a;
        }
    }
}

void StateVector::applyZ(std::uint32_t qubit)
{
    checkQubit(qubit);
    const std::size_t m = std::size_t{1} << qubit;
    const std::size_t n = m_amplitudes.size();
    Complex *amplitudes = m_amplitudes.data();
    for (std::size_t base = m; base < n; base += 2 * m) {
        for (std::size_t i = base; i < base + m; ++i) {
            // Negation, so a zero part becomes −0.0.
            amplitudes[i].re = -amplitudes[i].re;
            amplitudes[i].im = -amplitudes[i].im;
        }
    }
}

void StateVector::applyPhase(std::uint32_t qubit, double angle)
{
    checkQubit(qubit);
    if (!std::isfinite(angle)) {
        throw std::invalid_argument("Non-finite phase angle");
    }
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const std::size_t m = std::size_t{1} << qubit;
    const std::size_t n = m_amplitudes.size();
    Complex *amplitudes = m_amplitudes.data();
    for (std::size_t base = m; base < n; base += 2 * m) {
        for (std::size_t i = base; i < base + m; ++i) {
            const Complex a = amplitudes[i];
            amplitudes[i] = Complex{a.re * c - a.im * s, a.im * c + a.re * s};
        }
    }
}

void StateVector::applyCnot(std::uint32_t control, std::uint32_t target)
{
    checkQubit(control);
    checkQubit(target);
    if (control == target) {
        throw std::invalid_argument("Control and target must be distinct");
    }
    // Visit the indices with the control bit set and the target bit clear, in increasing order: the outer
    // loop steps over blocks of the higher of the two bits, the inner over blocks of the lower one.
    const std::size_t c = std::size_t{1} << control;
    const std::size_t t = std::size_t{1} << target;
    const std::size_t high = c > t ? c : t;
    const std::size_t low = c > t ? t : c;
    const bool controlIsHigh = c > t;
    const std::size_t n = m_amplitudes.size();
    Complex *amplitudes = m_amplitudes.data();
    for (std::size_t outer = controlIsHigh ? high : 0; outer < n; outer += 2 * high) {
        for (std::size_t inner = outer + (controlIsHigh ? 0 : low); inner < outer + high; inner += 2 * low) {
            for (std::size_t i = inner; i < inner + low; ++i) {
                const Complex a = amplitudes[i];
                amplitudes[i] = amplitudes[i + t];
                amplitudes[i + t] = a;
            }
        }
    }
}

void StateVector::applyGate(const Gate &gate)
{
    const auto target = static_cast<std::uint32_t>(gate.target);
    switch (gate.kind) {
    case GateKind::H:
        applyH(target);
        break;
    case GateKind::X:
        applyX(target);
        break;
    case GateKind::Z:
        applyZ(target);
        break;
    case GateKind::P:
        applyPhase(target, gate.angle);
        break;
    case GateKind::Cnot:
        applyCnot(static_cast<std::uint32_t>(gate.control), target);
        break;
    }
}

double StateVector::probability(std::uint64_t i) const
{
    const Complex &a = amplitude(i);
    return a.re * a.re + a.im * a.im;
}

double StateVector::totalProbability() const
{
    double sum = 0.0;
    for (const Complex &a : m_amplitudes) {
        sum += a.re * a.re + a.im * a.im;
    }
    return sum;
}

} // namespace Fasoria
