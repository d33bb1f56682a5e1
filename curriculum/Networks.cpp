#include "curriculum/Networks.h"

#include <stdexcept>

namespace Fasoria {
namespace Networks {

namespace {

// π/4 as the double 0.7853981633974483.
constexpr double kQuarterPi = 0.78539816339744830962;

void appendOnAll(std::vector<LessonStep> &steps, GateKind kind, std::uint32_t qubits, StepText text)
{
    for (std::uint32_t k = 0; k < qubits; ++k) {
        appendGate(steps, kind, static_cast<std::int32_t>(k), text);
    }
}

void appendXOnZeroBits(std::vector<LessonStep> &steps, std::uint32_t qubits, std::uint64_t marked, StepText text)
{
    for (std::uint32_t k = 0; k < qubits; ++k) {
        if (((marked >> k) & 1U) == 0) {
            appendGate(steps, GateKind::X, static_cast<std::int32_t>(k), text);
        }
    }
}

} // namespace

void appendGate(std::vector<LessonStep> &steps, GateKind kind, std::int32_t target, StepText text)
{
    steps.emplace_back(Gate{kind, target, 0, 0.0}, text.it, text.en);
}

void appendPhase(std::vector<LessonStep> &steps, std::int32_t target, double angle, StepText text)
{
    steps.emplace_back(Gate{GateKind::P, target, 0, angle}, text.it, text.en);
}

void appendCnot(std::vector<LessonStep> &steps, std::int32_t control, std::int32_t target, StepText text)
{
    steps.emplace_back(Gate{GateKind::Cnot, target, control, 0.0}, text.it, text.en);
}

void appendCz(std::vector<LessonStep> &steps, StepText text)
{
    appendGate(steps, GateKind::H, 0, text);
    appendCnot(steps, 1, 0, text);
    appendGate(steps, GateKind::H, 0, text);
}

void appendCcz(std::vector<LessonStep> &steps, StepText text)
{
    appendPhase(steps, 0, kQuarterPi, text);
    appendPhase(steps, 1, kQuarterPi, text);
    appendPhase(steps, 2, kQuarterPi, text);
    appendCnot(steps, 0, 1, text);
    appendPhase(steps, 1, -kQuarterPi, text);
    appendCnot(steps, 0, 1, text);
    appendCnot(steps, 0, 2, text);
    appendPhase(steps, 2, -kQuarterPi, text);
    appendCnot(steps, 0, 2, text);
    appendCnot(steps, 1, 2, text);
    appendPhase(steps, 2, -kQuarterPi, text);
    appendCnot(steps, 1, 2, text);
    appendCnot(steps, 0, 2, text);
    appendCnot(steps, 1, 2, text);
    appendPhase(steps, 2, kQuarterPi, text);
    appendCnot(steps, 1, 2, text);
    appendCnot(steps, 0, 2, text);
}

void appendControlledZ(std::vector<LessonStep> &steps, std::uint32_t qubits, StepText text)
{
    if (qubits == 2) {
        appendCz(steps, text);
    } else if (qubits == 3) {
        appendCcz(steps, text);
    } else {
        throw std::invalid_argument("Controlled Z needs 2 or 3 qubits");
    }
}

void appendPhaseOracle(std::vector<LessonStep> &steps, std::uint32_t qubits, std::uint64_t marked, StepText text)
{
    if (qubits != 2 && qubits != 3) {
        throw std::invalid_argument("Controlled Z needs 2 or 3 qubits");
    }
    appendXOnZeroBits(steps, qubits, marked, text);
    appendControlledZ(steps, qubits, text);
    appendXOnZeroBits(steps, qubits, marked, text);
}

void appendDiffusion(std::vector<LessonStep> &steps, std::uint32_t qubits, StepText text)
{
    if (qubits != 2 && qubits != 3) {
        throw std::invalid_argument("Controlled Z needs 2 or 3 qubits");
    }
    appendOnAll(steps, GateKind::H, qubits, text);
    appendOnAll(steps, GateKind::X, qubits, text);
    appendControlledZ(steps, qubits, text);
    appendOnAll(steps, GateKind::X, qubits, text);
    appendOnAll(steps, GateKind::H, qubits, text);
}

} // namespace Networks
} // namespace Fasoria
