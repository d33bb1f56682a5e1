// fasoria-cli draw: pictures of a circuit without a display.
#include "CliProcess.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

class TestCliDraw : public QObject
{
    Q_OBJECT

private slots:
    void drawsEveryFormat_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QByteArray>("start");
        QTest::addRow("svg") << "l21.svg" << QByteArray("<?xml");
        QTest::addRow("png") << "l21.png" << QByteArray("\x89PNG");
        QTest::addRow("latex") << "l21.tex" << QByteArray("% Fasoria circuit");
    }

    void drawsEveryFormat()
    {
        QFETCH(QString, output);
        QFETCH(QByteArray, start);
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        // No display: the tool chooses the offscreen platform itself.
        const CliRun run =
            runProcess(QStringLiteral(FASORIA_CLI), {"draw", "--lesson", "21", "--stage", "40", "-o", output},
                       directory.path(), {{QStringLiteral("QT_QPA_PLATFORM"), QString()}});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(readFile(directory.filePath(output)).startsWith(start));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addRow("unreadable file") << QStringList{"draw", "missing.fsor.json", "-o", "x.svg"};
        QTest::addRow("unknown ending") << QStringList{"draw", "--lesson", "01", "-o", "x.jpg"};
        QTest::addRow("no output") << QStringList{"draw", "--lesson", "01"};
        QTest::addRow("unwritable output") << QStringList{"draw", "--lesson", "01", "-o", "no/such/folder/x.png"};
        QTest::addRow("stage past the end") << QStringList{"draw", "--lesson", "01", "--stage", "2", "-o", "x.svg"};
    }

    void refusals()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        const CliRun run = runCli(arguments, directory.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY(!run.err.isEmpty());
        QCOMPARE(QDir(directory.path()).entryList(QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCliDraw)

#include "test_cli_draw.moc"
