// The probability chart's numbers: the engine's own probabilities and the histogram, the bars left out, the
// labels, the refusals and the description in both languages.
#include "core/Measurement.h"
#include "curriculum/LessonCatalog.h"
#include "tests/ui/Fixtures.h"
#include "ui/model/ChartModel.h"
#include "ui/model/Experiment.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <functional>
#include <stdexcept>

using namespace Fasoria;

Q_DECLARE_METATYPE(Fasoria::Language)
Q_DECLARE_METATYPE(Fasoria::Histogram)
/// States are not default-constructible, so rows carry how to make one.
using StateMaker = std::function<Fasoria::StateVector()>;
Q_DECLARE_METATYPE(StateMaker)

namespace {

constexpr std::int32_t kTwoQubitGrover = 18;
constexpr std::int32_t kThreeQubitGrover = 20;

StateVector stateAfter(const Circuit &circuit)
{
    StateVector state = createState(static_cast<std::uint32_t>(circuit.qubitCount));
    for (const LessonStep &step : circuit.steps) {
        state.applyGate(step.gate);
    }
    return state;
}

StateVector bell()
{
    StateVector state = createState(2);
    state.applyH(0);
    state.applyCnot(0, 1);
    return state;
}

std::uint64_t bitsOf(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

QList<quint64> basesOf(const ChartData &data)
{
    QList<quint64> bases;
    for (const ChartBar &bar : data.bars) {
        bases << bar.basis;
    }
    return bases;
}

} // namespace

class TestChartModel : public QObject
{
    Q_OBJECT

private slots:
    void barsAreTheEngineNumbers_data()
    {
        QTest::addColumn<StateMaker>("make");
        QTest::addColumn<quint64>("shots");

        QTest::addRow("bell") << StateMaker(bell) << quint64(0);
        QTest::addRow("two-qubit grover, 500 preparations")
            << StateMaker([] { return stateAfter(lessonCatalog().at(kTwoQubitGrover)); }) << quint64(500);
        QTest::addRow("three-qubit grover, 1000 preparations")
            << StateMaker([] { return stateAfter(lessonCatalog().at(kThreeQubitGrover)); }) << quint64(1000);
        QTest::addRow("eight qubits with phases, 4096 preparations")
            << StateMaker([] { return stateAfter(wideCircuit()); }) << quint64(4096);
    }

    void barsAreTheEngineNumbers()
    {
        QFETCH(StateMaker, make);
        QFETCH(quint64, shots);
        const StateVector state = make();
        RandomGenerator generator(7);
        const Histogram counts = shots > 0 ? sampleCounts(state, shots, generator) : Histogram{};

        const ChartData data = chartData(state, shots > 0 ? &counts : nullptr, shots, -1, false);
        QCOMPARE(data.qubits, state.qubitCount());
        QCOMPARE(data.shots, shots);
        QCOMPARE(data.measuredOutcome, -1);
        QCOMPARE(data.bars.size(), state.dimension());
        for (std::uint64_t i = 0; i < state.dimension(); ++i) {
            const ChartBar &bar = data.bars[i];
            const Complex &amplitude = state.amplitude(i);
            QCOMPARE(bar.basis, i);
            QCOMPARE(bitsOf(bar.probability), bitsOf(state.probability(i)));
            QCOMPARE(bitsOf(bar.probability), bitsOf(amplitude.re * amplitude.re + amplitude.im * amplitude.im));
            QCOMPARE(bitsOf(bar.magnitude), bitsOf(std::hypot(amplitude.re, amplitude.im)));
            QCOMPARE(bitsOf(bar.phase), bitsOf(std::atan2(amplitude.im, amplitude.re)));
            QCOMPARE(bar.count, shots > 0 ? counts[i] : 0);
        }
    }

    void nonZeroOnlyDropsExactlyTheZeroBars_data()
    {
        QTest::addColumn<StateMaker>("make");
        QTest::addColumn<Histogram>("counts");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QList<quint64>>("kept");

        const StateMaker collapsed = [] {
            StateVector state = createState(2);
            state.applyX(0);
            state.applyX(1);
            return state;
        };
        const StateMaker grover = [] { return stateAfter(lessonCatalog().at(kTwoQubitGrover)); };
        // clang-format off
        QTest::addRow("bell") << StateMaker(bell) << Histogram{} << -1 << QList<quint64>{0, 3};
        QTest::addRow("rounding residue of two-qubit grover") << grover << Histogram{} << -1 << QList<quint64>{2};
        QTest::addRow("a count keeps a zero bar")
            << StateMaker(bell) << Histogram{4, 1, 0, 5} << -1 << QList<quint64>{0, 1, 3};
        QTest::addRow("measured: the earlier counts stay")
            << collapsed << Histogram{480, 0, 0, 520} << 3 << QList<quint64>{0, 3};
        QTest::addRow("basis state")
            << StateMaker([] { return createState(3); }) << Histogram{} << -1 << QList<quint64>{0};
        // clang-format on
    }

    void nonZeroOnlyDropsExactlyTheZeroBars()
    {
        QFETCH(StateMaker, make);
        const StateVector state = make();
        QFETCH(Histogram, counts);
        QFETCH(int, outcome);
        QFETCH(QList<quint64>, kept);
        std::uint64_t shots = 0;
        for (std::uint64_t count : counts) {
            shots += count;
        }
        const Histogram *given = counts.empty() ? nullptr : &counts;
        const ChartData all = chartData(state, given, shots, outcome, false);
        const ChartData some = chartData(state, given, shots, outcome, true);
        QCOMPARE(basesOf(some), kept);
        QCOMPARE(basesOf(nonZeroBars(all)), kept);
        // The kept bars are the full chart's bars, unchanged.
        for (const ChartBar &bar : some.bars) {
            const ChartBar &same = all.bars[bar.basis];
            QCOMPARE(bitsOf(bar.probability), bitsOf(same.probability));
            QCOMPARE(bar.count, same.count);
            QCOMPARE(bar.label, same.label);
        }
        QCOMPARE(some.shots, all.shots);
        QCOMPARE(some.measuredOutcome, all.measuredOutcome);
    }

    void labelsPutQubitZeroRightmost_data()
    {
        QTest::addColumn<int>("qubit");
        QTest::addColumn<QString>("label");

        QTest::addRow("q0") << 0 << "001";
        QTest::addRow("q1") << 1 << "010";
        QTest::addRow("q2") << 2 << "100";
    }

    void labelsPutQubitZeroRightmost()
    {
        QFETCH(int, qubit);
        QFETCH(QString, label);
        StateVector state = createState(3);
        state.applyX(static_cast<std::uint32_t>(qubit));
        const ChartData data = chartData(state, nullptr, 0, -1, false);
        const QStringList expected = {"000", "001", "010", "011", "100", "101", "110", "111"};
        for (std::size_t i = 0; i < data.bars.size(); ++i) {
            QCOMPARE(data.bars[i].label, expected.at(static_cast<int>(i)));
        }
        const std::vector<std::size_t> certain = largestBars(data, 1, false);
        QCOMPARE(certain.size(), std::size_t{1});
        QCOMPARE(data.bars[certain.front()].label, label);
        QCOMPARE(data.bars[certain.front()].probability, 1.0);
    }

    void refusesWhatDoesNotFit_data()
    {
        QTest::addColumn<Histogram>("counts");
        QTest::addColumn<bool>("withCounts");
        QTest::addColumn<quint64>("shots");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<bool>("outOfRange");

        // clang-format off
        QTest::addRow("histogram too short")   << Histogram{5, 5, 0} << true << quint64(10) << -1 << false;
        QTest::addRow("histogram too long")    << Histogram{5, 5, 0, 0, 0} << true << quint64(10) << -1 << false;
        QTest::addRow("wrong size, no shots")  << Histogram{1} << true << quint64(0) << -1 << false;
        QTest::addRow("shots without counts")  << Histogram{} << false << quint64(10) << -1 << false;
        QTest::addRow("counts short of shots") << Histogram{5, 4, 0, 0} << true << quint64(10) << -1 << false;
        QTest::addRow("counts past shots")     << Histogram{5, 6, 0, 0} << true << quint64(10) << -1 << false;
        QTest::addRow("counts overflow")       << Histogram{~0ULL, 2, 0, 0} << true << quint64(1) << -1 << false;
        QTest::addRow("outcome past register") << Histogram{} << false << quint64(0) << 4 << true;
        QTest::addRow("negative outcome")      << Histogram{} << false << quint64(0) << -2 << true;
        // clang-format on
    }

    void refusesWhatDoesNotFit()
    {
        QFETCH(Histogram, counts);
        QFETCH(bool, withCounts);
        QFETCH(quint64, shots);
        QFETCH(int, outcome);
        QFETCH(bool, outOfRange);
        const StateVector state = bell();
        const auto build = [&] { chartData(state, withCounts ? &counts : nullptr, shots, outcome, false); };
        if (outOfRange) {
            QVERIFY_EXCEPTION_THROWN(build(), std::out_of_range);
        } else {
            QVERIFY_EXCEPTION_THROWN(build(), std::invalid_argument);
        }
    }

    void experimentShowsItsStage()
    {
        Experiment experiment;
        const ChartData before = chartData(experiment, false);
        QVERIFY(before.bars.empty());
        QCOMPARE(before.qubits, lessonCatalog().at(0).qubitCount);

        QVERIFY(experiment.startLesson(kThreeQubitGrover));
        QVERIFY(experiment.goToStep(experiment.stepCount()));
        QVERIFY(experiment.repeatPreparations(1000));
        const ChartData sampled = chartData(experiment, false);
        QCOMPARE(sampled.shots, quint64(1000));
        QCOMPARE(sampled.measuredOutcome, -1);
        QVERIFY(experiment.measureOnce());

        const ChartData measured = chartData(experiment, true);
        QCOMPARE(measured.measuredOutcome, experiment.lastOutcome());
        // The counts the amplitude table shows: a measurement clears the preparations' histogram.
        QCOMPARE(measured.shots, experiment.shotsTotal());
        const ChartData expected =
            chartData(*experiment.state(), experiment.shotsTotal() > 0 ? &experiment.histogram() : nullptr,
                      experiment.shotsTotal(), experiment.lastOutcome(), true);
        QCOMPARE(basesOf(measured), basesOf(expected));
        for (std::size_t i = 0; i < measured.bars.size(); ++i) {
            QCOMPARE(bitsOf(measured.bars[i].probability), bitsOf(expected.bars[i].probability));
            QCOMPARE(measured.bars[i].count, expected.bars[i].count);
        }
        // The collapsed state puts everything on the outcome.
        const auto outcome = static_cast<std::uint64_t>(experiment.lastOutcome());
        QCOMPARE(measured.bars[static_cast<std::size_t>(basesOf(measured).indexOf(outcome))].probability, 1.0);
    }

    void percentTexts_data()
    {
        QTest::addColumn<double>("fraction");
        QTest::addColumn<QString>("text");

        QTest::addRow("grover") << 0.9453125 << "94.53 %";
        QTest::addRow("certain") << 1.0 << "100.00 %";
        QTest::addRow("negative zero") << -0.0 << "0.00 %";
        QTest::addRow("rounds to negative zero") << -1e-7 << "0.00 %";
        QTest::addRow("half way") << 0.0078125 << "0.78 %";
    }

    void percentTexts()
    {
        QFETCH(double, fraction);
        QFETCH(QString, text);
        QCOMPARE(chartPercentText(fraction), text);
    }

    void descriptionNamesTheLargest_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<bool>("measure");
        QTest::addColumn<QStringList>("parts");

        const QString top = QStringLiteral("|101> 94.53 %, |000> 0.78 %, |001> 0.78 %.");
        QTest::addRow("english") << English << false
                                 << QStringList{"Probability chart of 3 qubits: 8 of 8 basis states.",
                                                "Most likely: " + top, "Most frequent in 1000 preparations: |101> "};
        QTest::addRow("italian") << Italian << false
                                 << QStringList{"Grafico delle probabilità di 3 qubit: 8 stati di base su 8.",
                                                "Più probabili: " + top, "Più frequenti in 1000 preparazioni: |101> "};
        QTest::addRow("english, measured")
            << English << true << QStringList{"Most likely: |101> 100.00 %.", "Measured outcome: |101>."};
        QTest::addRow("italian, measured")
            << Italian << true << QStringList{"Più probabili: |101> 100.00 %.", "Esito misurato: |101>."};
    }

    void descriptionNamesTheLargest()
    {
        QFETCH(Language, language);
        QFETCH(bool, measure);
        QFETCH(QStringList, parts);
        const StateVector grover = stateAfter(lessonCatalog().at(kThreeQubitGrover));
        RandomGenerator generator(11);
        const Histogram counts = sampleCounts(grover, 1000, generator);
        StateVector collapsed = createState(3);
        collapsed.applyX(0);
        collapsed.applyX(2);
        const ChartData data =
            measure ? chartData(collapsed, &counts, 1000, 5, true) : chartData(grover, &counts, 1000, -1, false);
        const QString description = chartDescription(data, language);
        for (const QString &part : parts) {
            QVERIFY2(description.contains(part), qPrintable(description));
        }
        QVERIFY(!description.contains(QLatin1String("-0.00")));
    }
};

QTEST_GUILESS_MAIN(TestChartModel)

#include "test_chart_model.moc"
