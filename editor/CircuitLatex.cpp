#include "editor/CircuitLatex.h"

#include "core/GateText.h"
#include "editor/CircuitEditor.h"

#include <vector>

namespace Fasoria {

namespace {

/// Row of qubit `qubit` from the top of the figure.
int rowOf(std::int32_t qubit, std::int32_t qubits)
{
    return qubits - 1 - qubit;
}

std::string gateCell(const Gate &gate)
{
    switch (gate.kind) {
    case GateKind::H:
        return "\\gate{H}";
    case GateKind::X:
        return "\\gate{X}";
    case GateKind::Z:
        return "\\gate{Z}";
    case GateKind::P:
        return "\\gate{P(" + degreesText(gate.angle) + "^{\\circ})}";
    default:
        return "\\qw";
    }
}

} // namespace

std::string circuitLatex(const Circuit &circuit)
{
    const CircuitEditor workingCopy(circuit);
    const std::int32_t qubits = circuit.qubitCount;
    std::vector<std::string> rows(static_cast<std::size_t>(qubits));
    for (std::int32_t qubit = 0; qubit < qubits; ++qubit) {
        rows[static_cast<std::size_t>(rowOf(qubit, qubits))] =
            "\\lstick{$q_{" + std::to_string(qubit) + "}\\ \\ket{0}$}";
    }
    for (const LessonStep &step : circuit.steps) {
        const Gate &gate = step.gate;
        for (std::int32_t qubit = 0; qubit < qubits; ++qubit) {
            std::string cell = "\\qw";
            if (gate.kind == GateKind::Cnot && qubit == gate.control) {
                cell = "\\ctrl{" + std::to_string(rowOf(gate.target, qubits) - rowOf(gate.control, qubits)) + "}";
            } else if (gate.kind == GateKind::Cnot && qubit == gate.target) {
                cell = "\\targ{}";
            } else if (gate.kind != GateKind::Cnot && qubit == gate.target) {
                cell = gateCell(gate);
            }
            rows[static_cast<std::size_t>(rowOf(qubit, qubits))] += " & " + cell;
        }
    }
    std::string text = "% Fasoria circuit: pdflatex compiles this file on its own (quantikz, from CTAN).\n"
                       "\\documentclass[border=6pt]{standalone}\n"
                       "\\usepackage{tikz}\n"
                       "\\usetikzlibrary{quantikz}\n"
                       "\\begin{document}\n"
                       "\\begin{quantikz}\n";
    for (std::size_t row = 0; row < rows.size(); ++row) {
        text += rows[row] + " & \\qw" + (row + 1 < rows.size() ? " \\\\\n" : "\n");
    }
    text += "\\end{quantikz}\n"
            "\\end{document}\n";
    return text;
}

} // namespace Fasoria
