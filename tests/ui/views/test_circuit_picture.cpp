// Pictures of the drawing for slides and worksheets: SVG read back as XML, PNG sizes, the file formats.
#include "core/Circuit.h"
#include "tests/ui/Fixtures.h"
#include "ui/views/CircuitPicture.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace Fasoria;

namespace {

Circuit threeQubits(int gates)
{
    Circuit circuit = customCircuit(3);
    for (int i = 0; i < gates; ++i) {
        circuit.steps.emplace_back(i % 3 == 2 ? GateKind::Cnot : GateKind::H, i % 3, (i + 1) % 3, 0.0);
    }
    return circuit;
}

Circuit firstGatesOfWideCircuit(int gates)
{
    Circuit circuit = wideCircuit();
    circuit.steps.erase(circuit.steps.begin() + gates, circuit.steps.end());
    return circuit;
}

struct SvgSummary
{
    QStringList stages;
    QSet<QString> strokes;
    QStringList texts;
    bool valid = false;
};

SvgSummary readSvg(const QByteArray &bytes)
{
    SvgSummary summary;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String("g") && attributes.value(QLatin1String("class")) == QLatin1String("stage")) {
            summary.stages << attributes.value(QLatin1String("data-stage")).toString();
        }
        if (attributes.hasAttribute(QLatin1String("stroke"))) {
            summary.strokes << attributes.value(QLatin1String("stroke")).toString();
        }
        if (xml.name() == QLatin1String("text")) {
            summary.texts << xml.readElementText();
        }
    }
    summary.valid = !xml.hasError();
    return summary;
}

} // namespace

class TestCircuitPicture : public QObject
{
    Q_OBJECT

private slots:
    void svgHasOneGroupPerStageAndTheStageColours()
    {
        CircuitPictureRequest request;
        request.circuit = threeQubits(5);
        request.stage = 2;
        request.measured = true;
        request.language = English;
        const SvgSummary svg = readSvg(circuitSvg(request));
        QVERIFY(svg.valid);
        QCOMPARE(svg.stages, (QStringList{"0", "1", "2", "3", "4", "5"}));
        // Applied, current and coming gates, in the view's own colours.
        QVERIFY(svg.strokes.contains(QStringLiteral("#388c6a")));
        QVERIFY(svg.strokes.contains(QStringLiteral("#285bb7")));
        QVERIFY(svg.strokes.contains(QStringLiteral("#9da9b6")));
        QVERIFY(svg.texts.contains(QStringLiteral("M")));
        QVERIFY(svg.texts.contains(QStringLiteral("q2  |0>")));
        QVERIFY(svg.texts.contains(QStringLiteral("H")));
    }

    void phaseAnglesAreInEveryPicture_data()
    {
        QTest::addColumn<double>("angle");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("latex");
        const double pi = std::acos(-1.0);
        QTest::addRow("45 degrees") << pi / 4 << QStringLiteral("45.0°") << QByteArray("P(45.0^{\\circ})");
        QTest::addRow("minus 22.5 degrees") << -pi / 8 << QStringLiteral("-22.5°") << QByteArray("P(-22.5^{\\circ})");
    }

    void phaseAnglesAreInEveryPicture()
    {
        QFETCH(double, angle);
        QFETCH(QString, text);
        QFETCH(QByteArray, latex);
        CircuitPictureRequest request;
        request.circuit = customCircuit(2);
        request.circuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
        request.circuit.steps.emplace_back(GateKind::P, 1, 0, angle);
        request.isWorkingCircuit = true;

        // In the SVG, inside the P gate's own group, beside its letter.
        const QByteArray bytes = circuitSvg(request);
        QXmlStreamReader xml(bytes);
        QStringList inPhaseGroup;
        int depth = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("g")) {
                depth = xml.attributes().value(QLatin1String("data-stage")) == QLatin1String("2") ? 1 : 0;
            } else if (xml.isStartElement() && depth == 1 && xml.name() == QLatin1String("text")) {
                inPhaseGroup << xml.readElementText();
            } else if (xml.isEndElement() && xml.name() == QLatin1String("g")) {
                depth = 0;
            }
        }
        QVERIFY(!xml.hasError());
        QCOMPARE(inPhaseGroup, (QStringList{QStringLiteral("P"), text}));
        // The labels stay where the drawing puts them, with no column behind them: nothing is scrolled.
        QVERIFY(!bytes.contains("fill=\"#fafcff\""));
        QVERIFY(bytes.contains("<text x=\"30\""));

        // The PNG draws the angle: another angle, another picture.
        const QImage image = circuitImage(request);
        request.circuit.steps.back().gate.angle = angle + std::acos(-1.0) / 2;
        QVERIFY(circuitImage(request) != image);

        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        request.circuit.steps.back().gate.angle = angle;
        QString error;
        QVERIFY(saveCircuitPicture(directory.filePath("p.tex"), PictureFormat::Latex, request, &error));
        QFile tex(directory.filePath("p.tex"));
        QVERIFY(tex.open(QIODevice::ReadOnly));
        QVERIFY(tex.readAll().contains(latex));
    }

    void pngFollowsTheCircuit()
    {
        CircuitPictureRequest request;
        request.circuit = threeQubits(4);
        const QImage short4 = circuitImage(request);
        request.circuit = threeQubits(8);
        const QImage long8 = circuitImage(request);
        QVERIFY(long8.width() > short4.width());
        QCOMPARE(long8.height(), short4.height());
        request.circuit = firstGatesOfWideCircuit(8);
        const QImage tall = circuitImage(request);
        QVERIFY(tall.height() > long8.height());
        // Twice the drawing, on white.
        const QImage once = circuitImage(request, 1.0);
        QCOMPARE(tall.size(), once.size() * 2);
        QCOMPARE(QColor(tall.pixel(1, 1)), QColor(Qt::white));
    }

    void largeImagesAreScaledDownToFit_data()
    {
        QTest::addColumn<int>("gates");
        QTest::addColumn<double>("scale");
        QTest::addRow("256 gates at twice the size") << 256 << 2.0;
        QTest::addRow("256 gates at their own size") << 256 << 1.0;
        QTest::addRow("96 gates at twice the size") << 96 << 2.0;
    }

    void largeImagesAreScaledDownToFit()
    {
        QFETCH(int, gates);
        QFETCH(double, scale);
        CircuitPictureRequest request;
        request.circuit = firstGatesOfWideCircuit(gates);
        // Small enough to be drawn as it is: the proportions the bounded image must keep.
        const QImage small = circuitImage(request, 0.25);
        QVERIFY(small.width() * 4 * scale > kMaximumImageSide);
        const QImage image = circuitImage(request, scale);
        QCOMPARE(std::max(image.width(), image.height()), kMaximumImageSide);
        QVERIFY(std::abs(double(image.height()) / image.width() - double(small.height()) / small.width()) <
                2.0 / small.width());
        // The whole drawing is in it, not its left part: the last column is the white right margin.
        for (int y = 0; y < image.height(); ++y) {
            QCOMPARE(QColor(image.pixel(image.width() - 1, y)), QColor(Qt::white));
        }
    }

    void formatsByEndingOrFilter_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("written");
        QTest::addRow("svg ending") << "a.svg"
                                    << "PNG (*.png)" << int(PictureFormat::Svg) << "a.svg";
        QTest::addRow("upper-case png") << "a.PNG"
                                        << "" << int(PictureFormat::Png) << "a.PNG";
        QTest::addRow("tex ending") << "fig.tex"
                                    << "" << int(PictureFormat::Latex) << "fig.tex";
        QTest::addRow("filter decides") << "slide"
                                        << "PNG (*.png)" << int(PictureFormat::Png) << "slide.png";
        QTest::addRow("no ending, no filter") << "slide"
                                              << "" << int(PictureFormat::Svg) << "slide.svg";
    }

    void formatsByEndingOrFilter()
    {
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QFETCH(int, format);
        QFETCH(QString, written);
        QCOMPARE(int(pictureFormat(name, filter)), format);
        QCOMPARE(pictureFileName(name, pictureFormat(name, filter)), written);
    }

    void savedFilesAreWhatTheyClaim()
    {
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        CircuitPictureRequest request;
        request.circuit = threeQubits(3);
        QString error;
        QVERIFY(saveCircuitPicture(directory.filePath("c.png"), PictureFormat::Png, request, &error));
        QImage image;
        QVERIFY(image.load(directory.filePath("c.png"), "PNG"));
        QCOMPARE(image.size(), circuitImage(request).size());
        QVERIFY(saveCircuitPicture(directory.filePath("c.tex"), PictureFormat::Latex, request, &error));
        QFile tex(directory.filePath("c.tex"));
        QVERIFY(tex.open(QIODevice::ReadOnly) && tex.readAll().contains("\\begin{quantikz}"));
        // A circuit the drawing refuses writes nothing.
        request.stage = 9;
        QVERIFY(!saveCircuitPicture(directory.filePath("bad.svg"), PictureFormat::Svg, request, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(directory.filePath("bad.svg")));
    }
};

QTEST_MAIN(TestCircuitPicture)

#include "test_circuit_picture.moc"
