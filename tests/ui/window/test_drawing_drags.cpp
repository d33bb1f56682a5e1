// Editing the circuit on the drawing with the mouse: the palette, drags of gates and control dots, a drag off
// the drawing, the angle editor and the context menus, through the real window. Mouse events go through the
// window system's path, as a user's do, so a drag is delivered to the widget that took the press.
#define QTEST_QPA_MOUSE_HANDLING

#include "Help/Resources.h"
#include "editor/CircuitEditor.h"
#include "editor/CircuitFile.h"
#include "tests/ui/WindowHarness.h"
#include "ui/model/LogEvent.h"
#include "ui/views/CircuitView.h"
#include "ui/views/GatePalette.h"

#include <QMenu>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>

#include <optional>

using namespace Fasoria;
using namespace Fasoria::DrawingGeometry;

namespace {

constexpr int kBellChallenge = 9;

/// One palette drop: a kind onto a qubit's wire in a gap, the pointer above the wire's line or below it (a
/// CNOT's control goes to the side the pointer leans to).
struct Drop
{
    GateKind kind;
    int wire;
    bool leanUp;
};

/// Everything a refused edit must leave alone.
struct Untouched
{
    QByteArray file;
    std::uint64_t stage;
    std::size_t undo;
    std::size_t redo;
    std::size_t notebook;
};

} // namespace

Q_DECLARE_METATYPE(QVector<Drop>)
Q_DECLARE_METATYPE(Fasoria::Circuit)

class TestDrawingDrags : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_store.isValid());
        useSandbox(m_store, "FasoriaDrawingDragsTest");
        initResources();
    }
    void init()
    {
        startWindow();
        m_window->resize(1260, 900);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_angles.clear();
        m_window->prompts().setAngleHandler([this](QWidget *, const QString &, const QString &, double degrees) {
            m_shownDegrees = degrees;
            return m_angles.isEmpty() ? std::nullopt : m_angles.takeFirst();
        });
    }
    void cleanup() { m_window.reset(); }

    void paletteDragsSolveEveryChallenge_data()
    {
        QTest::addColumn<int>("lesson");
        QTest::addColumn<QVector<Drop>>("drops");
        const auto h = [](int wire) { return Drop{GateKind::H, wire, false}; };
        const auto x = [](int wire) { return Drop{GateKind::X, wire, false}; };
        const auto z = [](int wire) { return Drop{GateKind::Z, wire, false}; };
        // A CNOT dropped on its target, leaning down towards a control one wire lower.
        const auto cnotUnder = [](int target) { return Drop{GateKind::Cnot, target, false}; };
        QTest::newRow("challenge 5") << 4 << QVector<Drop>{x(0)};
        QTest::newRow("challenge 6") << 5 << QVector<Drop>{x(0), x(0)};
        QTest::newRow("challenge 7") << 6 << QVector<Drop>{h(0)};
        QTest::newRow("challenge 8") << 7 << QVector<Drop>{x(0)};
        QTest::newRow("challenge 9") << 8 << QVector<Drop>{h(0), h(1)};
        QTest::newRow("challenge 10, the Bell pair") << kBellChallenge << QVector<Drop>{h(0), cnotUnder(1)};
        QTest::newRow("challenge 11") << 10 << QVector<Drop>{h(0), z(0), h(0)};
        QTest::newRow("challenge 12") << 11 << QVector<Drop>{h(0), cnotUnder(1), x(0)};
        QTest::newRow("challenge 13") << 12 << QVector<Drop>{h(0), z(0)};
        QTest::newRow("challenge 14") << 13 << QVector<Drop>{h(0), cnotUnder(1), cnotUnder(2)};
    }

    void paletteDragsSolveEveryChallenge()
    {
        QFETCH(int, lesson);
        QFETCH(QVector<Drop>, drops);
        m_window->selectLesson(lesson);
        Experiment &experiment = m_window->experiment();
        QVERIFY(!experiment.workingCircuit() || experiment.workingCircuit()->steps.empty());
        for (const Drop &drop : drops) {
            const std::size_t gap = experiment.shownCircuit().steps.size();
            dragFromPalette(drop.kind, wirePoint(drop.wire, gapX(gap), drop.leanUp ? -12.0 : 12.0));
            // Each drop is one edit, shown at the stage of the gate it placed.
            QCOMPARE(experiment.currentStep(), std::uint64_t{gap + 1});
        }
        QCOMPARE(experiment.workingCircuit()->steps.size(), std::size_t(drops.size()));
        QCOMPARE(experiment.document().history().undoCount(), std::size_t(drops.size()));
        click("m_challengeCheckButton");
        QCOMPARE(experiment.challengeStatus(), 1);
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    }

    void aDropOnALessonMakesTheWorkingCopy()
    {
        m_window->selectLesson(0);
        Experiment &experiment = m_window->experiment();
        QVERIFY(!experiment.workingCircuit());
        const QString lesson = gateLabels(experiment.shownCircuit());
        dragFromPalette(GateKind::Z, wirePoint(0, gapX(0), 0.0));
        QVERIFY(experiment.workingCircuit());
        QCOMPARE(gateLabels(*experiment.workingCircuit()),
                 lesson.isEmpty() ? QStringLiteral("Z(q0)") : QStringLiteral("Z(q0) ") + lesson);
        QCOMPARE(experiment.currentStep(), std::uint64_t{1});
        // The copy asks nothing, and the notebook tells of the copy and the edit.
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(experiment.logEvents().back().value, std::uint64_t(EditAction::GateInserted));
    }

    void aGateMovedAcrossAWireUndoesToTheSameFile()
    {
        startWorking(threeGates(), 3);
        Experiment &experiment = m_window->experiment();
        const QByteArray before = savedBytes();
        // X(q1), stage 2, dragged down onto q0 and past Z: one edit, one undo step, shown where it landed.
        dragInDrawing(gatePoint(2), wirePoint(0, gapX(3), 0.0));
        QCOMPARE(gateLabels(*experiment.workingCircuit()), QStringLiteral("H(q0) Z(q0) X(q0)"));
        QCOMPARE(experiment.currentStep(), std::uint64_t{3});
        QCOMPARE(experiment.document().history().undoCount(), std::size_t{1});
        QCOMPARE(experiment.logEvents().back().kind, static_cast<std::int32_t>(LogEventKind::Editor));
        QCOMPARE(experiment.logEvents().back().value, std::uint64_t(EditAction::GateMoved));
        // The form shows the gate where it landed.
        QCOMPARE(part<QComboBox>("m_gateCombo")->currentIndex(), int(GateKind::X));
        QCOMPARE(part<QSpinBox>("m_targetSpin")->value(), 0);
        trigger("m_actionUndo");
        QCOMPARE(savedBytes(), before);
        trigger("m_actionRedo");
        QCOMPARE(gateLabels(*experiment.workingCircuit()), QStringLiteral("H(q0) Z(q0) X(q0)"));
    }

    void aControlDotTakesAnotherWire()
    {
        Circuit circuit = customCircuit(3);
        circuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
        circuit.steps.emplace_back(GateKind::Cnot, 1, 0, 0.0);
        startWorking(circuit, 0);
        // The control dot at q0 dragged to q2; the gate keeps its place and its target.
        dragInDrawing(wirePoint(0, stageX(2), 0.0), wirePoint(2, stageX(2) + 30.0, 0.0));
        QCOMPARE(gateLabels(*m_window->experiment().workingCircuit()), QStringLiteral("H(q0) CNOT(q2 → q1)"));
        QCOMPARE(m_window->experiment().currentStep(), std::uint64_t{2});
        // Its target dragged onto the control's wire: the two trade wires.
        dragInDrawing(wirePoint(1, stageX(2), 0.0), wirePoint(2, stageX(2) + 30.0, 0.0));
        QCOMPARE(gateLabels(*m_window->experiment().workingCircuit()), QStringLiteral("H(q0) CNOT(q1 → q2)"));
    }

    void refusedDropsChangeNothing_data()
    {
        QTest::addColumn<Circuit>("circuit");
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<int>("palette");
        QTest::addColumn<QString>("message");

        const double wireOne = qubitY(0, 1);
        QTest::newRow("a CNOT on one qubit")
            << customCircuit(1) << QPointF() << QPointF(gapX(0), wireOne) << int(GateKind::Cnot)
            << editorText("CNOT control and target must be different, valid qubits", Italian);
        Circuit full = customCircuit(2);
        full.steps.assign(CircuitEditor::kMaxSteps, LessonStep(GateKind::H, 0, 0, 0.0));
        QTest::newRow("the 257th gate") << full << QPointF() << QPointF(gapX(0), qubitY(1, 2)) << int(GateKind::X)
                                        << editorText("Maximum 256 gates", Italian);
        Circuit cnot = customCircuit(2);
        cnot.steps.emplace_back(GateKind::Cnot, 1, 0, 0.0);
        QTest::newRow("a control onto its target")
            << cnot << QPointF(stageX(1), qubitY(0, 2)) << QPointF(stageX(1) + 20.0, qubitY(1, 2)) << -1
            << editorText("CNOT control and target must be different, valid qubits", Italian);
    }

    void refusedDropsChangeNothing()
    {
        QFETCH(Circuit, circuit);
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        QFETCH(int, palette);
        QFETCH(QString, message);

        startWorking(circuit, circuit.steps.empty() ? 0 : 1);
        CircuitView *view = drawing();
        if (palette < 0) {
            // The gate on view first, so both ends of the drag are in sight.
            view->centerOn(from);
        } else {
            view->centerOn(to);
        }
        const Untouched before = untouched();
        const int warnings = m_messages.size();
        // Under way, the drawing already says the drop would be refused, in the student's language.
        QString shown;
        connect(view, &CircuitView::drawingEdited, this, [&shown, view] { shown = view->dropRefusal(); });
        const QPoint target = view->mapFromScene(to);
        if (palette >= 0) {
            pressOnPalette(static_cast<GateKind>(palette));
            moveFromPalette(static_cast<GateKind>(palette), target);
        } else {
            const QPoint start = view->mapFromScene(from);
            QTest::mousePress(view->viewport(), Qt::LeftButton, {}, start);
            QTest::mouseMove(view->viewport(), start + QPoint(12, 0));
            QTest::mouseMove(view->viewport(), target);
        }
        QVERIFY(view->isDragging());
        QCOMPARE(view->dropRefusal(), message);
        QVERIFY(view->viewport()->cursor().shape() == Qt::ForbiddenCursor);
        if (palette >= 0) {
            releaseOnPalette(static_cast<GateKind>(palette), target);
        } else {
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, target);
        }
        QVERIFY(!view->isDragging());
        // The drop itself is refused with the same words, and nothing moved.
        QCOMPARE(m_messages.size(), warnings + 1);
        QCOMPARE(m_messages.last(), message);
        const Untouched after = untouched();
        QCOMPARE(after.file, before.file);
        QCOMPARE(after.stage, before.stage);
        QCOMPARE(after.undo, before.undo);
        QCOMPARE(after.redo, before.redo);
        QCOMPARE(after.notebook, before.notebook);
    }

    void aGateDraggedOffTheDrawingIsRemoved()
    {
        startWorking(threeGates(), 1);
        CircuitView *view = drawing();
        const QPoint start = view->mapFromScene(QPointF(stageX(2), qubitY(1, 2)));
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, start);
        QTest::mouseMove(view->viewport(), start + QPoint(0, 12));
        // Below the drawing, over the notebook: the drawing says the gate will go.
        const QPoint outside(start.x(), view->viewport()->height() + 40);
        QTest::mouseMove(view->viewport(), outside);
        QCOMPARE(view->pendingDrop()->kind, DrawingEdit::Kind::Remove);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, outside);
        QCOMPARE(gateLabels(*m_window->experiment().workingCircuit()), QStringLiteral("H(q0) Z(q0)"));
        QCOMPARE(m_window->experiment().currentStep(), std::uint64_t{1});
        QCOMPARE(m_window->experiment().logEvents().back().value, std::uint64_t(EditAction::GateDeleted));
        // A palette gate let go off the drawing is no edit.
        const QPoint paletteOutside(start.x(), view->viewport()->height() + 40);
        pressOnPalette(GateKind::H);
        moveFromPalette(GateKind::H, paletteOutside);
        QVERIFY(!view->pendingDrop());
        releaseOnPalette(GateKind::H, paletteOutside);
        QCOMPARE(gateLabels(*m_window->experiment().workingCircuit()), QStringLiteral("H(q0) Z(q0)"));
    }

    void aClickWithoutADragChoosesTheStage()
    {
        startWorking(threeGates(), 0);
        CircuitView *view = drawing();
        const QPoint gate = gatePoint(3);
        // Hovering, the pointer shows which items can be picked up.
        QTest::mouseMove(view->viewport(), gate);
        QCOMPARE(view->viewport()->cursor().shape(), Qt::OpenHandCursor);
        QTest::mouseMove(view->viewport(), wirePoint(0, gapX(3), -kRowPitch / 2.0));
        QCOMPARE(view->viewport()->cursor().shape(), Qt::ArrowCursor);
        // Less than the drag distance: still a click.
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, gate);
        QTest::mouseMove(view->viewport(), gate + QPoint(1, 1));
        QVERIFY(!view->isDragging());
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, gate + QPoint(1, 1));
        QTRY_COMPARE(m_window->experiment().currentStep(), std::uint64_t{3});
        QCOMPARE(gateLabels(*m_window->experiment().workingCircuit()), gateLabels(threeGates()));
        QVERIFY(!m_window->experiment().document().history().canUndo());
        // A gate dropped back beside itself is no edit either.
        dragInDrawing(gatePoint(3), gatePoint(3) + QPoint(QApplication::startDragDistance() + 4, 0));
        QVERIFY(!m_window->experiment().document().history().canUndo());
        // Escape ends a drag with nothing done.
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, gatePoint(1));
        QTest::mouseMove(view->viewport(), gatePoint(1) + QPoint(20, 0));
        QTest::mouseMove(view->viewport(), gatePoint(3));
        QVERIFY(view->isDragging());
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(!view->isDragging());
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, gatePoint(3));
        QCOMPARE(gateLabels(*m_window->experiment().workingCircuit()), gateLabels(threeGates()));
    }

    void thePAngleIsTypedInDegrees()
    {
        Circuit circuit = customCircuit(1);
        circuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
        circuit.steps.emplace_back(GateKind::P, 0, 0, std::acos(-1.0) / 4.0);
        startWorking(circuit, 0);
        Experiment &experiment = m_window->experiment();
        // A double click on the gate opens the editor at the angle it shows.
        m_angles << 90.0;
        QTest::mouseDClick(drawing()->viewport(), Qt::LeftButton, {}, gatePoint(2));
        QCOMPARE(m_shownDegrees, 45.0);
        QCOMPARE(gateLabels(*experiment.workingCircuit()), QStringLiteral("H(q0) P(q0, 90.0°)"));
        QCOMPARE(experiment.workingCircuit()->steps[1].gate.angle, degreesToRadians(90.0));
        QCOMPARE(experiment.currentStep(), std::uint64_t{2});
        QCOMPARE(experiment.logEvents().back().value, std::uint64_t(EditAction::GateReplaced));
        // Enter on the shown P gate does the same; the angle handed back as shown, or a cancel, is no edit.
        const std::size_t edits = experiment.document().history().undoCount();
        m_angles << 90.0;
        QTest::keyClick(drawing(), Qt::Key_Return);
        QTest::keyClick(drawing(), Qt::Key_Return);
        QCOMPARE(experiment.document().history().undoCount(), edits);
        m_angles << -22.5;
        QTest::keyClick(drawing(), Qt::Key_Enter);
        QCOMPARE(gateLabels(*experiment.workingCircuit()), QStringLiteral("H(q0) P(q0, -22.5°)"));
        // Enter on another kind opens nothing.
        experiment.goToStep(1);
        m_shownDegrees = 1000.0;
        QTest::keyClick(drawing(), Qt::Key_Return);
        QCOMPARE(m_shownDegrees, 1000.0);
    }

    void contextMenusHoldTheEdits()
    {
        startWorking(threeGates(), 0);
        CircuitView *view = drawing();
        Experiment &experiment = m_window->experiment();
        // On a gate: it becomes the shown stage, and its menu acts on it.
        std::unique_ptr<QMenu> menu(view->contextMenuAt(gatePoint(2)));
        QVERIFY(menu);
        QCOMPARE(experiment.currentStep(), std::uint64_t{2});
        QCOMPARE(actionNames(*menu), QStringList({"m_menuDeleteGate", "m_menuMoveLeft", "m_menuMoveRight"}));
        menu->findChild<QAction *>(QStringLiteral("m_menuMoveRight"))->trigger();
        QCOMPARE(gateLabels(*experiment.workingCircuit()), QStringLiteral("H(q0) Z(q0) X(q1)"));
        menu.reset(view->contextMenuAt(gatePoint(3)));
        QVERIFY(!menu->findChild<QAction *>(QStringLiteral("m_menuMoveRight"))->isEnabled());
        menu->findChild<QAction *>(QStringLiteral("m_menuDeleteGate"))->trigger();
        QCOMPARE(gateLabels(*experiment.workingCircuit()), QStringLiteral("H(q0) Z(q0)"));
        // On a wire between two gates: every kind can be inserted there.
        menu.reset(view->contextMenuAt(view->mapFromScene(QPointF(gapX(1), qubitY(1, 2)))));
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 5);
        menu->actions().at(int(GateKind::Cnot))->trigger();
        QCOMPARE(gateLabels(*experiment.workingCircuit()), QStringLiteral("H(q0) CNOT(q0 → q1) Z(q0)"));
        QCOMPARE(experiment.currentStep(), std::uint64_t{2});
        // A P gate's menu offers its angle.
        m_angles << 30.0;
        menu.reset(view->contextMenuAt(view->mapFromScene(QPointF(gapX(3), qubitY(0, 2)))));
        menu->actions().at(int(GateKind::P))->trigger();
        menu.reset(view->contextMenuAt(gatePoint(4)));
        menu->findChild<QAction *>(QStringLiteral("m_menuChangeAngle"))->trigger();
        QCOMPARE(gateLabels(*experiment.workingCircuit()), QStringLiteral("H(q0) CNOT(q0 → q1) Z(q0) P(q0, 30.0°)"));
        // Off the register there is no menu.
        QVERIFY(!view->contextMenuAt(view->mapFromScene(QPointF(gapX(1), qubitY(1, 2) - kRowPitch))));
    }

    void aPaletteClickInsertsOnTheChosenWire()
    {
        startWorking(threeGates(), 1);
        drawing()->setChosenWire(1);
        QTest::mouseClick(m_window->findChild<GatePalette *>()->tile(GateKind::Z), Qt::LeftButton);
        QCOMPARE(gateLabels(*m_window->experiment().workingCircuit()), QStringLiteral("H(q0) Z(q1) X(q1) Z(q0)"));
        QCOMPARE(m_window->experiment().currentStep(), std::uint64_t{2});
    }

private:
    CircuitView *drawing() const { return part<CircuitView>("m_circuitView"); }
    QToolButton *tile(GateKind kind) const { return m_window->findChild<GatePalette *>()->tile(kind); }

    /// A viewport point on qubit `wire`'s line at scene abscissa `x`, `lean` units above (−) or below (+) it.
    QPoint wirePoint(int wire, double x, double lean) const
    {
        return drawing()->mapFromScene(
            QPointF(x, qubitY(wire, m_window->experiment().shownCircuit().qubitCount) + lean));
    }
    /// The viewport point at the centre of the target of the gate at `stage`, scrolled into sight beside the
    /// pinned wire labels (which lie above the gates they cover).
    QPoint gatePoint(std::uint64_t stage) const
    {
        // Layouts still pending after the last change would move the drawing under the pointer.
        QCoreApplication::processEvents();
        drawing()->ensureStageVisible(stage);
        const Circuit &circuit = m_window->experiment().shownCircuit();
        return wirePoint(circuit.steps[stage - 1].gate.target, stageX(stage), 0.0);
    }

    void pressOnPalette(GateKind kind)
    {
        QTest::mousePress(tile(kind), Qt::LeftButton, {}, tile(kind)->rect().center());
    }
    QPoint onTile(GateKind kind, QPoint viewportPoint) const
    {
        return tile(kind)->mapFromGlobal(drawing()->viewport()->mapToGlobal(viewportPoint));
    }
    void moveFromPalette(GateKind kind, QPoint viewportPoint)
    {
        // Past the drag distance inside the tile first, then over the drawing.
        QTest::mouseMove(tile(kind), tile(kind)->rect().center() + QPoint(QApplication::startDragDistance() + 2, 0));
        QTest::mouseMove(tile(kind), onTile(kind, viewportPoint));
    }
    void releaseOnPalette(GateKind kind, QPoint viewportPoint)
    {
        QTest::mouseRelease(tile(kind), Qt::LeftButton, {}, onTile(kind, viewportPoint));
    }
    void dragFromPalette(GateKind kind, QPoint viewportPoint)
    {
        pressOnPalette(kind);
        moveFromPalette(kind, viewportPoint);
        QVERIFY(drawing()->isDragging());
        releaseOnPalette(kind, viewportPoint);
    }
    void dragInDrawing(QPoint from, QPoint to)
    {
        QWidget *viewport = drawing()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QTest::mouseMove(viewport, from + QPoint(0, QApplication::startDragDistance() + 2));
        QTest::mouseMove(viewport, to);
        QVERIFY(drawing()->isDragging());
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    }

    /// The working circuit as File > Save as writes it.
    QByteArray savedBytes()
    {
        const QString path = m_files.filePath(QStringLiteral("saved-%1.fsor.json").arg(m_saves++));
        m_fileNames << path;
        trigger("m_actionSaveAs");
        return readFile(path);
    }
    Untouched untouched() const
    {
        const Experiment &experiment = m_window->experiment();
        return {serializeCircuit(*experiment.workingCircuit()), experiment.currentStep(),
                experiment.document().history().undoCount(), experiment.document().history().redoCount(),
                experiment.logEvents().size()};
    }
    static QStringList actionNames(const QMenu &menu)
    {
        QStringList names;
        for (const QAction *action : menu.actions()) {
            names << action->objectName();
        }
        return names;
    }

    QTemporaryDir m_store;
    QTemporaryDir m_files;
    int m_saves = 0;
    QList<std::optional<double>> m_angles;
    double m_shownDegrees = 0.0;
};

QTEST_MAIN(TestDrawingDrags)
#include "test_drawing_drags.moc"
