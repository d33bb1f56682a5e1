#include "core/Circuit.h"
#include "curriculum/AlgorithmGenerator.h"
#include "education/history/EditHistory.h"

#include <QtTest>

#include <stdexcept>

using namespace Fasoria;

namespace {

/// A one-qubit circuit of `gates` H gates: the gate count tells snapshots apart.
Circuit circuitOf(std::size_t gates)
{
    Circuit circuit;
    for (std::size_t i = 0; i < gates; ++i) {
        circuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
    }
    return circuit;
}

EditSnapshot snapshotOf(std::size_t gates, std::uint64_t stage = 0)
{
    return captureSnapshot(circuitOf(gates), stage, nullptr);
}

std::size_t gatesOf(const std::optional<EditSnapshot> &snapshot)
{
    return snapshot ? snapshot->circuit.steps.size() : std::size_t(-1);
}

} // namespace

class TestEditHistory : public QObject
{
    Q_OBJECT

private slots:
    void recordCreatesOneUndoEntryAndEmptiesRedo();
    void undoRedoRoundTrip();
    void newEditAfterUndoEmptiesRedo();
    void emptyHistoriesReturnNothing();
    void hundredAndFirstRecordDropsTheOldest();
    void redoAfterFullUndoListIsNotTrimmed();
    void failingEditAddsNoEntry();
    void parametersKeptInTheSnapshot();
    void restoredStageIsClamped_data();
    void restoredStageIsClamped();
    void clearEmptiesBoth();
};

void TestEditHistory::recordCreatesOneUndoEntryAndEmptiesRedo()
{
    EditHistory history;
    history.recordBeforeEdit(snapshotOf(0));
    history.recordBeforeEdit(snapshotOf(1));
    QVERIFY(history.undo(snapshotOf(2)).has_value());
    QCOMPARE(history.redoCount(), std::size_t(1));

    history.recordBeforeEdit(snapshotOf(1));
    QCOMPARE(history.undoCount(), std::size_t(2));
    QCOMPARE(history.redoCount(), std::size_t(0));
    QVERIFY(history.canUndo());
    QVERIFY(!history.canRedo());
}

void TestEditHistory::undoRedoRoundTrip()
{
    EditHistory history;
    history.recordBeforeEdit(snapshotOf(0, 0));
    history.recordBeforeEdit(snapshotOf(1, 1));

    const std::optional<EditSnapshot> first = history.undo(snapshotOf(2, 2));
    QCOMPARE(gatesOf(first), std::size_t(1));
    QCOMPARE(first->stage, std::uint64_t(1));
    const std::optional<EditSnapshot> second = history.undo(*first);
    QCOMPARE(gatesOf(second), std::size_t(0));
    QVERIFY(!history.canUndo());
    QCOMPARE(history.redoCount(), std::size_t(2));

    // Redo walks forward again in the opposite order, and every redo makes one more undo possible.
    const std::optional<EditSnapshot> forward = history.redo(*second);
    QCOMPARE(gatesOf(forward), std::size_t(1));
    const std::optional<EditSnapshot> latest = history.redo(*forward);
    QCOMPARE(gatesOf(latest), std::size_t(2));
    QCOMPARE(latest->stage, std::uint64_t(2));
    QVERIFY(!history.canRedo());
    QCOMPARE(history.undoCount(), std::size_t(2));
    QCOMPARE(gatesOf(history.undo(*latest)), std::size_t(1));
}

void TestEditHistory::newEditAfterUndoEmptiesRedo()
{
    EditHistory history;
    history.recordBeforeEdit(snapshotOf(0));
    QVERIFY(history.undo(snapshotOf(1)).has_value());
    QVERIFY(history.canRedo());
    history.recordBeforeEdit(snapshotOf(0));
    QVERIFY(!history.canRedo());
    QVERIFY(!history.redo(snapshotOf(3)).has_value());
    QCOMPARE(history.undoCount(), std::size_t(1));
}

void TestEditHistory::emptyHistoriesReturnNothing()
{
    EditHistory history;
    QVERIFY(!history.undo(snapshotOf(1)).has_value());
    QVERIFY(!history.redo(snapshotOf(1)).has_value());
    // The current snapshot handed to a refused undo or redo is not kept anywhere.
    QCOMPARE(history.undoCount(), std::size_t(0));
    QCOMPARE(history.redoCount(), std::size_t(0));
}

void TestEditHistory::hundredAndFirstRecordDropsTheOldest()
{
    EditHistory history;
    for (std::size_t edit = 0; edit <= EditHistory::kMaxUndo; ++edit) {
        history.recordBeforeEdit(snapshotOf(edit));
    }
    QCOMPARE(history.undoCount(), EditHistory::kMaxUndo);

    std::optional<EditSnapshot> restored = snapshotOf(EditHistory::kMaxUndo + 1);
    for (std::size_t undo = 0; undo < EditHistory::kMaxUndo; ++undo) {
        restored = history.undo(*restored);
        QVERIFY(restored.has_value());
        QCOMPARE(gatesOf(restored), EditHistory::kMaxUndo - undo);
    }
    // The entry recorded first (0 gates) was dropped: the oldest one left is the second.
    QCOMPARE(gatesOf(restored), std::size_t(1));
    QVERIFY(!history.undo(*restored).has_value());
    QCOMPARE(history.redoCount(), EditHistory::kMaxUndo);
}

void TestEditHistory::redoAfterFullUndoListIsNotTrimmed()
{
    EditHistory history;
    for (std::size_t edit = 0; edit < EditHistory::kMaxUndo; ++edit) {
        history.recordBeforeEdit(snapshotOf(edit));
    }
    std::optional<EditSnapshot> current = history.undo(snapshotOf(EditHistory::kMaxUndo));
    current = history.redo(*current);
    QCOMPARE(gatesOf(current), EditHistory::kMaxUndo);
    QCOMPARE(history.undoCount(), EditHistory::kMaxUndo);
    // The oldest entry is still the first one recorded.
    for (std::size_t undo = 0; undo < EditHistory::kMaxUndo; ++undo) {
        current = history.undo(*current);
    }
    QCOMPARE(gatesOf(current), std::size_t(0));
}

void TestEditHistory::failingEditAddsNoEntry()
{
    EditHistory history;
    history.recordBeforeEdit(snapshotOf(0));
    QVERIFY(history.undo(snapshotOf(1)).has_value());

    QVERIFY_EXCEPTION_THROWN(
        history.recordEdit(snapshotOf(5), [] { throw std::out_of_range("Target qubit is outside circuit"); }),
        std::out_of_range);
    QCOMPARE(history.undoCount(), std::size_t(0));
    QCOMPARE(history.redoCount(), std::size_t(1));

    bool edited = false;
    history.recordEdit(snapshotOf(5), [&edited] { edited = true; });
    QVERIFY(edited);
    QCOMPARE(history.undoCount(), std::size_t(1));
    QCOMPARE(history.redoCount(), std::size_t(0));
}

void TestEditHistory::parametersKeptInTheSnapshot()
{
    AlgorithmParameters parameters;
    parameters.kind = AlgorithmKind::BernsteinVazirani;
    parameters.qubits = 2;
    parameters.bvSecret = 3;
    const GeneratedAlgorithm generated = generateAlgorithm(parameters);

    EditHistory history;
    history.recordBeforeEdit(captureSnapshot(generated.circuit, 4, &parameters));
    const std::optional<EditSnapshot> restored = history.undo(snapshotOf(1));
    QVERIFY(restored.has_value());
    QVERIFY(restored->hasParameters);
    QCOMPARE(restored->parameters.kind, AlgorithmKind::BernsteinVazirani);
    QCOMPARE(restored->parameters.qubits, 2);
    QCOMPARE(restored->parameters.bvSecret, 3);
    const std::optional<GeneratedAlgorithm> again = restoredAlgorithm(*restored);
    QVERIFY(again.has_value());
    QCOMPARE(again->circuit.steps.size(), generated.circuit.steps.size());
    QCOMPARE(again->readoutValue, generated.readoutValue);

    // Without an attached algorithm the snapshot carries the generator's defaults and regenerates nothing.
    const EditSnapshot plain = snapshotOf(1);
    QVERIFY(!plain.hasParameters);
    QCOMPARE(plain.parameters.kind, AlgorithmKind::Grover);
    QCOMPARE(plain.parameters.qubits, 3);
    QCOMPARE(plain.parameters.groverTarget, 5);
    QCOMPARE(plain.parameters.groverIterations, 2);
    QCOMPARE(plain.parameters.bvSecret, 5);
    QCOMPARE(plain.parameters.deutschFunction, 2);
    QVERIFY(!restoredAlgorithm(plain).has_value());
}

void TestEditHistory::restoredStageIsClamped_data()
{
    QTest::addColumn<int>("gates");
    QTest::addColumn<int>("stage");
    QTest::addColumn<int>("expected");
    QTest::addRow("within") << 3 << 2 << 2;
    QTest::addRow("at-end") << 3 << 3 << 3;
    QTest::addRow("past-end") << 3 << 7 << 3;
    QTest::addRow("empty-circuit") << 0 << 4 << 0;
}

void TestEditHistory::restoredStageIsClamped()
{
    QFETCH(int, gates);
    QFETCH(int, stage);
    QFETCH(int, expected);
    QCOMPARE(restoredStage(snapshotOf(std::size_t(gates), std::uint64_t(stage))), std::uint64_t(expected));
}

void TestEditHistory::clearEmptiesBoth()
{
    EditHistory history;
    history.recordBeforeEdit(snapshotOf(0));
    history.recordBeforeEdit(snapshotOf(1));
    QVERIFY(history.undo(snapshotOf(2)).has_value());
    history.clear();
    QVERIFY(!history.canUndo());
    QVERIFY(!history.canRedo());
    QVERIFY(!history.undo(snapshotOf(2)).has_value());
}

QTEST_GUILESS_MAIN(TestEditHistory)
#include "test_edit_history.moc"
