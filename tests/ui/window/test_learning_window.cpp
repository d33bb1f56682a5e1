// Undo and redo of the editor's edits and the learning lab, driven through the window and its dialog.
#include "Help/Resources.h"
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitFile.h"
#include "education/dialog/LearningController.h"
#include "education/dialog/LearningDialog.h"
#include "education/model/LearningLab.h"
#include "tests/ui/WindowHarness.h"
#include "ui/texts/TextCatalog.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTableWidget>

using namespace Fasoria;

namespace {

constexpr int kCoinLesson = 0;
constexpr int kSecondH = 1;
constexpr int kSignLesson = 3;

enum class Edit
{
    Insert,
    Replace,
    Remove,
    MoveLeft,
    MoveRight,
    QubitCount
};

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestLearningWindow : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
        QCoreApplication::setApplicationName(QStringLiteral("FasoriaLearningWindowTest"));
        initResources();
    }
    void init() { startWindow(); }
    void cleanup() { m_window.reset(); }

    void oneEditOneUndoEntry();
    void undoToTheSavedCircuitIsClean();
    void eachEditIsUndoneExactly_data();
    void eachEditIsUndoneExactly();
    void aNewEditEndsTheRedoBranch();
    void theHundredAndFirstEditDropsTheOldest();
    void aRefusedEditAddsNothing();
    void undoRestoresTheGeneratorParameters();
    void anotherLessonEmptiesTheHistories();
    void learningButtonShowsTheDialog();
    void coinPredictionAgainstTheory_data();
    void coinPredictionAgainstTheory();
    void predictionClosesOnceTheExperimentRuns();
    void guidedExperimentRestartsFromScratch();
    void comparisonsThroughTheDialog();

private:
    LearningDialog *dialog() const { return m_window->learning().dialog(); }
    template <typename T>
    T *lab(const char *name) const
    {
        T *found = dialog()->findChild<T *>(QString::fromLatin1(name));
        if (!found) {
            qFatal("missing %s", name);
        }
        return found;
    }
    void clickLab(const char *name) { QTest::mouseClick(lab<QPushButton>(name), Qt::LeftButton); }
    const EditHistory &history() const { return m_window->experiment().document().history(); }
    bool undoEnabled() const { return part<QAction>("m_actionUndo")->isEnabled(); }
    bool redoEnabled() const { return part<QAction>("m_actionRedo")->isEnabled(); }
    QByteArray circuitBytes() const { return serializeCircuit(*m_window->experiment().workingCircuit()); }
};

void TestLearningWindow::oneEditOneUndoEntry()
{
    QVERIFY(!undoEnabled());
    startWorking(threeGates(), 1);
    QVERIFY(!undoEnabled());
    click("m_insertButton");
    QCOMPARE(history().undoCount(), std::size_t{1});
    QCOMPARE(history().redoCount(), std::size_t{0});
    QVERIFY(undoEnabled());
    QVERIFY(!redoEnabled());
    QCOMPARE(part<QAction>("m_actionUndo")->shortcut(), QKeySequence(QKeySequence::Undo));
    QCOMPARE(part<QAction>("m_actionRedo")->shortcut(), QKeySequence(QKeySequence::Redo));
    QVERIFY(part<QMenu>("m_fileMenu")->actions().contains(part<QAction>("m_actionUndo")));
}

void TestLearningWindow::undoToTheSavedCircuitIsClean()
{
    click("m_editCopyButton");
    const Experiment &experiment = m_window->experiment();
    QVERIFY(!experiment.document().isModified());
    click("m_insertButton");
    QVERIFY(experiment.document().isModified());
    const QByteArray edited = circuitBytes();

    trigger("m_actionUndo");
    QCOMPARE(circuitBytes(), experiment.document().savedSnapshot());
    QVERIFY(!experiment.document().isModified());
    QCOMPARE(m_window->windowTitle(), kItalianTitle + QStringLiteral("Senza nome"));
    QVERIFY(redoEnabled());
    QVERIFY(!undoEnabled());
    // The notebook names the restore.
    QVERIFY(part<QPlainTextEdit>("m_log")->toPlainText().contains(QStringLiteral("modifica annullata o ripetuta")));

    trigger("m_actionRedo");
    QCOMPARE(circuitBytes(), edited);
    QVERIFY(experiment.document().isModified());
    QVERIFY(undoEnabled());
    QVERIFY(!redoEnabled());
}

void TestLearningWindow::eachEditIsUndoneExactly_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addRow("insert") << Edit::Insert;
    QTest::addRow("replace") << Edit::Replace;
    QTest::addRow("remove") << Edit::Remove;
    QTest::addRow("move left") << Edit::MoveLeft;
    QTest::addRow("move right") << Edit::MoveRight;
    QTest::addRow("qubit count") << Edit::QubitCount;
}

void TestLearningWindow::eachEditIsUndoneExactly()
{
    QFETCH(Edit, edit);
    startWorking(threeGates(), 2);
    const QByteArray before = circuitBytes();
    setPanel(GateKind::P, 1, 0, 90.0);
    switch (edit) {
    case Edit::Insert:
        click("m_insertButton");
        break;
    case Edit::Replace:
        click("m_replaceButton");
        break;
    case Edit::Remove:
        click("m_removeButton");
        break;
    case Edit::MoveLeft:
        click("m_moveLeftButton");
        break;
    case Edit::MoveRight:
        click("m_moveRightButton");
        break;
    case Edit::QubitCount:
        part<QSpinBox>("m_editQubitSpin")->setValue(4);
        click("m_applyQubitsButton");
        break;
    }
    const QByteArray after = circuitBytes();
    const std::uint64_t stageAfter = m_window->experiment().currentStep();
    QVERIFY(after != before);
    trigger("m_actionUndo");
    QCOMPARE(circuitBytes(), before);
    QCOMPARE(m_window->experiment().currentStep(), std::uint64_t{2});
    trigger("m_actionRedo");
    QCOMPARE(circuitBytes(), after);
    // The redone state is shown at the step it was left at (clamped to the circuit's length).
    QCOMPARE(m_window->experiment().currentStep(), stageAfter);
}

void TestLearningWindow::aNewEditEndsTheRedoBranch()
{
    startWorking(threeGates(), 1);
    click("m_insertButton");
    click("m_insertButton");
    trigger("m_actionUndo");
    QVERIFY(redoEnabled());
    click("m_removeButton");
    QCOMPARE(history().redoCount(), std::size_t{0});
    QVERIFY(!redoEnabled());
    trigger("m_actionRedo");
    QCOMPARE(history().undoCount(), std::size_t{2});
}

void TestLearningWindow::theHundredAndFirstEditDropsTheOldest()
{
    startWorking(customCircuit(1), 0);
    const QByteArray empty = circuitBytes();
    setPanel(GateKind::X, 0, 0, 0.0);
    for (int edit = 0; edit < 101; ++edit) {
        m_window->experiment().goToStep(0);
        click("m_insertButton");
    }
    QCOMPARE(history().undoCount(), std::size_t{100});
    for (int undo = 0; undo < 100; ++undo) {
        QVERIFY(undoEnabled());
        trigger("m_actionUndo");
    }
    QVERIFY(!undoEnabled());
    m_window->experiment().undo();
    // The oldest state, the empty circuit, is no longer reachable: one X remains.
    QCOMPARE(m_window->experiment().workingCircuit()->steps.size(), std::size_t{1});
    QVERIFY(circuitBytes() != empty);
    QCOMPARE(history().redoCount(), std::size_t{100});
}

void TestLearningWindow::aRefusedEditAddsNothing()
{
    startWorking(threeGates(), 1);
    // CNOT with control and target both q0: the editor refuses it.
    setPanel(GateKind::Cnot, 0, 0, 0.0);
    click("m_insertButton");
    QCOMPARE(m_titles.size(), 1);
    QCOMPARE(history().undoCount(), std::size_t{0});
    QVERIFY(!undoEnabled());
}

void TestLearningWindow::undoRestoresTheGeneratorParameters()
{
    part<QSpinBox>("m_paramMarkedSpin")->setValue(3);
    click("m_paramCreateButton");
    QVERIFY(m_window->experiment().algorithm() != nullptr);
    m_window->experiment().goToStep(1);
    click("m_removeButton");
    QVERIFY(m_window->experiment().algorithm() == nullptr);
    trigger("m_actionUndo");
    const GeneratedAlgorithm *algorithm = m_window->experiment().algorithm();
    QVERIFY(algorithm != nullptr);
    QCOMPARE(algorithm->parameters.groverTarget, 3);
    QCOMPARE(serializeCircuit(algorithm->circuit), circuitBytes());
    QVERIFY(!part<QWidget>("m_algorithmBox")->isHidden());
}

void TestLearningWindow::anotherLessonEmptiesTheHistories()
{
    startWorking(threeGates(), 1);
    click("m_insertButton");
    trigger("m_actionUndo");
    click("m_insertButton");
    click("m_insertButton");
    trigger("m_actionUndo");
    QVERIFY(undoEnabled() && redoEnabled());
    answerNext(QMessageBox::Discard);
    part<QComboBox>("m_lessons")->setCurrentIndex(kSignLesson);
    QCOMPARE(history().undoCount(), std::size_t{0});
    QCOMPARE(history().redoCount(), std::size_t{0});
    QVERIFY(!undoEnabled() && !redoEnabled());
}

void TestLearningWindow::learningButtonShowsTheDialog()
{
    m_window->show();
    QVERIFY(dialog() != nullptr);
    QVERIFY(dialog()->isHidden());
    QCOMPARE(dialog()->objectName(), QStringLiteral("LearningDialog"));
    click("m_learningButton");
    QVERIFY(dialog()->isVisible());
    QCOMPARE(dialog()->windowTitle(), QStringLiteral("Fasoria - Laboratorio didattico"));
    QCOMPARE(lab<QPushButton>("next")->isEnabled(), part<QPushButton>("m_nextButton")->isEnabled());
    clickLab("closeButton");
    QVERIFY(dialog()->isHidden());
    part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
    QCOMPARE(dialog()->windowTitle(), QStringLiteral("Fasoria - Learning lab"));
}

void TestLearningWindow::coinPredictionAgainstTheory_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("verdict");
    QTest::addRow("equally likely") << 3 << "La previsione coincide con la distribuzione teorica.";
    QTest::addRow("always 0") << 1 << "La teoria è diversa: confronta i valori e ripensa alla sequenza delle porte.";
}

void TestLearningWindow::coinPredictionAgainstTheory()
{
    QFETCH(int, choice);
    QFETCH(QString, verdict);
    QCOMPARE(m_window->experiment().lessonIndex(), kCoinLesson);
    lab<QComboBox>("distribution")->setCurrentIndex(choice);
    lab<QLineEdit>("reason")->setText(QStringLiteral("H makes a fair coin"));
    clickLab("record");
    QCOMPARE(m_window->studySession().lab().recordedPrediction(), choice - 1);
    QVERIFY(part<QPlainTextEdit>("m_log")->toPlainText().contains(QStringLiteral("PREVISIONE DISTRIBUZIONE: ") +
                                                                  lab<QComboBox>("distribution")->itemText(choice) +
                                                                  QStringLiteral(" - H makes a fair coin")));
    clickLab("next");
    QVERIFY2(lab<QLabel>("predictionResult")->text().endsWith(verdict),
             qPrintable(lab<QLabel>("predictionResult")->text()));
    // A measurement does not change the comparison: it is made with the theory.
    clickLab("measure");
    QVERIFY(lab<QLabel>("predictionResult")->text().endsWith(verdict));
    // The language switch keeps the prediction.
    part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
    QCOMPARE(m_window->studySession().lab().recordedPrediction(), choice - 1);
}

void TestLearningWindow::predictionClosesOnceTheExperimentRuns()
{
    auto *distribution = lab<QComboBox>("distribution");
    QVERIFY(distribution->isEnabled());
    m_window->experiment().nextStep();
    QVERIFY(!distribution->isEnabled());
    m_window->experiment().goToStep(0);
    QVERIFY(distribution->isEnabled());
    m_window->experiment().measureOnce();
    QVERIFY(!distribution->isEnabled());
    m_window->experiment().goToStep(0);
    m_window->experiment().repeatPreparations(m_window->studySession().preparations());
    QVERIFY(!distribution->isEnabled());
    m_window->experiment().restart();

    // Going back to step 0 forgets a recorded prediction.
    distribution->setCurrentIndex(3);
    clickLab("record");
    QCOMPARE(m_window->studySession().lab().recordedPrediction(), 2);
    m_window->experiment().nextStep();
    QCOMPARE(m_window->studySession().lab().recordedPrediction(), 2);
    m_window->experiment().previousStep();
    QCOMPARE(m_window->studySession().lab().recordedPrediction(), -1);
    QCOMPARE(distribution->currentIndex(), 0);
}

void TestLearningWindow::guidedExperimentRestartsFromScratch()
{
    clickLab("lesson2");
    QCOMPARE(m_window->experiment().lessonIndex(), kSecondH);
    lab<QLineEdit>("question")->setText(QStringLiteral("Does H undo itself?"));
    lab<QPlainTextEdit>("notes")->setPlainText(QStringLiteral("two lines\nof notes"));
    click("m_editCopyButton");
    click("m_insertButton");

    // The same experiment again: the unsaved edit is asked about, Cancel keeps everything.
    answerNext(QMessageBox::Cancel);
    clickLab("lesson2");
    QVERIFY(m_window->experiment().workingCircuit() != nullptr);
    QCOMPARE(lab<QLineEdit>("question")->text(), QStringLiteral("Does H undo itself?"));

    answerNext(QMessageBox::Discard);
    clickLab("lesson2");
    QVERIFY(m_window->experiment().workingCircuit() == nullptr);
    QVERIFY(lab<QLineEdit>("question")->text().isEmpty());
    QVERIFY(lab<QPlainTextEdit>("notes")->toPlainText().isEmpty());
    QVERIFY(!undoEnabled());
    QCOMPARE(m_window->experiment().currentStep(), std::uint64_t{0});
}

void TestLearningWindow::comparisonsThroughTheDialog()
{
    // Preset "H / H-Z": A has phase 0.0 on both rows, B -180.0 on row 1.
    lab<QComboBox>("preset")->setCurrentIndex(0);
    clickLab("applyPreset");
    auto *table = lab<QTableWidget>("compareTable");
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(1, 2)->text(), QStringLiteral("0.0"));
    QCOMPARE(table->item(1, 4)->text(), QStringLiteral("-180.0"));

    // Captures of a 1-qubit and a 2-qubit circuit cannot be compared.
    clickLab("captureA");
    // The loaded comparison is an unsaved change of the session: leaving the lesson asks first.
    answerNext(QMessageBox::Discard);
    m_window->selectLesson(2);
    m_window->experiment().goToStep(2);
    clickLab("captureB");
    QCOMPARE(m_window->studySession().lab().copy(CopySide::B).stage, std::uint64_t{2});
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(lab<QLabel>("compareNote")->text(), QStringLiteral("Usa lo stesso numero di qubit in A e B."));
    QVERIFY(!lab<QPushButton>("appendH")->isEnabled());
    lab<QSpinBox>("stageB")->setValue(1);
    QCOMPARE(m_window->studySession().lab().copy(CopySide::B).stage, std::uint64_t{1});
}

QTEST_MAIN(TestLearningWindow)

#include "test_learning_window.moc"
