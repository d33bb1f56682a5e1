#pragma once

#include "core/Gate.h"

#include <cstdint>
#include <vector>

namespace Fasoria {

/// One complex amplitude: the real part followed by the imaginary part, both IEEE-754 doubles.
struct Complex
{
    double re = 0.0;
    double im = 0.0;
};

class RandomGenerator;

/// The register of 1..12 qubits as 2^n amplitudes indexed by basis-state number. Qubit qk is bit k of the
/// index: q0 is the least-significant bit, written rightmost in every binary label ("10" is q1 = 1, q0 = 0).
///
/// Every gate is one in-place pass in increasing index order with the arithmetic written out part by part,
/// so results are reproducible bit for bit. Every operation checks all its arguments first: after a thrown
/// error the amplitudes are unchanged. Gates never renormalise.
class StateVector
{
public:
    static constexpr std::uint32_t kMaxQubits = 12;

    std::int32_t qubitCount() const { return m_qubitCount; }
    std::uint64_t dimension() const { return m_amplitudes.size(); }
    /// Throws out_of_range "Basis state index out of range" for i >= 2^n.
    const Complex &amplitude(std::uint64_t i) const;
    const std::vector<Complex> &amplitudes() const { return m_amplitudes; }

    void applyH(std::uint32_t qubit);
    void applyX(std::uint32_t qubit);
    void applyZ(std::uint32_t qubit);
    /// Multiplies the amplitudes with the qubit set by e^{i·angle}; angle in radians.
    void applyPhase(std::uint32_t qubit, double angle);
    void applyCnot(std::uint32_t control, std::uint32_t target);
    /// Dispatches by kind; a kind outside 0..4 does nothing.
    void applyGate(const Gate &gate);

    /// re² + im² of amplitude i.
    double probability(std::uint64_t i) const;
    /// Σ(re² + im²) in increasing index order.
    double totalProbability() const;

private:
    explicit StateVector(std::uint32_t qubitCount);
    void checkQubit(std::uint32_t qubit) const;

    std::int32_t m_qubitCount;
    std::vector<Complex> m_amplitudes;

    friend StateVector createState(std::uint32_t qubitCount);
    friend std::uint64_t measureAll(StateVector &state, RandomGenerator &generator);
    friend bool measureQubit(StateVector &state, std::uint32_t qubit, RandomGenerator &generator);
};

/// A new register in |0…0⟩. Throws invalid_argument "Qubits must be in the range 1..12".
StateVector createState(std::uint32_t qubitCount);

/// createState's check of a register size, for those that need it without a register: throws
/// invalid_argument "Qubits must be in the range 1..12". Signed, so a stored negative count is refused too.
void checkQubitCount(std::int64_t qubitCount);

/// Throws out_of_range "Qubit index out of range" unless the qubits `gate` acts on (its target, and a CNOT's
/// control) lie in a register of `qubitCount` qubits; a kind outside 0..4 acts on none. Only the range: the
/// distinct qubits of a CNOT and a finite angle are checked when the gate is applied.
void checkGateQubits(const Gate &gate, std::int32_t qubitCount);

} // namespace Fasoria
