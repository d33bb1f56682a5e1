#pragma once

#include "core/Circuit.h"

#include <cstddef>
#include <string>
#include <vector>

namespace Fasoria {

/// OpenQASM 2.0 inputs are refused above this size, like every other document the program reads (1 MiB).
constexpr std::size_t kMaxQasmBytes = 1048576;

/// The circuit as OpenQASM 2.0: the header, the qelib1.inc include, one register q[n] and one statement per
/// step: h, x, z, u1(θ) for P and cx for CNOT (control first). q[k] is qubit qk, so the bit order is the
/// same. θ is written in the shortest form that reads back to the same double, as a QASM real. Throws the
/// editor's errors for a circuit it would not accept as a working copy, and invalid_argument "Gate kind has
/// no OpenQASM form" for a kind outside H, X, Z, P, CNOT.
std::string writeQasm(const Circuit &circuit);

/// Reads the OpenQASM 2.0 subset the program can represent: one quantum register of 1..8 qubits, at most
/// 256 resulting steps, the gates h, x, z, cx, u1(θ) and p(θ), s, sdg, t, tdg as P(±π/2) and P(±π/4), cz as
/// H–CX–H on its second qubit, and single-qubit gates on a whole register. Parameters are expressions of
/// numbers and pi with unary minus, + - * / and parentheses. Comments and barrier are skipped; creg and
/// measure are skipped with a warning each. A measure takes a qubit and a bit or two registers of the same
/// size, and a gate on a qubit after its measurement is refused, since the circuit keeps the state before
/// measurement and would silently compute something else. Names shown in messages are cut to 64 characters.
///
/// On success replaces circuit with the custom-circuit texts and free-lab steps, replaces *warnings (when
/// given) with "line N: …" texts, at most 20 of them followed by "... and N more warnings", and returns
/// true. On refusal returns false, sets *error (when given) to
/// "line N: …" and leaves circuit and warnings untouched. Never throws for bad input.
bool readQasm(const std::string &text, Circuit &circuit, std::vector<std::string> *warnings, std::string *error);

} // namespace Fasoria
