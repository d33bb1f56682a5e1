// A prediction is recorded at stage 0 and compared at the end: the measurement panel says which stage repeated
// preparations sample, offers to prepare the whole circuit in one click, and says where a prediction is recorded.
#include "tests/ui/WindowHarness.h"
#include "ui/model/LogEvent.h"
#include "ui/texts/TextCatalog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QStandardPaths>

#include <numeric>

using namespace Fasoria;

namespace {

/// H(q0), CNOT(q0 -> q1): two steps.
constexpr int kBellLesson = 2;
constexpr int kHundredPreparations = 1;

} // namespace

class TestPredictionWindow : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
        QCoreApplication::setApplicationName(QStringLiteral("FasoriaPredictionWindowTest"));
    }
    void init()
    {
        startWindow();
        part<QComboBox>("m_lessons")->setCurrentIndex(kBellLesson);
    }
    void cleanup() { m_window.reset(); }

    void oneClickPreparesTheWholeCircuit_data();
    void oneClickPreparesTheWholeCircuit();
    void offeredOnlyWhileAPredictionWaits_data();
    void offeredOnlyWhileAPredictionWaits();
    void theHintSaysWhereToRecord_data();
    void theHintSaysWhereToRecord();

private:
    void record(int basisIndex)
    {
        part<QComboBox>("m_predictionCombo")->setCurrentIndex(basisIndex + 1);
        click("m_predictionButton");
        QCOMPARE(m_window->experiment().prediction(), basisIndex);
    }
    QString text(const char *label) const { return part<QLabel>(label)->text(); }
    bool offered() const
    {
        const bool label = !part<QLabel>("m_preparationStage")->isHidden();
        const bool button = !part<QPushButton>("m_wholeCircuitButton")->isHidden();
        return label && button;
    }
};

void TestPredictionWindow::oneClickPreparesTheWholeCircuit_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("measuredFirst");
    QTest::addColumn<QString>("stageText");
    QTest::addColumn<QString>("button");
    QTest::addRow("Italian") << 0 << false << "Le preparazioni usano il passo 0 di 2."
                             << "Prepara tutto il circuito";
    QTest::addRow("English") << 1 << false << "The preparations use stage 0 of 2."
                             << "Prepare the whole circuit";
    QTest::addRow("after a measurement") << 1 << true << "The preparations use stage 0 of 2."
                                         << "Prepare the whole circuit";
}

void TestPredictionWindow::oneClickPreparesTheWholeCircuit()
{
    QFETCH(int, language);
    QFETCH(bool, measuredFirst);
    QFETCH(QString, stageText);
    QFETCH(QString, button);
    part<QComboBox>("m_languageCombo")->setCurrentIndex(language);
    part<QComboBox>("m_shotsCombo")->setCurrentIndex(kHundredPreparations);
    record(3);
    QVERIFY(offered());
    QCOMPARE(text("m_preparationStage"), stageText);
    QCOMPARE(part<QPushButton>("m_wholeCircuitButton")->text(), button);
    if (measuredFirst) {
        click("m_measureButton");
        QVERIFY(m_window->experiment().isMeasured());
        QVERIFY(offered());
    }
    const Experiment &experiment = m_window->experiment();
    int announcements = 0;
    const QMetaObject::Connection counting =
        connect(&experiment, &Experiment::changed, this, [&announcements] { ++announcements; });
    const std::size_t events = experiment.logEvents().size();

    click("m_wholeCircuitButton");

    disconnect(counting);
    // One user action, shown once.
    QCOMPARE(announcements, 1);
    QCOMPARE(experiment.currentStep(), std::uint64_t{2});
    QVERIFY(!experiment.isMeasured());
    QCOMPARE(experiment.shotsTotal(), std::uint64_t{100});
    const Histogram &counts = experiment.histogram();
    QCOMPARE(std::accumulate(counts.begin(), counts.end(), std::uint64_t{0}), std::uint64_t{100});
    // Nothing but |00> and |11> after the whole Bell circuit.
    QCOMPARE(counts[0] + counts[3], std::uint64_t{100});
    QCOMPARE(experiment.logEvents().size(), events + 2);
    const LogEvent &navigation = experiment.logEvents()[events];
    const LogEvent &preparations = experiment.logEvents()[events + 1];
    QCOMPARE(navigation.kind, static_cast<std::int32_t>(LogEventKind::Navigation));
    QCOMPARE(navigation.value, std::uint64_t{2});
    QCOMPARE(preparations.kind, static_cast<std::int32_t>(LogEventKind::Preparations));
    QCOMPARE(preparations.shots, std::uint64_t{100});
    const LogContext context = m_window->studySession().logContext(m_window->language());
    const QStringList lines = part<QPlainTextEdit>("m_log")->toPlainText().split(QLatin1Char('\n'));
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines.mid(lines.size() - 2),
             (QStringList{renderLogEvent(navigation, context), renderLogEvent(preparations, context)}));
    QVERIFY(!offered());
    QVERIFY2(
        text("m_predictionResult")
            .contains(language == 1 ? QStringLiteral("Observed frequency: ") : QStringLiteral("Frequenza osservata: ")),
        qPrintable(text("m_predictionResult")));
}

void TestPredictionWindow::offeredOnlyWhileAPredictionWaits_data()
{
    QTest::addColumn<bool>("predict");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("stageText");
    QTest::addRow("no prediction") << false << 1 << "";
    QTest::addRow("prediction, stage 0") << true << 0 << "Le preparazioni usano il passo 0 di 2.";
    QTest::addRow("prediction, stage 1") << true << 1 << "Le preparazioni usano il passo 1 di 2.";
    QTest::addRow("prediction, the end") << true << 2 << "";
}

void TestPredictionWindow::offeredOnlyWhileAPredictionWaits()
{
    QFETCH(bool, predict);
    QFETCH(int, steps);
    QFETCH(QString, stageText);
    if (predict) {
        record(0);
    }
    for (int step = 0; step < steps; ++step) {
        click("m_nextButton");
    }
    QCOMPARE(offered(), !stageText.isEmpty());
    if (offered()) {
        QCOMPARE(text("m_preparationStage"), stageText);
    }
    // The ordinary preparations sample the shown stage, as before.
    click("m_shotsButton");
    QCOMPARE(m_window->experiment().currentStep(), static_cast<std::uint64_t>(steps));
    QCOMPARE(m_window->experiment().shotsTotal(), std::uint64_t{1000});
}

void TestPredictionWindow::theHintSaysWhereToRecord_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("away");
    QTest::addRow("Italian") << 0 << "Torna all'inizio (passo 0) per registrare una previsione.";
    QTest::addRow("English") << 1 << "Go back to the start (stage 0) to record a prediction.";
}

void TestPredictionWindow::theHintSaysWhereToRecord()
{
    QFETCH(int, language);
    QFETCH(QString, away);
    part<QComboBox>("m_languageCombo")->setCurrentIndex(language);
    const QString usual = uiText(TextKey::PredictionHint, m_window->language());
    auto *combo = part<QComboBox>("m_predictionCombo");
    QCOMPARE(text("m_predictionHint"), usual);
    QVERIFY(combo->isEnabled());

    click("m_nextButton");
    QVERIFY(!combo->isEnabled());
    QCOMPARE(text("m_predictionHint"), away);
    click("m_previousButton");
    QVERIFY(combo->isEnabled());
    QCOMPARE(text("m_predictionHint"), usual);

    // With a prediction recorded there is nothing to record: the usual hint stays past the start.
    record(0);
    click("m_nextButton");
    QCOMPARE(text("m_predictionHint"), usual);
}

QTEST_MAIN(TestPredictionWindow)
#include "test_prediction_window.moc"
