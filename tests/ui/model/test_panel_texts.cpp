// The widget-free rules behind the panels: the experiment's button rules, challenge checks and hints with
// their notebook events, the file bookkeeping, the algorithm presentation and the results input.
#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/Challenge.h"
#include "curriculum/ChallengeDefinition.h"
#include "curriculum/LessonCatalog.h"
#include "editor/ChallengeFile.h"
#include "editor/CircuitEditor.h"
#include "editor/CircuitFile.h"
#include "tests/ui/Fixtures.h"
#include "ui/model/CircuitDocument.h"
#include "ui/model/Experiment.h"
#include "ui/model/ExperimentExport.h"
#include "ui/model/LogEvent.h"
#include "ui/model/PanelTexts.h"
#include "ui/texts/TextCatalog.h"

#include <QtTest>

using namespace Fasoria;

namespace {

constexpr int kBellChallenge = 9;

Circuit bell()
{
    Circuit circuit = customCircuit(2);
    circuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
    circuit.steps.emplace_back(GateKind::Cnot, 1, 0, 0.0);
    return circuit;
}

AlgorithmParameters parameters(AlgorithmKind kind, int qubits, int value)
{
    AlgorithmParameters p;
    p.kind = kind;
    p.qubits = qubits;
    p.groverTarget = value;
    p.bvSecret = value;
    p.deutschFunction = value;
    return p;
}

constexpr int kBellLesson = 2;
constexpr int kFirstChallenge = 4;

/// Puts in place what `loaded` names, over the Bell lesson (or the first challenge, whose lesson circuit is
/// empty, for "empty" and "challenge").
void load(Experiment &experiment, const QString &loaded)
{
    const bool challengeLesson = loaded == QLatin1String("empty") || loaded == QLatin1String("challenge");
    const Circuit &lesson = lessonCatalog()[challengeLesson ? kFirstChallenge : kBellLesson];
    QVERIFY(experiment.chooseLesson(challengeLesson ? kFirstChallenge : kBellLesson));
    experiment.restart();
    QString error;
    Circuit working = lesson;
    QString path;
    if (loaded == QLatin1String("file")) {
        QVERIFY(parseCircuit(serializeCircuit(lesson), working, &error));
        path = QStringLiteral("bell.fsor.json");
    } else if (loaded == QLatin1String("saved copy")) {
        path = QStringLiteral("bell.fsor.json");
    } else if (loaded == QLatin1String("empty")) {
        working = customCircuit(lesson.qubitCount);
    } else if (loaded == QLatin1String("grover") || loaded == QLatin1String("deutsch")) {
        const bool grover = loaded == QLatin1String("grover");
        const GeneratedAlgorithm generated =
            generateAlgorithm(parameters(grover ? AlgorithmKind::Grover : AlgorithmKind::Deutsch, 3, grover ? 5 : 1));
        QVERIFY(experiment.setWorkingCircuit(generated.circuit, QString(), &error));
        QVERIFY(experiment.attachAlgorithm(generated));
        return;
    } else if (loaded == QLatin1String("teacher")) {
        ChallengeFile challenge;
        challenge.definition.qubitCount = 1;
        challenge.definition.goalIt = "<b>x</b>";
        challenge.definition.goalEn = "<i>y</i>";
        Circuit reference = customCircuit(1);
        reference.steps.emplace_back(GateKind::X, 0, 0, 0.0);
        challenge.definition.target = targetFromCircuit(reference);
        QVERIFY2(experiment.openCustomChallenge(challenge, &error), qPrintable(error));
        return;
    }
    if (loaded != QLatin1String("lesson") && loaded != QLatin1String("challenge")) {
        QVERIFY2(experiment.setWorkingCircuit(working, path, &error), qPrintable(error));
    }
    if (loaded == QLatin1String("edited")) {
        QVERIFY(experiment.editWorkingCircuit(
            [](CircuitEditor &editor) { editor.insertGate(0, LessonStep(GateKind::X, 1, 0, 0.0)); }));
    }
}

} // namespace

Q_DECLARE_METATYPE(Fasoria::AlgorithmParameters)
Q_DECLARE_METATYPE(Fasoria::LoadedKind)

class TestPanelTexts : public QObject
{
    Q_OBJECT

private slots:
    void buttonRulesFollowTheExperiment();
    void documentMarkFollowsTheBytes();
    void challengeCheckRecordsAndResets();
    void hintsAreRecordedUpToThree();
    void generatorItemsMapToKinds();
    void generatedAlgorithmTexts_data();
    void generatedAlgorithmTexts();
    void checkpointChoice_data();
    void checkpointChoice();
    void correctOutputUsesAFreshReplay();
    void restoreKeepsTheDocument();
    void resultsInputTakesTheLastPreparations();
    void guidanceFollowsTheStage_data();
    void guidanceFollowsTheStage();
    void loadedNameSaysWhatIsLoaded_data();
    void loadedNameSaysWhatIsLoaded();
    void wholeCircuitRefusalsChangeNothing();
};

void TestPanelTexts::buttonRulesFollowTheExperiment()
{
    Experiment experiment;
    QVERIFY(!experiment.canStepForward());
    QVERIFY(!experiment.canMeasure());
    experiment.restart();
    QVERIFY(experiment.canStepForward());
    QVERIFY(!experiment.canGoBack());
    QVERIFY(experiment.canMeasure());
    QVERIFY(experiment.nextStep());
    QVERIFY(!experiment.canStepForward());
    QVERIFY(experiment.canGoBack());
    QVERIFY(experiment.measureOnce());
    QVERIFY(!experiment.canMeasure());
    QVERIFY(!experiment.canStepForward());
    QVERIFY(!experiment.nextStep());
    QVERIFY(!experiment.repeatPreparations(10));
    QVERIFY(experiment.goToStep(0));
    QVERIFY(experiment.canMeasure());
}

void TestPanelTexts::documentMarkFollowsTheBytes()
{
    CircuitDocument document;
    QVERIFY(!document.isModified());
    const Circuit circuit = bell();
    document.markSaved(QStringLiteral("bell.fsor.json"), serializeCircuit(circuit));
    document.recompute(&circuit);
    QVERIFY(!document.isModified());
    Circuit edited = circuit;
    edited.steps.pop_back();
    document.recompute(&edited);
    QVERIFY(document.isModified());
    // Back to the saved bytes: clean again.
    document.recompute(&circuit);
    QVERIFY(!document.isModified());
    document.recompute(nullptr);
    QVERIFY(!document.isModified());
    document.markNeverSaved();
    QVERIFY(document.isModified());
    QVERIFY(document.path().isEmpty());
    document.recompute(&circuit);
    QVERIFY(document.isModified());
}

void TestPanelTexts::challengeCheckRecordsAndResets()
{
    Experiment experiment;
    QVERIFY(!experiment.checkChallengeSolution());
    QVERIFY(experiment.chooseLesson(kBellChallenge));
    experiment.restart();
    QVERIFY(experiment.isChallengeMode());
    QVERIFY(experiment.editWorkingCircuit([](CircuitEditor &editor) {
        for (const LessonStep &step : bell().steps) {
            editor.insertGate(editor.circuit().steps.size(), step);
        }
    }));
    const std::size_t events = experiment.logEvents().size();
    QVERIFY(experiment.checkChallengeSolution());
    QCOMPARE(experiment.challengeStatus(), 1);
    QVERIFY(experiment.lastDiagnosis() != nullptr);
    QCOMPARE(experiment.logEvents().size(), events + 1);
    const LogEvent &check = experiment.logEvents().back();
    QCOMPARE(check.kind, static_cast<std::int32_t>(LogEventKind::ChallengeCheck));
    QCOMPARE(check.value, std::uint64_t{1});
    QCOMPARE(check.value2, std::uint64_t{10000});
    QCOMPARE(challengeResultText(experiment, English).left(8), QStringLiteral("SOLVED! "));
    QVERIFY(challengeDiagnosisText(experiment, English).isEmpty());

    QVERIFY(experiment.resetToStep(EditAction::GateInserted, 1));
    QCOMPARE(experiment.challengeStatus(), 0);
    QVERIFY(experiment.lastDiagnosis() == nullptr);
    QCOMPARE(challengeResultText(experiment, Italian), uiText(TextKey::NotChecked, Italian));
}

void TestPanelTexts::hintsAreRecordedUpToThree()
{
    Experiment experiment;
    QVERIFY(!experiment.showNextHint());
    QVERIFY(experiment.chooseLesson(kBellChallenge));
    for (std::uint64_t hint = 0; hint < 3; ++hint) {
        QVERIFY(experiment.showNextHint());
        QCOMPARE(experiment.logEvents().back().kind, static_cast<std::int32_t>(LogEventKind::Hint));
        QCOMPARE(experiment.logEvents().back().value, hint);
    }
    QVERIFY(!experiment.showNextHint());
    QCOMPARE(experiment.hintsShown(), 3);
    const Challenge *challenge = findChallenge(kBellChallenge);
    QCOMPARE(challengeHintText(experiment, English),
             QStringLiteral("Hint 3: ") + QString::fromUtf8(challenge->hint3En));
}

void TestPanelTexts::generatorItemsMapToKinds()
{
    QCOMPARE(kGeneratorKindItems[0].kind, AlgorithmKind::Grover);
    QCOMPARE(kGeneratorKindItems[1].kind, AlgorithmKind::BernsteinVazirani);
    QCOMPARE(kGeneratorKindItems[2].kind, AlgorithmKind::Deutsch);
    for (int index = 0; index < 3; ++index) {
        QCOMPARE(generatorKindIndex(kGeneratorKindItems[index].kind), index);
    }
}

void TestPanelTexts::generatedAlgorithmTexts_data()
{
    QTest::addColumn<AlgorithmParameters>("parameters");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("oracle");
    QTest::addColumn<QString>("readout");
    QTest::addRow("grover-en") << parameters(AlgorithmKind::Grover, 2, 2) << 1
                               << "Marks |10> among 4 states; 2 iterations."
                               << "Full register q1..q0 = 10";
    QTest::addRow("bv-it") << parameters(AlgorithmKind::BernsteinVazirani, 4, 9) << 0
                           << "f(x)=s.x mod 2; s=1001 (una chiamata logica all'oracolo)."
                           << "Registro dati q3..q0 = 1001. Ignora ausiliario q4.";
    QTest::addRow("bv-one-bit-en") << parameters(AlgorithmKind::BernsteinVazirani, 1, 1) << 1
                                   << "f(x)=s.x mod 2; s=1 (one logical oracle call)."
                                   << "Data register q0..q0 = 1. Ignore ancilla q1.";
    QTest::addRow("deutsch-en") << parameters(AlgorithmKind::Deutsch, 3, 3) << 1 << "Chosen function: f(x)=1-x."
                                << "Read q0 (0=constant; 1=balanced). Ignore q1.";
    QTest::addRow("deutsch-it") << parameters(AlgorithmKind::Deutsch, 3, 0) << 0 << "Funzione scelta: f(x)=0."
                                << "Leggi q0 (0=costante; 1=bilanciata). Ignora q1.";
}

void TestPanelTexts::generatedAlgorithmTexts()
{
    QFETCH(AlgorithmParameters, parameters);
    QFETCH(int, language);
    QFETCH(QString, oracle);
    QFETCH(QString, readout);
    const GeneratedAlgorithm generated = generateAlgorithm(parameters);
    Experiment experiment;
    QString error;
    QVERIFY(experiment.setWorkingCircuit(generated.circuit, QString(), &error));
    QVERIFY(experiment.attachAlgorithm(generated));
    const auto shown = presentAlgorithm(experiment, static_cast<Language>(language));
    QVERIFY(shown.has_value());
    QCOMPARE(shown->oracle, oracle);
    QCOMPARE(shown->readout, readout);
    QCOMPARE(shown->caveat, uiText(TextKey::QueryCaveat, static_cast<Language>(language)));
    QCOMPARE(shown->quantumQueries, generated.quantumQueries);
    QCOMPARE(static_cast<int>(shown->stages.size()), static_cast<int>(generated.stages.size()));

    // Another circuit is not the generated one: it cannot be attached.
    Circuit other = generated.circuit;
    other.steps.pop_back();
    QVERIFY(experiment.setWorkingCircuit(other, QString(), &error));
    QVERIFY(!experiment.attachAlgorithm(generated));
    QVERIFY(!presentAlgorithm(experiment, English).has_value());
}

void TestPanelTexts::checkpointChoice_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("selected");
    QTest::addRow("at the start") << 0 << 0;
    QTest::addRow("between the first two") << 2 << 0;
    QTest::addRow("on the second") << 3 << 1;
    QTest::addRow("between the second and third") << 5 << 1;
    QTest::addRow("past the last") << 9 << 2;
}

void TestPanelTexts::checkpointChoice()
{
    QFETCH(int, step);
    QFETCH(int, selected);
    const std::vector<AlgorithmStage> stages = {{0, "a", "a"}, {3, "b", "b"}, {7, "c", "c"}};
    QCOMPARE(currentCheckpoint(stages, static_cast<std::uint64_t>(step)), selected);
    QCOMPARE(checkpointText(stages[1], 12, English), QStringLiteral("3 / 12 - b"));
}

void TestPanelTexts::correctOutputUsesAFreshReplay()
{
    constexpr int kGroverLesson = 19;
    Experiment experiment;
    QVERIFY(experiment.chooseLesson(kGroverLesson));
    experiment.restart();
    QVERIFY(experiment.goToStep(experiment.stepCount()));
    const auto shown = presentAlgorithm(experiment, English);
    QVERIFY(shown.has_value());
    const QString before = correctOutputText(experiment, *shown, English);
    QVERIFY(experiment.measureOnce());
    QCOMPARE(correctOutputText(experiment, *shown, English), before);
    QVERIFY(before.startsWith(QStringLiteral("Correct-output probability at step %1: ").arg(experiment.stepCount())));
}

void TestPanelTexts::restoreKeepsTheDocument()
{
    Experiment experiment;
    QString error;
    QVERIFY(experiment.setWorkingCircuit(bell(), QStringLiteral("bell.fsor.json"), &error));
    const QByteArray saved = experiment.document().savedSnapshot();
    Circuit shorter = bell();
    shorter.steps.pop_back();
    QVERIFY(experiment.restoreWorkingCircuit(shorter, std::nullopt));
    QCOMPARE(experiment.document().savedSnapshot(), saved);
    QCOMPARE(experiment.document().path(), QStringLiteral("bell.fsor.json"));
    QVERIFY(experiment.resetToStep(EditAction::GateDeleted, 1));
    QVERIFY(experiment.document().isModified());
    // A circuit the editor refuses changes nothing.
    Circuit refused = customCircuit(9);
    QVERIFY(!experiment.restoreWorkingCircuit(refused, std::nullopt));
    QCOMPARE(experiment.workingCircuit()->steps.size(), std::size_t{1});
}

void TestPanelTexts::resultsInputTakesTheLastPreparations()
{
    Experiment experiment;
    QVERIFY(experiment.chooseLesson(2));
    experiment.restart();
    QVERIFY(experiment.goToStep(2));
    QVERIFY(experiment.repeatPreparations(100));
    QVERIFY(experiment.measureOnce());
    const ResultsInput input = resultsInput(experiment, QDateTime::currentDateTimeUtc(), QStringLiteral("0.16.0"));
    QCOMPARE(input.stage, std::uint64_t{2});
    QCOMPARE(input.histogram.size(), std::size_t{4});
    QVERIFY(input.singleMeasurement.has_value());
    QVERIFY(!input.prediction.has_value());
    QVERIFY(!input.catalogAlgorithm.has_value());
    QCOMPARE(resultsFileName(QStringLiteral("r")), QStringLiteral("r.json"));
    QCOMPARE(resultsFileName(QStringLiteral("r.Json")), QStringLiteral("r.Json"));
}

void TestPanelTexts::guidanceFollowsTheStage_data()
{
    QTest::addColumn<bool>("working");
    QTest::addColumn<int>("stage");
    QTest::addColumn<bool>("measured");
    QTest::addColumn<QString>("expected");
    const Lesson &bell = lessonCatalog()[2];
    const QString bellEnd = QString::fromUtf8(bell.explanationEn);
    const QString freeStart = uiText(TextKey::FreeLabStart, English);
    const QString freeEnd = uiText(TextKey::FreeLabEnd, English);
    QTest::addRow("lesson, start") << false << 0 << false << uiText(TextKey::ExplanationStart, English);
    QTest::addRow("lesson, first step") << false << 1 << false << stepDescription(bell, 0, false, English);
    QTest::addRow("lesson, end") << false << 2 << false << bellEnd;
    QTest::addRow("lesson, measured") << false << 2 << true << uiText(TextKey::ExplanationMeasured, English);
    QTest::addRow("own circuit, start") << true << 0 << false << freeStart;
    QTest::addRow("own circuit, first step") << true << 1 << false << stepDescription(bell, 0, true, English);
    // The student's circuit has no explanation of its own: its last step, then how to go on.
    QTest::addRow("own circuit, end") << true << 2 << false
                                      << stepDescription(bell, 1, true, English) + QLatin1Char('\n') + freeEnd;
}

void TestPanelTexts::guidanceFollowsTheStage()
{
    QFETCH(bool, working);
    QFETCH(int, stage);
    QFETCH(bool, measured);
    QFETCH(QString, expected);
    Experiment experiment;
    experiment.chooseLesson(2);
    experiment.restart();
    if (working) {
        QString error;
        QVERIFY2(experiment.setWorkingCircuit(experiment.shownCircuit(), QString(), &error), qPrintable(error));
        QVERIFY(experiment.resetToStep(EditAction::WorkingCopyCreated, 0));
    }
    if (stage > 0) {
        QVERIFY(experiment.goToStep(static_cast<std::uint64_t>(stage)));
    }
    if (measured) {
        QVERIFY(experiment.measureOnce());
    }
    QCOMPARE(guidanceText(experiment, English), expected);
}

void TestPanelTexts::loadedNameSaysWhatIsLoaded_data()
{
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<LoadedKind>("kind");
    QTest::addColumn<QString>("italian");
    QTest::addColumn<QString>("english");
    const QString customIt = QStringLiteral("Circuito personalizzato");
    const QString customEn = QStringLiteral("Custom circuit");
    QTest::addRow("catalog lesson") << "lesson" << LoadedKind::CatalogLesson << ""
                                    << "";
    QTest::addRow("copy of the lesson") << "copy" << LoadedKind::CatalogLesson << ""
                                        << "";
    QTest::addRow("copy saved to a file") << "saved copy" << LoadedKind::CatalogLesson << ""
                                          << "";
    QTest::addRow("built-in challenge's answer") << "challenge" << LoadedKind::CatalogLesson << ""
                                                 << "";
    QTest::addRow("edited copy") << "edited" << LoadedKind::Custom << customIt << customEn;
    QTest::addRow("the lesson's gates read from a file") << "file" << LoadedKind::Custom << customIt << customEn;
    QTest::addRow("empty circuit over an empty lesson") << "empty" << LoadedKind::Custom << customIt << customEn;
    QTest::addRow("Grover") << "grover" << LoadedKind::Algorithm << "Grover, 3 qubit"
                            << "Grover, 3 qubits";
    QTest::addRow("Deutsch") << "deutsch" << LoadedKind::Algorithm << "Deutsch, 2 qubit"
                             << "Deutsch, 2 qubits";
    QTest::addRow("teacher's challenge") << "teacher" << LoadedKind::TeacherChallenge
                                         << "Sfida dell'insegnante: <b>x</b>"
                                         << "Teacher's challenge: <i>y</i>";
}

void TestPanelTexts::loadedNameSaysWhatIsLoaded()
{
    QFETCH(QString, loaded);
    QFETCH(LoadedKind, kind);
    QFETCH(QString, italian);
    QFETCH(QString, english);
    Experiment experiment;
    load(experiment, loaded);
    QCOMPARE(loadedKind(experiment), kind);
    QCOMPARE(loadedName(experiment, Italian), italian);
    QCOMPARE(loadedName(experiment, English), english);
}

void TestPanelTexts::wholeCircuitRefusalsChangeNothing()
{
    Experiment experiment;
    QVERIFY(!experiment.prepareWholeCircuit(100));
    QVERIFY(experiment.state() == nullptr);
    QVERIFY(experiment.chooseLesson(kBellLesson));
    experiment.restart();
    const std::size_t events = experiment.logEvents().size();
    QVERIFY(!experiment.prepareWholeCircuit(0));
    QCOMPARE(experiment.currentStep(), std::uint64_t{0});
    QCOMPARE(experiment.logEvents().size(), events);
    QVERIFY(experiment.goToStep(2));
    QVERIFY(!experiment.prepareWholeCircuit(100));
    QCOMPARE(experiment.logEvents().size(), events + 1);
    QCOMPARE(experiment.shotsTotal(), std::uint64_t{0});
}

QTEST_GUILESS_MAIN(TestPanelTexts)

#include "test_panel_texts.moc"
