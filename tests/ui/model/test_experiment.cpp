#include "core/Circuit.h"
#include "core/GateText.h"
#include "curriculum/Challenge.h"
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitEditor.h"
#include "editor/CircuitFile.h"
#include "tests/ui/Fixtures.h"
#include "ui/model/Experiment.h"
#include "ui/model/LogEvent.h"

#include <QtTest>

#include <functional>
#include <numeric>

using namespace Fasoria;

namespace {

constexpr std::int32_t kBellLesson = 2;
constexpr std::int32_t kSignLesson = 3;
constexpr std::int32_t kFirstChallenge = 4;
constexpr std::int32_t kLastLesson = 20;

void prepareLesson(Experiment &experiment, std::int32_t lesson)
{
    experiment.chooseLesson(lesson);
    experiment.restart();
}

Circuit freeCircuit(std::int32_t qubits, std::size_t gates)
{
    Circuit circuit = customCircuit(qubits);
    for (std::size_t i = 0; i < gates; ++i) {
        circuit.steps.emplace_back(GateKind::H, static_cast<std::int32_t>(i) % qubits, 0, 0.0);
    }
    return circuit;
}

} // namespace

using ExperimentOperation = std::function<bool(Fasoria::Experiment &)>;
Q_DECLARE_METATYPE(ExperimentOperation)

class TestExperiment : public QObject
{
    Q_OBJECT

private slots:
    void nextStepMatchesReplay_data();
    void nextStepMatchesReplay();
    void goToStepRebuildsOnlyWhenNeeded_data();
    void goToStepRebuildsOnlyWhenNeeded();
    void previousStep();
    void measurementEndsStepping();
    void preparationsLeaveStateAndReportMostFrequent();
    void mostFrequentOutcomeTieTakesLowestIndex();
    void predictionRules();
    void notebookKeepsTwoHundredEvents();
    void chooseLesson_data();
    void chooseLesson();
    void workingCircuitReplacement();
    void resetToStepKeepsTheRecord();
    void renderLogEvent_data();
    void renderLogEvent();
    void fixedTextNeverNegativeZero_data();
    void fixedTextNeverNegativeZero();
    void generatorSeededWithOneSystemValue();
    void renderDescribesTheEventsCircuit_data();
    void renderDescribesTheEventsCircuit();
    void operationsAnnounceWhatChanged_data();
    void operationsAnnounceWhatChanged();
    void batchesAnnounceOnce();
    void editsAreUndoneAndRedone();
};

void TestExperiment::nextStepMatchesReplay_data()
{
    QTest::addColumn<int>("lesson");
    for (int lesson = 0; lesson <= kLastLesson; ++lesson) {
        QTest::addRow("lesson-%02d", lesson + 1) << lesson;
    }
}

void TestExperiment::nextStepMatchesReplay()
{
    QFETCH(int, lesson);
    Experiment experiment;
    prepareLesson(experiment, lesson);
    const Circuit &circuit = experiment.shownCircuit();
    for (std::uint64_t step = 1; step <= circuit.steps.size(); ++step) {
        QVERIFY(experiment.nextStep());
        QCOMPARE(experiment.currentStep(), step);
        QVERIFY2(sameState(*experiment.state(), replayPrefix(circuit, step)), qPrintable(QString::number(step)));
        QCOMPARE(experiment.logEvents().back().kind, static_cast<std::int32_t>(LogEventKind::Step));
        QCOMPARE(experiment.logEvents().back().value, step - 1);
    }
    QVERIFY(!experiment.nextStep());
    QCOMPARE(experiment.logEvents().size(), circuit.steps.size() + 1);
}

void TestExperiment::goToStepRebuildsOnlyWhenNeeded_data()
{
    QTest::addColumn<bool>("measure");
    QTest::addColumn<bool>("sample");
    QTest::addColumn<bool>("rebuilt");
    QTest::addRow("nothing-shown") << false << false << false;
    QTest::addRow("after-measurement") << true << false << true;
    QTest::addRow("after-preparations") << false << true << true;
}

void TestExperiment::goToStepRebuildsOnlyWhenNeeded()
{
    QFETCH(bool, measure);
    QFETCH(bool, sample);
    QFETCH(bool, rebuilt);
    Experiment experiment;
    prepareLesson(experiment, kBellLesson);
    experiment.nextStep();
    experiment.nextStep();
    if (sample) {
        QVERIFY(experiment.repeatPreparations(100));
    }
    if (measure) {
        QVERIFY(experiment.measureOnce());
    }
    const std::size_t events = experiment.logEvents().size();

    QCOMPARE(experiment.goToStep(2), rebuilt);
    QCOMPARE(experiment.logEvents().size(), events + (rebuilt ? 1 : 0));
    QCOMPARE(experiment.currentStep(), std::uint64_t{2});
    if (rebuilt) {
        QVERIFY(!experiment.isMeasured());
        QCOMPARE(experiment.shotsTotal(), std::uint64_t{0});
        QCOMPARE(experiment.lastShotsTotal(), std::uint64_t{0});
        QCOMPARE(experiment.lastOutcome(), -1);
        QVERIFY(sameState(*experiment.state(), replayPrefix(experiment.shownCircuit(), 2)));
        QCOMPARE(experiment.logEvents().back().kind, static_cast<std::int32_t>(LogEventKind::Navigation));
    }
    QVERIFY(!experiment.goToStep(3));
    QCOMPARE(experiment.currentStep(), std::uint64_t{2});
}

void TestExperiment::previousStep()
{
    Experiment experiment;
    prepareLesson(experiment, kSignLesson);
    QVERIFY(!experiment.previousStep());
    experiment.nextStep();
    experiment.nextStep();
    QVERIFY(experiment.previousStep());
    QCOMPARE(experiment.currentStep(), std::uint64_t{1});
    QVERIFY(experiment.previousStep());
    QCOMPARE(experiment.currentStep(), std::uint64_t{0});
    QVERIFY(!experiment.previousStep());

    // At step 0 after a measurement, Previous rebuilds the unmeasured preparation.
    QVERIFY(experiment.measureOnce());
    QVERIFY(experiment.previousStep());
    QVERIFY(!experiment.isMeasured());
    QCOMPARE(experiment.currentStep(), std::uint64_t{0});
    QVERIFY(sameState(*experiment.state(), replayPrefix(experiment.shownCircuit(), 0)));
}

void TestExperiment::measurementEndsStepping()
{
    Experiment experiment;
    prepareLesson(experiment, kBellLesson);
    experiment.nextStep();
    experiment.nextStep();
    QVERIFY(experiment.repeatPreparations(1000));
    const Histogram sampled = experiment.histogram();
    QVERIFY(experiment.measureOnce());

    const std::int32_t outcome = experiment.lastOutcome();
    QVERIFY2(outcome == 0 || outcome == 3, "a Bell pair measures 00 or 11");
    QCOMPARE(experiment.state()->amplitude(static_cast<std::uint64_t>(outcome)).re, 1.0);
    QCOMPARE(experiment.state()->totalProbability(), 1.0);
    QCOMPARE(experiment.shotsTotal(), std::uint64_t{0});
    QCOMPARE(experiment.lastShotsTotal(), std::uint64_t{1000});
    QCOMPARE(experiment.lastShotsCounts(), sampled);
    QCOMPARE(experiment.logEvents().back().value, static_cast<std::uint64_t>(outcome));

    QVERIFY(!experiment.measureOnce());
    QVERIFY(!experiment.nextStep());
    QVERIFY(!experiment.repeatPreparations(10));
    QCOMPARE(experiment.lastOutcome(), outcome);
}

void TestExperiment::preparationsLeaveStateAndReportMostFrequent()
{
    Experiment experiment;
    prepareLesson(experiment, kBellLesson);
    experiment.nextStep();
    experiment.nextStep();
    const StateVector before = *experiment.state();
    QVERIFY(!experiment.repeatPreparations(0));
    QVERIFY(experiment.repeatPreparations(10000));

    QVERIFY(sameState(*experiment.state(), before));
    const Histogram &counts = experiment.histogram();
    QCOMPARE(std::accumulate(counts.begin(), counts.end(), std::uint64_t{0}), std::uint64_t{10000});
    QCOMPARE(counts[1] + counts[2], std::uint64_t{0});
    const LogEvent &event = experiment.logEvents().back();
    QCOMPARE(event.kind, static_cast<std::int32_t>(LogEventKind::Preparations));
    QCOMPARE(event.value, counts[0] >= counts[3] ? std::uint64_t{0} : std::uint64_t{3});
    QCOMPARE(event.value2, counts[event.value]);
    QCOMPARE(event.shots, std::uint64_t{10000});

    // Any step change clears the histogram.
    experiment.goToStep(1);
    QVERIFY(experiment.histogram().empty());
    QCOMPARE(experiment.lastShotsTotal(), std::uint64_t{0});
}

void TestExperiment::mostFrequentOutcomeTieTakesLowestIndex()
{
    Experiment experiment;
    prepareLesson(experiment, 0);
    experiment.nextStep();
    // Ten shots of H|0> tie 5:5 about one time in four; look for seeds that give one.
    int ties = 0;
    for (std::uint64_t seed = 1; seed <= 200 && ties < 3; ++seed) {
        experiment.random().seed(seed);
        QVERIFY(experiment.repeatPreparations(10));
        const Histogram &counts = experiment.histogram();
        const LogEvent &event = experiment.logEvents().back();
        if (counts[0] == counts[1]) {
            ++ties;
            QCOMPARE(event.value, std::uint64_t{0});
        } else {
            QCOMPARE(event.value, counts[1] > counts[0] ? std::uint64_t{1} : std::uint64_t{0});
        }
        QCOMPARE(event.value2, counts[event.value]);
    }
    QVERIFY2(ties > 0, "no tie among the seeds tried");
}

void TestExperiment::predictionRules()
{
    Experiment experiment;
    prepareLesson(experiment, kBellLesson);
    QVERIFY(!experiment.recordPrediction(4));
    QVERIFY(experiment.recordPrediction(3));
    QCOMPARE(experiment.prediction(), 3);
    QCOMPARE(experiment.logEvents().back().kind, static_cast<std::int32_t>(LogEventKind::Prediction));

    // It survives stepping, navigation and a measurement; the theory uses a fresh replay.
    experiment.nextStep();
    QVERIFY(!experiment.canRecordPrediction());
    experiment.nextStep();
    experiment.goToStep(1);
    experiment.nextStep();
    experiment.measureOnce();
    QCOMPARE(experiment.prediction(), 3);
    QCOMPARE(experiment.predictionProbabilityAtEnd(), 0.5);

    experiment.restart();
    QCOMPARE(experiment.prediction(), -1);
    QVERIFY(experiment.repeatPreparations(10));
    QVERIFY(!experiment.recordPrediction(0));
    experiment.restart();
    experiment.measureOnce();
    QVERIFY(!experiment.recordPrediction(0));
}

void TestExperiment::notebookKeepsTwoHundredEvents()
{
    Experiment experiment;
    int appended = 0;
    int cleared = 0;
    experiment.setLogObservers([&appended](const LogEvent &) { ++appended; }, [&cleared] { ++cleared; });
    for (std::uint64_t i = 0; i < 201; ++i) {
        experiment.appendLog(LogEventKind::Navigation, i, 0);
    }
    QCOMPARE(appended, 201);
    QCOMPARE(experiment.logEvents().size(), Experiment::kMaxLogEvents);
    QCOMPARE(experiment.logEvents().front().value, std::uint64_t{1});
    QCOMPARE(experiment.logEvents().back().value, std::uint64_t{200});
    experiment.clearLog();
    QCOMPARE(cleared, 1);
    QVERIFY(experiment.logEvents().empty());
}

void TestExperiment::chooseLesson_data()
{
    QTest::addColumn<int>("lesson");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("challenge");
    QTest::addRow("guided") << kBellLesson << true << false;
    QTest::addRow("challenge") << kFirstChallenge << true << true;
    QTest::addRow("algorithm") << kLastLesson << true << false;
    QTest::addRow("past-the-end") << kLastLesson + 1 << false << false;
    QTest::addRow("negative") << -1 << false << false;
}

void TestExperiment::chooseLesson()
{
    QFETCH(int, lesson);
    QFETCH(bool, accepted);
    QFETCH(bool, challenge);
    Experiment experiment;
    prepareLesson(experiment, 1);
    QCOMPARE(experiment.chooseLesson(lesson), accepted);
    if (!accepted) {
        QCOMPARE(experiment.lessonIndex(), 1);
        QCOMPARE(experiment.logEvents().size(), std::size_t{1});
        return;
    }
    QCOMPARE(experiment.lessonIndex(), lesson);
    QVERIFY(experiment.logEvents().empty());
    QCOMPARE(experiment.isChallengeMode(), challenge);
    QCOMPARE(experiment.workingCircuit() != nullptr, challenge);
    const Lesson &catalogLesson = lessonCatalog()[static_cast<std::size_t>(lesson)];
    QCOMPARE(experiment.shownCircuit().qubitCount, catalogLesson.qubitCount);
    QCOMPARE(experiment.stepCount(), catalogLesson.steps.size());
    if (challenge) {
        QCOMPARE(experiment.document().savedSnapshot(), serializeCircuit(catalogLesson));
        QVERIFY(!experiment.document().isModified());
    }
}

void TestExperiment::workingCircuitReplacement()
{
    Experiment experiment;
    prepareLesson(experiment, kBellLesson);
    experiment.nextStep();
    QString error;
    QVERIFY(!experiment.setWorkingCircuit(freeCircuit(9, 1), QString(), &error));
    QCOMPARE(error, QStringLiteral("Unsupported number of editable qubits"));
    QVERIFY(!experiment.setWorkingCircuit(freeCircuit(2, 257), QString(), &error));
    QCOMPARE(error, QStringLiteral("Too many operations"));
    QVERIFY(experiment.workingCircuit() == nullptr);
    QCOMPARE(experiment.currentStep(), std::uint64_t{1});

    const Circuit wide = freeCircuit(8, 256);
    QVERIFY(experiment.setWorkingCircuit(wide, QStringLiteral("/tmp/wide.fsor.json"), &error));
    QVERIFY(experiment.resetToStep(EditAction::WorkingCopyCreated, 0));
    QCOMPARE(experiment.state()->dimension(), std::uint64_t{256});
    QCOMPARE(experiment.stepCount(), std::uint64_t{256});
    QCOMPARE(experiment.document().path(), QStringLiteral("/tmp/wide.fsor.json"));
    QCOMPARE(experiment.document().savedSnapshot(), serializeCircuit(wide));
    QVERIFY(!experiment.document().isModified());
}

void TestExperiment::resetToStepKeepsTheRecord()
{
    Experiment experiment;
    prepareLesson(experiment, kBellLesson);
    experiment.nextStep();
    experiment.recordPrediction(0);
    const std::size_t before = experiment.logEvents().size();
    QVERIFY(!experiment.resetToStep(EditAction::GateInserted, 3));
    QCOMPARE(experiment.currentStep(), std::uint64_t{1});
    QCOMPARE(experiment.logEvents().size(), before);

    QVERIFY(experiment.resetToStep(EditAction::GateReplaced, 2));
    QCOMPARE(experiment.currentStep(), std::uint64_t{2});
    QCOMPARE(experiment.prediction(), -1);
    QCOMPARE(experiment.challengeStatus(), 0);
    // What came before stays; the preparation's header and the edit follow it.
    QCOMPARE(experiment.logEvents().size(), before + 2);
    QCOMPARE(experiment.logEvents()[1].kind, static_cast<std::int32_t>(LogEventKind::Step));
    QCOMPARE(experiment.logEvents()[before].kind, static_cast<std::int32_t>(LogEventKind::Prepared));
    const LogEvent &editor = experiment.logEvents()[before + 1];
    QCOMPARE(editor.kind, static_cast<std::int32_t>(LogEventKind::Editor));
    QCOMPARE(editor.value, static_cast<std::uint64_t>(EditAction::GateReplaced));
    QCOMPARE(editor.value2, std::uint64_t{2});
    QVERIFY(!experiment.document().isModified());
}

void TestExperiment::renderLogEvent_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("lesson");
    QTest::addColumn<qulonglong>("value");
    QTest::addColumn<qulonglong>("value2");
    QTest::addColumn<qulonglong>("shots");
    QTest::addColumn<bool>("working");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");

    QTest::addRow("prepared-en") << 0 << 0 << 0ULL << 0ULL << 0ULL << false << 1
                                 << QStringLiteral("\n=== 01 - The quantum coin ===\nPrepared |0> (1 qubit).");
    QTest::addRow("prepared-it-plural") << 0 << kBellLesson << 0ULL << 0ULL << 0ULL << false << 0
                                        << QStringLiteral(
                                               "\n=== 03 - Le monete gemelle ===\nPreparato |00> (2 qubit).");
    QTest::addRow("navigation-it") << 2 << 0 << 7ULL << 0ULL << 0ULL << false << 0
                                   << QStringLiteral("Navigazione: ricostruito lo stato dopo 7 operazioni (misure "
                                                     "azzerate).");
    QTest::addRow("measurement-bits") << 3 << kBellLesson << 2ULL << 0ULL << 0ULL << false << 1
                                      << QStringLiteral("MEASURE -> 10. State collapsed: press Restart for a new run.");
    QTest::addRow("preparations-en") << 4 << kBellLesson << 3ULL << 502ULL << 1000ULL << false << 1
                                     << QStringLiteral("1000 independent preparations -> most frequent outcome: 11 "
                                                       "(502 times).");
    QTest::addRow("validation") << 5 << 0 << 11ULL << 12ULL << 0ULL << false << 1
                                << QStringLiteral("Validation: 11 / 12 checks passed. Details and export available.");
    QTest::addRow("prediction") << 7 << kBellLesson << 1ULL << 0ULL << 0ULL << false << 1
                                << QStringLiteral("PREDICTION -> |01>");
    QTest::addRow("challenge-solved") << 8 << kFirstChallenge << 1ULL << 10000ULL << 0ULL << true << 1
                                      << QStringLiteral("CHALLENGE SOLVED - fidelity 100.00%.");
    QTest::addRow("challenge-open-it") << 8 << kFirstChallenge << 0ULL << 4999ULL << 0ULL << true << 0
                                       << QStringLiteral("SFIDA DA COMPLETARE - fedeltà 49.99%.");
    const Challenge *challenge = findChallenge(kFirstChallenge);
    QVERIFY(challenge);
    QTest::addRow("hint-first-it") << 9 << kFirstChallenge << 0ULL << 0ULL << 0ULL << true << 0
                                   << QStringLiteral("SFIDA - suggerimento 1: ") +
                                          QString::fromUtf8(challenge->hint1It);
    QTest::addRow("hint-third-en") << 9 << kFirstChallenge << 2ULL << 0ULL << 0ULL << true << 1
                                   << QStringLiteral("CHALLENGE - hint 3: ") + QString::fromUtf8(challenge->hint3En);
    QTest::addRow("hint-past-three") << 9 << kFirstChallenge << 3ULL << 0ULL << 0ULL << true << 1 << QString();
    QTest::addRow("hint-of-no-challenge") << 9 << 0 << 0ULL << 0ULL << 0ULL << false << 1 << QString();
    QTest::addRow("distribution-without-lab")
        << 10 << 0 << 2ULL << 0ULL << 0ULL << false << 1 << QStringLiteral("DISTRIBUTION PREDICTION: 2 - ");
    QTest::addRow("unknown-kind") << 42 << 0 << 0ULL << 0ULL << 0ULL << false << 1 << QString();
}

void TestExperiment::renderLogEvent()
{
    QFETCH(int, kind);
    QFETCH(int, lesson);
    QFETCH(qulonglong, value);
    QFETCH(qulonglong, value2);
    QFETCH(qulonglong, shots);
    QFETCH(bool, working);
    QFETCH(int, language);
    QFETCH(QString, expected);
    const Circuit workingCircuit = lessonCatalog()[static_cast<std::size_t>(lesson)];
    LogContext context;
    context.language = static_cast<Language>(language);
    context.currentLessonIndex = lesson;
    context.workingCircuit = working ? &workingCircuit : nullptr;
    QCOMPARE(Fasoria::renderLogEvent(LogEvent{kind, lesson, value, value2, shots, 0, Gate{}, false}, context),
             expected);
}

void TestExperiment::fixedTextNeverNegativeZero_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::addRow("negative-zero") << -0.0 << 6 << QStringLiteral("0.000000");
    QTest::addRow("tiny-negative-amplitude") << -1.2e-17 << 6 << QStringLiteral("0.000000");
    QTest::addRow("below-half-unit") << -0.0049 << 2 << QStringLiteral("0.00");
    QTest::addRow("above-half-unit") << -0.0051 << 2 << QStringLiteral("-0.01");
    QTest::addRow("norm-rounds-up") << 0.9999999999 << 9 << QStringLiteral("1.000000000");
    QTest::addRow("phase") << -180.0 << 1 << QStringLiteral("-180.0");
}

void TestExperiment::fixedTextNeverNegativeZero()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(fixedText(value, decimals), expected);
}

void TestExperiment::generatorSeededWithOneSystemValue()
{
    // A fresh generator's first state word is its seed: one 32-bit value of the system source, zero-extended.
    for (int run = 0; run < 8; ++run) {
        Experiment experiment;
        const std::string state = experiment.random().stateText();
        bool parsed = false;
        const qulonglong seed = QString::fromStdString(state.substr(0, state.find(' '))).toULongLong(&parsed);
        QVERIFY(parsed);
        QVERIFY2(seed <= 0xFFFFFFFFULL, qPrintable(QString::number(seed)));
        QCOMPARE(experiment.random().stateText(), RandomGenerator(seed).stateText());
    }
}

void TestExperiment::renderDescribesTheEventsCircuit_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("shownLesson");
    QTest::addColumn<qulonglong>("value");
    QTest::addColumn<qulonglong>("value2");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");
    // The events are recorded on lesson 0 (one qubit); a three-qubit working circuit H(q0) may be shown.
    const Lesson &coin = lessonCatalog()[0];
    const Circuit working = freeCircuit(3, 1);
    QTest::addRow("measurement-of-working-circuit")
        << 3 << 0 << 5ULL << 0ULL << 1
        << QStringLiteral("MEASURE -> 101. State collapsed: press Restart for a new run.");
    QTest::addRow("measurement-of-another-lesson")
        << 3 << 1 << 1ULL << 0ULL << 1 << QStringLiteral("MEASURE -> 1. State collapsed: press Restart for a new run.");
    QTest::addRow("prepared-working-circuit-it")
        << 0 << 0 << 0ULL << 0ULL << 0
        << QStringLiteral("\n=== %1 ===\nPreparato |000> (3 qubit).").arg(QString::fromUtf8(working.titleIt));
    QTest::addRow("step-of-working-circuit")
        << 1 << 0 << 0ULL << 0ULL << 1
        << QStringLiteral("Step 1: H(q0) - ") + QString::fromUtf8(gateDescription(GateKind::H, English));
    QTest::addRow("step-of-catalog-lesson-it")
        << 1 << 1 << 0ULL << 0ULL << 0
        << QStringLiteral("Passo 1: H(q0) - ") + QString::fromUtf8(coin.steps[0].explanationIt);
    QTest::addRow("editor-it") << 6 << 0 << 1ULL << 3ULL << 0
                               << QStringLiteral("EDITOR: %1 | passo selezionato 3")
                                      .arg(QString::fromUtf8(editActionWord(EditAction::GateInserted, Italian)));
    QTest::addRow("distribution-it") << 10 << 0 << 0ULL << 0ULL << 0
                                     << QStringLiteral("PREVISIONE DISTRIBUZIONE: 0 - ");
}

void TestExperiment::renderDescribesTheEventsCircuit()
{
    QFETCH(int, kind);
    QFETCH(int, shownLesson);
    QFETCH(qulonglong, value);
    QFETCH(qulonglong, value2);
    QFETCH(int, language);
    QFETCH(QString, expected);
    const Circuit working = freeCircuit(3, 1);
    LogContext context;
    context.language = static_cast<Language>(language);
    context.currentLessonIndex = shownLesson;
    context.workingCircuit = &working;
    QCOMPARE(Fasoria::renderLogEvent(LogEvent{kind, 0, value, value2, 0, 0, Gate{}, false}, context), expected);
}

void TestExperiment::operationsAnnounceWhatChanged_data()
{
    QTest::addColumn<int>("lesson");
    QTest::addColumn<ExperimentOperation>("operation");
    // Each announcement heard, in order; none for an operation refused or one a rebuild must follow.
    QTest::addColumn<QList<int>>("heard");
    using E = Experiment;
    const auto row = [](const char *name, int lesson, ExperimentOperation operation, QList<int> heard) {
        QTest::addRow("%s", name) << lesson << operation << heard;
    };
    row("restart", kBellLesson,
        [](E &e) {
            e.restart();
            return true;
        },
        {E::Restarted});
    row("next step", kBellLesson, [](E &e) { return e.nextStep(); }, {E::Stepped});
    row("go to a stage", kBellLesson, [](E &e) { return e.goToStep(2); }, {E::Replayed});
    row("the stage shown", kBellLesson, [](E &e) { return !e.goToStep(0); }, {});
    row("previous step", kBellLesson, [](E &e) { return e.nextStep() && e.previousStep(); }, {E::Stepped, E::Replayed});
    row("measure", kBellLesson, [](E &e) { return e.measureOnce(); }, {E::Stepped});
    row("measured twice", kBellLesson, [](E &e) { return e.measureOnce() && !e.measureOnce(); }, {E::Stepped});
    row("preparations", kBellLesson, [](E &e) { return e.repeatPreparations(100); }, {E::Stepped});
    row("prediction", kBellLesson, [](E &e) { return e.recordPrediction(3); }, {E::Predicted});
    row("whole circuit prepared", kBellLesson, [](E &e) { return e.prepareWholeCircuit(100); },
        {E::Replayed | E::Stepped});
    row("whole circuit at its end", kBellLesson, [](E &e) { return e.goToStep(2) && !e.prepareWholeCircuit(100); },
        {E::Replayed});
    row("start a lesson", kBellLesson, [](E &e) { return e.startLesson(kSignLesson); }, {E::Restarted});
    row("lesson outside the catalog", kBellLesson, [](E &e) { return !e.startLesson(21); }, {});
    row("working circuit, then the rebuild", kBellLesson,
        [](E &e) {
            QString error;
            return e.setWorkingCircuit(freeCircuit(2, 3), QString(), &error) &&
                   e.resetToStep(EditAction::WorkingCopyCreated, 1);
        },
        {E::Restarted});
    row("challenge checked and hinted", kFirstChallenge,
        [](E &e) { return e.checkChallengeSolution() && e.showNextHint(); },
        {E::ChallengeProgressed, E::ChallengeProgressed});
}

void TestExperiment::operationsAnnounceWhatChanged()
{
    QFETCH(int, lesson);
    QFETCH(ExperimentOperation, operation);
    QFETCH(QList<int>, heard);
    Experiment experiment;
    prepareLesson(experiment, lesson);
    QList<int> announced;
    QObject::connect(&experiment, &Experiment::changed,
                     [&announced](Experiment::Changes changes) { announced << static_cast<int>(changes); });
    QVERIFY(operation(experiment));
    QCOMPARE(announced, heard);
}

void TestExperiment::batchesAnnounceOnce()
{
    Experiment experiment;
    prepareLesson(experiment, kBellLesson);
    QList<int> announced;
    QObject::connect(&experiment, &Experiment::changed,
                     [&announced](Experiment::Changes changes) { announced << static_cast<int>(changes); });
    {
        const Experiment::ChangeBatch outer(experiment);
        QVERIFY(experiment.nextStep());
        {
            const Experiment::ChangeBatch inner(experiment);
            experiment.restart();
        }
        QVERIFY(experiment.measureOnce());
        // Nothing is shown half-way.
        QVERIFY(announced.isEmpty());
    }
    QCOMPARE(announced, QList<int>{Experiment::Stepped | Experiment::Restarted});
    // A batch in which nothing changed says nothing.
    {
        const Experiment::ChangeBatch quiet(experiment);
        QVERIFY(!experiment.measureOnce());
    }
    QCOMPARE(announced.size(), 1);
}

void TestExperiment::editsAreUndoneAndRedone()
{
    Experiment experiment;
    prepareLesson(experiment, kBellLesson);
    QString error;
    QVERIFY(experiment.setWorkingCircuit(freeCircuit(2, 2), QString(), &error));
    QVERIFY(experiment.resetToStep(EditAction::WorkingCopyCreated, 2));
    const QByteArray original = serializeCircuit(*experiment.workingCircuit());
    QList<int> announced;
    QObject::connect(&experiment, &Experiment::changed,
                     [&announced](Experiment::Changes changes) { announced << static_cast<int>(changes); });

    // An edit is one announcement, rebuilt where it asked, and can be undone.
    const LessonStep x(GateKind::X, 1, 0, 0.0);
    QVERIFY(
        experiment.applyEdit(EditAction::GateInserted, 1, [&x](CircuitEditor &editor) { editor.insertGate(0, x); }));
    QCOMPARE(announced, QList<int>{Experiment::Restarted});
    QCOMPARE(experiment.stepCount(), std::uint64_t{3});
    QCOMPARE(experiment.currentStep(), std::uint64_t{1});
    const QByteArray edited = serializeCircuit(*experiment.workingCircuit());

    // An edit the editor refuses changes nothing, the undo history included.
    QVERIFY_EXCEPTION_THROWN(
        experiment.applyEdit(EditAction::GateDeleted, 0, [](CircuitEditor &editor) { editor.eraseGate(99); }),
        std::out_of_range);
    QCOMPARE(serializeCircuit(*experiment.workingCircuit()), edited);
    QCOMPARE(announced.size(), 1);

    // Undo puts back the circuit and the stage it was edited at; redo the edit; nothing is left after.
    QVERIFY(experiment.undo());
    QCOMPARE(serializeCircuit(*experiment.workingCircuit()), original);
    QCOMPARE(experiment.currentStep(), std::uint64_t{2});
    QVERIFY(!experiment.undo());
    QVERIFY(experiment.redo());
    QCOMPARE(serializeCircuit(*experiment.workingCircuit()), edited);
    QVERIFY(!experiment.redo());
    QCOMPARE(announced.size(), 3);
}

QTEST_GUILESS_MAIN(TestExperiment)
#include "test_experiment.moc"
