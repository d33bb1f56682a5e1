// fasoria-cli worksheet: a class's saved sessions made into worksheets at once, read back as a reader would.
#include "tests/cli/CliProcess.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QString seed(const char *name)
{
    return QStringLiteral(FASORIA_SESSION_SEEDS "/") + QLatin1String(name);
}

QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestCliWorksheet : public QObject
{
    Q_OBJECT

private slots:
    void aFolderOfSessionsWithOneRefused()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        // Two sessions of one name from two folders, and one the laboratory refuses.
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("b")));
        QVERIFY(QFile::copy(seed("valid-notebook.json"), folder.filePath(QStringLiteral("anna.session.json"))));
        QVERIFY(QFile::copy(seed("valid-challenge.json"), folder.filePath(QStringLiteral("b/anna.session.json"))));
        QVERIFY(QFile::copy(seed("invalid-notebook-action.json"), folder.filePath(QStringLiteral("bad.session.json"))));
        const QString out = folder.filePath(QStringLiteral("sheets")) + QLatin1Char('/');
        const CliRun run = runCli({QStringLiteral("worksheet"), folder.filePath(QStringLiteral("anna.session.json")),
                                   folder.filePath(QStringLiteral("bad.session.json")),
                                   folder.filePath(QStringLiteral("b/anna.session.json")), QStringLiteral("--lang"),
                                   QStringLiteral("en"), QStringLiteral("-o"), out});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains("bad.session.json: Invalid session notebook"), run.err.constData());
        QVERIFY(run.out.isEmpty());
        QCOMPARE(QDir(out).entryList(QDir::Files), (QStringList{"anna-2.pdf", "anna.pdf"}));
        const QString text = pdfText(out + QStringLiteral("anna.pdf"));
        if (text.isNull()) {
            QSKIP("pdftotext is not installed");
        }
        for (const char *piece : {"Name", "Activity: 01 - The quantum coin", "Laboratory notebook",
                                  "Appendix: reproducible circuit (JSON)", "100.0000"}) {
            QVERIFY2(text.contains(QLatin1String(piece)), piece);
        }
        QVERIFY(pdfText(out + QStringLiteral("anna-2.pdf")).contains(QStringLiteral("Goal")));
    }

    void oneSessionToOneFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("start");
        QTest::addRow("PDF") << "sheet.pdf" << QByteArray("%PDF-");
        QTest::addRow("HTML") << "sheet.HTML" << QByteArray("<!doctype html><html lang=\"it\">");
    }

    void oneSessionToOneFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        const CliRun run = runCli({QStringLiteral("--lang"), QStringLiteral("it"), QStringLiteral("worksheet"),
                                   seed("valid-measured-histogram-copies.json"), QStringLiteral("-o"), path});
        QCOMPARE(run.exitCode, 0);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith(start));
    }

    // A pack lesson's worksheet is headed by the lesson's title and quotes its teacher's step explanations.
    void aPackLessonsWorksheet()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("sheet.html"));
        const CliRun run = runCli({QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("worksheet"),
                                   seed("valid-pack-lesson.json"), QStringLiteral("-o"), path});
        QCOMPARE(run.exitCode, 0);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(file.readAll());
        QVERIFY(page.contains(QStringLiteral("Superdense coding")));
        QVERIFY(page.contains(QStringLiteral("CNOT entangles q0 and q1: the Bell pair is ready.")));
        QVERIFY(page.contains(QStringLiteral("Can one qubit carry two classical bits?")));
    }

    void usageMistakesWriteNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        QTest::addRow("no output") << QStringList{seed("valid-coin-start.json")}
                                   << QByteArray("worksheet needs -o OUT.pdf, OUT.html or a folder");
        QTest::addRow("standard output") << QStringList{seed("valid-coin-start.json"), "-o", "-"}
                                         << QByteArray("worksheet needs -o OUT.pdf, OUT.html or a folder");
        QTest::addRow("another ending") << QStringList{seed("valid-coin-start.json"), "-o", "sheet.txt"}
                                        << QByteArray("worksheet needs -o OUT.pdf, OUT.html or a folder");
        QTest::addRow("several to one file")
            << QStringList{seed("valid-coin-start.json"), seed("valid-challenge.json"), "-o", "sheet.pdf"}
            << QByteArray("with several sessions -o must be a folder");
        QTest::addRow("no session") << QStringList{"-o", "sheet.pdf"} << QByteArray("fasoria-cli: ");
    }

    void usageMistakesWriteNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        QTemporaryDir folder;
        const CliRun run = runCli(QStringList{QStringLiteral("worksheet")} + arguments, folder.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message), run.err.constData());
        QVERIFY(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliWorksheet)
#include "test_cli_worksheet.moc"
