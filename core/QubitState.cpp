#include "core/QubitState.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace Fasoria {

namespace {

// The number of the lowest set bit of a non-zero word (GCC and Clang, the project's compilers).
std::size_t lowestBit(std::size_t word)
{
    return static_cast<std::size_t>(__builtin_ctzll(word));
}

} // namespace

std::vector<QubitState> qubitStates(const StateVector &state)
{
    const auto qubits = static_cast<std::size_t>(state.qubitCount());
    const std::vector<Complex> &psi = state.amplitudes();

    // Sums on the stack, one slot per qubit, so the compiler can keep them apart from the amplitudes.
    std::array<double, StateVector::kMaxQubits> rho00{};
    std::array<double, StateVector::kMaxQubits> rho11{};
    std::array<Complex, StateVector::kMaxQubits> rho01{};

    // Each index adds its probability to ρ11 of the qubits whose bit it has set and to ρ00 of the others;
    // with bit k clear it also adds ψ_i ψ_j* to ρ01 of qubit k, j = i | 2^k being its partner with the bit
    // set. Walking the set and the clear bits directly avoids a branch per qubit that the processor would
    // mispredict on the low bits.
    const std::size_t all = psi.size() - 1;
    for (std::size_t i = 0; i < psi.size(); ++i) {
        const Complex a = psi[i];
        const double probability = a.re * a.re + a.im * a.im;
        for (std::size_t set = i; set != 0; set &= set - 1) {
            rho11[lowestBit(set)] += probability;
        }
        for (std::size_t clear = ~i & all; clear != 0; clear &= clear - 1) {
            const std::size_t k = lowestBit(clear);
            const Complex b = psi[i | (std::size_t{1} << k)];
            rho00[k] += probability;
            rho01[k].re += a.re * b.re + a.im * b.im;
            rho01[k].im += a.im * b.re - a.re * b.im;
        }
    }

    std::vector<QubitState> result(qubits);
    for (std::size_t k = 0; k < qubits; ++k) {
        QubitState &qubit = result[k];
        qubit.rho00 = Complex{rho00[k], 0.0};
        qubit.rho01 = rho01[k];
        qubit.rho10 = Complex{rho01[k].re, -rho01[k].im};
        qubit.rho11 = Complex{rho11[k], 0.0};
        qubit.x = 2.0 * qubit.rho01.re;
        qubit.y = 2.0 * qubit.rho10.im;
        qubit.z = rho00[k] - rho11[k];
        qubit.length = std::sqrt(qubit.x * qubit.x + qubit.y * qubit.y + qubit.z * qubit.z);
        qubit.probabilityOne = rho11[k];
    }
    return result;
}

} // namespace Fasoria
