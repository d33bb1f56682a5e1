// fasoria-cli run, generate, lesson, help and the refusal of bad command lines, through the real executable.

#include "CliProcess.h"

#include "core/Measurement.h"
#include "core/RandomGenerator.h"
#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace Fasoria;

Q_DECLARE_METATYPE(Fasoria::AlgorithmParameters)

namespace {

const QByteArray kBellGates = R"({"gate":"H","target":0},{"gate":"CNOT","control":0,"target":1})";

const char kBellResults[] = R"({
    "amplitudes_before_measurement": [
        [
            0.7071067811865475,
            0
        ],
        [
            0,
            0
        ],
        [
            0,
            0
        ],
        [
            0.7071067811865475,
            0
        ]
    ],
    "application_version": "0.16.0",
    "circuit": {
        "bit_order": "q0_rightmost",
        "format": "FasoriaCircuit",
        "gates": [
            {
                "gate": "H",
                "target": 0
            },
            {
                "control": 0,
                "gate": "CNOT",
                "target": 1
            }
        ],
        "qubits": 2,
        "version": 1
    },
    "circuit_file": "bell.fsor.json",
    "format": "FasoriaResults",
    "probabilities_before_measurement": [
        0.4999999999999999,
        0,
        0,
        0.4999999999999999
    ],
    "qubits": 2,
    "shot_count": 0,
    "stage": 2,
    "timestamp_utc": "TIMESTAMP",
    "total_gates": 2,
    "version": 2
}
)";

// Checks the timestamp's form and replaces it, so the rest can be compared byte for byte.
QByteArray withoutTimestamp(const QByteArray &document)
{
    static const QRegularExpression kStamp(QStringLiteral(R"("timestamp_utc": "\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ")"));
    QString text = QString::fromUtf8(document);
    if (!kStamp.match(text).hasMatch()) {
        return "no UTC timestamp with seconds in: " + document;
    }
    return text.replace(kStamp, QStringLiteral(R"("timestamp_utc": "TIMESTAMP")")).toUtf8();
}

QJsonObject parsed(const QByteArray &document)
{
    return QJsonDocument::fromJson(document).object();
}

} // namespace

class TestCliRun : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(writeFile(m_dir.filePath(QStringLiteral("bell.fsor.json")), circuitFile(2, kBellGates)));
    }

    void bellResultsDocumentIsExact()
    {
        const CliRun run = runCli({QStringLiteral("run"), QStringLiteral("bell.fsor.json")}, m_dir.path());
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(withoutTimestamp(run.out), QByteArray(kBellResults));
    }

    void stageReplaysPrefixOnly()
    {
        const CliRun run = runCli({"run", "bell.fsor.json", "--stage", "1"}, m_dir.path());
        QCOMPARE(run.exitCode, 0);
        const QJsonObject root = parsed(run.out);
        QCOMPARE(root.value("stage").toInt(), 1);
        QCOMPARE(root.value("total_gates").toInt(), 2);
        const QJsonArray amplitudes = root.value("amplitudes_before_measurement").toArray();
        QCOMPARE(amplitudes.at(1).toArray().at(0).toDouble(), 0.7071067811865475);
        QCOMPARE(amplitudes.at(3).toArray().at(0).toDouble(), 0.0);
    }

    void shotsFollowTheSeed()
    {
        const QStringList arguments{"run", "bell.fsor.json", "--shots", "1000", "--seed", "42"};
        const CliRun first = runCli(arguments, m_dir.path());
        const CliRun second = runCli(arguments, m_dir.path());
        QCOMPARE(first.exitCode, 0);
        QCOMPARE(withoutTimestamp(first.out), withoutTimestamp(second.out));

        RandomGenerator generator(42);
        Circuit bell;
        QVERIFY(parseCircuit(circuitFile(2, kBellGates), bell, nullptr));
        const Histogram expected = sampleCounts(replayPrefix(bell, 2), 1000, generator);
        const QJsonObject root = parsed(first.out);
        QCOMPARE(root.value("shot_count").toInt(), 1000);
        const QJsonArray histogram = root.value("histogram").toArray();
        QCOMPARE(histogram.size(), 4);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(histogram.at(i).toDouble(), static_cast<double>(expected[static_cast<std::size_t>(i)]));
        }
        QCOMPARE(histogram.at(1).toInt(), 0);
        QCOMPARE(histogram.at(2).toInt(), 0);
    }

    void algorithmLessonCarriesItsFigures()
    {
        const CliRun run = runCli({"run", "--lesson", "19"});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject root = parsed(run.out);
        QCOMPARE(root.value("algorithm").toString(), QStringLiteral("Grover 2 qubits"));
        QCOMPARE(root.value("readout_value").toInt(), 2);
        QCOMPARE(root.value("circuit_file").toString(), QString());
        QVERIFY(root.contains("query_model_note"));
        QVERIFY(!root.contains("algorithm_mode"));
        QVERIFY(!root.contains("parameters"));
        QVERIFY(!root.contains("histogram"));

        const CliRun plain = runCli({"run", "--lesson", "01"});
        QCOMPARE(plain.exitCode, 0);
        QVERIFY(!parsed(plain.out).contains("algorithm"));
    }

    void generateWritesTheGeneratorsCircuit_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<AlgorithmParameters>("parameters");
        AlgorithmParameters deutsch;
        deutsch.kind = AlgorithmKind::Deutsch;
        QTest::addRow("deutsch-defaults") << QStringList{"deutsch"} << deutsch;
        deutsch.deutschFunction = 3;
        QTest::addRow("deutsch-1-x") << QStringList{"deutsch", "--function", "3"} << deutsch;
        AlgorithmParameters bv;
        bv.kind = AlgorithmKind::BernsteinVazirani;
        bv.qubits = 4;
        bv.bvSecret = 15;
        QTest::addRow("bv-4-15") << QStringList{"bv", "--qubits", "4", "--secret=15"} << bv;
        AlgorithmParameters grover;
        QTest::addRow("grover-defaults") << QStringList{"grover"} << grover;
        grover.qubits = 2;
        grover.groverTarget = 2;
        grover.groverIterations = 1;
        QTest::addRow("grover-2-2-1") << QStringList{"grover", "--qubits", "2", "--marked", "2", "--iterations", "1"}
                                      << grover;
    }

    void generateWritesTheGeneratorsCircuit()
    {
        QFETCH(QStringList, arguments);
        QFETCH(AlgorithmParameters, parameters);
        const CliRun run = runCli(QStringList{"generate"} + arguments);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, serializeCircuit(generateAlgorithm(parameters).circuit));
    }

    void generatorErrorsArePrintedAsTheyAre_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        QTest::addRow("deutsch-4") << QStringList{"deutsch", "--function", "4"}
                                   << QByteArray("Deutsch function outside 0..3");
        QTest::addRow("bv-negative") << QStringList{"bv", "--secret", "-1"}
                                     << QByteArray("BV: 1..4 data bits and an in-range secret are required");
        QTest::addRow("grover-4-qubits") << QStringList{"grover", "--qubits", "4"}
                                         << QByteArray("Grover: 2..3 qubits, valid target, 1..4 iterations required");
        QTest::addRow("grover-5-iterations")
            << QStringList{"grover", "--iterations", "5"}
            << QByteArray("Grover: 2..3 qubits, valid target, 1..4 iterations required");
    }

    void generatorErrorsArePrintedAsTheyAre()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        const QString target = m_dir.filePath(QStringLiteral("never.fsor.json"));
        const CliRun run = runCli(QStringList{"generate"} + arguments + QStringList{"-o", target});
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.err, "fasoria-cli: " + message + "\n");
        QVERIFY(!QFile::exists(target));
    }

    void outputFileIsWrittenOnlyOnSuccess()
    {
        const QString target = m_dir.filePath(QStringLiteral("lesson.fsor.json"));
        const CliRun run = runCli({"lesson", "19", "-o", target});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(readFile(target), serializeCircuit(lessonCatalog().at(18)));

        const QString unreachable = m_dir.filePath(QStringLiteral("missing-folder/lesson.fsor.json"));
        const CliRun refused = runCli({"lesson", "19", "-o", unreachable});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.err.startsWith("fasoria-cli: " + unreachable.toUtf8() + ": "), refused.err);
        QVERIFY(!QFile::exists(unreachable));
    }

    void lessonAcceptsBothNumberForms()
    {
        QCOMPARE(runCli({"lesson", "5"}).out, serializeCircuit(lessonCatalog().at(4)));
        QCOMPARE(runCli({"lesson", "05"}).out, serializeCircuit(lessonCatalog().at(4)));
    }

    void fileErrorsNameTheFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("message");
        QTest::addRow("syntax") << QByteArray("{bad") << QByteArray();
        QTest::addRow("angle") << circuitFile(1, R"({"gate":"P","target":0})") << QByteArray("Missing phase angle");
        QTest::addRow("qubits") << circuitFile(9, "")
                                << QByteArray("Unsupported format/version or invalid qubit count");
    }

    void fileErrorsNameTheFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, message);
        if (message.isEmpty()) {
            Circuit ignored;
            QString error;
            QVERIFY(!parseCircuit(content, ignored, &error));
            message = error.toUtf8();
        }
        QVERIFY(writeFile(m_dir.filePath(QStringLiteral("input.fsor.json")), content));
        for (const QStringList &arguments : {QStringList{"run", "input.fsor.json"},
                                             QStringList{"qasm", "export", "input.fsor.json", "-o", "out.qasm"}}) {
            const CliRun run = runCli(arguments, m_dir.path());
            QCOMPARE(run.exitCode, 2);
            QCOMPARE(run.out, QByteArray());
            QCOMPARE(run.err, "fasoria-cli: input.fsor.json: " + message + "\n");
        }
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("out.qasm"))));

        const CliRun missing = runCli({"run", "absent.fsor.json"}, m_dir.path());
        QCOMPARE(missing.exitCode, 2);
        QVERIFY2(missing.err.startsWith("fasoria-cli: absent.fsor.json: "), missing.err);
    }

    void usageErrorsExitWithTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::addRow("no-command") << QStringList{} << "missing command";
        QTest::addRow("unknown-command") << QStringList{"frob"} << "unknown command 'frob'";
        QTest::addRow("bad-language") << QStringList{"--lang", "fr", "run"} << "--lang takes it or en";
        QTest::addRow("run-no-file") << QStringList{"run"} << "missing file";
        QTest::addRow("run-two-files") << QStringList{"run", "a", "b"} << "too many arguments: 'b'";
        QTest::addRow("run-file-and-lesson")
            << QStringList{"run", "bell.fsor.json", "--lesson", "10"} << "give a circuit file or --lesson, not both";
        QTest::addRow("run-lesson-22") << QStringList{"run", "--lesson", "22"} << "the lesson must be in 01..21";
        QTest::addRow("run-stage-past-end")
            << QStringList{"run", "bell.fsor.json", "--stage", "3"} << "--stage needs a whole number in 0..2";
        QTest::addRow("run-stage-negative")
            << QStringList{"run", "bell.fsor.json", "--stage", "-1"} << "--stage needs a whole number in 0..2";
        QTest::addRow("run-stage-text") << QStringList{"run", "bell.fsor.json", "--stage", "1.0"}
                                        << "--stage needs a whole number in 0..2";
        QTest::addRow("run-stage-no-value")
            << QStringList{"run", "bell.fsor.json", "--stage"} << "option --stage needs a value";
        QTest::addRow("run-repeated") << QStringList{"run", "--lesson", "1", "--lesson", "2"}
                                      << "option --lesson given twice";
        QTest::addRow("run-unknown-option") << QStringList{"run", "--frob"} << "unknown option '--frob'";
        QTest::addRow("run-seed-alone") << QStringList{"run", "bell.fsor.json", "--seed", "3"}
                                        << "--seed applies only with --shots";
        QTest::addRow("run-zero-shots") << QStringList{"run", "bell.fsor.json", "--shots", "0"}
                                        << "--shots needs a whole number in 1..1000000";
        QTest::addRow("run-seed-too-large")
            << QStringList{"run", "bell.fsor.json", "--shots", "10", "--seed", "18446744073709551616"}
            << "--seed needs a whole number in 0..18446744073709551615";
        QTest::addRow("check-no-lesson") << QStringList{"check", "bell.fsor.json"}
                                         << "missing --lesson NN or --challenge FILE";
        QTest::addRow("check-not-challenge")
            << QStringList{"check", "--lesson", "04", "bell.fsor.json"} << "the lesson must be in 05..14";
        QTest::addRow("check-no-files") << QStringList{"check", "--lesson", "10"} << "missing files to grade";
        QTest::addRow("check-same-books")
            << QStringList{"check", "--lesson", "10", "bell.fsor.json", "--csv", "g", "--html", "g"}
            << "--csv and --html need different files";
        QTest::addRow("generate-nothing") << QStringList{"generate"} << "missing algorithm (deutsch, bv or grover)";
        QTest::addRow("generate-unknown")
            << QStringList{"generate", "shor"} << "unknown algorithm 'shor' (deutsch, bv or grover)";
        QTest::addRow("generate-foreign-option")
            << QStringList{"generate", "deutsch", "--qubits", "2"} << "--qubits does not apply to deutsch";
        QTest::addRow("generate-not-a-number") << QStringList{"generate", "grover", "--marked", "two"}
                                               << "--marked needs a whole number in -2147483648..2147483647";
        QTest::addRow("lesson-zero") << QStringList{"lesson", "0"} << "the lesson must be in 01..21";
        QTest::addRow("lesson-three-digits") << QStringList{"lesson", "005"} << "the lesson must be in 01..21";
        QTest::addRow("qasm-direction") << QStringList{"qasm", "convert", "x"} << "give export or import";
        QTest::addRow("qasm-no-file") << QStringList{"qasm", "import"} << "missing file";
    }

    void usageErrorsExitWithTwo()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const CliRun run = runCli(arguments, m_dir.path());
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        const QList<QByteArray> lines = run.err.split('\n');
        QCOMPARE(lines.value(0), "fasoria-cli: " + message.toUtf8());
        QVERIFY2(lines.value(1).startsWith("Usage: fasoria-cli"), run.err);
        QVERIFY2(run.err.contains("--help\" describes every option."), run.err);
    }

    void helpGoesToStandardOutput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("start");
        QTest::addRow("general") << QStringList{"--help"} << QByteArray("Usage: fasoria-cli [--lang it|en] COMMAND");
        QTest::addRow("run") << QStringList{"run", "--help"} << QByteArray("Usage: fasoria-cli run FILE|--lesson NN");
        QTest::addRow("check") << QStringList{"check", "-h"} << QByteArray("Usage: fasoria-cli check --lesson NN");
        QTest::addRow("generate") << QStringList{"generate", "grover", "--help"}
                                  << QByteArray("Usage: fasoria-cli generate deutsch|bv|grover");
        QTest::addRow("lesson") << QStringList{"lesson", "--help"} << QByteArray("Usage: fasoria-cli lesson NN");
        QTest::addRow("qasm") << QStringList{"qasm", "--help"} << QByteArray("Usage: fasoria-cli qasm export FILE");
        QTest::addRow("italian") << QStringList{"--lang", "it", "check", "--help"}
                                 << QByteArray("Uso: fasoria-cli check --lesson NN");
        QTest::addRow("language-after") << QStringList{"run", "--help", "--lang=it"}
                                        << QByteArray("Uso: fasoria-cli run FILE|--lesson NN");
    }

    void helpGoesToStandardOutput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, start);
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QVERIFY2(run.out.startsWith(start), run.out);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestCliRun)
#include "test_cli_run.moc"
