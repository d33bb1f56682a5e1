// The algorithm lab, the challenge panel and the results export, driven through their widgets; message
// boxes and file dialogs answer through the window's seams.
#include "Help/Resources.h"
#include "curriculum/Diagnostics.h"
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitFile.h"
#include "tests/ui/WindowHarness.h"
#include "ui/texts/TextCatalog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace Fasoria;

namespace {

constexpr int kCoinLesson = 0;
constexpr int kBellLesson = 2;
constexpr int kBellChallenge = 9;
constexpr int kGroverLesson = 19;
constexpr int kGroverKindIndex = 0;
constexpr int kBernsteinVaziraniIndex = 1;
constexpr int kDeutschIndex = 2;

Circuit bellAnswer(bool withPhase)
{
    Circuit circuit = customCircuit(2);
    circuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
    circuit.steps.emplace_back(GateKind::Cnot, 1, 0, 0.0);
    if (withPhase) {
        circuit.steps.emplace_back(GateKind::Z, 0, 0, 0.0);
    }
    return circuit;
}

} // namespace

class TestPanels : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
        QCoreApplication::setApplicationName(QStringLiteral("FasoriaPanelsTest"));
        initResources();
        QVERIFY(m_directory.isValid());
    }
    void init() { startWindow(); }
    void cleanup() { m_window.reset(); }

    void generatorRangesFollowTheKind();
    void generatorRowsFollowTheKind_data();
    void generatorRowsFollowTheKind();
    void generatingShowsTheAlgorithm();
    void generatingAsksBeforeDiscarding();
    void anEditDiscardsTheGeneratedAlgorithm();
    void catalogAlgorithmIsShownReadOnly();
    void checkpointsFollowTheStep();
    void runCompleteIgnoresTheCollapse();
    void hintsStopAfterTheThird();
    void solvedCheck();
    void relativePhaseIsExplained();
    void resultsAfterMeasurementAndShots();
    void resultsNamesAndCancel_data();
    void resultsNamesAndCancel();
    void resultsThatCannotBeWrittenSayWhy();

private:
    QString text(const char *label) const { return part<QLabel>(label)->text(); }
    void switchToEnglish() { part<QComboBox>("m_languageCombo")->setCurrentIndex(1); }
    void startChallenge(const Circuit &answer)
    {
        part<QComboBox>("m_lessons")->setCurrentIndex(kBellChallenge);
        // The challenge answer is edited in place: the working circuit keeps challenge mode.
        for (const LessonStep &step : answer.steps) {
            setPanel(step.gate.kind, step.gate.target, step.gate.control, 0.0);
            click("m_insertButton");
        }
    }
    QJsonObject exportNow(const QString &name)
    {
        m_fileNames << m_directory.filePath(name);
        trigger("m_actionExport");
        return QJsonDocument::fromJson(readFile(m_directory.filePath(name))).object();
    }

    QTemporaryDir m_directory;
};

void TestPanels::generatorRangesFollowTheKind()
{
    auto *kind = part<QComboBox>("m_paramKindCombo");
    auto *qubits = part<QSpinBox>("m_paramQubitsSpin");
    auto *marked = part<QSpinBox>("m_paramMarkedSpin");
    QCOMPARE(kind->currentText(), QStringLiteral("Grover"));
    QCOMPARE(qubits->minimum(), 2);
    QCOMPARE(qubits->maximum(), 3);

    kind->setCurrentIndex(kBernsteinVaziraniIndex);
    QCOMPARE(qubits->minimum(), 1);
    QCOMPARE(qubits->maximum(), 4);
    qubits->setValue(4);
    QCOMPARE(part<QSpinBox>("m_paramSecretSpin")->maximum(), 15);

    kind->setCurrentIndex(kGroverKindIndex);
    QCOMPARE(qubits->value(), 3);
    QCOMPARE(marked->maximum(), 7);
}

void TestPanels::generatorRowsFollowTheKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("visible");
    QTest::addRow("grover") << kGroverKindIndex << "qubits marked iterations";
    QTest::addRow("bernstein-vazirani") << kBernsteinVaziraniIndex << "qubits secret";
    QTest::addRow("deutsch") << kDeutschIndex << "deutsch";
}

void TestPanels::generatorRowsFollowTheKind()
{
    QFETCH(int, kind);
    QFETCH(QString, visible);
    m_window->show();
    part<QTabWidget>("m_leftTabs")->setCurrentIndex(1);
    part<QComboBox>("m_paramKindCombo")->setCurrentIndex(kind);
    const std::pair<const char *, const char *> rows[] = {{"qubits", "m_paramQubitsSpin"},
                                                          {"marked", "m_paramMarkedSpin"},
                                                          {"iterations", "m_paramIterationsSpin"},
                                                          {"secret", "m_paramSecretSpin"},
                                                          {"deutsch", "m_paramDeutschCombo"}};
    for (const auto &[row, name] : rows) {
        QCOMPARE(part<QWidget>(name)->isVisible(), visible.split(QLatin1Char(' ')).contains(QLatin1String(row)));
    }
}

void TestPanels::generatingShowsTheAlgorithm()
{
    part<QSpinBox>("m_paramMarkedSpin")->setValue(6);
    part<QSpinBox>("m_paramIterationsSpin")->setValue(1);
    click("m_paramCreateButton");
    const Experiment &experiment = m_window->experiment();
    QVERIFY(experiment.algorithm() != nullptr);
    QCOMPARE(experiment.algorithm()->parameters.kind, AlgorithmKind::Grover);
    QCOMPARE(experiment.algorithm()->parameters.groverTarget, 6);
    QVERIFY(experiment.workingCircuit() != nullptr);
    QVERIFY(!experiment.document().isModified());
    QCOMPARE(experiment.currentStep(), std::uint64_t{0});
    const QString steps = QString::number(experiment.stepCount());

    QVERIFY(!part<QWidget>("m_algorithmBox")->isHidden());
    QCOMPARE(text("m_algorithmOracle"), QStringLiteral("ORACOLO: Marca |110> fra 8 stati; 1 iterazioni."));
    QCOMPARE(text("m_algorithmReadout"), QStringLiteral("RISULTATO DA LEGGERE: Registro completo q2..q0 = 110"));
    QCOMPARE(text("m_paramHint"), uiText(TextKey::ParametricReady, Italian).arg(steps));
    QCOMPARE(text("m_algorithmProbability"),
             catalogText(TextKey::StepProbability, Italian, QStringLiteral("0"), QStringLiteral("0.00000"),
                         fixedText(experiment.algorithm()->expectedProbability * 100.0, 5)));
    QVERIFY(text("m_algorithmStats").endsWith(QStringLiteral("Porte elementari quantistiche: ") + steps + "."));

    switchToEnglish();
    QCOMPARE(text("m_algorithmOracle"), QStringLiteral("ORACLE: Marks |110> among 8 states; 1 iterations."));
    QCOMPARE(text("m_algorithmClassical"),
             QStringLiteral("CLASSICAL METHOD: Test each candidate; at most N-1 queries with one promised solution."));
}

void TestPanels::generatingAsksBeforeDiscarding()
{
    click("m_editCopyButton");
    click("m_insertButton");
    const Experiment &experiment = m_window->experiment();
    const QByteArray edited = serializeCircuit(*experiment.workingCircuit());
    answerNext(QMessageBox::Cancel);
    click("m_paramCreateButton");
    QCOMPARE(m_titles, QStringList{uiText(TextKey::ModifiedTitle, Italian)});
    QVERIFY(experiment.algorithm() == nullptr);
    QCOMPARE(serializeCircuit(*experiment.workingCircuit()), edited);
    QVERIFY(experiment.document().isModified());
    QVERIFY(part<QWidget>("m_algorithmBox")->isHidden());

    answerNext(QMessageBox::Discard);
    click("m_paramCreateButton");
    QVERIFY(experiment.algorithm() != nullptr);
}

void TestPanels::anEditDiscardsTheGeneratedAlgorithm()
{
    click("m_paramCreateButton");
    QVERIFY(m_window->experiment().algorithm() != nullptr);
    m_window->experiment().goToStep(1);
    click("m_removeButton");
    QVERIFY(m_window->experiment().algorithm() == nullptr);
    QVERIFY(part<QWidget>("m_algorithmBox")->isHidden());
    QCOMPARE(text("m_paramHint"), uiText(TextKey::GenerateHint, Italian));
}

void TestPanels::catalogAlgorithmIsShownReadOnly()
{
    m_window->selectLesson(kGroverLesson);
    QVERIFY(!part<QWidget>("m_algorithmBox")->isHidden());
    const AlgorithmInfo *info = findAlgorithmInfo(kGroverLesson);
    QCOMPARE(text("m_algorithmIntro"), QString::fromUtf8(info->nameIt));
    QCOMPARE(text("m_algorithmCaveat"), QString::fromUtf8(info->caveatIt));
    // An editable copy is no longer the lesson the record describes.
    click("m_editCopyButton");
    QVERIFY(part<QWidget>("m_algorithmBox")->isHidden());
}

void TestPanels::checkpointsFollowTheStep()
{
    m_window->selectLesson(kGroverLesson);
    const std::vector<AlgorithmStage> stages = algorithmStages(kGroverLesson);
    QVERIFY(stages.size() >= 3);
    auto *checkpoints = part<QComboBox>("m_algorithmCheckpointCombo");
    QCOMPARE(checkpoints->count(), static_cast<int>(stages.size()));
    const auto steps = m_window->experiment().stepCount();
    QCOMPARE(
        checkpoints->itemText(1),
        QStringLiteral("%1 / %2 - %3").arg(stages[1].gateIndex).arg(steps).arg(QString::fromUtf8(stages[1].nameIt)));
    // Between two checkpoints the selector shows the one reached last.
    m_window->experiment().goToStep(static_cast<std::uint64_t>(stages[1].gateIndex + 1));
    QCOMPARE(checkpoints->currentIndex(), 1);

    checkpoints->setCurrentIndex(2);
    click("m_algorithmGotoButton");
    QCOMPARE(m_window->experiment().currentStep(), static_cast<std::uint64_t>(stages[2].gateIndex));
    QCOMPARE(checkpoints->currentIndex(), 2);
}

void TestPanels::runCompleteIgnoresTheCollapse()
{
    m_window->selectLesson(kGroverLesson);
    auto *run = part<QPushButton>("m_algorithmRunButton");
    QVERIFY(run->isEnabled());
    click("m_algorithmRunButton");
    const Experiment &experiment = m_window->experiment();
    QCOMPARE(experiment.currentStep(), experiment.stepCount());
    QVERIFY(!run->isEnabled());
    const StateVector final = *experiment.state();

    m_window->experiment().measureOnce();
    QVERIFY(run->isEnabled());
    // The probability is replayed afresh: the collapse does not change it.
    const QString before = text("m_algorithmProbability");
    click("m_algorithmRunButton");
    QVERIFY(!experiment.isMeasured());
    QVERIFY(sameState(*experiment.state(), final));
    QCOMPARE(text("m_algorithmProbability"), before);
}

void TestPanels::hintsStopAfterTheThird()
{
    m_window->selectLesson(kBellChallenge);
    const Challenge *challenge = findChallenge(kBellChallenge);
    QVERIFY(!part<QWidget>("m_challengeBox")->isHidden());
    QCOMPARE(text("m_challengeHint"), uiText(TextKey::NoHint, Italian));
    auto *hint = part<QPushButton>("m_challengeHintButton");
    const char *const hints[] = {challenge->hint1It, challenge->hint2It, challenge->hint3It};
    for (int shown = 1; shown <= 3; ++shown) {
        QVERIFY(hint->isEnabled());
        click("m_challengeHintButton");
        QCOMPARE(text("m_challengeHint"),
                 uiText(TextKey::HintPrefix, Italian).arg(shown) + QString::fromUtf8(hints[shown - 1]));
    }
    QVERIFY(!hint->isEnabled());
    m_window->experiment().showNextHint();
    QCOMPARE(m_window->experiment().hintsShown(), 3);
    const QString notebook = part<QPlainTextEdit>("m_log")->toPlainText();
    QCOMPARE(notebook.count(QStringLiteral("SFIDA - suggerimento")), 3);
    // Another lesson starts without hints.
    m_window->selectLesson(kBellChallenge + 1);
    QCOMPARE(m_window->experiment().hintsShown(), 0);
}

void TestPanels::solvedCheck()
{
    startChallenge(bellAnswer(false));
    QCOMPARE(text("m_challengeResult"), uiText(TextKey::NotChecked, Italian));
    click("m_challengeCheckButton");
    QCOMPARE(text("m_challengeResult"),
             uiText(TextKey::Solved, Italian) + uiText(TextKey::Fidelity, Italian).arg(QStringLiteral("100.0000")));
    QVERIFY(part<QLabel>("m_challengeDiagnosis")->isHidden());
    QCOMPARE(m_window->experiment().challengeStatus(), 1);
    QVERIFY(part<QPlainTextEdit>("m_log")->toPlainText().contains(QStringLiteral("100.00")));
    // Any change of the circuit must be checked again.
    click("m_insertButton");
    QCOMPARE(text("m_challengeResult"), uiText(TextKey::NotChecked, Italian));
}

void TestPanels::relativePhaseIsExplained()
{
    startChallenge(bellAnswer(true));
    click("m_challengeCheckButton");
    const QString phaseHint = QStringLiteral(
        " Stesse probabilità, fase relativa diversa. Confronta H e H-Z, poi aggiungi H a entrambi nel laboratorio "
        "didattico.");
    QVERIFY2(text("m_challengeResult").endsWith(phaseHint), qPrintable(text("m_challengeResult")));
    QVERIFY(m_window->experiment().phaseHint());
    const Diagnosis diagnosis = diagnoseChallenge(*findChallenge(kBellChallenge), bellAnswer(true));
    QCOMPARE(diagnosis.finding, StateFinding::RelativePhase);
    auto *explanation = part<QLabel>("m_challengeDiagnosis");
    QVERIFY(!explanation->isHidden());
    QCOMPARE(explanation->text(), QString::fromStdString(diagnosisText(diagnosis, Italian)));
    QVERIFY(explanation->text().contains(QStringLiteral("|11>")));
    QVERIFY(!explanation->accessibleName().isEmpty());

    switchToEnglish();
    QCOMPARE(explanation->text(),
             QStringLiteral("Same probabilities as the target, but the relative phase differs: |11> by 180.0°."));
    QVERIFY(text("m_challengeResult").contains(QStringLiteral("different relative phase")));
}

void TestPanels::resultsAfterMeasurementAndShots()
{
    m_window->selectLesson(kBellLesson);
    m_window->experiment().goToStep(2);
    click("m_shotsButton");
    QJsonObject shots = exportNow(QStringLiteral("shots.json"));
    QCOMPARE(shots.value(QStringLiteral("shot_count")).toInt(), 1000);
    const QJsonArray histogram = shots.value(QStringLiteral("histogram")).toArray();
    QCOMPARE(histogram.size(), 4);
    QCOMPARE(histogram[0].toInt() + histogram[1].toInt() + histogram[2].toInt() + histogram[3].toInt(), 1000);
    QCOMPARE(m_window->statusBar()->currentMessage(),
             uiText(TextKey::ExportDone, Italian).arg(QDir::toNativeSeparators(m_directory.filePath("shots.json"))));

    // Shots before a measurement at the same stage stay; the amplitudes are those before the collapse.
    click("m_measureButton");
    const QJsonObject measured = exportNow(QStringLiteral("measured.json"));
    const int outcome = measured.value(QStringLiteral("single_measurement_outcome")).toInt(-1);
    QVERIFY(outcome == 0 || outcome == 3);
    QCOMPARE(measured.value(QStringLiteral("shot_count")).toInt(), 1000);
    const QJsonArray amplitudes = measured.value(QStringLiteral("amplitudes_before_measurement")).toArray();
    QCOMPARE(amplitudes[0].toArray()[0].toDouble(), 0.7071067811865475);
    QCOMPARE(amplitudes[3].toArray()[0].toDouble(), 0.7071067811865475);
    QVERIFY(!measured.contains(QStringLiteral("algorithm")));

    // Navigating rebuilds: no shots, no measurement.
    m_window->experiment().goToStep(1);
    const QJsonObject navigated = exportNow(QStringLiteral("navigated.json"));
    QCOMPARE(navigated.value(QStringLiteral("shot_count")).toInt(), 0);
    QVERIFY(!navigated.contains(QStringLiteral("histogram")));
    QVERIFY(!navigated.contains(QStringLiteral("single_measurement_outcome")));

    // One qubit: two amplitudes of two numbers each; a prediction short of the end has no probability.
    m_window->selectLesson(kCoinLesson);
    part<QComboBox>("m_predictionCombo")->setCurrentIndex(1);
    click("m_predictionButton");
    const QJsonObject coin = exportNow(QStringLiteral("coin.json"));
    QCOMPARE(coin.value(QStringLiteral("amplitudes_before_measurement")).toArray().size(), 2);
    QCOMPARE(coin.value(QStringLiteral("amplitudes_before_measurement")).toArray()[1].toArray().size(), 2);
    QCOMPARE(coin.value(QStringLiteral("predicted_outcome")).toInt(-1), 0);
    QVERIFY(!coin.contains(QStringLiteral("predicted_outcome_probability")));

    m_window->selectLesson(kGroverLesson);
    const QJsonObject grover = exportNow(QStringLiteral("grover.json"));
    QCOMPARE(grover.value(QStringLiteral("algorithm")).toString(),
             QString::fromUtf8(findAlgorithmInfo(kGroverLesson)->nameEn));
    QVERIFY(!grover.contains(QStringLiteral("algorithm_mode")));
}

void TestPanels::resultsNamesAndCancel_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addRow("plain") << "results"
                           << "results.json";
    QTest::addRow("upper-case") << "results.JSON"
                                << "results.JSON";
    QTest::addRow("cancelled") << ""
                               << "";
}

void TestPanels::resultsNamesAndCancel()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    m_fileNames << (chosen.isEmpty() ? QString() : directory.filePath(chosen));
    trigger("m_actionExport");
    QCOMPARE(m_dialogs, QStringList{QStringLiteral("save|Esporta risultati|Fasoria_results.json|JSON (*.json)")});
    const QStringList files = QDir(directory.path()).entryList(QDir::Files);
    QCOMPARE(files, written.isEmpty() ? QStringList() : QStringList{written});
    QVERIFY(m_titles.isEmpty());
}

void TestPanels::resultsThatCannotBeWrittenSayWhy()
{
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    // A folder that does not exist: the save fails, the user is told with the file's reason, nothing is left.
    m_fileNames << directory.filePath(QStringLiteral("missing/results.json"));
    trigger("m_actionExport");
    QCOMPARE(m_titles, QStringList{uiText(TextKey::SaveErrorTitle, Italian)});
    QVERIFY2(!lastMessage().isEmpty(), "the warning carries the reason");
    QVERIFY(!QFileInfo::exists(directory.filePath(QStringLiteral("missing"))));
    QVERIFY(!m_window->statusBar()->currentMessage().contains(QStringLiteral("results.json")));
}

QTEST_MAIN(TestPanels)

#include "test_panels.moc"
