// fasoria-cli session: a teacher checks the session files a class handed in, through the real executable.

#include "CliProcess.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

QString seed(const char *name)
{
    return QStringLiteral(FASORIA_SESSION_SEEDS "/") + QLatin1String(name);
}

} // namespace

class TestCliSession : public QObject
{
    Q_OBJECT

private slots:
    void theNotebookIsSummarised()
    {
        const CliRun run = runCli({"session", seed("valid-notebook.json"), seed("invalid-notebook-action.json")});
        QCOMPARE(run.exitCode, 2);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].endsWith("\tVALID\tLesson 1 \"01 - The quantum coin\"; stage 0 of 1; measurement: none; "
                                   "preparations: 0; predictions: none; notes: no; notebook: 6 entries"),
                 lines[0].constData());
        QVERIFY2(lines[1].endsWith("\tREFUSED\tInvalid session notebook"), lines[1].constData());
    }

    void validSessionsAreSummarised()
    {
        const CliRun run =
            runCli({"session", seed("valid-coin-start.json"), seed("valid-measured-histogram-copies.json")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        for (const QByteArray &line : lines) {
            const QList<QByteArray> fields = line.split('\t');
            QCOMPARE(fields.size(), 3);
            QCOMPARE(fields[1], QByteArray("VALID"));
            QVERIFY(fields[2].startsWith("Lesson "));
        }
    }

    // A session made in a teacher's pack lesson keeps the lesson: it is named without the pack, in either language.
    void packLessonsTravelWithTheSession_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("guided");
        QTest::addColumn<QByteArray>("challenge");
        QTest::addRow("English") << "en"
                                 << QByteArray("\tVALID\tLesson \"Superdense coding\" of the pack \"Entanglement at "
                                               "work\"; stage 2 of 6;")
                                 << QByteArray("\tVALID\tLesson \"Superdense coding: your turn\" of the pack "
                                               "\"Entanglement at work\" (working circuit); stage 1 of 1;");
        QTest::addRow("Italian") << "it"
                                 << QByteArray("\tVALIDA\tLezione \"Codifica superdensa\" del pacchetto "
                                               "\"L'entanglement al lavoro\"; passo 2 di 6;")
                                 << QByteArray("\tVALIDA\tLezione \"Codifica superdensa: tocca a te\" del pacchetto "
                                               "\"L'entanglement al lavoro\" (circuito di lavoro); passo 1 di 1;");
    }

    void packLessonsTravelWithTheSession()
    {
        QFETCH(QString, language);
        QFETCH(QByteArray, guided);
        QFETCH(QByteArray, challenge);
        const CliRun run =
            runCli({"--lang", language, "session", seed("valid-pack-lesson.json"), seed("valid-pack-challenge.json")});
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].contains(guided), lines[0].constData());
        QVERIFY2(lines[1].contains(challenge), lines[1].constData());
    }

    void refusedSessionsGiveTheWindowsMessage_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("message");
        QTest::addRow("version 2") << "invalid-version-2.json" << QByteArray("Invalid format or lesson");
        QTest::addRow("histogram total") << "invalid-histogram-total.json" << QByteArray("Histogram total mismatch");
        QTest::addRow("311 generator words") << "invalid-rng-311-words.json" << QByteArray("Invalid generator state");
        QTest::addRow("generator of zeros") << "invalid-rng-all-zero.json" << QByteArray("Invalid generator state");
        QTest::addRow("repeated member") << "invalid-repeated-stage.json" << QByteArray("Repeated member \"stage\"");
        QTest::addRow("override in notes") << "invalid-notes-bidi-override.json" << QByteArray("Invalid session text");
    }

    void refusedSessionsGiveTheWindowsMessage()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, message);
        const CliRun run = runCli({"session", seed("valid-coin-start.json"), seed(file.toUtf8().constData())});
        QCOMPARE(run.exitCode, 2);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].contains("\tVALID\t"));
        QVERIFY2(lines[1].contains("\tREFUSED\t" + message), lines[1].constData());
    }

    void unreadableFilesAndItalian()
    {
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        QCOMPARE(::mkfifo(QFile::encodeName(directory.filePath("pipe.session.json")).constData(), 0600), 0);
        const CliRun run = runCli(
            {"--lang", "it", "session", "pipe.session.json", "missing.session.json", seed("valid-coin-start.json")},
            directory.path());
        QCOMPARE(run.exitCode, 2);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith("pipe.session.json\tRIFIUTATA\t"));
        QVERIFY(lines[1].startsWith("missing.session.json\tRIFIUTATA\t"));
        QVERIFY(lines[2].contains("\tVALIDA\tLezione "));
        QCOMPARE(runCli({"session"}).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestCliSession)

#include "test_cli_session.moc"
