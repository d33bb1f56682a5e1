#pragma once

#include "core/Circuit.h"
#include "core/Language.h"

#include <cstdint>
#include <vector>

namespace Fasoria {

/// The (Italian, English) explanation every step of one phase carries.
using StepText = TextPair;

/// Gate networks shared by the algorithm lessons and the parametric generator. Each appends primitive
/// gates to `steps`, every one carrying `text`. Qubit arguments are plain numbers: callers pass only the
/// register sizes the networks are defined for (2 or 3 qubits).
namespace Networks {

/// CZ on q0, q1 (3 gates): H q0, CNOT(q1→q0), H q0.
void appendCz(std::vector<LessonStep> &steps, StepText text);
/// CCZ on q0, q1, q2 (17 gates): flips the sign of |111⟩ only, with P(±π/4) and CNOTs.
void appendCcz(std::vector<LessonStep> &steps, StepText text);
/// CZ for 2 qubits, CCZ for 3.
void appendControlledZ(std::vector<LessonStep> &steps, std::uint32_t qubits, StepText text);
/// Phase oracle marking `marked` on `qubits` (2 or 3): X on every qubit whose bit is 0 (ascending), the
/// controlled Z, then the same X gates again.
void appendPhaseOracle(std::vector<LessonStep> &steps, std::uint32_t qubits, std::uint64_t marked, StepText text);
/// Grover diffusion on `qubits` (2 or 3): H on all, X on all, controlled Z, X on all, H on all.
void appendDiffusion(std::vector<LessonStep> &steps, std::uint32_t qubits, StepText text);
/// One single-qubit gate of the given kind with zero control and angle.
void appendGate(std::vector<LessonStep> &steps, GateKind kind, std::int32_t target, StepText text);
/// P(angle) on the target.
void appendPhase(std::vector<LessonStep> &steps, std::int32_t target, double angle, StepText text);
/// CNOT(control → target).
void appendCnot(std::vector<LessonStep> &steps, std::int32_t control, std::int32_t target, StepText text);

} // namespace Networks
} // namespace Fasoria
