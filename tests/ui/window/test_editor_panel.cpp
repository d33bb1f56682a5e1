// The editor panel's edits and controls, driven through the window's buttons; warnings answer through the
// window's message-box seam.
#include "Help/Resources.h"
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitFile.h"
#include "tests/ui/WindowHarness.h"
#include "ui/commands/CircuitCommands.h"
#include "ui/texts/TextCatalog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

using namespace Fasoria;

namespace {

constexpr int kSignLesson = 3;
constexpr int kFirstChallenge = 4;

/// The first six are the panel's buttons, in the order of editsLandOnTheirStage's button list.
enum class Edit
{
    Insert,
    Replace,
    Remove,
    MoveLeft,
    MoveRight,
    QubitCount,
    MoveByTwo,
    InsertIntoFull
};

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestEditorPanel : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { startWindow(); }
    void cleanup() { m_window.reset(); }

    void editsLandOnTheirStage_data();
    void editsLandOnTheirStage();
    void refusedEditsChangeNothing_data();
    void refusedEditsChangeNothing();
    void editsWithoutTheirSelectionDoNothing_data();
    void editsWithoutTheirSelectionDoNothing();
    void panelFollowsCircuitAndSelection();
    void editCopyKeepsTheStage();
    void restoreShowsTheLessonAgain();
};

void TestEditorPanel::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
    QCoreApplication::setApplicationName(QStringLiteral("FasoriaEditorPanelTest"));
    initResources();
}

void TestEditorPanel::editsLandOnTheirStage_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<int>("stage");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("control");
    QTest::addColumn<QString>("gates");
    QTest::addColumn<int>("shownStage");
    QTest::addColumn<int>("action");
    const int h = static_cast<int>(GateKind::H);
    const int x = static_cast<int>(GateKind::X);
    const int z = static_cast<int>(GateKind::Z);
    const int cnot = static_cast<int>(GateKind::Cnot);
    QTest::newRow("insert-at-beginning") << Edit::Insert << 0 << x << 1 << 0 << "X(q1) H(q0) X(q1) Z(q0)" << 1 << 1;
    QTest::newRow("insert-after-selected") << Edit::Insert << 2 << h << 1 << 0 << "H(q0) X(q1) H(q1) Z(q0)" << 3 << 1;
    QTest::newRow("insert-at-end") << Edit::Insert << 3 << cnot << 1 << 0 << "H(q0) X(q1) Z(q0) CNOT(q0 → q1)" << 4
                                   << 1;
    QTest::newRow("replace-selected") << Edit::Replace << 2 << z << 1 << 0 << "H(q0) Z(q1) Z(q0)" << 2 << 2;
    QTest::newRow("remove-first") << Edit::Remove << 1 << h << 0 << 0 << "X(q1) Z(q0)" << 0 << 3;
    QTest::newRow("remove-last") << Edit::Remove << 3 << h << 0 << 0 << "H(q0) X(q1)" << 2 << 3;
    QTest::newRow("move-left") << Edit::MoveLeft << 2 << h << 0 << 0 << "X(q1) H(q0) Z(q0)" << 1 << 4;
    QTest::newRow("move-right") << Edit::MoveRight << 2 << h << 0 << 0 << "H(q0) Z(q0) X(q1)" << 3 << 5;
    QTest::newRow("grow-register") << Edit::QubitCount << 2 << h << 0 << 0 << "H(q0) X(q1) Z(q0)" << 2 << 7;
}

void TestEditorPanel::editsLandOnTheirStage()
{
    QFETCH(Edit, edit);
    QFETCH(int, stage);
    QFETCH(int, kind);
    QFETCH(int, target);
    QFETCH(int, control);
    QFETCH(QString, gates);
    QFETCH(int, shownStage);
    QFETCH(int, action);
    startWorking(threeGates(), static_cast<std::uint64_t>(stage));
    setPanel(static_cast<GateKind>(kind), target, control, 0.0);
    const char *const buttons[] = {"m_insertButton",   "m_replaceButton",   "m_removeButton",
                                   "m_moveLeftButton", "m_moveRightButton", "m_applyQubitsButton"};
    if (edit == Edit::QubitCount) {
        part<QSpinBox>("m_editQubitSpin")->setValue(3);
    }
    click(buttons[static_cast<int>(edit)]);

    const Experiment &experiment = m_window->experiment();
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(gateLabels(*experiment.workingCircuit()), gates);
    QCOMPARE(experiment.workingCircuit()->qubitCount, edit == Edit::QubitCount ? 3 : 2);
    QCOMPARE(part<QSpinBox>("m_editQubitSpin")->value(), experiment.workingCircuit()->qubitCount);
    QCOMPARE(part<QSpinBox>("m_targetSpin")->maximum(), experiment.workingCircuit()->qubitCount - 1);
    QCOMPARE(part<QSpinBox>("m_controlSpin")->maximum(), experiment.workingCircuit()->qubitCount - 1);
    QCOMPARE(experiment.currentStep(), static_cast<std::uint64_t>(shownStage));
    const StateVector expected = replayPrefix(*experiment.workingCircuit(), experiment.currentStep());
    QCOMPARE(experiment.state()->qubitCount(), expected.qubitCount());
    for (std::uint64_t i = 0; i < expected.dimension(); ++i) {
        QCOMPARE(experiment.state()->amplitude(i).re, expected.amplitude(i).re);
        QCOMPARE(experiment.state()->amplitude(i).im, expected.amplitude(i).im);
    }
    // The notebook goes on with the preparation and the edit.
    const std::size_t events = experiment.logEvents().size();
    QVERIFY(events >= 2);
    QCOMPARE(experiment.logEvents()[events - 2].kind, static_cast<std::int32_t>(LogEventKind::Prepared));
    QCOMPARE(experiment.logEvents().back().kind, static_cast<std::int32_t>(LogEventKind::Editor));
    QCOMPARE(experiment.logEvents().back().value, static_cast<std::uint64_t>(action));
    QCOMPARE(experiment.logEvents().back().value2, static_cast<std::uint64_t>(shownStage));
    QVERIFY(experiment.document().isModified());
    QCOMPARE(m_window->windowTitle(), kItalianTitle + QStringLiteral("Senza nome *"));
    QVERIFY(m_window->isWindowModified());
}

void TestEditorPanel::refusedEditsChangeNothing_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    const QString reduction = QStringLiteral("\n");
    QTest::newRow("cnot-on-one-qubit-it")
        << Edit::Insert << 0 << editorText("CNOT control and target must be different, valid qubits", Italian);
    QTest::newRow("cnot-on-one-qubit-en")
        << Edit::Insert << 1 << editorText("CNOT control and target must be different, valid qubits", English);
    QTest::newRow("shrink-below-used-qubit-it")
        << Edit::QubitCount << 0
        << uiText(TextKey::QubitReductionError, Italian) + reduction +
               editorText("Remove gates using the deleted qubit first", Italian);
    QTest::newRow("shrink-below-used-qubit-en")
        << Edit::QubitCount << 1
        << uiText(TextKey::QubitReductionError, English) + reduction +
               editorText("Remove gates using the deleted qubit first", English);
    QTest::newRow("move-by-two") << Edit::MoveByTwo << 1 << editorText("Move direction", English);
    QTest::newRow("move-past-the-end") << Edit::MoveRight << 0 << editorText("Move destination", Italian);
    QTest::newRow("insert-into-full-it") << Edit::InsertIntoFull << 0 << editorText("Maximum 256 gates", Italian);
    QTest::newRow("insert-into-full-en") << Edit::InsertIntoFull << 1 << editorText("Maximum 256 gates", English);
}

void TestEditorPanel::refusedEditsChangeNothing()
{
    QFETCH(Edit, edit);
    QFETCH(int, language);
    QFETCH(QString, message);
    part<QComboBox>("m_languageCombo")->setCurrentIndex(language);
    Circuit circuit = threeGates();
    if (edit == Edit::InsertIntoFull) {
        circuit.steps.resize(CircuitEditor::kMaxSteps, circuit.steps.front());
    }
    startWorking(circuit, 3);
    const Experiment &experiment = m_window->experiment();
    const QByteArray before = serializeCircuit(*experiment.workingCircuit());
    const std::size_t events = experiment.logEvents().size();
    const QString notebook = part<QPlainTextEdit>("m_log")->toPlainText();

    switch (edit) {
    case Edit::Insert:
        setPanel(GateKind::Cnot, 1, 1, 0.0);
        click("m_insertButton");
        break;
    case Edit::QubitCount:
        part<QSpinBox>("m_editQubitSpin")->setValue(1);
        click("m_applyQubitsButton");
        break;
    case Edit::MoveByTwo:
        m_window->circuitCommands().moveSelectedGate(2);
        break;
    case Edit::InsertIntoFull:
        // The button is disabled on a full circuit, so only a direct call can try it.
        QVERIFY(!part<QPushButton>("m_insertButton")->isEnabled());
        m_window->circuitCommands().insertGateAfterStage();
        break;
    default:
        // The button is disabled at the last stage, so only a direct call can try it.
        QVERIFY(!part<QPushButton>("m_moveRightButton")->isEnabled());
        m_window->circuitCommands().moveSelectedGate(+1);
        break;
    }

    QCOMPARE(m_titles, QStringList{uiText(TextKey::InvalidEditTitle, static_cast<Language>(language))});
    QCOMPARE(lastMessage(), message);
    QCOMPARE(serializeCircuit(*experiment.workingCircuit()), before);
    QCOMPARE(experiment.currentStep(), std::uint64_t{3});
    QCOMPARE(experiment.logEvents().size(), events);
    QCOMPARE(part<QPlainTextEdit>("m_log")->toPlainText(), notebook);
    QVERIFY(!experiment.document().isModified());
    QCOMPARE(part<QSpinBox>("m_editQubitSpin")->value(), 2);
}

void TestEditorPanel::editsWithoutTheirSelectionDoNothing_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<bool>("working");
    // At stage 0 no gate is selected; without a working circuit the lesson is read-only.
    QTest::newRow("replace-at-stage-0") << Edit::Replace << true;
    QTest::newRow("remove-at-stage-0") << Edit::Remove << true;
    QTest::newRow("move-left-at-stage-0") << Edit::MoveLeft << true;
    QTest::newRow("move-right-at-stage-0") << Edit::MoveRight << true;
    QTest::newRow("insert-into-lesson") << Edit::Insert << false;
    QTest::newRow("replace-in-lesson") << Edit::Replace << false;
    QTest::newRow("remove-from-lesson") << Edit::Remove << false;
    QTest::newRow("move-in-lesson") << Edit::MoveRight << false;
    QTest::newRow("qubits-of-lesson") << Edit::QubitCount << false;
}

void TestEditorPanel::editsWithoutTheirSelectionDoNothing()
{
    QFETCH(Edit, edit);
    QFETCH(bool, working);
    m_window->selectLesson(kSignLesson);
    if (working) {
        startWorking(threeGates(), 0);
    } else {
        m_window->experiment().nextStep();
    }
    const Experiment &experiment = m_window->experiment();
    const QByteArray before = serializeCircuit(experiment.shownCircuit());
    const std::uint64_t stage = experiment.currentStep();
    const QString notebook = part<QPlainTextEdit>("m_log")->toPlainText();
    const std::size_t events = experiment.logEvents().size();
    setPanel(GateKind::H, 0, 0, 0.0);
    part<QSpinBox>("m_editQubitSpin")->setValue(3);

    switch (edit) {
    case Edit::Insert:
        m_window->circuitCommands().insertGateAfterStage();
        break;
    case Edit::Replace:
        m_window->circuitCommands().replaceSelectedGate();
        break;
    case Edit::Remove:
        m_window->circuitCommands().removeSelectedGate();
        break;
    case Edit::MoveLeft:
        m_window->circuitCommands().moveSelectedGate(-1);
        break;
    case Edit::MoveRight:
        m_window->circuitCommands().moveSelectedGate(+1);
        break;
    default:
        m_window->circuitCommands().applyQubitCount();
        break;
    }

    QVERIFY(m_messages.isEmpty());
    QCOMPARE(experiment.workingCircuit() != nullptr, working);
    QCOMPARE(serializeCircuit(experiment.shownCircuit()), before);
    QCOMPARE(experiment.currentStep(), stage);
    QCOMPARE(experiment.logEvents().size(), events);
    QCOMPARE(part<QPlainTextEdit>("m_log")->toPlainText(), notebook);
    QVERIFY(!experiment.document().isModified());
}

void TestEditorPanel::panelFollowsCircuitAndSelection()
{
    auto *hint = part<QLabel>("m_editorHint");
    QCOMPARE(hint->text(), uiText(TextKey::EditorHintProtected, Italian));
    QVERIFY(part<QPushButton>("m_editCopyButton")->isEnabled());
    for (const char *name : {"m_restoreOriginalButton", "m_applyQubitsButton", "m_insertButton", "m_replaceButton",
                             "m_removeButton", "m_moveLeftButton", "m_moveRightButton"}) {
        QVERIFY2(!part<QPushButton>(name)->isEnabled(), name);
    }
    QVERIFY(!part<QComboBox>("m_gateCombo")->isEnabled() && !part<QSpinBox>("m_targetSpin")->isEnabled());

    Circuit circuit = threeGates();
    circuit.qubitCount = 3;
    circuit.steps.emplace_back(GateKind::P, 2, 0, std::acos(-1.0) / 4.0);
    circuit.steps.emplace_back(GateKind::Cnot, 0, 2, 0.0);
    startWorking(circuit, 1);
    QCOMPARE(hint->text(), uiText(TextKey::EditorHintEditing, Italian));
    QVERIFY(!part<QPushButton>("m_editCopyButton")->isEnabled());
    QVERIFY(part<QPushButton>("m_replaceButton")->isEnabled() && part<QPushButton>("m_removeButton")->isEnabled());
    QVERIFY(!part<QPushButton>("m_moveLeftButton")->isEnabled());
    QVERIFY(part<QPushButton>("m_moveRightButton")->isEnabled());
    QCOMPARE(part<QSpinBox>("m_targetSpin")->maximum(), 2);
    QCOMPARE(part<QSpinBox>("m_controlSpin")->maximum(), 2);

    // Selecting a stage loads its gate into the panel, the angle in degrees.
    m_window->experiment().goToStep(4);
    QCOMPARE(part<QComboBox>("m_gateCombo")->currentIndex(), static_cast<int>(GateKind::P));
    QCOMPARE(part<QSpinBox>("m_targetSpin")->value(), 2);
    QCOMPARE(part<QDoubleSpinBox>("m_angleSpin")->value(), 45.0);
    QVERIFY(part<QDoubleSpinBox>("m_angleSpin")->isEnabled() && !part<QSpinBox>("m_controlSpin")->isEnabled());
    QVERIFY(part<QPushButton>("m_moveLeftButton")->isEnabled() && part<QPushButton>("m_moveRightButton")->isEnabled());
    m_window->experiment().nextStep();
    QCOMPARE(part<QComboBox>("m_gateCombo")->currentIndex(), static_cast<int>(GateKind::Cnot));
    QCOMPARE(part<QSpinBox>("m_controlSpin")->value(), 2);
    QCOMPARE(part<QSpinBox>("m_targetSpin")->value(), 0);
    QVERIFY(part<QSpinBox>("m_controlSpin")->isEnabled() && !part<QDoubleSpinBox>("m_angleSpin")->isEnabled());
    QVERIFY(!part<QPushButton>("m_moveRightButton")->isEnabled());

    // A gate entered in degrees is stored in radians with π = acos(−1).
    setPanel(GateKind::P, 1, 0, -22.5);
    click("m_insertButton");
    const Gate &inserted = m_window->experiment().workingCircuit()->steps[5].gate;
    QCOMPARE(inserted.angle, -22.5 * std::acos(-1.0) / 180.0);
    QCOMPARE(part<QDoubleSpinBox>("m_angleSpin")->value(), -22.5);

    // At stage 0 nothing is selected; a full circuit takes no insertion.
    m_window->experiment().goToStep(0);
    QVERIFY(!part<QPushButton>("m_replaceButton")->isEnabled() && !part<QPushButton>("m_removeButton")->isEnabled());
    Circuit full = threeGates();
    full.steps.resize(CircuitEditor::kMaxSteps, full.steps.front());
    startWorking(full, 0);
    QVERIFY(!part<QPushButton>("m_insertButton")->isEnabled());
    m_window->experiment().goToStep(CircuitEditor::kMaxSteps);
    click("m_removeButton");
    QCOMPARE(m_window->experiment().stepCount(), std::uint64_t{CircuitEditor::kMaxSteps - 1});
    QVERIFY(part<QPushButton>("m_insertButton")->isEnabled());
}

void TestEditorPanel::editCopyKeepsTheStage()
{
    m_window->selectLesson(kSignLesson);
    m_window->experiment().nextStep();
    m_window->experiment().nextStep();
    // A qubit count typed while the lesson was read-only is not applied to the copy.
    part<QSpinBox>("m_editQubitSpin")->setValue(5);
    click("m_editCopyButton");
    const Experiment &experiment = m_window->experiment();
    QVERIFY(experiment.workingCircuit() != nullptr);
    QCOMPARE(gateLabels(*experiment.workingCircuit()), gateLabels(lessonCatalog()[kSignLesson]));
    QCOMPARE(experiment.currentStep(), std::uint64_t{2});
    QCOMPARE(part<QSpinBox>("m_editQubitSpin")->value(), lessonCatalog()[kSignLesson].qubitCount);
    QCOMPARE(experiment.document().savedSnapshot(), serializeCircuit(lessonCatalog()[kSignLesson]));
    QVERIFY(!experiment.document().isModified());
    QCOMPARE(m_window->windowTitle(), kItalianTitle + QStringLiteral("Senza nome"));
    QCOMPARE(experiment.logEvents().back().value, static_cast<std::uint64_t>(EditAction::WorkingCopyCreated));
    QCOMPARE(experiment.logEvents().back().value2, std::uint64_t{2});
    // The panel holds the selected gate of the copy.
    const Gate &selected = experiment.workingCircuit()->steps[1].gate;
    QCOMPARE(part<QComboBox>("m_gateCombo")->currentIndex(), static_cast<int>(selected.kind));
    QVERIFY(part<QAction>("m_actionSave")->isEnabled() && part<QAction>("m_actionSaveAs")->isEnabled());
    QVERIFY(m_messages.isEmpty());
}

void TestEditorPanel::restoreShowsTheLessonAgain()
{
    m_window->selectLesson(kSignLesson);
    click("m_editCopyButton");
    click("m_insertButton");
    answerNext(QMessageBox::Cancel);
    click("m_restoreOriginalButton");
    QVERIFY(m_window->experiment().workingCircuit() != nullptr);

    answerNext(QMessageBox::Discard);
    click("m_restoreOriginalButton");
    const Experiment &experiment = m_window->experiment();
    QVERIFY(experiment.workingCircuit() == nullptr);
    QVERIFY(!experiment.document().isModified());
    QCOMPARE(experiment.lessonIndex(), kSignLesson);
    // The record of the copy stays: its insertion comes before the restoration.
    const auto inserted =
        std::find_if(experiment.logEvents().begin(), experiment.logEvents().end(), [](const LogEvent &e) {
            return e.kind == static_cast<std::int32_t>(LogEventKind::Editor) &&
                   e.value == static_cast<std::uint64_t>(EditAction::GateInserted);
        });
    QVERIFY(inserted != experiment.logEvents().end());
    QCOMPARE(experiment.logEvents().back().kind, static_cast<std::int32_t>(LogEventKind::Editor));
    QCOMPARE(experiment.logEvents().back().value, static_cast<std::uint64_t>(EditAction::OriginalRestored));
    QCOMPARE(part<QLabel>("m_editorHint")->text(), uiText(TextKey::EditorHintProtected, Italian));
    QCOMPARE(m_window->windowTitle(), kItalianTitle + QStringLiteral("-"));
    QVERIFY(!part<QAction>("m_actionSave")->isEnabled());
    QVERIFY(part<QPlainTextEdit>("m_log")->toPlainText().endsWith(
        QStringLiteral("EDITOR: ") + QString::fromUtf8(editActionWord(EditAction::OriginalRestored, Italian)) +
        QStringLiteral(" | passo selezionato 0")));

    // A challenge gets a fresh empty answer back.
    m_window->selectLesson(kFirstChallenge);
    setPanel(GateKind::H, 0, 0, 0.0);
    click("m_insertButton");
    answerNext(QMessageBox::Discard);
    click("m_restoreOriginalButton");
    QVERIFY(experiment.isChallengeMode());
    QCOMPARE(experiment.stepCount(), std::uint64_t{0});
    QVERIFY(!experiment.document().isModified());
}

QTEST_MAIN(TestEditorPanel)
#include "test_editor_panel.moc"
