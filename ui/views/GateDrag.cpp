#include "ui/views/GateDrag.h"

#include "ui/views/GateGlyphs.h"

namespace Fasoria {

DrawingEdit dropAt(const DragSource &source, QPointF scenePoint, std::int32_t qubits, std::size_t steps)
{
    using namespace DrawingGeometry;
    const std::int32_t wire = wireAt(scenePoint.y(), qubits);
    DrawingEdit edit;
    edit.position = source.position;
    edit.gap = gapAt(scenePoint.x(), steps);
    edit.gate = source.gate;
    switch (source.kind) {
    case DragSource::Kind::NewGate: {
        edit.kind = DrawingEdit::Kind::Insert;
        edit.gate.target = wire;
        edit.gate.control = 0;
        if (source.gate.kind == GateKind::Cnot) {
            // Above the wire's line means the wire drawn above, which carries the next higher qubit.
            const bool leansUp = scenePoint.y() < qubitY(wire, qubits);
            const std::int32_t up = wire + 1 < qubits ? wire + 1 : wire - 1;
            const std::int32_t down = wire > 0 ? wire - 1 : wire + 1;
            edit.gate.control = leansUp ? up : down;
        }
        break;
    }
    case DragSource::Kind::Gate:
        edit.kind = DrawingEdit::Kind::Move;
        edit.gate.target = wire;
        if (source.gate.kind == GateKind::Cnot && wire == source.gate.control) {
            edit.gate.control = source.gate.target;
        }
        break;
    case DragSource::Kind::Control:
        edit.kind = DrawingEdit::Kind::Move;
        edit.gap = source.position;
        edit.gate.control = wire;
        break;
    }
    return edit;
}

DrawingEdit removalOf(const DragSource &source)
{
    DrawingEdit edit;
    edit.kind = DrawingEdit::Kind::Remove;
    edit.position = source.position;
    edit.gate = source.gate;
    return edit;
}

} // namespace Fasoria
