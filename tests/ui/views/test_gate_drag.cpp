// Where a drag on the drawing lands: the gap and wire under the pointer, and the wires a CNOT takes.
#include "ui/views/GateDrag.h"
#include "ui/views/GateGlyphs.h"

#include <QtTest>

using namespace Fasoria;
using namespace Fasoria::DrawingGeometry;

namespace {

DragSource held(DragSource::Kind kind, GateKind gateKind, int target = 0, int control = 0, std::size_t position = 0)
{
    return {kind, Gate{gateKind, target, control, 0.0}, position};
}

} // namespace

Q_DECLARE_METATYPE(Fasoria::DragSource)

class TestGateDrag : public QObject
{
    Q_OBJECT

private slots:
    void gapsAndWiresUnderThePointer_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("gap");
        QTest::addColumn<int>("wire");
        // Three wires (q2 on top) and four gates.
        QTest::newRow("over the |0> box") << kStageZeroX << rowY(0) << 0 << 2;
        QTest::newRow("left half of stage 1") << stageX(1) - 1.0 << rowY(1) << 0 << 1;
        QTest::newRow("right half of stage 1") << stageX(1) + 1.0 << rowY(2) << 1 << 0;
        QTest::newRow("between stages 2 and 3") << gapX(2) << rowY(1) + kRowPitch / 2.0 - 1.0 << 2 << 1;
        QTest::newRow("past the last gate") << stageX(40) << rowY(2) << 4 << 0;
        QTest::newRow("above the register") << stageX(2) << -500.0 << 2 << 2;
        QTest::newRow("below the register") << stageX(2) << 5000.0 << 2 << 0;
        QTest::newRow("far left") << -1000.0 << rowY(0) << 0 << 2;
    }
    void gapsAndWiresUnderThePointer()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(int, gap);
        QFETCH(int, wire);
        QCOMPARE(int(gapAt(x, 4)), gap);
        QCOMPARE(wireAt(y, 3), wire);
    }

    void dropsLandWhereTheStudentPoints_data()
    {
        QTest::addColumn<DragSource>("source");
        QTest::addColumn<int>("qubits");
        QTest::addColumn<int>("wire");
        QTest::addColumn<double>("lean");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("gap");

        const auto fresh = [](GateKind kind) { return held(DragSource::Kind::NewGate, kind); };
        const int insert = int(DrawingEdit::Kind::Insert);
        const int move = int(DrawingEdit::Kind::Move);
        QTest::newRow("H on q1") << fresh(GateKind::H) << 3 << 1 << 0.0 << insert << 1 << 0 << 2;
        QTest::newRow("CNOT leaning down") << fresh(GateKind::Cnot) << 3 << 1 << 10.0 << insert << 1 << 0 << 2;
        QTest::newRow("CNOT leaning up") << fresh(GateKind::Cnot) << 3 << 1 << -10.0 << insert << 1 << 2 << 2;
        QTest::newRow("CNOT up from the top wire") << fresh(GateKind::Cnot) << 3 << 2 << -10.0 << insert << 2 << 1 << 2;
        QTest::newRow("CNOT down from the bottom") << fresh(GateKind::Cnot) << 3 << 0 << 10.0 << insert << 0 << 1 << 2;
        QTest::newRow("CNOT on one wire") << fresh(GateKind::Cnot) << 1 << 0 << 10.0 << insert << 0 << 1 << 2;
        QTest::newRow("gate to another wire")
            << held(DragSource::Kind::Gate, GateKind::X, 0, 0, 3) << 3 << 2 << 0.0 << move << 2 << 0 << 2;
        QTest::newRow("CNOT target keeps the control")
            << held(DragSource::Kind::Gate, GateKind::Cnot, 0, 1, 3) << 3 << 2 << 0.0 << move << 2 << 1 << 2;
        QTest::newRow("CNOT target onto the control swaps")
            << held(DragSource::Kind::Gate, GateKind::Cnot, 0, 1, 3) << 3 << 1 << 0.0 << move << 1 << 0 << 2;
        QTest::newRow("control dot stays in its column")
            << held(DragSource::Kind::Control, GateKind::Cnot, 0, 1, 3) << 3 << 2 << 0.0 << move << 0 << 2 << 3;
        QTest::newRow("control dot onto its target")
            << held(DragSource::Kind::Control, GateKind::Cnot, 0, 1, 3) << 3 << 0 << 0.0 << move << 0 << 0 << 3;
    }
    void dropsLandWhereTheStudentPoints()
    {
        QFETCH(DragSource, source);
        QFETCH(int, qubits);
        QFETCH(int, wire);
        QFETCH(double, lean);
        QFETCH(int, kind);
        QFETCH(int, target);
        QFETCH(int, control);
        QFETCH(int, gap);
        // The pointer in gap 2 of five gates, on the wire's line give or take the lean.
        const DrawingEdit edit = dropAt(source, QPointF(gapX(2), qubitY(wire, qubits) + lean), qubits, 5);
        QCOMPARE(int(edit.kind), kind);
        QCOMPARE(edit.gate.kind, source.gate.kind);
        QCOMPARE(edit.gate.target, target);
        QCOMPARE(edit.gate.control, control);
        QCOMPARE(int(edit.gap), gap);
        QCOMPARE(edit.position, source.position);
    }

    void offTheDrawingRemovesTheHeldGate()
    {
        const DrawingEdit edit = removalOf(held(DragSource::Kind::Control, GateKind::Cnot, 0, 1, 7));
        QCOMPARE(edit.kind, DrawingEdit::Kind::Remove);
        QCOMPARE(edit.position, std::size_t{7});
    }
};

QTEST_MAIN(TestGateDrag)
#include "test_gate_drag.moc"
