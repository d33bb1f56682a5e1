#pragma once

#include "core/StateVector.h"

#include <vector>

namespace Fasoria {

/// One qubit seen on its own: the reduced density matrix ρ = Tr_others |ψ⟩⟨ψ| and its Bloch vector.
///
/// Convention: ρ_ab = Σ ψ_i ψ_j* over the index pairs (i, j) with bit k of i equal to a, bit k of j equal
/// to b and every other bit equal, so ρ = (I + x·X + y·Y + z·Z) / 2 with
///     x = 2 Re ρ01,   y = 2 Im ρ10,   z = ρ00 − ρ11.
/// Hence H|0⟩ = |+⟩ is (1, 0, 0), P(90°)·H|0⟩ = |+i⟩ is (0, 1, 0), |0⟩ is (0, 0, 1) and |1⟩ is (0, 0, −1).
struct QubitState
{
    /// The matrix row by row; ρ00 and ρ11 are real and ρ10 is the conjugate of ρ01.
    Complex rho00;
    Complex rho01;
    Complex rho10;
    Complex rho11;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    /// |(x, y, z)|: 1 for a qubit in a pure state of its own (up to rounding), below 1 when it is entangled.
    double length = 0.0;
    /// ρ11, the probability of reading 1 on this qubit.
    double probabilityOne = 0.0;
};

/// The reduced state of every qubit, q0 first, in one pass over the amplitudes. The state is taken as it
/// is: its trace is the total probability, not renormalised.
std::vector<QubitState> qubitStates(const StateVector &state);

} // namespace Fasoria
