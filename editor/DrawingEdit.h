#pragma once

#include "core/Circuit.h"
#include "core/Gate.h"
#include "core/GateText.h"

#include <cstddef>
#include <cstdint>

namespace Fasoria {

class CircuitEditor;

/// One edit made on the circuit drawing rather than through the form: a gate dropped from the palette, a gate
/// or a CNOT's control dot dragged elsewhere, a gate dragged off the drawing, or a P gate's angle typed in.
/// Positions count steps from zero, as the editor's do; a gap is where a dropped gate lands, gap g lying
/// between stage g and stage g + 1 (gap 0 before the first gate, gap n after the last of n).
struct DrawingEdit
{
    enum class Kind : std::int32_t
    {
        /// `gate` takes step index `gap`.
        Insert,
        /// The step at `position` lands in `gap` as `gate` (its wires, perhaps new; its texts are kept).
        Move,
        /// The step at `position` is removed.
        Remove,
        /// The step at `position` takes `gate.angle`.
        ChangeAngle,
    };

    Kind kind = Kind::Insert;
    std::size_t position = 0;
    std::size_t gap = 0;
    Gate gate;
};

/// What the notebook calls the edit: a drag that moved a gate in time or across wires is "gate moved".
EditAction drawingEditAction(const DrawingEdit &edit);

/// True for a drag that would leave the circuit as it was: a gate dropped back into either gap beside it on
/// the wires it had, or an angle typed as it stood (bit for bit). Such a drag is no edit and no undo step.
/// False for anything out of range, which applyDrawingEdit refuses.
bool changesNothing(const Circuit &circuit, const DrawingEdit &edit);

/// Applies the edit through the editor's checked operations and returns the stage to show afterwards: the
/// inserted, moved or re-angled gate's own stage, or the stage before a removed one. A move is one erase and
/// one insert on the same editor, so the caller's copy makes it one edit. Throws the editor's errors (out of
/// range positions, a CNOT whose control is its target, the 257th gate) and leaves a refused edit to the copy.
std::uint64_t applyDrawingEdit(CircuitEditor &editor, const DrawingEdit &edit);

} // namespace Fasoria
