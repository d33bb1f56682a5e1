// The laboratory notebook as the student's record: it runs on across edits, undo and redo and a restored
// lesson, each line keeps what it said when it was written, and it starts afresh only with a new experiment
// or when the student clears it.
#include "Help/Resources.h"
#include "editor/CircuitFile.h"
#include "tests/ui/WindowHarness.h"
#include "ui/model/LogEvent.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <functional>

using namespace Fasoria;

namespace {

constexpr int kBellChallenge = 9;

using Start = std::function<void(MainWindow &, const QString &folder)>;

} // namespace

Q_DECLARE_METATYPE(Start)

class TestNotebookRecord : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_store.isValid());
        useSandbox(m_store, "FasoriaNotebookTest");
        initResources();
    }
    void init() { startWindow(); }
    void cleanup() { m_window.reset(); }

    void aCheckAndHintsOutliveAnEdit()
    {
        m_window->selectLesson(kBellChallenge);
        setPanel(GateKind::H, 0, 0, 0.0);
        click("m_insertButton");
        setPanel(GateKind::Cnot, 1, 0, 0.0);
        click("m_insertButton");
        click("m_challengeCheckButton");
        for (int i = 0; i < 3; ++i) {
            click("m_challengeHintButton");
        }
        const QString solved = lineOf(LogEventKind::ChallengeCheck);
        QVERIFY(solved.contains(QStringLiteral("SFIDA SUPERATA")));
        // One more gate, then undo and redo: every earlier line is still there, in order, before the edits'.
        setPanel(GateKind::X, 0, 0, 0.0);
        click("m_insertButton");
        trigger("m_actionUndo");
        trigger("m_actionRedo");
        const QString log = notebookText();
        QVERIFY(log.contains(solved));
        for (int hint = 1; hint <= 3; ++hint) {
            QVERIFY2(log.contains(QStringLiteral("suggerimento %1").arg(hint), Qt::CaseInsensitive), qPrintable(log));
        }
        QVERIFY(log.indexOf(solved) < log.lastIndexOf(QStringLiteral("EDITOR:")));
        QCOMPARE(countOf(LogEventKind::Hint), 3);
        QCOMPARE(countOf(LogEventKind::ChallengeCheck), 1);
    }

    void aLineKeepsTheGateItWasWrittenFor()
    {
        Circuit circuit = customCircuit(1);
        circuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
        startWorking(circuit, 0);
        m_window->experiment().nextStep();
        // The gate of that step becomes an X; the line written for the H still names the H, in both languages.
        setPanel(GateKind::X, 0, 0, 0.0);
        click("m_replaceButton");
        QVERIFY(notebookText().contains(QStringLiteral("Passo 1: H(q0)")));
        part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
        QVERIFY2(notebookText().contains(QStringLiteral("Step 1: H(q0)")), qPrintable(notebookText()));
        QVERIFY(!notebookText().contains(QStringLiteral("Step 1: X(q0)")));
    }

    void aRestoredLessonKeepsTheCopysRecord()
    {
        m_window->selectLesson(0);
        click("m_editCopyButton");
        setPanel(GateKind::Z, 0, 0, 0.0);
        click("m_insertButton");
        answerNext(QMessageBox::Discard);
        click("m_restoreOriginalButton");
        QVERIFY(!m_window->experiment().workingCircuit());
        const QString log = notebookText();
        QVERIFY(log.contains(QString::fromUtf8(editActionWord(EditAction::GateInserted, Italian))));
        QVERIFY(log.trimmed().endsWith(QStringLiteral("| passo selezionato 0")));
    }

    void aNewExperimentStartsAfresh_data()
    {
        QTest::addColumn<Start>("start");
        QTest::newRow("another lesson") << Start([](MainWindow &window, const QString &) { window.selectLesson(2); });
        QTest::newRow("new circuit") << Start([](MainWindow &window, const QString &) { window.files().newCircuit(); });
        QTest::newRow("open circuit") << Start([](MainWindow &window, const QString &folder) {
            const QString path = folder + QStringLiteral("/one.fsor.json");
            Circuit circuit = customCircuit(2);
            circuit.steps.emplace_back(GateKind::X, 1, 0, 0.0);
            QVERIFY(writeFile(path, serializeCircuit(circuit)));
            QVERIFY(window.files().openCircuitFile(path));
        });
        QTest::newRow("generated algorithm") << Start([](MainWindow &window, const QString &) {
            QVERIFY(window.files().createAlgorithmCircuit(AlgorithmParameters{}));
        });
    }

    void aNewExperimentStartsAfresh()
    {
        QFETCH(Start, start);
        m_window->selectLesson(kBellChallenge);
        click("m_challengeHintButton");
        QCOMPARE(countOf(LogEventKind::Hint), 1);
        answerNext(QMessageBox::Discard);
        start(*m_window, m_files.path());
        QCOMPARE(countOf(LogEventKind::Hint), 0);
        QCOMPARE(m_window->experiment().logEvents().front().kind, static_cast<std::int32_t>(LogEventKind::Prepared));
        QVERIFY(!notebookText().contains(QStringLiteral("suggerimento"), Qt::CaseInsensitive));
    }

    void clearingAsksFirst()
    {
        m_window->selectLesson(kBellChallenge);
        click("m_challengeHintButton");
        const std::size_t events = m_window->experiment().logEvents().size();
        answerNext(QMessageBox::No);
        trigger("m_actionClearNotebook");
        QCOMPARE(m_window->experiment().logEvents().size(), events);
        QVERIFY(!notebookText().isEmpty());
        answerNext(QMessageBox::Yes);
        trigger("m_actionClearNotebook");
        QVERIFY(m_window->experiment().logEvents().empty());
        QVERIFY(notebookText().isEmpty());
        // The experiment itself is untouched, and the next step is recorded as usual.
        QCOMPARE(m_window->experiment().lessonIndex(), kBellChallenge);
        QCOMPARE(m_window->experiment().hintsShown(), 1);
    }

    void aSessionKeepsTheNotebook()
    {
        m_window->selectLesson(kBellChallenge);
        setPanel(GateKind::H, 0, 0, 0.0);
        click("m_insertButton");
        click("m_challengeCheckButton");
        click("m_challengeHintButton");
        m_window->experiment().nextStep();
        m_window->experiment().repeatPreparations(100);
        const QString italian = notebookText();
        part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
        const QString english = notebookText();
        part<QComboBox>("m_languageCombo")->setCurrentIndex(0);
        const QString path = m_files.filePath(QStringLiteral("record.session.json"));
        m_fileNames << path;
        trigger("m_actionSaveSession");
        QVERIFY2(QFile::exists(path), qPrintable(m_messages.join(QLatin1Char('\n'))));

        // A fresh window shows the same lines, in either language.
        startWindow();
        QVERIFY(m_window->files().openLearningSessionFile(path));
        QCOMPARE(notebookText(), italian);
        part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
        QCOMPARE(notebookText(), english);

        // A session whose notebook the reader refuses changes nothing, its notebook included.
        QJsonObject document = QJsonDocument::fromJson(readFile(path)).object();
        QJsonArray events = document.value(QStringLiteral("notebook")).toArray();
        QJsonObject first = events.first().toObject();
        first.insert(QStringLiteral("kind"), 42);
        events.replace(0, first);
        document.insert(QStringLiteral("notebook"), events);
        const QString bad = m_files.filePath(QStringLiteral("bad.session.json"));
        QVERIFY(writeFile(bad, QJsonDocument(document).toJson(QJsonDocument::Compact)));
        m_window->selectLesson(2);
        const std::size_t events2 = m_window->experiment().logEvents().size();
        const QString shown = notebookText();
        QVERIFY(!m_window->files().openLearningSessionFile(bad));
        QVERIFY(lastMessage().contains(QStringLiteral("Invalid session notebook")));
        QCOMPARE(m_window->experiment().lessonIndex(), 2);
        QCOMPARE(m_window->experiment().logEvents().size(), events2);
        QCOMPARE(notebookText(), shown);
    }

private:
    QString notebookText() const { return part<QPlainTextEdit>("m_log")->toPlainText(); }
    int countOf(LogEventKind kind) const
    {
        int count = 0;
        for (const LogEvent &event : m_window->experiment().logEvents()) {
            count += event.kind == static_cast<std::int32_t>(kind) ? 1 : 0;
        }
        return count;
    }
    /// The notebook line of the last event of `kind`.
    QString lineOf(LogEventKind kind) const
    {
        const QStringList lines = notebookText().split(QLatin1Char('\n'));
        const auto &events = m_window->experiment().logEvents();
        for (auto event = events.rbegin(); event != events.rend(); ++event) {
            if (event->kind == static_cast<std::int32_t>(kind)) {
                return renderLogEvent(*event, LogContext{Italian,
                                                         m_window->experiment().lessonIndex(),
                                                         m_window->experiment().workingCircuit(),
                                                         nullptr,
                                                         {},
                                                         {}});
            }
        }
        return QString();
    }

    QTemporaryDir m_store;
    QTemporaryDir m_files;
};

QTEST_MAIN(TestNotebookRecord)
#include "test_notebook_record.moc"
