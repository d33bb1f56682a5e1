// Circuits the picture programs, the benchmarks and the tests share.
#pragma once

#include "core/Circuit.h"

#include <cstdint>

/// An empty working circuit of `qubits` qubits carrying the fixed custom-circuit texts.
inline Fasoria::Circuit customCircuit(std::int32_t qubits)
{
    Fasoria::Circuit circuit;
    Fasoria::setCustomTexts(circuit);
    circuit.qubitCount = qubits;
    return circuit;
}

/// Eight qubits, 256 gates: the largest circuit the editor accepts.
inline Fasoria::Circuit wideCircuit()
{
    Fasoria::Circuit circuit = customCircuit(8);
    for (int i = 0; i < 256; ++i) {
        const int qubit = i % 8;
        if (i % 3 == 2) {
            circuit.steps.emplace_back(Fasoria::GateKind::Cnot, (qubit + 1) % 8, qubit, 0.0);
        } else {
            circuit.steps.emplace_back(i % 3 == 0 ? Fasoria::GateKind::H : Fasoria::GateKind::P, qubit, 0, 0.25 * i);
        }
    }
    return circuit;
}
