#include "editor/CircuitEditor.h"
#include "editor/DrawingEdit.h"
#include "tests/editor/GateLists.h"

#include <QtTest>

#include <limits>
#include <stdexcept>
#include <string>

using namespace Fasoria;

Q_DECLARE_METATYPE(Fasoria::DrawingEdit)
Q_DECLARE_METATYPE(Fasoria::Circuit)

namespace {

DrawingEdit drawn(DrawingEdit::Kind kind, std::size_t position, std::size_t gap, const Gate &landed = Gate{})
{
    DrawingEdit edit;
    edit.kind = kind;
    edit.position = position;
    edit.gap = gap;
    edit.gate = landed;
    return edit;
}

// H(q0), CNOT(q0 → q1), P(q2, 45°): each step carries its index as its Italian text, so a move shows whether
// the step travelled with its texts.
Circuit sample()
{
    Circuit circuit = circuitOf(3, {gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0), gate(GateKind::P, 2, 0, 0.25)});
    const char *texts[] = {"0", "1", "2"};
    for (std::size_t i = 0; i < circuit.steps.size(); ++i) {
        circuit.steps[i].explanationIt = texts[i];
    }
    return circuit;
}

} // namespace

class TestDrawingEdit : public QObject
{
    Q_OBJECT

private slots:
    void appliesThroughTheEditor_data();
    void appliesThroughTheEditor();
    void refusesWhatTheEditorRefuses_data();
    void refusesWhatTheEditorRefuses();
    void dropsBesideItselfChangeNothing_data();
    void dropsBesideItselfChangeNothing();
    void namesItsNotebookEvent();
};

void TestDrawingEdit::appliesThroughTheEditor_data()
{
    QTest::addColumn<DrawingEdit>("edit");
    QTest::addColumn<QVector<Gate>>("expected");
    QTest::addColumn<QString>("texts");
    QTest::addColumn<qulonglong>("shown");

    const Gate h = gate(GateKind::H, 0);
    const Gate cnot = gate(GateKind::Cnot, 1, 0);
    const Gate p = gate(GateKind::P, 2, 0, 0.25);
    QTest::newRow("insert at the start") << drawn(DrawingEdit::Kind::Insert, 0, 0, gate(GateKind::X, 2))
                                         << QVector<Gate>{gate(GateKind::X, 2), h, cnot, p} << "-012" << 1ULL;
    QTest::newRow("insert at the end") << drawn(DrawingEdit::Kind::Insert, 0, 3, gate(GateKind::Cnot, 0, 2))
                                       << QVector<Gate>{h, cnot, p, gate(GateKind::Cnot, 0, 2)} << "012-" << 4ULL;
    QTest::newRow("move right across a gap")
        << drawn(DrawingEdit::Kind::Move, 0, 2, h) << QVector<Gate>{cnot, h, p} << "102" << 2ULL;
    QTest::newRow("move to the end") << drawn(DrawingEdit::Kind::Move, 0, 3, h) << QVector<Gate>{cnot, p, h} << "120"
                                     << 3ULL;
    QTest::newRow("move left to the start")
        << drawn(DrawingEdit::Kind::Move, 2, 0, p) << QVector<Gate>{p, h, cnot} << "201" << 1ULL;
    QTest::newRow("move across a wire in place") << drawn(DrawingEdit::Kind::Move, 0, 1, gate(GateKind::H, 2))
                                                 << QVector<Gate>{gate(GateKind::H, 2), cnot, p} << "012" << 1ULL;
    QTest::newRow("P keeps its angle across wires")
        << drawn(DrawingEdit::Kind::Move, 2, 1, gate(GateKind::H, 1))
        << QVector<Gate>{h, gate(GateKind::P, 1, 0, 0.25), cnot} << "021" << 2ULL;
    QTest::newRow("control dot to another wire") << drawn(DrawingEdit::Kind::Move, 1, 1, gate(GateKind::Cnot, 1, 2))
                                                 << QVector<Gate>{h, gate(GateKind::Cnot, 1, 2), p} << "012" << 2ULL;
    QTest::newRow("remove the middle") << drawn(DrawingEdit::Kind::Remove, 1, 0) << QVector<Gate>{h, p} << "02" << 1ULL;
    QTest::newRow("remove the first") << drawn(DrawingEdit::Kind::Remove, 0, 0) << QVector<Gate>{cnot, p} << "12"
                                      << 0ULL;
    QTest::newRow("new angle") << drawn(DrawingEdit::Kind::ChangeAngle, 2, 0, gate(GateKind::P, 0, 0, -1.5))
                               << QVector<Gate>{h, cnot, gate(GateKind::P, 2, 0, -1.5)} << "012" << 3ULL;
}

void TestDrawingEdit::appliesThroughTheEditor()
{
    QFETCH(DrawingEdit, edit);
    QFETCH(QVector<Gate>, expected);
    QFETCH(QString, texts);
    QFETCH(qulonglong, shown);

    CircuitEditor editor(sample());
    QCOMPARE(qulonglong{applyDrawingEdit(editor, edit)}, shown);
    QVERIFY(sameBits(gatesOf(editor.circuit()), expected));
    QString travelled;
    for (const LessonStep &step : editor.circuit().steps) {
        // A new gate carries the editor's own text rather than a digit.
        const QString text = QString::fromUtf8(step.explanationIt);
        travelled += text.size() == 1 ? text : QStringLiteral("-");
    }
    QCOMPARE(travelled, texts);
}

void TestDrawingEdit::refusesWhatTheEditorRefuses_data()
{
    QTest::addColumn<Circuit>("circuit");
    QTest::addColumn<DrawingEdit>("edit");
    QTest::addColumn<QString>("message");

    QTest::newRow("CNOT on one qubit") << circuitOf(1, {})
                                       << drawn(DrawingEdit::Kind::Insert, 0, 0, gate(GateKind::Cnot, 0, 0))
                                       << "CNOT control and target must be different, valid qubits";
    Circuit full = circuitOf(2, {});
    full.steps.assign(CircuitEditor::kMaxSteps, LessonStep(GateKind::H, 0, 0, 0.0));
    QTest::newRow("257th gate") << full << drawn(DrawingEdit::Kind::Insert, 0, 256, gate(GateKind::X, 1))
                                << "Maximum 256 gates";
    QTest::newRow("target onto its control")
        << sample() << drawn(DrawingEdit::Kind::Move, 1, 2, gate(GateKind::Cnot, 0, 0))
        << "CNOT control and target must be different, valid qubits";
    QTest::newRow("control onto its target")
        << sample() << drawn(DrawingEdit::Kind::Move, 1, 1, gate(GateKind::Cnot, 1, 1))
        << "CNOT control and target must be different, valid qubits";
    QTest::newRow("wire outside") << sample() << drawn(DrawingEdit::Kind::Move, 0, 0, gate(GateKind::H, 3))
                                  << "Target qubit is outside circuit";
    QTest::newRow("gap past the end") << sample() << drawn(DrawingEdit::Kind::Move, 0, 4, gate(GateKind::H, 0))
                                      << "Move destination";
    QTest::newRow("no such gate to move")
        << sample() << drawn(DrawingEdit::Kind::Move, 3, 0, gate(GateKind::H, 0)) << "Move position";
    QTest::newRow("no such gate to remove") << sample() << drawn(DrawingEdit::Kind::Remove, 3, 0) << "Erase position";
    QTest::newRow("angle of an H") << sample()
                                   << drawn(DrawingEdit::Kind::ChangeAngle, 0, 0, gate(GateKind::P, 0, 0, 1.0))
                                   << "Invalid phase angle";
    QTest::newRow("infinite angle") << sample()
                                    << drawn(DrawingEdit::Kind::ChangeAngle, 2, 0,
                                             gate(GateKind::P, 0, 0, std::numeric_limits<double>::infinity()))
                                    << "Invalid phase angle";
}

void TestDrawingEdit::refusesWhatTheEditorRefuses()
{
    QFETCH(Circuit, circuit);
    QFETCH(DrawingEdit, edit);
    QFETCH(QString, message);

    CircuitEditor editor(circuit);
    try {
        applyDrawingEdit(editor, edit);
        QFAIL("the edit was accepted");
    } catch (const std::exception &error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
        // The student reads it translated.
        QVERIFY(editorErrorText(error.what(), Italian) != error.what());
    }
}

void TestDrawingEdit::dropsBesideItselfChangeNothing_data()
{
    QTest::addColumn<DrawingEdit>("edit");
    QTest::addColumn<bool>("nothing");

    QTest::newRow("gap before itself") << drawn(DrawingEdit::Kind::Move, 1, 1, gate(GateKind::Cnot, 1, 0)) << true;
    QTest::newRow("gap after itself") << drawn(DrawingEdit::Kind::Move, 1, 2, gate(GateKind::Cnot, 1, 0)) << true;
    QTest::newRow("one gap further") << drawn(DrawingEdit::Kind::Move, 1, 3, gate(GateKind::Cnot, 1, 0)) << false;
    QTest::newRow("new control in place") << drawn(DrawingEdit::Kind::Move, 1, 1, gate(GateKind::Cnot, 1, 2)) << false;
    QTest::newRow("new wire in place") << drawn(DrawingEdit::Kind::Move, 0, 0, gate(GateKind::H, 1)) << false;
    QTest::newRow("control ignored off a CNOT")
        << drawn(DrawingEdit::Kind::Move, 0, 0, gate(GateKind::H, 0, 2)) << true;
    QTest::newRow("same angle") << drawn(DrawingEdit::Kind::ChangeAngle, 2, 0, gate(GateKind::P, 0, 0, 0.25)) << true;
    QTest::newRow("angle of another sign")
        << drawn(DrawingEdit::Kind::ChangeAngle, 2, 0, gate(GateKind::P, 0, 0, -0.25)) << false;
    QTest::newRow("an insert always changes") << drawn(DrawingEdit::Kind::Insert, 0, 0, gate(GateKind::H, 0)) << false;
    QTest::newRow("out of range is for the editor") << drawn(DrawingEdit::Kind::Move, 9, 9, Gate{}) << false;
}

void TestDrawingEdit::dropsBesideItselfChangeNothing()
{
    QFETCH(DrawingEdit, edit);
    QFETCH(bool, nothing);
    QCOMPARE(changesNothing(sample(), edit), nothing);
}

void TestDrawingEdit::namesItsNotebookEvent()
{
    QCOMPARE(drawingEditAction(drawn(DrawingEdit::Kind::Insert, 0, 0)), EditAction::GateInserted);
    QCOMPARE(drawingEditAction(drawn(DrawingEdit::Kind::Move, 0, 0)), EditAction::GateMoved);
    QCOMPARE(drawingEditAction(drawn(DrawingEdit::Kind::Remove, 0, 0)), EditAction::GateDeleted);
    QCOMPARE(drawingEditAction(drawn(DrawingEdit::Kind::ChangeAngle, 0, 0)), EditAction::GateReplaced);
}

QTEST_APPLESS_MAIN(TestDrawingEdit)
#include "test_drawing_edit.moc"
