// The unattended run of the learning features, as the program runs it ("fasoria --self-test") and
// in-process on a window of its own.
#include "Help/Resources.h"
#include "tests/support/ReadOnlyDirectory.h"
#include "ui/window/MainWindow.h"
#include "validation/selftest/EducationSelfTest.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The checks a complete run passes (scripts/test.sh and the README state the same number).
constexpr int kEducationCheckCount = 83;

QString passingSummary()
{
    return QStringLiteral("Education checks passed: %1; result: PASS").arg(kEducationCheckCount);
}

struct Run
{
    int exitCode = -1;
    QByteArray err;
};

Run runProgram(const QStringList &arguments, const QMap<QString, QString> &environment = {})
{
    QProcess process;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (auto it = environment.cbegin(); it != environment.cend(); ++it) {
        variables.insert(it.key(), it.value());
    }
    process.setProcessEnvironment(variables);
    process.start(QStringLiteral(FASORIA_PROGRAM), arguments);
    Run run;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
        run.err = process.readAllStandardError();
    }
    return run;
}

QStringList logLines(const QString &directory)
{
    QFile file(directory + QStringLiteral("/education_tests.txt"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')) : QStringList();
}

int passLines(const QStringList &lines)
{
    int count = 0;
    for (const QString &line : lines) {
        count += line.startsWith(QLatin1String("PASS ")) && !line.startsWith(QLatin1String("PASS | ")) ? 1 : 0;
    }
    return count;
}

} // namespace

class TestSelfTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
        QCoreApplication::setApplicationName(QStringLiteral("FasoriaSelfTest"));
        Fasoria::initResources();
        // As the program's start-up does.
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/Fasoria.png")));
    }

    void completeRunInProcess()
    {
        QSettings().clear();
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        // A folder that does not exist yet, with its parent: both are created.
        const QString report = directory.filePath(QStringLiteral("a/b"));
        MainWindow window;
        const bool passed = Fasoria::runEducationSelfTest(window, report);
        const QStringList lines = logLines(report);
        QVERIFY2(passed, qPrintable(lines.mid(lines.size() - 3).join(QLatin1Char('\n'))));
        QCOMPARE(passLines(lines), kEducationCheckCount);
        QCOMPARE(lines.last(), passingSummary());
        QCOMPARE(lines[0], QStringLiteral("Fasoria 0.16.0 scientific validation (deterministic)"));
        QCOMPARE(lines[1], QStringLiteral("RESULT: PASS  38/38"));
        // Closing the window after the run asks nothing.
        QVERIFY(!window.experiment().document().hasUnsavedWork());
        QVERIFY(!window.isWindowModified() && !window.windowTitle().endsWith(QStringLiteral(" *")));
        for (const char *file :
             {"main_it.png", "measurements_it.png", "learning_it_0.png", "learning_it_1.png", "learning_it_2.png",
              "learning_it_3.png", "learning_en.png", "sample.session.json", "sample_worksheet.html"}) {
            QVERIFY2(QFile::exists(report + QLatin1Char('/') + QLatin1String(file)), file);
        }
    }

    void programExitCodes_data()
    {
        QTest::addColumn<QString>("failCheck");
        QTest::addColumn<int>("exitCode");
        QTest::addRow("passing") << QString() << 0;
        QTest::addRow("fifth check fails") << QStringLiteral("5") << 1;
    }

    void programExitCodes()
    {
        QFETCH(QString, failCheck);
        QFETCH(int, exitCode);
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        // An older log is replaced.
        const QString report = directory.path();
        QFile old(report + QStringLiteral("/education_tests.txt"));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("stale\nlines\n") > 0);
        old.close();
        QMap<QString, QString> environment{{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")}};
        if (!failCheck.isEmpty()) {
            environment.insert(QStringLiteral("FASORIA_SELF_TEST_FAIL_CHECK"), failCheck);
        }
        const Run run = runProgram({QStringLiteral("--self-test"), report}, environment);
        QCOMPARE(run.exitCode, exitCode);
        const QStringList lines = logLines(report);
        if (exitCode == 0) {
            QCOMPARE(lines.last(), passingSummary());
            return;
        }
        // The failed check is logged twice: as its own line and as the reason the run ended.
        const int size = lines.size();
        QVERIFY(size >= 3);
        QVERIFY(lines[size - 3].startsWith(QStringLiteral("FAIL ")));
        QCOMPARE(lines[size - 2], lines[size - 3]);
        QCOMPARE(passLines(lines), 4);
        QCOMPARE(lines.last(), QStringLiteral("Education checks passed: 4; result: FAIL"));
    }

    void unwritableReportDirectory()
    {
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        // A regular file where the folder should be: it can be neither created nor written.
        const QString blocker = directory.filePath(QStringLiteral("file"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const Run run = runProgram({QStringLiteral("--self-test"), blocker + QStringLiteral("/report")},
                                   {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")}});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("fasoria --self-test: cannot create the report directory"), run.err.constData());
    }

    void existingReportDirectoryThatRefusesFiles()
    {
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        const QString report = directory.filePath(QStringLiteral("report"));
        QVERIFY(QDir().mkpath(report));
        const ReadOnlyDirectory locked(report);
        if (!locked.refusesNewFiles()) {
            QSKIP("this file system lets every file be created here");
        }
        // The folder exists, so the run starts; its log cannot be written, so the verdict is a failure said
        // on standard error, never a silent success.
        const Run run = runProgram({QStringLiteral("--self-test"), report},
                                   {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")}});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("fasoria --self-test: cannot write ") && run.err.contains("education_tests.txt"),
                 run.err.constData());
        QVERIFY(QDir(report).entryList(QDir::Files).isEmpty());
    }
};

QTEST_MAIN(TestSelfTest)

#include "test_self_test.moc"
