// The window program's command line: which run it asks for, the file it opens, and the answers that need no
// display.
#include "ui/model/ApplicationInfo.h"
#include "ui/model/CommandLineOptions.h"

#include <QProcess>
#include <QtTest>

#include <vector>

using namespace Fasoria;

Q_DECLARE_METATYPE(CommandLineOptions::Run)

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void readsTheRunAndItsFile_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<CommandLineOptions::Run>("run");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("file");
        using Run = CommandLineOptions::Run;
        QTest::addRow("nothing") << QStringList{} << Run::Window << ""
                                 << "";
        QTest::addRow("a file") << QStringList{"bell.fsor.json"} << Run::Window << ""
                                << "bell.fsor.json";
        QTest::addRow("only the first file") << QStringList{"a.session.json", "b.fsor.json"} << Run::Window << ""
                                             << "a.session.json";
        QTest::addRow("untaken option skipped") << QStringList{"-unknown", "c.challenge.json"} << Run::Window << ""
                                                << "c.challenge.json";
        QTest::addRow("files before --") << QStringList{"a.fsor.json", "--", "b.fsor.json"} << Run::Window << ""
                                         << "a.fsor.json";
        QTest::addRow("-- -reverse") << QStringList{"--", "-reverse"} << Run::Window << ""
                                     << "-reverse";
        QTest::addRow("-- -style=x") << QStringList{"--", "-style=x.fsor.json"} << Run::Window << ""
                                     << "-style=x.fsor.json";
        QTest::addRow("-- --self-test") << QStringList{"--", "--self-test"} << Run::Window << ""
                                        << "--self-test";
        QTest::addRow("-- --help") << QStringList{"--", "--help"} << Run::Window << ""
                                   << "--help";
        QTest::addRow("-- --version") << QStringList{"--", "--version"} << Run::Window << ""
                                      << "--version";
        QTest::addRow("a second -- is a file") << QStringList{"--", "--", "x"} << Run::Window << ""
                                               << "--";
        QTest::addRow("empty words name nothing") << QStringList{"", "--", "", "d.fsor.json"} << Run::Window << ""
                                                  << "d.fsor.json";
        QTest::addRow("--self-test dir") << QStringList{"--self-test", "dir"} << Run::SelfTest << "dir"
                                         << "";
        QTest::addRow("--self-test last") << QStringList{"a.fsor.json", "--self-test"} << Run::SelfTest << ""
                                          << "";
        QTest::addRow("--self-test last before --") << QStringList{"--self-test", "--", "dir"} << Run::SelfTest << ""
                                                    << "";
        QTest::addRow("the first --self-test's directory")
            << QStringList{"--self-test", "one", "--self-test", "two"} << Run::SelfTest << "one"
            << "";
        QTest::addRow("directory that looks like an option")
            << QStringList{"--self-test", "--help"} << Run::SelfTest << "--help"
            << "";
        QTest::addRow("another letter case") << QStringList{"--Self-Test", "dir"} << Run::Window << ""
                                             << "dir";
        QTest::addRow("--help") << QStringList{"--help"} << Run::Help << ""
                                << "";
        QTest::addRow("--help wins over --self-test") << QStringList{"--self-test", "dir", "--help"} << Run::Help << ""
                                                      << "";
        QTest::addRow("--version") << QStringList{"x.fsor.json", "--version"} << Run::Version << ""
                                   << "";
        QTest::addRow("the first of --version and --help") << QStringList{"--version", "--help"} << Run::Version << ""
                                                           << "";
    }

    void readsTheRunAndItsFile()
    {
        QFETCH(QStringList, words);
        QFETCH(CommandLineOptions::Run, run);
        QFETCH(QString, directory);
        QFETCH(QString, file);
        const CommandLineOptions options = readCommandLine(words);
        QCOMPARE(options.run, run);
        QCOMPARE(options.selfTestDirectory, directory);
        QCOMPARE(options.file, file);
    }

    void theToolkitSeesOnlyTheWordsBeforeTheSeparator_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("count");
        QTest::addRow("no separator") << QStringList{"fasoria", "-reverse", "a.fsor.json"} << 3;
        QTest::addRow("separator first") << QStringList{"fasoria", "--", "-reverse"} << 1;
        QTest::addRow("after toolkit options")
            << QStringList{"fasoria", "-platform", "offscreen", "--", "-style=x"} << 3;
        QTest::addRow("the first separator") << QStringList{"fasoria", "a", "--", "--"} << 2;
        QTest::addRow("program name only") << QStringList{"fasoria"} << 1;
    }

    void theToolkitSeesOnlyTheWordsBeforeTheSeparator()
    {
        QFETCH(QStringList, words);
        QFETCH(int, count);
        std::vector<QByteArray> bytes;
        for (const QString &word : words) {
            bytes.push_back(word.toUtf8());
        }
        std::vector<const char *> argv;
        for (const QByteArray &word : bytes) {
            argv.push_back(word.constData());
        }
        QCOMPARE(wordsBeforeSeparator(static_cast<int>(argv.size()), argv.data()), count);
    }

    // Without a display and without a platform chosen, the window could not start: these must not try.
    void helpAndVersionNeedNoDisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("out");
        const QByteArray usage = commandLineUsage().toUtf8();
        QTest::addRow("help") << QStringList{"--help"} << usage;
        QTest::addRow("version") << QStringList{"--version"}
                                 << QByteArray("Fasoria ") + QByteArray(kApplicationVersion) + "\n";
        QTest::addRow("after a toolkit option") << QStringList{"-reverse", "--help", "--", "--self-test"} << usage;
    }

    void helpAndVersionNeedNoDisplay()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, out);
        QProcess process;
        // Nothing but the locale: no DISPLAY, no WAYLAND_DISPLAY, no QT_QPA_PLATFORM.
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(FASORIA_PROGRAM), arguments);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.readAllStandardError(), QByteArray());
        QCOMPARE(process.readAllStandardOutput(), out);
        QCOMPARE(process.exitCode(), 0);
    }

    void anAnswerThatCannotBeWrittenFails_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addRow("help") << "--help";
        QTest::addRow("version") << "--version";
    }

    void anAnswerThatCannotBeWrittenFails()
    {
        QFETCH(QString, option);
        if (!QFile::exists(QStringLiteral("/dev/full"))) {
            QSKIP("no /dev/full here");
        }
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(FASORIA_PROGRAM), {option});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
    }

    void usageNamesWhatTheProgramOpensAndRecognises()
    {
        const QString usage = commandLineUsage();
        for (const char *part : {".fsor.json", ".session.json", ".challenge.json", "--self-test [DIRECTORY]", "--help",
                                 "--version", "\n  --  "}) {
            QVERIFY2(usage.contains(QLatin1String(part)), part);
        }
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)

#include "test_command_line.moc"
