// fasoria-cli draw: pictures of a circuit without a display.
#include "CliProcess.h"

#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <cmath>

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

    // A PNG is twice the drawing (the SVG's size) unless its longer side would pass 16384 pixels; then it is
    // scaled down to that side, with the drawing's proportions.
    void pngSizeFollowsTheDrawing_data()
    {
        QTest::addColumn<int>("gates");
        QTest::addColumn<bool>("bounded");
        QTest::addRow("8 qubits, 8 gates") << 8 << false;
        QTest::addRow("8 qubits, 256 gates") << 256 << true;
    }

    void pngSizeFollowsTheDrawing()
    {
        QFETCH(int, gates);
        QFETCH(bool, bounded);
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        QByteArray steps;
        for (int i = 0; i < gates; ++i) {
            steps += (i == 0 ? "" : ",") + QByteArray(R"({"gate":"CNOT","control":)") + QByteArray::number(i % 8) +
                     R"(,"target":)" + QByteArray::number((i + 1) % 8) + "}";
        }
        QVERIFY(writeFile(directory.filePath("c.fsor.json"), circuitFile(8, steps)));
        for (const char *output : {"c.svg", "c.png"}) {
            const CliRun run = runCli({"draw", "c.fsor.json", "-o", output}, directory.path());
            QCOMPARE(run.exitCode, 0);
        }
        QXmlStreamReader svg(readFile(directory.filePath("c.svg")));
        QVERIFY(svg.readNextStartElement());
        const QSizeF drawing(svg.attributes().value("width").toDouble(), svg.attributes().value("height").toDouble());
        QImage png;
        QVERIFY(png.load(directory.filePath("c.png"), "PNG"));
        if (bounded) {
            QCOMPARE(std::max(png.width(), png.height()), 16384);
            QVERIFY(std::abs(png.height() / double(png.width()) - drawing.height() / drawing.width()) < 1e-3);
        } else {
            // The SVG gives the size to a hundredth, so twice it may round to the next pixel.
            QVERIFY(std::abs(png.width() - 2.0 * drawing.width()) <= 1.0);
            QVERIFY(std::abs(png.height() - 2.0 * drawing.height()) <= 1.0);
        }
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
