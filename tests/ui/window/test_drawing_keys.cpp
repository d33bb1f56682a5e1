// Editing the circuit from the drawing with the keyboard and from the Edit menu, through the real window.
#include "Help/Resources.h"
#include "tests/ui/WindowHarness.h"
#include "ui/views/CircuitView.h"

#include <QMenu>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Fasoria;

namespace {

constexpr int kBellChallenge = 9;

} // namespace

class TestDrawingKeys : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_store.isValid());
        useSandbox(m_store, "FasoriaDrawingKeysTest");
        initResources();
    }
    void init()
    {
        startWindow();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void keyboardBuildsTheBellPairAndSolvesTheChallenge()
    {
        m_window->selectLesson(kBellChallenge);
        CircuitView *view = drawing();
        QSignalSpy chosen(view, &CircuitView::chosenWireChanged);
        QTest::keyClick(view, Qt::Key_H);
        QTest::keyClick(view, Qt::Key_Up);
        QTest::keyClick(view, Qt::Key_C);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(view->chosenWire(), 1);
        const Circuit *working = m_window->experiment().workingCircuit();
        QVERIFY(working);
        QCOMPARE(gateLabels(*working), QStringLiteral("H(q0) CNOT(q0 → q1)"));
        // Each key is one edit: the view shows the stage after it, and one undo takes back one gate.
        QCOMPARE(m_window->experiment().currentStep(), std::uint64_t{2});
        click("m_challengeCheckButton");
        QCOMPARE(m_window->experiment().challengeStatus(), 1);
        trigger("m_actionUndo");
        QCOMPARE(gateLabels(*m_window->experiment().workingCircuit()), QStringLiteral("H(q0)"));
    }

    void chosenWireStaysInTheRegister()
    {
        startWorking(threeGates(), 0);
        CircuitView *view = drawing();
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(view, Qt::Key_Up);
        }
        QCOMPARE(view->chosenWire(), 1);
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(view, Qt::Key_Down);
        }
        QCOMPARE(view->chosenWire(), 0);
        // A smaller register brings the choice back inside it.
        QTest::keyClick(view, Qt::Key_Up);
        startWorking(customCircuit(1), 0);
        QCOMPARE(view->chosenWire(), 0);
    }

    void keysEditTheShownGate_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("after");
        QTest::addColumn<quint64>("stage");
        // At stage 2 the shown gate is X(q1); the chosen wire is q0.
        // clang-format off
        QTest::addRow("Delete")      << int(Qt::Key_Delete)    << int(Qt::NoModifier)  << "H(q0) Z(q0)"       << quint64(1);
        QTest::addRow("Backspace")   << int(Qt::Key_Backspace) << int(Qt::NoModifier)  << "H(q0) Z(q0)"       << quint64(1);
        QTest::addRow("Alt+Left")    << int(Qt::Key_Left)      << int(Qt::AltModifier) << "X(q1) H(q0) Z(q0)" << quint64(1);
        QTest::addRow("Alt+Right")   << int(Qt::Key_Right)     << int(Qt::AltModifier) << "H(q0) Z(q0) X(q1)" << quint64(3);
        QTest::addRow("X after it")  << int(Qt::Key_X)         << int(Qt::NoModifier)  << "H(q0) X(q1) X(q0) Z(q0)" << quint64(3);
        QTest::addRow("P, the form's angle") << int(Qt::Key_P) << int(Qt::NoModifier)  << "H(q0) X(q1) P(q0, 45.0°) Z(q0)" << quint64(3);
        // clang-format on
    }

    void keysEditTheShownGate()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, after);
        QFETCH(quint64, stage);
        startWorking(threeGates(), 2);
        setPanel(GateKind::H, 0, 0, 45.0);
        QTest::keyClick(drawing(), static_cast<Qt::Key>(key), static_cast<Qt::KeyboardModifiers>(modifiers));
        QCOMPARE(gateLabels(*m_window->experiment().workingCircuit()), after);
        QCOMPARE(m_window->experiment().currentStep(), stage);
        trigger("m_actionUndo");
        QCOMPARE(gateLabels(*m_window->experiment().workingCircuit()), gateLabels(threeGates()));
    }

    void aKeyOnALessonEditsACopy()
    {
        m_window->selectLesson(0);
        Experiment &experiment = m_window->experiment();
        QVERIFY(!experiment.workingCircuit());
        const QString lesson = gateLabels(experiment.shownCircuit());
        experiment.goToStep(0);
        QTest::keyClick(drawing(), Qt::Key_X);
        QVERIFY(experiment.workingCircuit());
        QCOMPARE(gateLabels(*experiment.workingCircuit()),
                 lesson.isEmpty() ? QStringLiteral("X(q0)") : QStringLiteral("X(q0) ") + lesson);
        QVERIFY(m_messages.isEmpty());
    }

    void aRefusedKeyChangesNothing()
    {
        // A CNOT needs a second wire: on a one-qubit lesson the editor refuses it before any copy is made.
        m_window->selectLesson(0);
        Experiment &experiment = m_window->experiment();
        QCOMPARE(experiment.shownCircuit().qubitCount, 1);
        QTest::keyClick(drawing(), Qt::Key_C);
        QVERIFY(!experiment.workingCircuit());
        QCOMPARE(m_messages.size(), 1);

        // On a working circuit the circuit, the stage and the history stay as they were.
        startWorking(customCircuit(1), 0);
        const bool couldUndo = experiment.document().history().canUndo();
        QTest::keyClick(drawing(), Qt::Key_C);
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(gateLabels(*experiment.workingCircuit()), QString());
        QCOMPARE(experiment.currentStep(), std::uint64_t{0});
        QCOMPARE(experiment.document().history().canUndo(), couldUndo);
    }

    void editMenuHoldsEveryEdit()
    {
        const QMenu *edit = part<QMenu>("m_editMenu");
        QStringList names;
        for (const QAction *action : edit->actions()) {
            if (!action->isSeparator()) {
                names << action->objectName();
            }
        }
        QCOMPARE(names, QStringList({"m_actionUndo", "m_actionRedo", "m_actionDeleteGate", "m_actionInsertH",
                                     "m_actionInsertX", "m_actionInsertZ", "m_actionInsertP", "m_actionInsertCnot",
                                     "m_actionClearNotebook"}));
        startWorking(threeGates(), 3);
        drawing()->setChosenWire(1);
        trigger("m_actionInsertCnot");
        QCOMPARE(gateLabels(*m_window->experiment().workingCircuit()),
                 QStringLiteral("H(q0) X(q1) Z(q0) CNOT(q0 → q1)"));
        trigger("m_actionDeleteGate");
        QCOMPARE(gateLabels(*m_window->experiment().workingCircuit()), gateLabels(threeGates()));
        m_window->experiment().goToStep(0);
        QVERIFY(!part<QAction>("m_actionDeleteGate")->isEnabled());
    }

private:
    CircuitView *drawing() const { return part<CircuitView>("m_circuitView"); }

    QTemporaryDir m_store;
};

QTEST_MAIN(TestDrawingKeys)
#include "test_drawing_keys.moc"
