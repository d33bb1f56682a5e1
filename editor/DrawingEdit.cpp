#include "editor/DrawingEdit.h"

#include "editor/CircuitEditor.h"

#include <cstring>
#include <stdexcept>

namespace Fasoria {

EditAction drawingEditAction(const DrawingEdit &edit)
{
    switch (edit.kind) {
    case DrawingEdit::Kind::Insert:
        return EditAction::GateInserted;
    case DrawingEdit::Kind::Move:
        return EditAction::GateMoved;
    case DrawingEdit::Kind::Remove:
        return EditAction::GateDeleted;
    case DrawingEdit::Kind::ChangeAngle:
        break;
    }
    return EditAction::GateReplaced;
}

bool changesNothing(const Circuit &circuit, const DrawingEdit &edit)
{
    if (edit.kind == DrawingEdit::Kind::Insert || edit.kind == DrawingEdit::Kind::Remove ||
        edit.position >= circuit.steps.size()) {
        return false;
    }
    const Gate &gate = circuit.steps[edit.position].gate;
    if (edit.kind == DrawingEdit::Kind::ChangeAngle) {
        return gate.kind == GateKind::P && std::memcmp(&gate.angle, &edit.gate.angle, sizeof gate.angle) == 0;
    }
    const bool sameWires =
        edit.gate.target == gate.target && (gate.kind != GateKind::Cnot || edit.gate.control == gate.control);
    return sameWires && (edit.gap == edit.position || edit.gap == edit.position + 1);
}

std::uint64_t applyDrawingEdit(CircuitEditor &editor, const DrawingEdit &edit)
{
    const std::vector<LessonStep> &steps = editor.circuit().steps;
    switch (edit.kind) {
    case DrawingEdit::Kind::Insert:
        editor.insertGate(edit.gap, LessonStep(edit.gate.kind, edit.gate.target, edit.gate.control, edit.gate.angle));
        return edit.gap + 1;
    case DrawingEdit::Kind::Remove:
        editor.eraseGate(edit.position);
        return edit.position;
    case DrawingEdit::Kind::ChangeAngle: {
        if (edit.position >= steps.size()) {
            throw std::out_of_range("Replacement position");
        }
        LessonStep step = steps[edit.position];
        // Only a phase gate has an angle; any other kind would keep its own and silently ignore the one typed.
        if (step.gate.kind != GateKind::P) {
            throw std::invalid_argument("Invalid phase angle");
        }
        step.gate.angle = edit.gate.angle;
        editor.replaceGate(edit.position, step);
        return edit.position + 1;
    }
    case DrawingEdit::Kind::Move:
        break;
    }
    if (edit.position >= steps.size()) {
        throw std::out_of_range("Move position");
    }
    if (edit.gap > steps.size()) {
        throw std::out_of_range("Move destination");
    }
    // The step keeps its kind, angle and texts; only its place and its wires follow the drag.
    LessonStep step = steps[edit.position];
    step.gate.target = edit.gate.target;
    step.gate.control = edit.gate.control;
    const std::size_t landing = edit.gap > edit.position ? edit.gap - 1 : edit.gap;
    editor.validateGate(step.gate);
    editor.eraseGate(edit.position);
    editor.insertGate(landing, step);
    return landing + 1;
}

} // namespace Fasoria
