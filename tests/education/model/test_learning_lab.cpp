#include "core/Circuit.h"
#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/LessonCatalog.h"
#include "education/model/LearningLab.h"
#include "ui/model/Experiment.h"

#include <QtTest>

#include <cmath>

using namespace Fasoria;

Q_DECLARE_METATYPE(Fasoria::Circuit)

namespace {

constexpr int kEqually = 3;
constexpr int kAlwaysZero = 1;
constexpr int kAlwaysOne = 2;
constexpr int kDontKnow = 4;

void prepare(Experiment &experiment, std::int32_t lesson)
{
    experiment.chooseLesson(lesson);
    experiment.restart();
}

Circuit circuitOf(std::int32_t qubits, std::initializer_list<Gate> gates)
{
    Circuit circuit;
    circuit.qubitCount = qubits;
    for (const Gate &gate : gates) {
        circuit.steps.emplace_back(gate.kind, gate.target, gate.control, gate.angle);
    }
    return circuit;
}

Gate h(std::int32_t q)
{
    return {GateKind::H, q, 0, 0.0};
}

Gate p(std::int32_t q, double angle)
{
    return {GateKind::P, q, 0, angle};
}

Gate cx(std::int32_t control, std::int32_t target)
{
    return {GateKind::Cnot, target, control, 0.0};
}

/// Four qubits holding two copies of (|00> + |01> + |10> + i|11>)/2 with H on the lower qubit: 3 × 3 = 9 outcomes.
Circuit nineOutcomes()
{
    Circuit circuit = circuitOf(4, {});
    const double quarter = std::acos(-1.0) / 4.0;
    for (std::int32_t low : {0, 2}) {
        const std::int32_t high = low + 1;
        for (const Gate &gate : {h(low), h(high), p(low, quarter), p(high, quarter), cx(high, low), p(low, -quarter),
                                 cx(high, low), h(low)}) {
            circuit.steps.emplace_back(gate.kind, gate.target, gate.control, gate.angle);
        }
    }
    return circuit;
}

ExperimentView viewOf(const Circuit &circuit, const StateVector &state, std::uint64_t step)
{
    ExperimentView view;
    view.circuit = &circuit;
    view.state = &state;
    view.currentStep = step;
    return view;
}

} // namespace

class TestLearningLab : public QObject
{
    Q_OBJECT

private slots:
    void coinPredictionFeedback_data();
    void coinPredictionFeedback();
    void feedbackUsesTheoryNotTheMeasurement();
    void feedbackPastTheStartSaysWhereToRecord();
    void recordingOnlyWhileOpen_data();
    void recordingOnlyWhileOpen();
    void clearedPredictionReopens();
    void presetHhz();
    void presetHhHzh();
    void copiesNeedSameQubitCount();
    void descriptionCut_data();
    void descriptionCut();
    void descriptionFormat();
    void bellTable_data();
    void bellTable();
    void observedListsAtMostEight_data();
    void observedListsAtMostEight();
    void groverPresets_data();
    void groverPresets();
    void appendHRule();
    void captureAndStageChecks();
    void startDetails_data();
    void startDetails();
    void textsInBothLanguages_data();
    void textsInBothLanguages();
};

void TestLearningLab::coinPredictionFeedback_data()
{
    QTest::addColumn<int>("lesson");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("expected");
    QTest::addRow("coin-equally-likely")
        << 0 << kEqually << "All outcomes equally likely. Your prediction matches the theoretical distribution.";
    QTest::addRow("coin-always-0") << 0 << kAlwaysZero
                                   << "Always 0. Theory differs: compare the values and reconsider the gate sequence.";
    QTest::addRow("coin-dont-know")
        << 0 << kDontKnow << "I don't know yet. Now observe the distribution and explain it in your conclusion.";
    QTest::addRow("second-h-always-0") << 1 << kAlwaysZero
                                       << "Always 0. Your prediction matches the theoretical distribution.";
    QTest::addRow("sign-always-1") << 3 << kAlwaysOne
                                   << "Always 1. Your prediction matches the theoretical distribution.";
    QTest::addRow("sign-equally-likely")
        << 3 << kEqually
        << "All outcomes equally likely. Theory differs: compare the values and reconsider the gate sequence.";
    QTest::addRow("bell-equally-likely")
        << 2 << kEqually
        << "All outcomes equally likely. Theory differs: compare the values and reconsider the gate sequence.";
}

void TestLearningLab::coinPredictionFeedback()
{
    QFETCH(int, lesson);
    QFETCH(int, choice);
    QFETCH(QString, expected);
    Experiment experiment;
    prepare(experiment, lesson);
    LearningLab lab;
    QCOMPARE(lab.predictionFeedback(ExperimentView::of(experiment), English),
             QStringLiteral("Record before starting; comparison uses theory, not one random draw."));
    QVERIFY(lab.recordPrediction(ExperimentView::of(experiment), choice, QStringLiteral("a hunch")));
    QCOMPARE(lab.recordedPrediction(), choice - 1);
    QCOMPARE(lab.predictionReason(), QStringLiteral("a hunch"));

    const QString chosen = expected.left(expected.indexOf(QStringLiteral(". ")) + 2);
    while (experiment.currentStep() < experiment.stepCount()) {
        QCOMPARE(lab.predictionFeedback(ExperimentView::of(experiment), English),
                 chosen + QStringLiteral("Complete the circuit to compare."));
        QVERIFY(experiment.nextStep());
    }
    QCOMPARE(lab.predictionFeedback(ExperimentView::of(experiment), English), expected);
}

void TestLearningLab::feedbackUsesTheoryNotTheMeasurement()
{
    Experiment experiment;
    prepare(experiment, 0);
    LearningLab lab;
    QVERIFY(lab.recordPrediction(ExperimentView::of(experiment), kEqually, QString()));
    QVERIFY(experiment.nextStep());
    QVERIFY(experiment.repeatPreparations(10));
    QVERIFY(experiment.measureOnce());
    // The displayed state is now a single basis state; the comparison still uses the replayed circuit.
    QCOMPARE(lab.predictionFeedback(ExperimentView::of(experiment), Italian),
             QStringLiteral("Tutti gli esiti equiprobabili. La previsione coincide con la distribuzione teorica."));
}

void TestLearningLab::feedbackPastTheStartSaysWhereToRecord()
{
    Experiment experiment;
    prepare(experiment, 2);
    LearningLab lab;
    const QString usual = QStringLiteral("Record before starting; comparison uses theory, not one random draw.");
    QVERIFY(experiment.nextStep());
    QCOMPARE(lab.predictionFeedback(ExperimentView::of(experiment), English),
             QStringLiteral("Go back to the start (stage 0) to record a prediction."));
    QCOMPARE(lab.predictionFeedback(ExperimentView::of(experiment), Italian),
             QStringLiteral("Torna all'inizio (passo 0) per registrare una previsione."));
    QVERIFY(experiment.goToStep(0));
    QCOMPARE(lab.predictionFeedback(ExperimentView::of(experiment), English), usual);
    // Closed at stage 0 by a measurement: going back to the start is no way to reopen it.
    QVERIFY(experiment.measureOnce());
    QCOMPARE(lab.predictionFeedback(ExperimentView::of(experiment), English), usual);
}

void TestLearningLab::recordingOnlyWhileOpen_data()
{
    QTest::addColumn<QString>("action");
    QTest::addRow("after-next-gate") << "next";
    QTest::addRow("after-measurement") << "measure";
    QTest::addRow("after-preparations") << "shots";
    QTest::addRow("after-recording") << "record";
}

void TestLearningLab::recordingOnlyWhileOpen()
{
    QFETCH(QString, action);
    Experiment experiment;
    prepare(experiment, 0);
    LearningLab lab;
    QVERIFY(lab.isPredictionOpen(ExperimentView::of(experiment)));
    QVERIFY(!lab.canRecord(ExperimentView::of(experiment), 0));
    QVERIFY(!lab.canRecord(ExperimentView::of(experiment), kDistributionItemCount));
    if (action == QLatin1String("next")) {
        QVERIFY(experiment.nextStep());
    } else if (action == QLatin1String("measure")) {
        QVERIFY(experiment.measureOnce());
    } else if (action == QLatin1String("shots")) {
        QVERIFY(experiment.repeatPreparations(100));
    } else {
        QVERIFY(lab.recordPrediction(ExperimentView::of(experiment), kAlwaysOne, QStringLiteral("first")));
    }
    const std::int32_t before = lab.recordedPrediction();
    QVERIFY(!lab.isPredictionOpen(ExperimentView::of(experiment)));
    QVERIFY(!lab.recordPrediction(ExperimentView::of(experiment), kEqually, QStringLiteral("second")));
    QCOMPARE(lab.recordedPrediction(), before);
    QVERIFY(lab.predictionReason() != QLatin1String("second"));
}

void TestLearningLab::clearedPredictionReopens()
{
    Experiment experiment;
    prepare(experiment, 3);
    LearningLab lab;
    QVERIFY(!lab.isPredictionOpen(ExperimentView()));
    QVERIFY(!lab.recordPrediction(ExperimentView(), kEqually, QString()));
    QVERIFY(lab.recordPrediction(ExperimentView::of(experiment), kEqually, QStringLiteral("why")));
    QVERIFY(experiment.nextStep());
    QVERIFY(experiment.goToStep(0));
    lab.clearPrediction();
    QCOMPARE(lab.recordedPrediction(), -1);
    QVERIFY(lab.predictionReason().isEmpty());
    QVERIFY(lab.isPredictionOpen(ExperimentView::of(experiment)));
    QVERIFY(!lab.setRecordedPrediction(4, QString()));
    QVERIFY(!lab.setRecordedPrediction(-2, QString()));
    QVERIFY(lab.setRecordedPrediction(3, QStringLiteral("restored")));
    QCOMPARE(lab.recordedPrediction(), 3);
}

void TestLearningLab::presetHhz()
{
    LearningLab lab;
    QVERIFY(lab.applyPreset(0));
    QCOMPARE(lab.copy(CopySide::A).stage, std::uint64_t(1));
    QCOMPARE(lab.copy(CopySide::B).stage, std::uint64_t(2));
    const ComparisonTable table = lab.comparison(English);
    QCOMPARE(table.rows.size(), std::size_t(2));
    for (const ComparisonRow &row : table.rows) {
        QCOMPARE(row.probabilityA, QStringLiteral("50.000"));
        QCOMPARE(row.probabilityB, QStringLiteral("50.000"));
        QCOMPARE(row.phaseA.text, QStringLiteral("0.0"));
    }
    QCOMPARE(table.rows[0].state, QStringLiteral("0"));
    QCOMPARE(table.rows[1].state, QStringLiteral("1"));
    QCOMPARE(table.rows[0].phaseB.text, QStringLiteral("0.0"));
    // Z negates both parts of |1>'s amplitude, so its imaginary part is a negative zero: atan2 gives -pi.
    QCOMPARE(table.rows[1].phaseB.text, QStringLiteral("-180.0"));
    QCOMPARE(table.rows[1].phaseB.radians, -std::acos(-1.0));
    QCOMPARE(table.rows[1].phaseB.magnitude, std::sqrt(0.5));
    QVERIFY(table.note.startsWith(QStringLiteral("Arrows: direction = phase")));
}

void TestLearningLab::presetHhHzh()
{
    LearningLab lab;
    QVERIFY(lab.applyPreset(1));
    const ComparisonTable table = lab.comparison(English);
    QCOMPARE(table.rows.size(), std::size_t(2));
    QCOMPARE(table.rows[0].probabilityA, QStringLiteral("100.000"));
    QCOMPARE(table.rows[1].probabilityA, QStringLiteral("0.000"));
    QCOMPARE(table.rows[0].probabilityB, QStringLiteral("0.000"));
    QCOMPARE(table.rows[1].probabilityB, QStringLiteral("100.000"));
    // H-H leaves no amplitude on |1>: its phase is undefined and the delegate draws no arrow.
    QCOMPARE(table.rows[1].phaseA.text, QStringLiteral("-"));
    QVERIFY(table.rows[1].phaseA.magnitude < 1e-12);
    QCOMPARE(table.rows[0].phaseB.text, QStringLiteral("-"));
    QVERIFY(!lab.applyPreset(4));
    QVERIFY(!lab.applyPreset(-1));
    QCOMPARE(lab.copy(CopySide::B).circuit.steps.size(), std::size_t(3));
}

void TestLearningLab::copiesNeedSameQubitCount()
{
    LearningLab lab;
    const ComparisonTable none = lab.comparison(English);
    QVERIFY(none.rows.empty());
    QCOMPARE(none.note, QStringLiteral("Choose a preset or capture both copies."));

    QVERIFY(lab.capture(CopySide::A, lessonCatalog()[0], 1));
    QCOMPARE(lab.comparison(Italian).note,
             QStringLiteral("Scegli un confronto pronto o acquisisci entrambe le copie."));
    QVERIFY(lab.capture(CopySide::B, lessonCatalog()[2], 2));
    const ComparisonTable mixed = lab.comparison(English);
    QVERIFY(mixed.rows.empty());
    QCOMPARE(mixed.note, QStringLiteral("Use the same number of qubits in A and B."));
    QCOMPARE(lab.comparison(Italian).note, QStringLiteral("Usa lo stesso numero di qubit in A e B."));
}

void TestLearningLab::descriptionCut_data()
{
    QTest::addColumn<int>("hGates");
    QTest::addColumn<int>("phaseGates");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("cut");
    // "H q0" is 4 characters, "P(0.5 rad) q0" 13, each separator 3.
    QTest::addRow("220-shown-whole") << 25 << 3 << 220 << false;
    QTest::addRow("221-cut") << 32 << 0 << 221 << true;
    QTest::addRow("short") << 2 << 0 << 11 << false;
}

void TestLearningLab::descriptionCut()
{
    QFETCH(int, hGates);
    QFETCH(int, phaseGates);
    QFETCH(int, length);
    QFETCH(bool, cut);
    Circuit circuit = circuitOf(1, {});
    for (int i = 0; i < hGates; ++i) {
        circuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
    }
    for (int i = 0; i < phaseGates; ++i) {
        circuit.steps.emplace_back(GateKind::P, 0, 0, 0.5);
    }
    const QString description = copyDescription(circuit);
    QCOMPARE(description.size(), length);

    LearningLab lab;
    QVERIFY(lab.capture(CopySide::B, circuit, 0));
    const CopyCaption caption = copyCaption(CopySide::B, lab.copy(CopySide::B), English);
    QCOMPARE(caption.toolTip, QStringLiteral("B: ") + description);
    QCOMPARE(caption.text, QStringLiteral("B: ") + (cut ? description.left(217) + QStringLiteral("...") : description));
}

void TestLearningLab::descriptionFormat()
{
    const Circuit circuit =
        circuitOf(2, {h(0), cx(0, 1), p(1, std::acos(-1.0) / 4.0), {GateKind::X, 1, 0, 0.0}, {GateKind::Z, 0, 0, 0.0}});
    QCOMPARE(copyDescription(circuit), QStringLiteral("H q0 ; CX q0 -> q1 ; P(0.7854 rad) q1 ; X q1 ; Z q0"));
    QCOMPARE(copyDescription(circuitOf(3, {})), QStringLiteral("|0...0>"));
    QCOMPARE(copyCaption(CopySide::A, ComparisonCopy{}, English).text, QStringLiteral("A: No copy"));
    QCOMPARE(copyCaption(CopySide::A, ComparisonCopy{}, Italian).toolTip, QStringLiteral("A: Nessuna copia"));
}

void TestLearningLab::bellTable_data()
{
    using Row = QStringList;
    QTest::addColumn<int>("basis");
    QTest::addColumn<Row>("bell");
    QTest::addColumn<Row>("mixture");
    const Row correlated{"50.00", "0.00", "0.00", "50.00"};
    const Row uniform{"25.00", "25.00", "25.00", "25.00"};
    QTest::addRow("Z/Z") << 0 << correlated << correlated;
    QTest::addRow("X/X") << 1 << correlated << uniform;
    QTest::addRow("Z/X") << 2 << uniform << uniform;
    QTest::addRow("X/Z") << 3 << uniform << uniform;
}

void TestLearningLab::bellTable()
{
    using Row = QStringList;
    QFETCH(int, basis);
    QFETCH(Row, bell);
    QFETCH(Row, mixture);
    const std::array<BellRow, 4> rows = bellRows(basis);
    const QStringList outcomes{"00", "01", "10", "11"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(rows[std::size_t(i)].outcome, outcomes.at(i));
        QCOMPARE(rows[std::size_t(i)].bell, bell.at(i));
        QCOMPARE(rows[std::size_t(i)].mixture, mixture.at(i));
    }
    const BellProbabilities values = bellProbabilities(basis);
    double bellSum = 0.0;
    double mixtureSum = 0.0;
    for (int i = 0; i < 4; ++i) {
        bellSum += values.bell[std::size_t(i)];
        mixtureSum += values.mixture[std::size_t(i)];
    }
    QVERIFY(std::fabs(bellSum * 100.0 - 100.0) < 1e-9);
    QVERIFY(std::fabs(mixtureSum * 100.0 - 100.0) < 1e-9);
    QVERIFY_EXCEPTION_THROWN(bellProbabilities(4), std::out_of_range);
}

void TestLearningLab::observedListsAtMostEight_data()
{
    QTest::addColumn<Circuit>("circuit");
    QTest::addColumn<int>("listed");
    QTest::addColumn<bool>("more");
    QTest::addColumn<QString>("first");
    QTest::addRow("eight-outcomes") << circuitOf(4, {h(0), h(1), h(2)}) << 8 << false << "0000: 12.50%";
    QTest::addRow("nine-outcomes") << nineOutcomes() << 8 << true << "0000: 25.00%";
    QTest::addRow("sixteen-outcomes") << circuitOf(4, {h(0), h(1), h(2), h(3)}) << 8 << true << "0000: 6.25%";
    QTest::addRow("one-outcome") << circuitOf(4, {}) << 1 << false << "0000: 100.00%";
}

void TestLearningLab::observedListsAtMostEight()
{
    QFETCH(Circuit, circuit);
    QFETCH(int, listed);
    QFETCH(bool, more);
    QFETCH(QString, first);
    const StateVector state = replayPrefix(circuit, circuit.steps.size());
    const QString text = observedText(viewOf(circuit, state, circuit.steps.size()), English);
    const QString prefix = QStringLiteral("What happened - step %1/%1: ").arg(circuit.steps.size());
    QVERIFY2(text.startsWith(prefix), qPrintable(text));
    const QStringList entries = text.mid(prefix.size()).split(QStringLiteral("; "));
    QCOMPARE(entries.size(), listed + (more ? 1 : 0));
    QCOMPARE(entries.last() == QLatin1String("... more outcomes in the full table"), more);
    QCOMPARE(entries.first(), first);
}

void TestLearningLab::groverPresets_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("iterationsA");
    QTest::addColumn<int>("iterationsB");
    QTest::addRow("grover-1-2") << 2 << 1 << 2;
    QTest::addRow("grover-2-3") << 3 << 2 << 3;
}

void TestLearningLab::groverPresets()
{
    QFETCH(int, preset);
    QFETCH(int, iterationsA);
    QFETCH(int, iterationsB);
    const auto generated = [](int iterations) {
        AlgorithmParameters parameters;
        parameters.qubits = 3;
        parameters.groverTarget = 5;
        parameters.groverIterations = iterations;
        return generateAlgorithm(parameters).circuit;
    };
    LearningLab lab;
    QVERIFY(lab.applyPreset(preset));
    const std::pair<CopySide, int> sides[] = {{CopySide::A, iterationsA}, {CopySide::B, iterationsB}};
    for (const auto &[side, iterations] : sides) {
        const ComparisonCopy &copy = lab.copy(side);
        const Circuit expected = generated(iterations);
        QVERIFY(copy.valid);
        QCOMPARE(copy.circuit.qubitCount, 3);
        QCOMPARE(copy.circuit.steps.size(), expected.steps.size());
        QCOMPARE(copy.stage, std::uint64_t(expected.steps.size()));
        QCOMPARE(copyDescription(copy.circuit), copyDescription(expected));
    }
    const ComparisonTable table = lab.comparison(English);
    QCOMPARE(table.rows.size(), std::size_t(8));
    QCOMPARE(table.rows[5].state, QStringLiteral("101"));
}

void TestLearningLab::appendHRule()
{
    LearningLab lab;
    QVERIFY(!lab.canAppendH());
    QVERIFY(!lab.appendH());
    QVERIFY(lab.applyPreset(0));
    QVERIFY(lab.canAppendH());
    QVERIFY(lab.setStage(CopySide::A, 0));
    QVERIFY(lab.appendH());
    QCOMPARE(lab.copy(CopySide::A).stage, std::uint64_t(2));
    QCOMPARE(lab.copy(CopySide::B).stage, std::uint64_t(3));
    // H-Z-H against H-H: the phase has become an outcome.
    QCOMPARE(lab.comparison(English).rows[1].probabilityB, QStringLiteral("100.000"));

    QVERIFY(lab.applyPreset(2));
    QVERIFY(!lab.canAppendH());
    Circuit full = circuitOf(1, {});
    for (std::uint64_t i = 0; i < kMaxCopyGates; ++i) {
        full.steps.emplace_back(GateKind::H, 0, 0, 0.0);
    }
    QVERIFY(lab.capture(CopySide::A, lessonCatalog()[0], 0));
    QVERIFY(lab.capture(CopySide::B, full, 0));
    QVERIFY(!lab.canAppendH());
    full.steps.pop_back();
    QVERIFY(lab.capture(CopySide::B, full, 0));
    QVERIFY(lab.canAppendH());
}

void TestLearningLab::captureAndStageChecks()
{
    Experiment experiment;
    prepare(experiment, 3);
    QVERIFY(experiment.nextStep());
    LearningLab lab;
    QVERIFY(lab.capture(CopySide::A, experiment.shownCircuit(), experiment.currentStep()));
    QCOMPARE(lab.copy(CopySide::A).stage, std::uint64_t(1));
    QVERIFY(!lab.capture(CopySide::B, experiment.shownCircuit(), 4));
    QVERIFY(!lab.copy(CopySide::B).valid);
    QVERIFY(!lab.setStage(CopySide::B, 0));
    QVERIFY(!lab.setStage(CopySide::A, 4));
    QVERIFY(lab.setStage(CopySide::A, 3));
    QCOMPARE(lab.copy(CopySide::A).stage, std::uint64_t(3));
    // A gate the engine cannot apply is refused before anything changes.
    QVERIFY(!lab.capture(CopySide::A, circuitOf(1, {h(2)}), 0));
    QVERIFY(!lab.setCopies(ComparisonCopy{true, circuitOf(1, {h(0)}), 2}, ComparisonCopy{}));
    QCOMPARE(lab.copy(CopySide::A).circuit.steps.size(), std::size_t(3));
    QVERIFY(lab.setCopies(ComparisonCopy{}, ComparisonCopy{true, circuitOf(1, {h(0)}), 1}));
    QVERIFY(!lab.copy(CopySide::A).valid);
    QVERIFY(lab.copy(CopySide::B).valid);
}

void TestLearningLab::startDetails_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");
    QTest::addRow("start-en") << 0 << int(English)
                              << "<p>Write your prediction, then press Next gate. The final explanation appears "
                                 "after the last operation.</p>";
    QTest::addRow("middle-escaped-en") << 2 << int(English)
                                       << "<p>Z: the |1&gt; amplitude changes sign; probabilities stay the same.</p>";
    QTest::addRow("end-it") << 3 << int(Italian)
                            << "<p>Le ampiezze hanno un segno: H-Z-H produce |1&gt; a partire da |0&gt;.</p><p>Prova "
                               "H-H senza misura intermedia, poi confronta H-Z-H. Nella scheda Confronti puoi vedere "
                               "come una fase diventa un risultato.</p>";
}

void TestLearningLab::startDetails()
{
    QFETCH(int, steps);
    QFETCH(int, language);
    QFETCH(QString, expected);
    Experiment experiment;
    prepare(experiment, 3);
    for (int i = 0; i < steps; ++i) {
        QVERIFY(experiment.nextStep());
    }
    QCOMPARE(Fasoria::startDetails(ExperimentView::of(experiment), Language(language)), expected);

    // Repeated preparations add their counts; outcomes never drawn are left out.
    QVERIFY(experiment.repeatPreparations(1000));
    const Histogram &counts = experiment.lastShotsCounts();
    QString shots = isEnglish(Language(language))
                        ? QStringLiteral("<p>1000 independent preparations (count / observed frequency):</p>")
                        : QStringLiteral("<p>1000 preparazioni indipendenti (conteggio / frequenza osservata):</p>");
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (counts[i] != 0) {
            shots += QStringLiteral("%1: %2 / %3%<br>")
                         .arg(QString::number(i), QString::number(counts[i]),
                              QString::number(double(counts[i]) / 10.0, 'f', 2));
        }
    }
    QCOMPARE(Fasoria::startDetails(ExperimentView::of(experiment), Language(language)), expected + shots);
}

void TestLearningLab::textsInBothLanguages_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("observed");
    QTest::addColumn<QString>("limits");
    QTest::addColumn<QString>("always");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("shots");
    QTest::addRow("en") << int(English) << "What happened - step 1/1: 0: 50.00%; 1: 50.00%"
                        << "Measured: these data describe the post-measurement state. Restart to prepare the "
                           "experiment again."
                        << "Always 01"
                        << "Session not saved yet - unsaved changes"
                        << "Repeat 100 trials";
    QTest::addRow("it") << int(Italian) << "Cosa è successo - passo 1/1: 0: 50.00%; 1: 50.00%"
                        << "Hai misurato: questi dati descrivono lo stato dopo la misura. Ricomincia per preparare di "
                           "nuovo l’esperimento."
                        << "Sempre 01"
                        << "Sessione non ancora salvata - modifiche da salvare"
                        << "Ripeti 100 prove";
}

void TestLearningLab::textsInBothLanguages()
{
    QFETCH(int, language);
    QFETCH(QString, observed);
    QFETCH(QString, limits);
    QFETCH(QString, always);
    QFETCH(QString, status);
    QFETCH(QString, shots);
    const auto lang = Language(language);
    Experiment experiment;
    prepare(experiment, 0);
    QVERIFY(experiment.nextStep());
    QCOMPARE(observedText(ExperimentView::of(experiment), lang), observed);
    QCOMPARE(limitsText(true, lang), limits);
    QCOMPARE(distributionItems(2, lang).at(2), always);
    QCOMPARE(distributionChoiceText(1, 2, lang), always);
    QCOMPARE(distributionChoiceText(7, 2, lang), QStringLiteral("7"));
    QCOMPARE(sessionStatusText(QString(), true, lang), status);
    QCOMPARE(sessionStatusText(QStringLiteral("/tmp/a.session.json"), false, lang),
             QStringLiteral("/tmp/a.session.json"));
    QCOMPARE(shotsButtonText(100, lang), shots);
    QVERIFY(doingText(ExperimentView::of(experiment), lang)
                .endsWith(QString::fromUtf8(pick(lang, lessonCatalog()[0].questionIt, lessonCatalog()[0].questionEn))));
    for (std::int32_t key = 0; key < kLearningTextCount; ++key) {
        QVERIFY(!learningText(LearningText(key), lang).trimmed().isEmpty());
    }
    QCOMPARE(learningText(LearningText(kLearningTextCount), lang), QStringLiteral("[missing text]"));
}

QTEST_GUILESS_MAIN(TestLearningLab)
#include "test_learning_lab.moc"
