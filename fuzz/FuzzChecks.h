// The contract checks both reader fuzz targets share: a sentinel destination no input can give, and the
// comparisons that tell whether a reader left it alone or read back the circuit it was given.
#pragma once

#include "core/Circuit.h"
#include "editor/CircuitEditor.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace Fasoria::Fuzz {

/// Reports a broken contract of the reader named `contract` and stops, so libFuzzer keeps the input.
[[noreturn]] inline void violation(const char *contract, const char *what)
{
    std::fprintf(stderr, "%s contract violated: %s\n", contract, what);
    std::abort();
}

/// A destination with texts no input can give, 5 qubits and an angle that is no short decimal, so any
/// change a refused read makes shows up in its fields.
inline Circuit makeSentinel()
{
    static const char *const kText = "sentinel";
    Circuit circuit;
    circuit.titleIt = circuit.titleEn = kText;
    circuit.questionIt = circuit.questionEn = kText;
    circuit.explanationIt = circuit.explanationEn = kText;
    circuit.qubitCount = 5;
    circuit.steps.emplace_back(GateKind::P, 4, 0, std::nextafter(1.0, 2.0));
    circuit.steps.emplace_back(GateKind::Cnot, 0, 3, 0.0);
    return circuit;
}

inline bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

/// Same register and the same gates, angles compared bit for bit.
inline bool sameSteps(const Circuit &a, const Circuit &b)
{
    if (a.qubitCount != b.qubitCount || a.steps.size() != b.steps.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.steps.size(); ++i) {
        const Gate &x = a.steps[i].gate;
        const Gate &y = b.steps[i].gate;
        if (x.kind != y.kind || x.target != y.target || x.control != y.control || !sameBits(x.angle, y.angle)) {
            return false;
        }
    }
    return true;
}

inline bool sameTexts(const Circuit &a, const Circuit &b)
{
    return a.titleIt == b.titleIt && a.titleEn == b.titleEn && a.questionIt == b.questionIt &&
           a.questionEn == b.questionEn && a.explanationIt == b.explanationIt && a.explanationEn == b.explanationEn;
}

/// What every accepted circuit must be: a custom circuit with its fixed texts and a valid working copy.
inline void checkCustomWorkingCopy(const char *contract, const Circuit &circuit)
{
    if (circuit.titleEn != kCustomTitleEn || circuit.questionEn != kCustomQuestionEn) {
        violation(contract, "accepted circuit lacks the custom-circuit texts");
    }
    try {
        const CircuitEditor workingCopy(circuit);
    } catch (const std::exception &) {
        violation(contract, "accepted circuit is not a valid working copy");
    }
}

} // namespace Fasoria::Fuzz
