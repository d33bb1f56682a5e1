// fasoria-cli check: grading a folder of submissions, with diagnostics and gradebooks, through the real
// executable.

#include "CliProcess.h"

#include "editor/CircuitFile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Fasoria;

namespace {

const QByteArray kH0 = R"({"gate":"H","target":0})";
const QByteArray kX0 = R"({"gate":"X","target":0})";
const QByteArray kX1 = R"({"gate":"X","target":1})";
const QByteArray kZ0 = R"({"gate":"Z","target":0})";
const QByteArray kCnot01 = R"({"gate":"CNOT","control":0,"target":1})";

QByteArray gates(const QByteArrayList &list)
{
    return list.join(',');
}

QString parserMessage(const QByteArray &content)
{
    Circuit ignored;
    QString error;
    return parseCircuit(content, ignored, &error) ? QString() : error;
}

} // namespace

class TestCliCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // Submissions to lesson 10, the Bell state (|00> + |11>)/sqrt(2), as students hand them in.
        write("correct.fsor.json", circuitFile(2, gates({kH0, kCnot01})));
        write("phase.fsor.json", circuitFile(2, gates({kH0, kCnot01, kZ0})));
        // Z X Z X is −1: the Bell state with a global phase of 180°.
        write("global.fsor.json", circuitFile(2, gates({kH0, kCnot01, kZ0, kX0, kZ0, kX0})));
        write("three.fsor.json", circuitFile(3, gates({kH0, kCnot01})));
        write("short.fsor.json", circuitFile(2, kH0));
        write("broken.fsor.json", "{\"format\": \"FasoriaCircuit\"");
        // Lesson 08 asks for |01>; X on q1 gives |10>.
        write("reversed.fsor.json", circuitFile(2, kX1));
        write("a<b>&c.fsor.json", circuitFile(2, gates({kH0, kCnot01})));
        write("=SUM(A1).fsor.json", circuitFile(2, kH0));
    }

    void gradesAFolderWithDiagnostics()
    {
        const CliRun run = runCli({"check", "--lesson", "10", "correct.fsor.json", "phase.fsor.json",
                                   "global.fsor.json", "three.fsor.json", "short.fsor.json", "broken.fsor.json"},
                                  m_dir.path());
        const QString broken = parserMessage(readFile(m_dir.filePath("broken.fsor.json")));
        QVERIFY(!broken.isEmpty());
        const QString expected =
            "correct.fsor.json\tSOLVED\t100.0000%\tSOLVED! The quantum state is correct.  State fidelity: 100.0000%.\n"
            "phase.fsor.json\tNOT SOLVED\t0.0000%\tNot yet: amplitudes or phases differ from the target state.  "
            "State fidelity: 0.0000%. Same probabilities, different relative phase. Compare H and H-Z, then add H "
            "to both in the learning lab.\n"
            "  diagnostics: Same probabilities as the target, but the relative phase differs: |11> by 180.0°.\n"
            "global.fsor.json\tSOLVED\t100.0000%\tSOLVED! The quantum state is correct.  State fidelity: 100.0000%.\n"
            "  diagnostics: The state is the target up to a global phase of 180.0°, which does not count against "
            "the student: fidelity ignores it.\n"
            "three.fsor.json\tNOT SOLVED\t0.0000%\tThe circuit uses a different number of qubits than this "
            "challenge.  State fidelity: 0.0000%.\n"
            "  diagnostics: The circuit has 3 qubits, but this challenge needs 2.\n"
            "short.fsor.json\tNOT SOLVED\t25.0000%\tMore gates are required by this exercise.  State fidelity: "
            "25.0000%.\n"
            "  diagnostics: The probabilities differ most at |01> (0.5000 instead of 0.0000), |11> (0.0000 instead "
            "of 0.5000). The circuit has 1 gate; the challenge asks for at least 2.\n"
            "broken.fsor.json\tUNREADABLE\t-\t" +
            broken + "\n";
        QCOMPARE(QString::fromUtf8(run.out), expected);
        QCOMPARE(QString::fromUtf8(run.err), "fasoria-cli: broken.fsor.json: " + broken + "\n");
        QCOMPARE(run.exitCode, 2);
    }

    void exitStatusTellsTheOutcome_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("exitCode");
        QTest::addRow("all-solved") << QStringList{"correct.fsor.json", "global.fsor.json"} << 0;
        QTest::addRow("one-not-solved") << QStringList{"correct.fsor.json", "phase.fsor.json"} << 1;
        QTest::addRow("unreadable-wins") << QStringList{"phase.fsor.json", "broken.fsor.json"} << 2;
        QTest::addRow("missing-file") << QStringList{"correct.fsor.json", "absent.fsor.json"} << 2;
    }

    void exitStatusTellsTheOutcome()
    {
        QFETCH(QStringList, files);
        QFETCH(int, exitCode);
        const CliRun run = runCli(QStringList{"check", "--lesson", "10"} + files, m_dir.path());
        QCOMPARE(run.exitCode, exitCode);
        // Every file is listed, readable or not.
        QCOMPARE(run.out.count("\tSOLVED\t") + run.out.count("\tNOT SOLVED\t") + run.out.count("\tUNREADABLE\t"),
                 files.size());
    }

    void otherChallengesAndLanguages_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("expected");
        QTest::addRow("reversed-order")
            << QStringList{"check", "--lesson", "08", "reversed.fsor.json"}
            << QByteArray("reversed.fsor.json\tNOT SOLVED\t0.0000%\tNot yet: amplitudes or phases differ from the "
                          "target state.  State fidelity: 0.0000%.\n"
                          "  diagnostics: This is the target state with the qubit order reversed: q0 is the rightmost "
                          "bit of a label.\n");
        QTest::addRow("italian")
            << QStringList{"--lang", "it", "check", "--lesson", "8", "reversed.fsor.json"}
            << QByteArray("reversed.fsor.json\tNON RISOLTO\t0.0000%\tNon ancora: ampiezze o fasi non corrispondono "
                          "allo stato richiesto.  Fedeltà dello stato: 0.0000%.\n"
                          "  diagnosi: È lo stato richiesto con l'ordine dei qubit invertito: q0 è il bit più a "
                          "destra dell'etichetta.\n");
        QTest::addRow("italian-solved")
            << QStringList{"check", "--lesson", "10", "correct.fsor.json", "--lang", "it"}
            << QByteArray("correct.fsor.json\tRISOLTO\t100.0000%\tRISOLTO! Lo stato quantistico è corretto.  Fedeltà "
                          "dello stato: 100.0000%.\n");
    }

    void otherChallengesAndLanguages()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, expected);
        const CliRun run = runCli(arguments, m_dir.path());
        QCOMPARE(run.out, expected);
        QCOMPARE(run.exitCode, expected.contains("NOT SOLVED") || expected.contains("NON RISOLTO") ? 1 : 0);
    }

    void csvGradebook()
    {
        const QString book = m_dir.filePath("grades.csv");
        const CliRun run = runCli({"check", "--lesson", "10", "correct.fsor.json", "short.fsor.json",
                                   "broken.fsor.json", "=SUM(A1).fsor.json", "--csv", book},
                                  m_dir.path());
        QCOMPARE(run.exitCode, 2);
        const QString broken = parserMessage(readFile(m_dir.filePath("broken.fsor.json")));
        const QString diagnostics = "\"The probabilities differ most at |01> (0.5000 instead of 0.0000), |11> "
                                    "(0.0000 instead of 0.5000). The circuit has 1 gate; the challenge asks for at "
                                    "least 2.\"";
        const QString expected = "file,status,verdict,fidelity_percent,gates,diagnostics\n"
                                 "correct.fsor.json,0,SOLVED,100.0000,2,\n"
                                 "short.fsor.json,1,NOT SOLVED,25.0000,1," +
                                 diagnostics +
                                 "\n"
                                 "broken.fsor.json,,UNREADABLE,,," +
                                 broken +
                                 "\n"
                                 "'=SUM(A1).fsor.json,1,NOT SOLVED,25.0000,1," +
                                 diagnostics + "\n";
        QCOMPARE(QString::fromUtf8(readFile(book)), expected);
    }

    void htmlGradebookIsEscapedAndSelfContained()
    {
        const QString book = m_dir.filePath("grades.html");
        const CliRun run =
            runCli({"--lang", "it", "check", "--lesson", "10", "a<b>&c.fsor.json", "phase.fsor.json", "--html", book},
                   m_dir.path());
        QCOMPARE(run.exitCode, 1);
        const QString html = QString::fromUtf8(readFile(book));
        QVERIFY(html.startsWith("<!DOCTYPE html>\n<html lang=\"it\">"));
        QVERIFY(html.contains("<td>a&lt;b&gt;&amp;c.fsor.json</td>"));
        QVERIFY(!html.contains("a<b>"));
        QVERIFY(html.contains("Risolti: 1 su 2"));
        QVERIFY(html.contains("<th>Diagnosi</th>"));
        QVERIFY(html.contains("Prepara lo stato di Bell (|00&gt; + |11&gt;)/sqrt(2)."));
        QVERIFY(html.contains("|11&gt; di 180.0°"));
        QVERIFY(!html.contains("src=") && !html.contains("href=") && !html.contains("<script"));
        QVERIFY(html.endsWith("</html>\n"));
    }

    void gradebookFailureStillListsAndFails()
    {
        const QString unreachable = m_dir.filePath("no-such-folder/grades.csv");
        const QString html = m_dir.filePath("kept.html");
        const CliRun run = runCli(
            {"check", "--lesson", "10", "correct.fsor.json", "--csv", unreachable, "--html", html}, m_dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.startsWith("correct.fsor.json\tSOLVED\t"));
        QVERIFY2(run.err.startsWith("fasoria-cli: " + unreachable.toUtf8() + ": "), run.err);
        QVERIFY(QFile::exists(html));
    }

    void usageErrorWritesNoGradebook()
    {
        const QString book = m_dir.filePath("never.csv");
        const CliRun run = runCli({"check", "--lesson", "03", "correct.fsor.json", "--csv", book}, m_dir.path());
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY(!QFile::exists(book));
    }

private:
    void write(const QString &name, const QByteArray &content) { QVERIFY(writeFile(m_dir.filePath(name), content)); }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestCliCheck)
#include "test_cli_check.moc"
