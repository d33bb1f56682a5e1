// fasoria-cli as a careless or hostile user would try it: full disks and file-size limits, special files as
// inputs and outputs, gradebooks over submissions, file names that fake lines or are not UTF-8.

#include "CliProcess.h"

#include <QTemporaryDir>
#include <QtTest>

#include <optional>
#include <sys/stat.h>

namespace {

const QByteArray kBell = circuitFile(2, R"({"gate":"H","target":0},{"gate":"CNOT","control":0,"target":1})");

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestCliSafety : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
    }

    void savesUnderAFileSizeLimitFailAndKeepTheOldFile_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("target");
        // "trap '' XFSZ" as a shell user would; without it the tool must ignore the signal by itself.
        QTest::addRow("lesson over a circuit") << "trap '' XFSZ; ulimit -f 0; exec \"$CLI\" lesson 02 -o good.json"
                                               << "good.json";
        QTest::addRow("without the trap") << "ulimit -f 0; exec \"$CLI\" generate grover -o good.json"
                                          << "good.json";
        QTest::addRow("csv gradebook") << "ulimit -f 0; exec \"$CLI\" check --lesson 10 bell.fsor.json --csv good.json"
                                       << "good.json";
        QTest::addRow("html gradebook")
            << "ulimit -f 0; exec \"$CLI\" check --lesson 10 bell.fsor.json --html good.json"
            << "good.json";
    }

    void savesUnderAFileSizeLimitFailAndKeepTheOldFile()
    {
        QFETCH(QString, command);
        QFETCH(QString, target);
        QCOMPARE(runCli({"lesson", "01", "-o", target}, m_dir->path()).exitCode, 0);
        QVERIFY(writeFile(m_dir->filePath("bell.fsor.json"), kBell));
        const QByteArray before = readFile(m_dir->filePath(target));
        QCOMPARE(before.size(), 194);

        const CliRun run = runShell(command, m_dir->path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains("File too large"), run.err.constData());
        QCOMPARE(readFile(m_dir->filePath(target)), before);
        QCOMPARE(entries(m_dir->path()), (QStringList{"bell.fsor.json", "good.json"}));
    }

    void dashWritesToStandardOutput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("start");
        QTest::addRow("lesson") << QStringList{"lesson", "01", "-o", "-"} << QByteArray("{\n    \"bit_order\"");
        QTest::addRow("generate") << QStringList{"generate", "deutsch", "-o", "-"} << QByteArray("{\n");
        QTest::addRow("qasm export") << QStringList{"qasm", "export", "bell.fsor.json", "-o", "-"}
                                     << QByteArray("OPENQASM 2.0;\n");
    }

    void dashWritesToStandardOutput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, start);
        QVERIFY(writeFile(m_dir->filePath("bell.fsor.json"), kBell));
        const CliRun run = runCli(arguments, m_dir->path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith(start), run.out.constData());
        QCOMPARE(entries(m_dir->path()), QStringList{"bell.fsor.json"});
    }

    void specialOutputsAreLeftAlone()
    {
        const QString fifo = m_dir->filePath("pipe");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QFile::link(fifo, m_dir->filePath("link")));
        QVERIFY(QDir().mkdir(m_dir->filePath("folder")));
        for (const char *target : {"pipe", "link", "folder"}) {
            const CliRun run = runCli({"lesson", "01", "-o", target}, m_dir->path());
            QCOMPARE(run.exitCode, 2);
            QCOMPARE(run.err, QByteArray("fasoria-cli: ") + target + ": not a regular file\n");
        }
        struct stat info;
        QCOMPARE(::stat(QFile::encodeName(fifo).constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));
        QVERIFY(QFileInfo(m_dir->filePath("folder")).isDir());
    }

    void gradebooksNeverReplaceWhatTheyGrade_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        const QStringList head{"check", "--lesson", "10", "bell.fsor.json", "other.fsor.json"};
        QTest::addRow("csv over an input") << head + QStringList{"--csv", "./bell.fsor.json"}
                                           << QByteArray("--csv would write the gradebook over bell.fsor.json, one "
                                                         "of the files to grade");
        QTest::addRow("html over an input, through the parent")
            << head + QStringList{"--html", "sub/../other.fsor.json"}
            << QByteArray("--html would write the gradebook over other.fsor.json, one of the files to grade");
        QTest::addRow("over an input through a link") << head + QStringList{"--csv", "alias.json"}
                                                      << QByteArray("--csv would write the gradebook over "
                                                                    "bell.fsor.json, one of the files to grade");
        QTest::addRow("both gradebooks in one new file") << head + QStringList{"--csv", "g.csv", "--html", "./g.csv"}
                                                         << QByteArray("--csv and --html need different files");
        QTest::addRow("csv to standard output")
            << head + QStringList{"--csv", "-"}
            << QByteArray("--csv needs a file: standard output carries the grade listing");
    }

    void gradebooksNeverReplaceWhatTheyGrade()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        QVERIFY(writeFile(m_dir->filePath("bell.fsor.json"), kBell));
        QVERIFY(writeFile(m_dir->filePath("other.fsor.json"), kBell));
        QVERIFY(QFile::link(m_dir->filePath("bell.fsor.json"), m_dir->filePath("alias.json")));
        QVERIFY(QDir().mkdir(m_dir->filePath("sub")));
        const CliRun run = runCli(arguments, m_dir->path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.startsWith("fasoria-cli: " + message + "\n"), run.err.constData());
        QVERIFY(run.out.isEmpty());
        QCOMPARE(readFile(m_dir->filePath("bell.fsor.json")), kBell);
        QCOMPARE(readFile(m_dir->filePath("other.fsor.json")), kBell);
        QCOMPARE(entries(m_dir->path()), (QStringList{"alias.json", "bell.fsor.json", "other.fsor.json", "sub"}));
    }

    void wordsAfterTheDoubleDashAreFiles()
    {
        QVERIFY(writeFile(m_dir->filePath("--csv=anna.fsor.json"), kBell));
        QVERIFY(writeFile(m_dir->filePath("--help"), kBell));
        QVERIFY(writeFile(m_dir->filePath("--lang"), kBell));
        const CliRun run =
            runCli({"check", "--lesson", "10", "--", "--csv=anna.fsor.json", "--help", "--lang"}, m_dir->path());
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> lines = run.out.split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith("--csv=anna.fsor.json\tSOLVED\t"));
        QVERIFY(lines[1].startsWith("--help\tSOLVED\t"));
        QVERIFY(lines[2].startsWith("--lang\tSOLVED\t"));
        QCOMPARE(entries(m_dir->path()), (QStringList{"--csv=anna.fsor.json", "--help", "--lang"}));
    }

    void specialInputsAreRefusedWithoutWaiting()
    {
        QVERIFY(writeFile(m_dir->filePath("bell.fsor.json"), kBell));
        QCOMPARE(::mkfifo(QFile::encodeName(m_dir->filePath("pipe.fsor.json")).constData(), 0600), 0);
        // Reading the FIFO used to wait for a writer forever: the run would never end.
        const CliRun run =
            runCli({"check", "--lesson", "10", "pipe.fsor.json", "/dev/zero", "bell.fsor.json"}, m_dir->path());
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.err, QByteArray("fasoria-cli: pipe.fsor.json: not a regular file\n"
                                     "fasoria-cli: /dev/zero: not a regular file\n"));
        QVERIFY(run.out.contains("pipe.fsor.json\tUNREADABLE\t-\tnot a regular file\n"));
        QVERIFY(run.out.contains("bell.fsor.json\tSOLVED\t100.0000%\t"));

        const CliRun qasm = runCli({"qasm", "import", "pipe.fsor.json"}, m_dir->path());
        QCOMPARE(qasm.exitCode, 2);
        QCOMPARE(qasm.err, QByteArray("fasoria-cli: pipe.fsor.json: not a regular file\n"));
    }

    void fileNamesCannotFakeTheListing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("shown");
        QTest::addRow("a fake verdict line") << QString::fromUtf8("x\tSOLVED\t100.0000%\tok\nreal.fsor.json")
                                             << QByteArray("x\\tSOLVED\\t100.0000%\\tok\\nreal.fsor.json");
        QTest::addRow("clearing the terminal")
            << QString::fromUtf8("\x1b[2J\x1b[H.fsor.json") << QByteArray("\\e[2J\\e[H.fsor.json");
        QTest::addRow("carriage return and bell")
            << QString::fromUtf8("a\rb\x07.fsor.json") << QByteArray("a\\rb\\x07.fsor.json");
        QTest::addRow("right-to-left override")
            << QString::fromUtf8("\u202Enosj.rosf.fsor.json") << QByteArray("\\u{202E}nosj.rosf.fsor.json");
        QTest::addRow("isolate and a C1 control")
            << QString::fromUtf8("\u2067a\u0085.fsor.json") << QByteArray("\\u{2067}a\\x85.fsor.json");
        QTest::addRow("a backslash") << QString::fromUtf8("a\\t.fsor.json") << QByteArray("a\\\\t.fsor.json");
        QTest::addRow("accents stay") << QString::fromUtf8("perché.fsor.json") << QByteArray("perché.fsor.json");
    }

    void fileNamesCannotFakeTheListing()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, shown);
        QVERIFY(writeFile(m_dir->filePath(name), kBell));
        QVERIFY(writeFile(m_dir->filePath("broken.fsor.json"), "{"));
        const CliRun run =
            runCli({"check", "--lesson", "10", name, "broken.fsor.json", "--csv", "g.csv"}, m_dir->path());
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out.count('\n'), 2);
        QVERIFY2(run.out.startsWith(shown + "\tSOLVED\t100.0000%\t"), run.out.constData());
        // The gradebook keeps the real name, quoted where the format needs it.
        const QByteArray csv = readFile(m_dir->filePath("g.csv"));
        QVERIFY(csv.contains(name.toUtf8()) || csv.contains("\"" + name.toUtf8().replace("\"", "\"\"") + "\""));
        QVERIFY(!run.out.contains('\x1b') && !run.out.contains('\r'));
        QVERIFY(!run.out.contains("\u202E") && !run.out.contains("\u2067"));
    }

    void namesThatAreNotUtf8AreRefused()
    {
        // The same name with U+FFFD's own bytes: a lossy decoding of "a\xff" would reach this file instead.
        QVERIFY(writeFile(m_dir->filePath(QString::fromUtf8("a\uFFFD.fsor.json")), kBell));
        const CliRun check =
            runShell("exec \"$CLI\" check --lesson 10 \"$(printf 'a\\377.fsor.json')\"", m_dir->path());
        QCOMPARE(check.exitCode, 2);
        QCOMPARE(check.err, QByteArray("fasoria-cli: a\uFFFD.fsor.json: file name is not valid UTF-8\n"));
        QVERIFY(check.out.isEmpty());

        const CliRun write = runShell("exec \"$CLI\" lesson 01 -o \"$(printf 'b\\377.json')\"", m_dir->path());
        QCOMPARE(write.exitCode, 2);
        QCOMPARE(entries(m_dir->path()), QStringList{QString::fromUtf8("a\uFFFD.fsor.json")});
    }

    void echoedWordsAreCut()
    {
        const QString option = QStringLiteral("--") + QString(100, QLatin1Char('x'));
        const CliRun run = runCli({"run", option});
        QCOMPARE(run.exitCode, 2);
        const QByteArray shown = "--" + QByteArray(62, 'x') + "...";
        QVERIFY2(run.err.startsWith("fasoria-cli: unknown option '" + shown + "'\n"), run.err.constData());
    }

    void qasmWarningsAreBounded()
    {
        QByteArray text = "OPENQASM 2.0;\nqreg q[1];\ncreg c[1];\n";
        for (int i = 0; i < 40; ++i) {
            text += "measure q[0] -> c[0];\n";
        }
        QVERIFY(writeFile(m_dir->filePath("many.qasm"), text));
        const CliRun run = runCli({"qasm", "import", "many.qasm", "-o", "many.fsor.json"}, m_dir->path());
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> lines = run.err.trimmed().split('\n');
        QCOMPARE(lines.size(), 21);
        QCOMPARE(lines.last(), QByteArray("fasoria-cli: many.qasm: warning: ... and 21 more warnings"));
    }

    void csvCellsThatAFormulaCouldHideBehindBlanks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("cell");
        QTest::addRow("blank then equals") << " =1+1.fsor.json" << QByteArray("' =1+1.fsor.json,");
        QTest::addRow("blanks then minus") << "  -2.fsor.json" << QByteArray("'  -2.fsor.json,");
        QTest::addRow("blank then at") << " @cmd.fsor.json" << QByteArray("' @cmd.fsor.json,");
        QTest::addRow("blank then letters") << " plain.fsor.json" << QByteArray(" plain.fsor.json,");
    }

    void csvCellsThatAFormulaCouldHideBehindBlanks()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, cell);
        QVERIFY(writeFile(m_dir->filePath(name), kBell));
        QCOMPARE(runCli({"check", "--lesson", "10", name, "--csv", "g.csv"}, m_dir->path()).exitCode, 0);
        QVERIFY2(readFile(m_dir->filePath("g.csv")).contains("\n" + cell), readFile(m_dir->filePath("g.csv")));
    }

private:
    std::optional<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestCliSafety)

#include "test_cli_safety.moc"
