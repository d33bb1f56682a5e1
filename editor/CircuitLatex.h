#pragma once

#include "core/Circuit.h"

#include <string>

namespace Fasoria {

/// The circuit as a standalone LaTeX document holding one quantikz figure: one wire per qubit, q(n−1) on top
/// and q0 at the bottom as the drawing shows them, one column per step (H, X, Z, P with its angle in degrees
/// to one decimal as the interface writes it, CNOT as a control dot joined to a target), the wires labelled
/// |0⟩ at the left. Throws the editor's errors for a circuit it would not accept as a working copy.
std::string circuitLatex(const Circuit &circuit);

} // namespace Fasoria
