// A teacher's challenge file opened in the window: answered, checked and hinted like a lesson's challenge,
// kept by a learning session, and left when another lesson is chosen.
#include "curriculum/Challenge.h"
#include "editor/ChallengeFile.h"
#include "editor/CircuitFile.h"
#include "tests/ui/WindowHarness.h"
#include "ui/texts/TextCatalog.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Fasoria;

namespace {

constexpr int kCoinLesson = 0;
constexpr int kFirstChallengeLesson = 4;

Circuit bellCircuit()
{
    Circuit circuit = customCircuit(2);
    circuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
    circuit.steps.emplace_back(GateKind::Cnot, 1, 0, 0.0);
    return circuit;
}

/// Bell pair from its reference circuit, Z forbidden, at most three gates, two hints of three.
ChallengeFile bellChallenge()
{
    ChallengeFile challenge;
    challenge.definition.qubitCount = 2;
    challenge.definition.goalIt = "Prepara una coppia di Bell senza Z.";
    challenge.definition.goalEn = "Prepare a Bell pair without Z.";
    setChallengeHints(challenge.definition, {"Prima una H.", "Poi una CNOT.", ""}, {"First an H.", "Then a CNOT.", ""});
    challenge.definition.forbidden = {GateKind::Z};
    challenge.definition.maxGates = 3;
    challenge.reference = bellCircuit();
    challenge.definition.target = targetFromCircuit(*challenge.reference);
    return challenge;
}

QString challengeText(const char *italian, const char *english, Language language)
{
    return QString::fromUtf8(isEnglish(language) ? english : italian);
}

} // namespace

class TestChallengeWindow : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
        QCoreApplication::setApplicationName(QStringLiteral("FasoriaChallengeWindowTest"));
        QVERIFY(m_directory.isValid());
        QString error;
        QVERIFY2(saveChallengeFile(challengePath(), bellChallenge(), &error), qPrintable(error));
    }
    void init() { startWindow(); }
    void cleanup() { m_window.reset(); }

    void openShowsTheGoalOnAnEmptyAnswer();
    void checksHintsAndNotebookFollowTheLanguage();
    void teachersRulesGiveTheirOwnVerdicts_data();
    void teachersRulesGiveTheirOwnVerdicts();
    void refusedFilesChangeNothing_data();
    void refusedFilesChangeNothing();
    void guardCancelKeepsTheWork();
    void sessionKeepsTheChallenge();
    void anotherLessonLeavesTheChallenge();
    void givenOnTheCommandLine();

private:
    QString challengePath() const { return m_directory.filePath(QStringLiteral("bell.challenge.json")); }
    void openChallenge()
    {
        m_fileNames << challengePath();
        trigger("m_actionOpenChallenge");
        QVERIFY(m_window->experiment().customChallenge() != nullptr);
    }
    void insert(GateKind kind, int target, int control)
    {
        setPanel(kind, target, control, 0.0);
        click("m_insertButton");
    }
    QString notebook() const { return part<QPlainTextEdit>("m_log")->toPlainText(); }

    QTemporaryDir m_directory;
};

void TestChallengeWindow::openShowsTheGoalOnAnEmptyAnswer()
{
    trigger("m_actionOpenChallenge");
    QCOMPARE(m_dialogs.last(), QStringLiteral("open|Apri sfida||Fasoria challenge (*.challenge.json);;All files (*)"));
    QVERIFY(m_window->experiment().customChallenge() == nullptr);

    openChallenge();
    const Experiment &experiment = m_window->experiment();
    QVERIFY(experiment.isChallengeMode());
    QCOMPARE(experiment.lessonIndex(), kCoinLesson);
    QVERIFY(experiment.workingCircuit() != nullptr);
    QCOMPARE(experiment.workingCircuit()->qubitCount, 2);
    QCOMPARE(experiment.workingCircuit()->steps.size(), std::size_t{0});
    QVERIFY(!experiment.document().hasUnsavedWork());
    QVERIFY(part<QWidget>("m_challengeBox")->isVisibleTo(m_window.get()));
    QCOMPARE(part<QLabel>("m_challengeGoal")->text(), QStringLiteral("Prepara una coppia di Bell senza Z."));
    QCOMPARE(part<QLabel>("m_question")->text(), QStringLiteral("Prepara una coppia di Bell senza Z."));
    QCOMPARE(part<QLabel>("m_challengeResult")->text(), uiText(TextKey::NotChecked, Italian));
}

void TestChallengeWindow::checksHintsAndNotebookFollowTheLanguage()
{
    openChallenge();
    // Nothing built yet: not solved, and the notebook says so.
    click("m_challengeCheckButton");
    QCOMPARE(m_window->experiment().challengeStatus(), static_cast<std::int32_t>(ChallengeStatus::NotSolved) + 1);
    // |00> against the Bell pair: fidelity one half.
    QVERIFY2(notebook().contains(uiText(TextKey::LogChallengeIncomplete, Italian).arg(QStringLiteral("50.00"))),
             qPrintable(notebook()));

    // Two hints were written: the third click is not offered.
    auto *hint = part<QPushButton>("m_challengeHintButton");
    click("m_challengeHintButton");
    QCOMPARE(part<QLabel>("m_challengeHint")->text(), QStringLiteral("Suggerimento 1: Prima una H."));
    click("m_challengeHintButton");
    QCOMPARE(part<QLabel>("m_challengeHint")->text(), QStringLiteral("Suggerimento 2: Poi una CNOT."));
    QVERIFY(!hint->isEnabled());
    QVERIFY(notebook().contains(QStringLiteral("SFIDA - suggerimento 2: Poi una CNOT.")));

    insert(GateKind::H, 0, 0);
    insert(GateKind::Cnot, 1, 0);
    click("m_challengeCheckButton");
    QCOMPARE(m_window->experiment().challengeStatus(), 1);
    QVERIFY(notebook().contains(QStringLiteral("SFIDA SUPERATA - fedeltà 100.00%.")));

    part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
    QCOMPARE(part<QLabel>("m_challengeGoal")->text(), QStringLiteral("Prepare a Bell pair without Z."));
    QCOMPARE(part<QLabel>("m_question")->text(), QStringLiteral("Prepare a Bell pair without Z."));
    QVERIFY(part<QLabel>("m_challengeResult")->text().startsWith(uiText(TextKey::Solved, English)));
    // The notebook is written again in English, the teacher's hints included.
    QVERIFY(notebook().contains(QStringLiteral("CHALLENGE SOLVED - fidelity 100.00%.")));
}

void TestChallengeWindow::teachersRulesGiveTheirOwnVerdicts_data()
{
    QTest::addColumn<QList<int>>("gates");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("sentence");
    // Z on |0> changes nothing: the right state in three gates, one of a forbidden kind.
    QTest::addRow("forbidden Z") << QList<int>{2, 0} << static_cast<int>(ChallengeStatus::ForbiddenKind)
                                 << QStringLiteral("A gate kind the exercise forbids is used.");
    QTest::addRow("four gates") << QList<int>{0, 1, 1, 1} << static_cast<int>(ChallengeStatus::TooManyGates)
                                << QStringLiteral("The circuit has more gates than the exercise allows.");
}

void TestChallengeWindow::teachersRulesGiveTheirOwnVerdicts()
{
    QFETCH(QList<int>, gates);
    QFETCH(int, status);
    QFETCH(QString, sentence);
    part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
    openChallenge();
    // 0: H(q0), 1: X(q1) (undone in pairs), 2: Z(q0); the CNOT makes the pair.
    for (const int gate : gates) {
        insert(gate == 0 ? GateKind::H : gate == 1 ? GateKind::X : GateKind::Z, gate == 1 ? 1 : 0, 0);
    }
    insert(GateKind::Cnot, 1, 0);
    click("m_challengeCheckButton");
    QCOMPARE(m_window->experiment().challengeStatus(), status + 1);
    QVERIFY2(part<QLabel>("m_challengeResult")->text().startsWith(sentence),
             qPrintable(part<QLabel>("m_challengeResult")->text()));
    QVERIFY(!part<QLabel>("m_challengeDiagnosis")->text().isEmpty());
}

void TestChallengeWindow::refusedFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::addRow("not normalised") << QByteArray(R"({"format":"FasoriaChallenge","version":1,"qubits":1,)"
                                                  R"("goal_it":"G","goal_en":"G",)"
                                                  R"("target_amplitudes":[{"index":0,"re":0.5,"im":0}]})")
                                    << QStringLiteral("Challenge target not normalized");
    QTest::addRow("a circuit file") << serializeCircuit(bellCircuit()) << QString();
    QTest::addRow("not JSON") << QByteArray("{") << QString();
}

void TestChallengeWindow::refusedFilesChangeNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString path = m_directory.filePath(QStringLiteral("refused.challenge.json"));
    QVERIFY(writeFile(path, bytes));
    m_window->selectLesson(kFirstChallengeLesson);
    click("m_challengeHintButton");
    const QByteArray before = serializeCircuit(m_window->experiment().shownCircuit());
    const QString log = notebook();
    m_fileNames << path;
    trigger("m_actionOpenChallenge");
    QCOMPARE(m_titles.last(), uiText(TextKey::OpenErrorTitle, Italian));
    if (!message.isEmpty()) {
        QVERIFY2(lastMessage().contains(message), qPrintable(lastMessage()));
    }
    QVERIFY(m_window->experiment().customChallenge() == nullptr);
    QCOMPARE(m_window->experiment().hintsShown(), 1);
    QCOMPARE(serializeCircuit(m_window->experiment().shownCircuit()), before);
    QCOMPARE(notebook(), log);
}

void TestChallengeWindow::guardCancelKeepsTheWork()
{
    click("m_editCopyButton");
    click("m_insertButton");
    QVERIFY(m_window->experiment().document().hasUnsavedWork());
    const QByteArray before = serializeCircuit(*m_window->experiment().workingCircuit());
    answerNext(QMessageBox::Cancel);
    trigger("m_actionOpenChallenge");
    QCOMPARE(m_titles.size(), 1);
    QCOMPARE(m_dialogs.size(), 0);
    QVERIFY(m_window->experiment().customChallenge() == nullptr);
    QCOMPARE(serializeCircuit(*m_window->experiment().workingCircuit()), before);
}

void TestChallengeWindow::sessionKeepsTheChallenge()
{
    openChallenge();
    insert(GateKind::H, 0, 0);
    click("m_challengeHintButton");
    const QString path = m_directory.filePath(QStringLiteral("anna.session.json"));
    QVERIFY(m_window->files().saveLearningSession(path));
    const QJsonObject saved = QJsonDocument::fromJson(readFile(path)).object();
    QCOMPARE(saved.value(QStringLiteral("custom_challenge")).toObject(),
             QJsonDocument::fromJson(serializeChallenge(bellChallenge())).object());

    answerNext(QMessageBox::Discard);
    m_window->selectLesson(kFirstChallengeLesson);
    QVERIFY(m_window->experiment().customChallenge() == nullptr);
    QVERIFY(m_window->files().openLearningSessionFile(path));
    const Experiment &experiment = m_window->experiment();
    QVERIFY(experiment.customChallenge() != nullptr);
    QCOMPARE(experiment.lessonIndex(), kCoinLesson);
    QCOMPARE(experiment.hintsShown(), 1);
    QCOMPARE(experiment.workingCircuit()->steps.size(), std::size_t{1});
    QCOMPARE(part<QLabel>("m_challengeGoal")->text(), QStringLiteral("Prepara una coppia di Bell senza Z."));
    QCOMPARE(part<QLabel>("m_challengeHint")->text(), QStringLiteral("Suggerimento 1: Prima una H."));
    // The restored challenge grades as the opened one did.
    insert(GateKind::Cnot, 1, 0);
    click("m_challengeCheckButton");
    QCOMPARE(experiment.challengeStatus(), 1);
    // Saving again writes the same challenge object.
    QVERIFY(m_window->files().saveLearningSession(path));
    QCOMPARE(QJsonDocument::fromJson(readFile(path)).object().value(QStringLiteral("custom_challenge")),
             saved.value(QStringLiteral("custom_challenge")));
}

void TestChallengeWindow::anotherLessonLeavesTheChallenge()
{
    openChallenge();
    m_window->selectLesson(kFirstChallengeLesson);
    const Experiment &experiment = m_window->experiment();
    QVERIFY(experiment.customChallenge() == nullptr);
    QVERIFY(experiment.isChallengeMode());
    QCOMPARE(part<QLabel>("m_challengeGoal")->text(),
             challengeText(findChallenge(kFirstChallengeLesson)->goalIt, findChallenge(kFirstChallengeLesson)->goalEn,
                           Italian));
    // A new circuit is no challenge at all.
    openChallenge();
    trigger("m_actionNew");
    QVERIFY(m_window->experiment().customChallenge() == nullptr);
    QVERIFY(!m_window->experiment().isChallengeMode());
    QVERIFY(!part<QWidget>("m_challengeBox")->isVisibleTo(m_window.get()));
}

void TestChallengeWindow::givenOnTheCommandLine()
{
    QVERIFY(m_window->files().openGivenFile(challengePath()));
    QVERIFY(m_window->experiment().customChallenge() != nullptr);
    QCOMPARE(m_window->experiment().customChallenge()->definition.goalEn,
             std::string("Prepare a Bell pair without Z."));
}

QTEST_MAIN(TestChallengeWindow)
#include "test_challenge_window.moc"
