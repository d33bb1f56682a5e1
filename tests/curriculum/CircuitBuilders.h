// Short builders for the gates and circuits the challenge and diagnostics tests write out by hand.
#pragma once

#include "core/Circuit.h"
#include "curriculum/Challenge.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace Fasoria {

inline Gate h(std::int32_t target)
{
    return Gate{GateKind::H, target, 0, 0.0};
}

inline Gate x(std::int32_t target)
{
    return Gate{GateKind::X, target, 0, 0.0};
}

inline Gate z(std::int32_t target)
{
    return Gate{GateKind::Z, target, 0, 0.0};
}

inline Gate phase(std::int32_t target, double angle)
{
    return Gate{GateKind::P, target, 0, angle};
}

inline Gate cnot(std::int32_t control, std::int32_t target)
{
    return Gate{GateKind::Cnot, target, control, 0.0};
}

inline Circuit circuitOf(std::int32_t qubits, const std::vector<Gate> &gates)
{
    Circuit circuit;
    circuit.qubitCount = qubits;
    for (const Gate &gate : gates) {
        circuit.steps.emplace_back(gate.kind, gate.target, gate.control, gate.angle);
    }
    return circuit;
}

/// The built-in challenge of a lesson; a test asking for a lesson without one is itself wrong.
inline const Challenge &builtIn(std::uint64_t lessonIndex)
{
    const Challenge *challenge = findChallenge(lessonIndex);
    if (challenge == nullptr) {
        throw std::logic_error("no challenge for lesson " + std::to_string(lessonIndex));
    }
    return *challenge;
}

} // namespace Fasoria
