#pragma once

#include "core/Gate.h"
#include "editor/DrawingEdit.h"

#include <QPointF>

#include <cstddef>
#include <cstdint>

namespace Fasoria {

/// What a drag on the circuit drawing carries: a new gate from the palette, a drawn gate held by its body, or a
/// CNOT held by its control dot.
struct DragSource
{
    enum class Kind
    {
        NewGate,
        Gate,
        Control,
    };

    Kind kind = Kind::NewGate;
    /// The new gate (only its kind counts), or the dragged gate as drawn.
    Gate gate;
    /// The dragged gate's step index.
    std::size_t position = 0;
};

/// The edit a drop at `scenePoint` makes on a drawing of `qubits` wires and `steps` gates, by the drawing's
/// geometry. A new gate is inserted in the nearest gap, on the nearest wire; a new CNOT takes that wire as its
/// target and the next wire on the side the pointer leans to as its control (the other side at the edge of
/// the register, none on a one-wire register, which the editor refuses). A gate held by its body lands in the
/// nearest gap on the nearest wire; a CNOT's control stays, unless its target lands on it, when the two trade
/// wires. A control dot stays in its column and takes the nearest wire, its own target's included, which the
/// editor refuses.
DrawingEdit dropAt(const DragSource &source, QPointF scenePoint, std::int32_t qubits, std::size_t steps);

/// The edit a gate dragged off the drawing makes: it is removed. Only a drawn gate can be; a palette drag off the
/// drawing is no edit.
DrawingEdit removalOf(const DragSource &source);

} // namespace Fasoria
