// Gates written out by hand and compared as lists, for the editor tests; a `QVector<Gate>` can be a
// test-data column.
#pragma once

#include "core/Circuit.h"

#include <QMetaType>
#include <QVector>

#include <cstdint>
#include <cstring>

Q_DECLARE_METATYPE(Fasoria::Gate)

namespace Fasoria {

inline Gate gate(GateKind kind, std::int32_t target, std::int32_t control = 0, double angle = 0.0)
{
    return Gate{kind, target, control, angle};
}

/// A circuit with default texts holding the gates in order.
inline Circuit circuitOf(std::int32_t qubits, const QVector<Gate> &gates)
{
    Circuit circuit;
    circuit.qubitCount = qubits;
    for (const Gate &g : gates) {
        circuit.steps.emplace_back(g.kind, g.target, g.control, g.angle);
    }
    return circuit;
}

inline QVector<Gate> gatesOf(const Circuit &circuit)
{
    QVector<Gate> gates;
    for (const LessonStep &step : circuit.steps) {
        gates << step.gate;
    }
    return gates;
}

/// Equality down to the bits of every angle (so 0.0 and −0.0 differ, and NaN equals itself).
inline bool sameBits(const QVector<Gate> &a, const QVector<Gate> &b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (int i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].target != b[i].target || a[i].control != b[i].control ||
            std::memcmp(&a[i].angle, &b[i].angle, sizeof(double)) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace Fasoria
