// fasoria-cli pack: teachers' lesson packs checked and listed with the program's own reader.
#include "tests/cli/CliProcess.h"

namespace {

QString seed(const char *name)
{
    return QStringLiteral(FASORIA_PACK_SEEDS "/") + QLatin1String(name);
}

} // namespace

class TestCliPack : public QObject
{
    Q_OBJECT

private slots:
    void checkListsEveryPack_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("valid");
        QTest::addColumn<QByteArray>("refused");
        QTest::addRow("en") << "en" << QByteArray("\tVALID\t\"Entanglement at work\": 2 lessons")
                            << QByteArray("\tREFUSED\tLesson 1 (\"sdc\"): step texts: 5 given for 6 gates");
        QTest::addRow("it") << "it" << QByteArray("\tVALIDO\t\"L'entanglement al lavoro\": 2 lezioni")
                            << QByteArray("\tRIFIUTATO\tLesson 1 (\"sdc\"): step texts: 5 given for 6 gates");
    }

    void checkListsEveryPack()
    {
        QFETCH(QString, language);
        QFETCH(QByteArray, valid);
        QFETCH(QByteArray, refused);
        const CliRun run = runCli({QStringLiteral("--lang"), language, QStringLiteral("pack"), QStringLiteral("check"),
                                   seed("valid-superdense.lessons.json"), seed("invalid-step-count.json")});
        // One refused pack fails the run; every pack still has its line.
        QCOMPARE(run.exitCode, 2);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].endsWith(valid), lines[0].constData());
        QVERIFY2(lines[1].endsWith(refused), lines[1].constData());
        QCOMPARE(
            runCli({QStringLiteral("pack"), QStringLiteral("check"), seed("valid-superdense.lessons.json")}).exitCode,
            0);
    }

    void showListsTheLessons()
    {
        const CliRun run =
            runCli({QStringLiteral("pack"), QStringLiteral("show"), seed("valid-superdense.lessons.json")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("\"Entanglement at work\": 2 lessons\n"
                                     "1. [sdc] Superdense coding (guided, 2 qubits, 6 gates)\n"
                                     "   Can one qubit carry two classical bits?\n"
                                     "2. [sdc-challenge] Superdense coding: your turn (challenge, 2 qubits)\n"
                                     "   Which gates write the bits 11 on Alice's qubit?\n"));
        const CliRun refused = runCli({QStringLiteral("pack"), QStringLiteral("show"), seed("invalid-format.json")});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY(refused.out.isEmpty());
        QVERIFY2(refused.err.contains("Unsupported format or version"), refused.err.constData());
    }

    void usageMistakes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        QTest::addRow("no action") << QStringList{"pack"} << QByteArray("pack needs check or show");
        QTest::addRow("unknown action") << QStringList{"pack", "grade"} << QByteArray("pack needs check or show");
        QTest::addRow("check without files") << QStringList{"pack", "check"} << QByteArray("fasoria-cli: ");
        QTest::addRow("show two packs") << QStringList{"pack", "show", "a", "b"} << QByteArray("fasoria-cli: ");
    }

    void usageMistakes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(message), run.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestCliPack)
#include "test_cli_pack.moc"
