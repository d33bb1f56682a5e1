// fasoria-cli validate: the scientific validation suite without a display, through the real executable.

#include "CliProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

struct ResultLine
{
    QString status;
    int passed = -1;
    int total = -1;
};

// The report's second line, "RESULT: PASS|FAIL  passed/total"; a status left empty when it is not that.
ResultLine resultLine(const QByteArray &report)
{
    static const QRegularExpression kLine(QStringLiteral("^RESULT: (PASS|FAIL)  (\\d+)/(\\d+)$"));
    const QRegularExpressionMatch match = kLine.match(QString::fromUtf8(report.split('\n').value(1)));
    if (!match.hasMatch()) {
        return {};
    }
    return {match.captured(1), match.captured(2).toInt(), match.captured(3).toInt()};
}

} // namespace

class TestCliValidate : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
    }

    void printsThePassingTextReport()
    {
        const CliRun run = runCli({"validate"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QVERIFY(run.out.startsWith("Fasoria 0.16.0 scientific validation (deterministic)\nRESULT: PASS  "));
        const ResultLine result = resultLine(run.out);
        QCOMPARE(result.status, QString("PASS"));
        QVERIFY(result.total > 30);
        QCOMPARE(result.passed, result.total);
        // One line per check after the two header lines, each passed.
        QCOMPARE(run.out.count("\nPASS | "), result.total);
        QVERIFY(!run.out.contains("\nFAIL | "));
        QVERIFY(run.out.contains("\nPASS | Cross-check | R01-dense-independent | OK\n"));
    }

    void reportIsLanguageNeutral()
    {
        const CliRun english = runCli({"validate"});
        const CliRun italian = runCli({"--lang", "it", "validate"});
        QCOMPARE(italian.exitCode, 0);
        QCOMPARE(italian.out, english.out);
    }

    void writesTheJsonReport()
    {
        const QString path = m_dir->filePath("report.json");
        const CliRun run = runCli({"validate", "--json", path});
        QCOMPARE(run.exitCode, 0);
        const int total = resultLine(run.out).total;
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(readFile(path), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonObject root = document.object();
        QCOMPARE(root.value("format").toString(), QString("FasoriaValidation"));
        QCOMPARE(root.value("status").toString(), QString("PASS"));
        QCOMPARE(root.value("total").toInt(), total);
        QCOMPARE(root.value("passed").toInt(), total);
        QCOMPARE(root.value("checks").toArray().size(), total);
    }

    void failedWriteKeepsTheOldReport_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QByteArray>("message");
        QTest::addRow("file-size limit") << "ulimit -f 0; exec \"$CLI\" validate --json report.json"
                                         << QByteArray("File too large");
        QTest::addRow("a folder in the way")
            << "mkdir folder; exec \"$CLI\" validate --json folder" << QByteArray("folder: not a regular file");
    }

    void failedWriteKeepsTheOldReport()
    {
        QFETCH(QString, script);
        QFETCH(QByteArray, message);
        const QByteArray old = "{\"status\": \"old\"}\n";
        QVERIFY(writeFile(m_dir->filePath("report.json"), old));
        const CliRun run = runShell(script, m_dir->path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message), run.err.constData());
        // The run itself is still reported (under the size limit the settings check fails as well, yet the
        // failed write decides the exit status).
        QVERIFY(run.out.startsWith("Fasoria 0.16.0 scientific validation (deterministic)\nRESULT: "));
        QCOMPARE(readFile(m_dir->filePath("report.json")), old);
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        QTest::addRow("standard output") << QStringList{"validate", "--json", "-"}
                                         << QByteArray("--json needs a file: standard output carries the text report");
        QTest::addRow("standard output, Italian")
            << QStringList{"--lang", "it", "validate", "--json=-"}
            << QByteArray("--json richiede un file: lo standard output riceve il report testuale");
        QTest::addRow("an operand") << QStringList{"validate", "all"} << QByteArray("too many arguments: 'all'");
        QTest::addRow("unknown option") << QStringList{"validate", "--csv", "x"}
                                        << QByteArray("unknown option '--csv'");
        QTest::addRow("json twice") << QStringList{"validate", "--json", "a.json", "--json", "b.json"}
                                    << QByteArray("option --json given twice");
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        const CliRun run = runCli(arguments, m_dir->path());
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(run.err.startsWith("fasoria-cli: " + message + "\n"), run.err.constData());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

private:
    std::optional<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestCliValidate)
#include "test_cli_validate.moc"
