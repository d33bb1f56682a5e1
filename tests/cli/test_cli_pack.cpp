// fasoria-cli pack: teachers' lesson packs checked and listed with the program's own reader.
#include "core/Circuit.h"
#include "editor/CircuitFile.h"
#include "tests/cli/CliProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

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

    void gradingThroughThePackIsGradingThroughItsChallenge()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        // The pack's challenge lesson, written out as the challenge file it holds.
        QFile packFile(seed("valid-superdense.lessons.json"));
        QVERIFY(packFile.open(QIODevice::ReadOnly));
        const QJsonArray lessons = QJsonDocument::fromJson(packFile.readAll()).object().value("lessons").toArray();
        const QJsonObject challenge = lessons.at(1).toObject().value("challenge").toObject();
        QVERIFY(!challenge.isEmpty());
        QVERIFY(writeFile(folder.filePath("sdc.challenge.json"), QJsonDocument(challenge).toJson()));
        // Answers of every kind: right or wrong, too few gates, another register, unreadable.
        using namespace Fasoria;
        const auto circuitOf = [](int qubits, std::initializer_list<Gate> gates) {
            Circuit circuit;
            circuit.qubitCount = qubits;
            for (const Gate &gate : gates) {
                circuit.steps.emplace_back(gate.kind, gate.target, gate.control, gate.angle);
            }
            return serializeCircuit(circuit);
        };
        const QStringList answers{"a.fsor.json", "b.fsor.json", "c.fsor.json", "d.fsor.json", "e.fsor.json"};
        QVERIFY(
            writeFile(folder.filePath(answers[0]), circuitOf(2, {{GateKind::X, 0, 0, 0.0}, {GateKind::Z, 0, 0, 0.0}})));
        QVERIFY(writeFile(folder.filePath(answers[1]), circuitOf(2, {{GateKind::H, 0, 0, 0.0}})));
        QVERIFY(writeFile(folder.filePath(answers[2]), circuitOf(2, {})));
        QVERIFY(writeFile(folder.filePath(answers[3]), circuitOf(1, {{GateKind::X, 0, 0, 0.0}})));
        QVERIFY(writeFile(folder.filePath(answers[4]), "{"));
        for (const QString &language : {QStringLiteral("en"), QStringLiteral("it")}) {
            const QStringList common{"--lang", language, "check"};
            const CliRun byChallenge = runCli(
                common +
                    QStringList{"--challenge", folder.filePath("sdc.challenge.json"), "--csv", "challenge.csv", "--"} +
                    answers,
                folder.path());
            const CliRun byPack = runCli(common +
                                             QStringList{"--pack", seed("valid-superdense.lessons.json"), "--lesson",
                                                         "sdc-challenge", "--csv", "pack.csv", "--"} +
                                             answers,
                                         folder.path());
            QCOMPARE(byPack.exitCode, byChallenge.exitCode);
            QCOMPARE(byPack.exitCode, 2);
            QCOMPARE(byPack.out, byChallenge.out);
            QCOMPARE(byPack.err, byChallenge.err);
            QFile packBook(folder.filePath("pack.csv"));
            QFile challengeBook(folder.filePath("challenge.csv"));
            QVERIFY(packBook.open(QIODevice::ReadOnly) && challengeBook.open(QIODevice::ReadOnly));
            QCOMPARE(packBook.readAll(), challengeBook.readAll());
        }
    }

    void aPackLessonMustBeAChallenge_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        QTest::addRow("guided lesson") << QStringList{"--lesson", "sdc"}
                                       << QByteArray("the pack's lesson \"sdc\" is guided, not a challenge");
        QTest::addRow("no such lesson") << QStringList{"--lesson", "nope"}
                                        << QByteArray("no lesson \"nope\" in the pack");
        QTest::addRow("no lesson given") << QStringList{} << QByteArray("--pack needs --lesson ID");
    }

    void aPackLessonMustBeAChallenge()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath("a.fsor.json"), "{"));
        const CliRun run = runCli(QStringList{"check", "--pack", seed("valid-superdense.lessons.json")} + arguments +
                                      QStringList{"a.fsor.json"},
                                  folder.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(message), run.err.constData());
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
