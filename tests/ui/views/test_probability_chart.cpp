// The probability chart as a student and a teacher meet it: the phase arrows, clicks and keys, tool tips, the
// option without zero bars, readable texts at every size, and the pictures and their files.
#include "core/Measurement.h"
#include "curriculum/LessonCatalog.h"
#include "tests/support/ReadOnlyDirectory.h"
#include "tests/ui/Fixtures.h"
#include "ui/model/ChartModel.h"
#include "ui/views/AmplitudeTable.h"
#include "ui/views/ChartDrawing.h"
#include "ui/views/ChartPicture.h"
#include "ui/views/ProbabilityChart.h"

#include <QHelpEvent>
#include <QTemporaryDir>
#include <QToolTip>
#include <QXmlStreamReader>
#include <QtTest>

#include <functional>

using namespace Fasoria;

using StateMaker = std::function<Fasoria::StateVector()>;
Q_DECLARE_METATYPE(StateMaker)
Q_DECLARE_METATYPE(Fasoria::Language)

namespace {

constexpr std::int32_t kThreeQubitGrover = 20;

StateVector stateOf(std::uint32_t qubits, const std::function<void(StateVector &)> &gates)
{
    StateVector state = createState(qubits);
    gates(state);
    return state;
}

StateVector bell()
{
    return stateOf(2, [](StateVector &s) {
        s.applyH(0);
        s.applyCnot(0, 1);
    });
}

StateVector uniform(std::uint32_t qubits)
{
    return stateOf(qubits, [qubits](StateVector &s) {
        for (std::uint32_t q = 0; q < qubits; ++q) {
            s.applyH(q);
        }
    });
}

StateVector grover()
{
    StateVector state = createState(3);
    for (const LessonStep &step : lessonCatalog().at(kThreeQubitGrover).steps) {
        state.applyGate(step.gate);
    }
    return state;
}

ChartData plain(const StateVector &state)
{
    return chartData(state, nullptr, 0, -1, false);
}

ChartData sampled(const StateVector &state, std::uint64_t shots)
{
    RandomGenerator generator(3);
    const Histogram counts = sampleCounts(state, shots, generator);
    return chartData(state, &counts, shots, -1, false);
}

/// Grover's end after 1000 preparations, then measured once: collapsed on |101>.
ChartData measuredGrover()
{
    RandomGenerator generator(5);
    const Histogram counts = sampleCounts(grover(), 1000, generator);
    StateVector collapsed = createState(3);
    collapsed.applyX(0);
    collapsed.applyX(2);
    return chartData(collapsed, &counts, 1000, 5, false);
}

QFont fontOfPoints(double points)
{
    QFont font;
    font.setPointSizeF(points);
    return font;
}

int shapesOf(const ChartLayout &layout, ChartShape::Role role, std::int64_t bar)
{
    return static_cast<int>(std::count_if(layout.shapes.begin(), layout.shapes.end(), [&](const ChartShape &shape) {
        return shape.role == role && shape.bar == bar;
    }));
}

struct SvgBars
{
    QList<quint64> bases;
    QStringList titles;
    int theoryRects = 0;
    bool hasTitle = false;
    bool hasDescription = false;
    bool valid = false;
};

SvgBars readSvg(const QByteArray &bytes)
{
    SvgBars svg;
    QXmlStreamReader xml(bytes);
    int depthInBar = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && depthInBar > 0) {
            --depthInBar;
            continue;
        }
        if (token != QXmlStreamReader::StartElement) {
            continue;
        }
        if (depthInBar > 0) {
            ++depthInBar;
        }
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String("g") && attributes.value(QLatin1String("class")) == QLatin1String("bar")) {
            svg.bases << attributes.value(QLatin1String("data-basis")).toULongLong();
            depthInBar = 1;
        } else if (xml.name() == QLatin1String("title") && depthInBar > 0) {
            svg.titles << xml.readElementText();
            --depthInBar;
        } else if (xml.name() == QLatin1String("title")) {
            svg.hasTitle = !xml.readElementText().isEmpty();
        } else if (xml.name() == QLatin1String("desc")) {
            svg.hasDescription = !xml.readElementText().isEmpty();
        } else if (xml.name() == QLatin1String("rect") && depthInBar > 0 &&
                   attributes.value(QLatin1String("class")) == QLatin1String("theory")) {
            ++svg.theoryRects;
        }
    }
    svg.valid = !xml.hasError();
    return svg;
}

/// Where QPainter::drawText puts a text of `size` in `rect` with `alignment` (a text wider than the rectangle
/// spreads around it the same way).
QRectF alignedIn(QSizeF size, const QRectF &rect, int alignment)
{
    double x = rect.left() + (rect.width() - size.width()) / 2.0;
    if (alignment & Qt::AlignLeft) {
        x = rect.left();
    } else if (alignment & Qt::AlignRight) {
        x = rect.right() - size.width();
    }
    return QRectF(QPointF(x, rect.top() + (rect.height() - size.height()) / 2.0), size);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestProbabilityChart : public QObject
{
    Q_OBJECT

private slots:
    void phaseShowsWhileBarsAreEqual_data()
    {
        QTest::addColumn<StateMaker>("first");
        QTest::addColumn<StateMaker>("second");
        QTest::addColumn<bool>("differ");

        const auto h = [] { return stateOf(1, [](StateVector &s) { s.applyH(0); }); };
        const auto hz = [] {
            return stateOf(1, [](StateVector &s) {
                s.applyH(0);
                s.applyZ(0);
            });
        };
        const auto bellMinus = [] {
            return stateOf(2, [](StateVector &s) {
                s.applyH(0);
                s.applyCnot(0, 1);
                s.applyZ(0);
            });
        };
        const auto one = [] { return stateOf(1, [](StateVector &s) { s.applyX(0); }); };
        const auto iOne = [] {
            return stateOf(1, [](StateVector &s) {
                s.applyX(0);
                s.applyPhase(0, std::acos(-1.0) / 2.0);
            });
        };
        const auto zOnZero = [] { return stateOf(1, [](StateVector &s) { s.applyZ(0); }); };
        const auto zero = [] { return createState(1); };
        // clang-format off
        QTest::addRow("H|0> and HZ|0>")         << StateMaker(h) << StateMaker(hz) << true;
        QTest::addRow("Bell, plus and minus")   << StateMaker(bell) << StateMaker(bellMinus) << true;
        QTest::addRow("|1> and i|1>")           << StateMaker(one) << StateMaker(iOne) << true;
        QTest::addRow("H|0> twice")             << StateMaker(h) << StateMaker(h) << false;
        QTest::addRow("Z leaves |0> unchanged") << StateMaker(zero) << StateMaker(zOnZero) << false;
        // clang-format on
    }

    void phaseShowsWhileBarsAreEqual()
    {
        QFETCH(StateMaker, first);
        QFETCH(StateMaker, second);
        QFETCH(bool, differ);
        const ChartData a = plain(first());
        const ChartData b = plain(second());
        const QSizeF size(380, 170);
        const ChartLayout layoutA = layoutChart(a, English, QFont(), size);
        const ChartLayout layoutB = layoutChart(b, English, QFont(), size);
        QCOMPARE(layoutA.theoryBars, layoutB.theoryBars);

        const QImage imageA = chartImage(a, English);
        const QImage imageB = chartImage(b, English);
        QVERIFY(!imageA.isNull());
        QCOMPARE(imageA != imageB, differ);

        ProbabilityChart chartA;
        ProbabilityChart chartB;
        for (ProbabilityChart *chart : {&chartA, &chartB}) {
            chart->resize(size.toSize());
        }
        chartA.showData(a, English);
        chartB.showData(b, English);
        QCOMPARE(chartA.grab().toImage() != chartB.grab().toImage(), differ);
    }

    void onlyNonZeroAmplitudesCarryArrows()
    {
        const ChartLayout layout = layoutChart(plain(bell()), English, QFont(), QSizeF(380, 170));
        // Three strokes for each of |00> and |11>, none for the empty |01> and |10>.
        QCOMPARE(shapesOf(layout, ChartShape::Role::Arrow, 0), 3);
        QCOMPARE(shapesOf(layout, ChartShape::Role::Arrow, 1), 0);
        QCOMPARE(shapesOf(layout, ChartShape::Role::Arrow, 2), 0);
        QCOMPARE(shapesOf(layout, ChartShape::Role::Arrow, 3), 3);
        for (std::int64_t bar = 0; bar < 4; ++bar) {
            QCOMPARE(shapesOf(layout, ChartShape::Role::Label, bar), 1);
        }
    }

    void pictureIsWhatTheWidgetShows_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addRow("italian") << Italian;
        QTest::addRow("english") << English;
    }

    void pictureIsWhatTheWidgetShows()
    {
        QFETCH(Language, language);
        // A point size becomes pixels by the device's resolution, and the test's application and screen
        // differ in it; in pixels the application's font is the widget's on any screen.
        const QFont before = QApplication::font();
        QFont pixels = before;
        pixels.setPixelSize(15);
        QApplication::setFont(pixels);
        const auto restore = qScopeGuard([&] { QApplication::setFont(before); });
        const ChartData data = measuredGrover();
        ProbabilityChart chart;
        chart.resize(chartPictureSize(data, chart.font()).toSize());
        chart.showData(data, language);
        const QImage widget = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(widget, chartImage(data, language, 1.0).convertToFormat(QImage::Format_RGB32));
    }

    void clickAnnouncesTheBasis_data()
    {
        QTest::addColumn<StateMaker>("make");
        QTest::addColumn<bool>("nonZeroOnly");
        QTest::addColumn<int>("index");
        QTest::addColumn<quint64>("basis");

        QTest::addRow("|10> of H on both") << StateMaker([] { return uniform(2); }) << false << 2 << quint64(2);
        QTest::addRow("|10> of Bell, an empty bar") << StateMaker(bell) << false << 2 << quint64(2);
        QTest::addRow("|11> of Bell without zero bars") << StateMaker(bell) << true << 1 << quint64(3);
        QTest::addRow("|11111110> of 256") << StateMaker([] { return uniform(8); }) << false << 254 << quint64(254);
    }

    void clickAnnouncesTheBasis()
    {
        QFETCH(StateMaker, make);
        QFETCH(bool, nonZeroOnly);
        QFETCH(int, index);
        QFETCH(quint64, basis);
        ProbabilityChart chart;
        chart.resize(700, 260);
        chart.setNonZeroOnly(nonZeroOnly);
        chart.showData(plain(make()), English);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QSignalSpy clicked(&chart, &ProbabilityChart::basisClicked);

        // A bar tall and wide enough is hit in its middle, an empty one anywhere in its column.
        const QRectF bar = chart.barRect(index);
        const QRectF column = chart.columnRect(index);
        const QPointF point = bar.height() >= 2.0 && bar.width() >= 2.0 ? bar.center() : column.center();
        QCOMPARE(chart.barAt(point), index);
        QTest::mouseClick(&chart, Qt::LeftButton, Qt::NoModifier, point.toPoint());
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).value<std::uint64_t>(), basis);
        QCOMPARE(chart.selectedBar(), index);

        // The legend is no bar.
        QTest::mouseClick(&chart, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QCOMPARE(clicked.count(), 1);
    }

    void keysSelectAndAnnounce()
    {
        ProbabilityChart chart;
        chart.resize(380, 170);
        chart.showData(plain(uniform(2)), Italian);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QCOMPARE(chart.focusPolicy(), Qt::StrongFocus);
        chart.setFocus();
        QSignalSpy clicked(&chart, &ProbabilityChart::basisClicked);

        QTest::keyClick(&chart, Qt::Key_Return);
        QCOMPARE(clicked.count(), 0);
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(&chart, Qt::Key_Right);
        }
        QCOMPARE(chart.selectedBar(), 2);
        QTest::keyClick(&chart, Qt::Key_Return);
        QTest::keyClick(&chart, Qt::Key_Left);
        QTest::keyClick(&chart, Qt::Key_Space);
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(&chart, Qt::Key_Right);
        }
        QTest::keyClick(&chart, Qt::Key_Enter);
        QCOMPARE(clicked.count(), 3);
        QCOMPARE(clicked.at(0).at(0).value<std::uint64_t>(), std::uint64_t{2});
        QCOMPARE(clicked.at(1).at(0).value<std::uint64_t>(), std::uint64_t{1});
        QCOMPARE(clicked.at(2).at(0).value<std::uint64_t>(), std::uint64_t{3});
    }

    void toolTipsHoldTheTablesNumbers_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addRow("italian") << Italian;
        QTest::addRow("english") << English;
    }

    void toolTipsHoldTheTablesNumbers()
    {
        QFETCH(Language, language);
        const StateVector state = grover();
        RandomGenerator generator(9);
        const Histogram counts = sampleCounts(state, 1000, generator);
        const ChartData data = chartData(state, &counts, 1000, -1, false);
        for (std::size_t i = 0; i < data.bars.size(); ++i) {
            const QStringList lines = chartBarToolTip(data, i, language).split(QLatin1Char('\n'));
            const auto cells = AmplitudeTable::rowTexts(state, i, counts, 1000);
            QCOMPARE(lines.size(), 5);
            QCOMPARE(lines.at(0), QLatin1Char('|') + cells[AmplitudeTable::kStateColumn] + QLatin1Char('>'));
            QVERIFY(lines.at(1).endsWith(QStringLiteral(": ") + cells[4]));
            QVERIFY(lines.at(2).endsWith(QStringLiteral(": ") + cells[AmplitudeTable::kPhaseColumn]));
            QVERIFY(lines.at(3).endsWith(QStringLiteral(": ") + cells[5]));
            QVERIFY(lines.at(4).endsWith(QStringLiteral(": ") + cells[AmplitudeTable::kFrequencyColumn]));
        }

        ProbabilityChart chart;
        chart.resize(380, 170);
        chart.showData(data, language);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        const QPoint point = chart.columnRect(5).center().toPoint();
        QHelpEvent help(QEvent::ToolTip, point, chart.mapToGlobal(point));
        QApplication::sendEvent(&chart, &help);
        QTRY_COMPARE(QToolTip::text(), chartBarToolTip(data, 5, language));
        QVERIFY(chart.accessibleDescription().contains(QStringLiteral("|101> 94.53 %")));
    }

    void nonZeroOnlyIsAViewOption()
    {
        ProbabilityChart chart;
        QSignalSpy changed(&chart, &ProbabilityChart::nonZeroOnlyChanged);
        chart.showData(plain(bell()), English);
        QCOMPARE(chart.data().bars.size(), std::size_t{4});
        QVERIFY(chart.accessibleDescription().contains(QStringLiteral("4 of 4 basis states")));
        QVERIFY(chart.setProperty("nonZeroOnly", true));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(chart.data().bars.size(), std::size_t{2});
        QCOMPARE(chart.data().bars[1].basis, std::uint64_t{3});
        QVERIFY(chart.accessibleDescription().contains(QStringLiteral("2 of 4 basis states")));
        // A new state keeps the option.
        chart.showData(plain(uniform(2)), English);
        QCOMPARE(chart.data().bars.size(), std::size_t{4});
        chart.showData(plain(bell()), English);
        QCOMPARE(chart.data().bars.size(), std::size_t{2});
        chart.setNonZeroOnly(true);
        QCOMPARE(changed.count(), 1);
        chart.setNonZeroOnly(false);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(chart.data().bars.size(), std::size_t{4});
    }

    void textsNeitherOverlapNorLeaveTheChart_data()
    {
        QTest::addColumn<StateMaker>("make");
        QTest::addColumn<quint64>("shots");
        QTest::addColumn<bool>("measured");
        QTest::addColumn<QSize>("size");

        const QList<QSize> sizes = {QSize(380, 170), QSize(1000, 400), QSize(190, 440), QSize(130, 300)};
        for (const QSize &size : sizes) {
            const QString at = QStringLiteral(" %1x%2").arg(size.width()).arg(size.height());
            QTest::addRow("%s", qPrintable("one qubit" + at))
                << StateMaker([] { return uniform(1); }) << quint64(0) << false << size;
            QTest::addRow("%s", qPrintable("bell" + at)) << StateMaker(bell) << quint64(0) << false << size;
            QTest::addRow("%s", qPrintable("grover 1000" + at)) << StateMaker(grover) << quint64(1000) << false << size;
            QTest::addRow("%s", qPrintable("grover measured" + at))
                << StateMaker(grover) << quint64(1000) << true << size;
            QTest::addRow("%s", qPrintable("256 uniform" + at))
                << StateMaker([] { return uniform(8); }) << quint64(1000) << false << size;
            QTest::addRow("%s", qPrintable("256 with phases" + at)) << StateMaker([] {
                StateVector state = createState(8);
                for (const LessonStep &step : wideCircuit().steps) {
                    state.applyGate(step.gate);
                }
                return state;
            }) << quint64(0) << false << size;
        }
    }

    void textsNeitherOverlapNorLeaveTheChart()
    {
        QFETCH(StateMaker, make);
        QFETCH(quint64, shots);
        QFETCH(bool, measured);
        QFETCH(QSize, size);
        const ChartData data = measured ? measuredGrover() : shots > 0 ? sampled(make(), shots) : plain(make());
        for (Language language : {Italian, English}) {
            const ChartLayout layout = layoutChart(data, language, fontOfPoints(9), QSizeF(size));
            const QRectF bounds(QPointF(0, 0), QSizeF(size));
            std::vector<QRectF> texts;
            for (const ChartShape &shape : layout.shapes) {
                if (shape.kind != ChartShape::Kind::Text) {
                    continue;
                }
                // The rectangle as tight as the text's own extent.
                const QFontMetricsF metrics(shape.small ? layout.smallFont : layout.font);
                const QRectF drawn = alignedIn(metrics.size(0, shape.text), shape.rect, shape.alignment);
                QVERIFY2(bounds.contains(drawn), qPrintable(shape.text));
                QVERIFY2(drawn.width() <= shape.rect.width() + 0.5, qPrintable(shape.text));
                for (const QRectF &other : texts) {
                    QVERIFY2(!drawn.intersects(other), qPrintable(shape.text));
                }
                texts.push_back(drawn);
            }
            // A bar of the largest probability is always named.
            const std::int64_t largest = shownHundredths(data.bars[largestBars(data, 1, false).front()].probability);
            bool named = false;
            for (std::size_t i = 0; i < data.bars.size(); ++i) {
                named |= shownHundredths(data.bars[i].probability) == largest &&
                         shapesOf(layout, ChartShape::Role::Label, static_cast<std::int64_t>(i)) == 1;
            }
            QVERIFY(named);
        }
    }

    void tallNarrowChartsLayBarsInRows_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<quint64>("shots");
        QTest::addColumn<bool>("rows");
        // clang-format off
        QTest::addRow("beside the drawing at 1024 pixels") << QSize(190, 440) << quint64(1000) << true;
        QTest::addRow("the same without preparations")     << QSize(190, 440) << quint64(0)    << true;
        QTest::addRow("wide: columns")                     << QSize(600, 300) << quint64(1000) << false;
        QTest::addRow("tall but wide enough for columns")  << QSize(420, 500) << quint64(1000) << false;
        // clang-format on
    }

    void tallNarrowChartsLayBarsInRows()
    {
        QFETCH(QSize, size);
        QFETCH(quint64, shots);
        QFETCH(bool, rows);
        const ChartData data = shots > 0 ? sampled(grover(), shots) : plain(grover());
        const ChartLayout layout = layoutChart(data, English, fontOfPoints(9), QSizeF(size));
        QCOMPARE(layout.rows, rows);
        // Every bar is named, the answer carries its value, and a bar's length is its probability exactly.
        const double length = rows ? layout.plot.width() : layout.plot.height();
        for (std::size_t i = 0; i < data.bars.size(); ++i) {
            const auto bar = static_cast<std::int64_t>(i);
            QCOMPARE(shapesOf(layout, ChartShape::Role::Label, bar), 1);
            const QRectF &theory = layout.theoryBars[i];
            QCOMPARE(rows ? theory.width() : theory.height(), data.bars[i].probability * length);
            if (shots > 0) {
                const QRectF &frequency = layout.frequencyBars[i];
                const double observed = static_cast<double>(data.bars[i].count) / static_cast<double>(shots);
                QCOMPARE(rows ? frequency.width() : frequency.height(), observed * length);
            }
        }
        QCOMPARE(shapesOf(layout, ChartShape::Role::Value, 5), 1);
        if (rows) {
            // Rows follow the basis order downwards, and the keys that move along them are Up and Down.
            for (std::size_t i = 1; i < data.bars.size(); ++i) {
                QVERIFY(layout.columns[i].top() >= layout.columns[i - 1].bottom() - 1e-9);
            }
            ProbabilityChart chart;
            chart.resize(size);
            chart.showData(data, English);
            QTest::keyClick(&chart, Qt::Key_Down);
            QTest::keyClick(&chart, Qt::Key_Down);
            QTest::keyClick(&chart, Qt::Key_Up);
            QCOMPARE(chart.selectedBar(), 0);
        }
    }

    void eightBarsFitTheSmallestSize()
    {
        ProbabilityChart chart;
        chart.setFont(fontOfPoints(9));
        const QSize minimum = chart.minimumSizeHint();
        QVERIFY2(minimum.width() <= 380 && minimum.height() <= 170,
                 qPrintable(QStringLiteral("%1x%2").arg(minimum.width()).arg(minimum.height())));
        QVERIFY(chart.sizeHint().width() >= minimum.width() && chart.sizeHint().height() >= minimum.height());
        const ChartLayout layout = layoutChart(sampled(grover(), 1000), Italian, chart.font(), QSizeF(minimum));
        for (std::int64_t bar = 0; bar < 8; ++bar) {
            QCOMPARE(shapesOf(layout, ChartShape::Role::Label, bar), 1);
        }
        QVERIFY(layout.plot.height() >= 3 * QFontMetricsF(layout.font).height() - 1.0);
    }

    void textsFollowTheWidgetsFont()
    {
        ProbabilityChart chart;
        chart.resize(600, 300);
        chart.setFont(fontOfPoints(9));
        chart.showData(plain(grover()), English);
        const QSize small = chart.minimumSizeHint();
        const QRectF smallPlot = chart.barRect(5);
        chart.setFont(fontOfPoints(18));
        QVERIFY(chart.minimumSizeHint().width() > small.width());
        QVERIFY(chart.minimumSizeHint().height() > small.height());
        // The larger labels, legend and values leave a lower plot in the same widget.
        QVERIFY(chart.barRect(5).height() < smallPlot.height());
    }

    void svgHoldsEveryBar_data()
    {
        QTest::addColumn<bool>("nonZeroOnly");
        QTest::addColumn<QList<quint64>>("bases");
        QTest::addRow("all") << false << QList<quint64>{0, 1, 2, 3, 4, 5, 6, 7};
        QTest::addRow("measured, counted ones") << true << QList<quint64>{};
    }

    void svgHoldsEveryBar()
    {
        QFETCH(bool, nonZeroOnly);
        QFETCH(QList<quint64>, bases);
        const ChartData data = nonZeroOnly ? nonZeroBars(measuredGrover()) : sampled(grover(), 1000);
        if (bases.isEmpty()) {
            for (const ChartBar &bar : data.bars) {
                bases << bar.basis;
            }
            QVERIFY(bases.contains(5));
        }
        const SvgBars svg = readSvg(chartSvg(data, English));
        QVERIFY(svg.valid);
        QVERIFY(svg.hasTitle);
        QVERIFY(svg.hasDescription);
        QCOMPARE(svg.bases, bases);
        QCOMPARE(svg.theoryRects, bases.size());
        for (int i = 0; i < bases.size(); ++i) {
            QCOMPARE(svg.titles.at(i), chartBarToolTip(data, static_cast<std::size_t>(i), English));
        }
        const QImage image = chartImage(data, English);
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), (chartPictureSize(data, QFont()) * 2.0).toSize());
    }

    void savesSvgAndPngOnly()
    {
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        const ChartData data = plain(bell());
        QString error;
        QVERIFY(saveChartPicture(directory.filePath("c.svg"), PictureFormat::Svg, data, Italian, &error));
        QCOMPARE(contents(directory.filePath("c.svg")), chartSvg(data, Italian));
        QVERIFY(saveChartPicture(directory.filePath("c.png"), PictureFormat::Png, data, English, &error));
        QImage image;
        QVERIFY(image.load(directory.filePath("c.png"), "PNG"));
        QCOMPARE(image.size(), chartImage(data, English).size());

        QVERIFY(!saveChartPicture(directory.filePath("c.tex"), PictureFormat::Latex, data, English, &error));
        QCOMPARE(error, QStringLiteral("The chart can only be saved as SVG or PNG."));
        error.clear();
        QVERIFY(!saveChartPicture(directory.filePath("d.tex"), PictureFormat::Svg, data, Italian, &error));
        QCOMPARE(error, QStringLiteral("Il grafico si salva solo come SVG o PNG."));
        QVERIFY(!saveChartPicture(directory.filePath("e.svg"), PictureFormat::Png, data, Italian, &error));
        QCOMPARE(QDir(directory.path()).entryList(QDir::Files), (QStringList{"c.png", "c.svg"}));

        QCOMPARE(chartPictureFilter(), QStringLiteral("SVG (*.svg);;PNG (*.png)"));
        QCOMPARE(pictureFileName("chart", PictureFormat::Png), QStringLiteral("chart.png"));
        QCOMPARE(pictureFileName("chart.SVG", PictureFormat::Svg), QStringLiteral("chart.SVG"));
        QCOMPARE(int(chartPictureFormat("chart", "PNG (*.png)")), int(PictureFormat::Png));
        QCOMPARE(int(chartPictureFormat("chart.svg", "PNG (*.png)")), int(PictureFormat::Svg));
    }

    void failedSaveKeepsTheFile()
    {
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        const QString folder = directory.filePath("pictures");
        QVERIFY(QDir().mkpath(folder));
        const QString existing = folder + QStringLiteral("/chart.png");
        {
            QFile file(existing);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old picture") == 11);
        }
        const ReadOnlyDirectory locked(folder);
        if (!locked.refusesNewFiles()) {
            QSKIP("cannot make a directory read-only here (root without the immutable attribute)");
        }
        QString error;
        QVERIFY(!saveChartPicture(existing, PictureFormat::Png, plain(bell()), English, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(contents(existing), QByteArray("old picture"));
    }
};

QTEST_MAIN(TestProbabilityChart)

#include "test_probability_chart.moc"
