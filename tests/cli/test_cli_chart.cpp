// fasoria-cli chart: the probability chart of a circuit, and sampled counts, as a picture without a display.
#include "CliProcess.h"
#include "cli/CliTexts.h"

#include "core/Measurement.h"
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitFile.h"

#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <map>
#include <memory>

using namespace Fasoria;

namespace {

// H on q0, then CNOT q0 → q1: the Bell pair.
const QByteArray kBellGates = R"({"gate":"H","target":0},{"gate":"CNOT","control":0,"target":1})";

// What an SVG chart carries of one basis state: its tool tip (the ket, then "Probability: P", "Phase: ..." and,
// after preparations, "Count: N" and "Frequency: F") and the heights of its drawn bars.
struct Bar
{
    QStringList tip;
    double theory = 0.0;
    double frequency = 0.0;

    // The value of the tool tip's line `line`, after its header.
    QString value(int line) const { return tip.value(line).section(QStringLiteral(": "), 1); }
};

std::map<std::uint64_t, Bar> chartBars(const QByteArray &svg)
{
    std::map<std::uint64_t, Bar> bars;
    Bar *bar = nullptr;
    QXmlStreamReader reader(svg);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement() && reader.name() == QLatin1String("g")) {
            bar = nullptr;
        }
        if (!reader.isStartElement()) {
            continue;
        }
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == QLatin1String("g") && attributes.hasAttribute(QLatin1String("data-basis"))) {
            bar = &bars[attributes.value(QLatin1String("data-basis")).toULongLong()];
        } else if (bar && reader.name() == QLatin1String("title")) {
            bar->tip = reader.readElementText().split(QLatin1Char('\n'));
        } else if (bar && reader.name() == QLatin1String("rect")) {
            const double height = attributes.value(QLatin1String("height")).toDouble();
            (attributes.value(QLatin1String("class")) == QLatin1String("theory") ? bar->theory : bar->frequency) =
                height;
        }
    }
    return bars;
}

// What the tool itself wrote on standard error, from its first line on: the toolkit may warn before it, for
// instance of a missing XDG_RUNTIME_DIR.
QString toolMessage(const QByteArray &err)
{
    const QString text = QString::fromUtf8(err);
    const int start =
        text.startsWith(QLatin1String("fasoria-cli: ")) ? 0 : text.indexOf(QLatin1String("\nfasoria-cli: "));
    return start < 0 ? QString() : text.mid(start).trimmed();
}

} // namespace

class TestCliChart : public QObject
{
    Q_OBJECT

    // Each test row works in a fresh folder holding the Bell pair's file and two files that are no circuit.
    std::unique_ptr<QTemporaryDir> m_directory;

    QString folder() const { return m_directory->path(); }

private slots:
    void init()
    {
        m_directory = std::make_unique<QTemporaryDir>();
        QVERIFY(m_directory->isValid());
        QVERIFY(writeFile(m_directory->filePath("bell.fsor.json"), circuitFile(2, kBellGates)));
        QVERIFY(writeFile(m_directory->filePath("broken.fsor.json"), "{\"format\":"));
        QVERIFY(writeFile(m_directory->filePath("other.fsor.json"), R"({"format":"FasoriaResults","version":2})"));
    }

    void writesBothFormats_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QByteArray>("start");
        QTest::addRow("lesson svg") << "--lesson=03"
                                    << "c.svg" << QByteArray("<?xml");
        QTest::addRow("lesson png") << "--lesson=21"
                                    << "c.png" << QByteArray("\x89PNG");
        QTest::addRow("file svg, upper-case ending") << "bell.fsor.json"
                                                     << "c.SVG" << QByteArray("<?xml");
        QTest::addRow("file png") << "bell.fsor.json"
                                  << "c.png" << QByteArray("\x89PNG");
    }

    void writesBothFormats()
    {
        QFETCH(QString, source);
        QFETCH(QString, output);
        QFETCH(QByteArray, start);
        // No display: the tool chooses the offscreen platform itself.
        const CliRun run = runProcess(QStringLiteral(FASORIA_CLI), {"chart", source, "-o", output}, folder(),
                                      {{QStringLiteral("QT_QPA_PLATFORM"), QString()}});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QByteArray bytes = readFile(m_directory->filePath(output));
        QVERIFY(bytes.startsWith(start));
        if (start.startsWith("\x89PNG")) {
            QVERIFY(!QImage::fromData(bytes, "PNG").isNull());
        }
    }

    // Every basis state has its bar with the engine's probability to the bit, and the counts are the ones the
    // program's generator draws for the seed (the default one without --seed, as run does).
    void barsCarryTheEngineNumbers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("source");
        QTest::addColumn<qulonglong>("stage");
        QTest::addColumn<qulonglong>("shots");
        QTest::addColumn<qulonglong>("seed");
        const qulonglong defaultSeed = RandomGenerator::kDefaultSeed;
        QTest::addRow("bell pair") << QStringList{} << "bell.fsor.json" << 2ULL << 0ULL << 0ULL;
        QTest::addRow("bell pair after H") << QStringList{"--stage", "1"} << "bell.fsor.json" << 1ULL << 0ULL << 0ULL;
        QTest::addRow("prepared state") << QStringList{"--stage", "0"} << "bell.fsor.json" << 0ULL << 0ULL << 0ULL;
        QTest::addRow("lesson 21, 100 shots, default seed")
            << QStringList{"--shots", "100"} << "--lesson=21" << qulonglong(lessonCatalog()[20].steps.size()) << 100ULL
            << defaultSeed;
        QTest::addRow("lesson 3, 1000 shots, seed 7") << QStringList{"--shots", "1000", "--seed", "7"} << "--lesson=03"
                                                      << qulonglong(lessonCatalog()[2].steps.size()) << 1000ULL << 7ULL;
        QTest::addRow("largest seed") << QStringList{"--shots", "10", "--seed", "18446744073709551615"}
                                      << "bell.fsor.json" << 2ULL << 10ULL << 18446744073709551615ULL;
    }

    void barsCarryTheEngineNumbers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, source);
        QFETCH(qulonglong, stage);
        QFETCH(qulonglong, shots);
        QFETCH(qulonglong, seed);
        const CliRun run = runCli(QStringList{"chart", source, "-o", "c.svg"} + arguments, folder());
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const std::map<std::uint64_t, Bar> bars = chartBars(readFile(m_directory->filePath("c.svg")));

        Circuit circuit;
        QString error;
        if (source.startsWith(QLatin1String("--lesson="))) {
            circuit = lessonCatalog()[source.mid(9).toULongLong() - 1];
        } else {
            QVERIFY2(loadCircuitFile(m_directory->filePath(source), circuit, &error), qPrintable(error));
        }
        const StateVector state = replayPrefix(circuit, stage);
        Histogram counts(state.dimension(), 0);
        if (shots > 0) {
            RandomGenerator generator(seed);
            counts = sampleCounts(state, shots, generator);
        }
        QCOMPARE(bars.size(), std::size_t(state.dimension()));
        // The picture writes lengths to a hundredth of a pixel: the plot's height follows from the tallest bar.
        std::uint64_t tallest = 0;
        for (std::uint64_t basis = 0; basis < state.dimension(); ++basis) {
            tallest = state.probability(basis) > state.probability(tallest) ? basis : tallest;
        }
        const double plotHeight = bars.at(tallest).theory / state.probability(tallest);
        QVERIFY(plotHeight > 50.0);
        for (const auto &[basis, bar] : bars) {
            QVERIFY(basis < state.dimension());
            const double probability = state.probability(basis);
            QCOMPARE(bar.value(1), QString::number(probability * 100.0, 'f', 2));
            QVERIFY(std::abs(bar.theory - probability * plotHeight) < 0.02);
            if (shots == 0) {
                QCOMPARE(bar.tip.size(), 3);
                QCOMPARE(bar.frequency, 0.0);
                continue;
            }
            const double frequency = double(counts[basis]) / double(shots);
            QCOMPARE(bar.value(3), QString::number(counts[basis]));
            QCOMPARE(bar.value(4), QString::number(frequency * 100.0, 'f', 2));
            QVERIFY(std::abs(bar.frequency - frequency * plotHeight) < 0.02);
        }
    }

    // The physics, not only the replay: the Bell pair is two equal bars of one half, in either language.
    void bellPairIsTwoHalves_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addRow("it") << "it";
        QTest::addRow("en") << "en";
    }

    void bellPairIsTwoHalves()
    {
        QFETCH(QString, language);
        const CliRun run = runCli({"--lang", language, "chart", "--lesson", "3", "-o", "bell.svg"}, folder());
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const std::map<std::uint64_t, Bar> bars = chartBars(readFile(m_directory->filePath("bell.svg")));
        QCOMPARE(bars.size(), std::size_t(4));
        QCOMPARE(bars.at(0).value(1), QStringLiteral("50.00"));
        QCOMPARE(bars.at(3).value(1), QStringLiteral("50.00"));
        QCOMPARE(bars.at(0).theory, bars.at(3).theory);
        QCOMPARE(bars.at(1).theory + bars.at(2).theory, 0.0);
    }

    void seedMakesTheFile_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addRow("svg") << "c.svg";
        QTest::addRow("png") << "c.png";
    }

    void seedMakesTheFile()
    {
        QFETCH(QString, output);
        const auto chart = [&](const char *seed) {
            const CliRun run =
                runCli({"chart", "--lesson", "03", "--shots", "1000", "--seed", seed, "-o", output}, folder());
            return run.exitCode == 0 ? readFile(m_directory->filePath(output)) : QByteArray();
        };
        const QByteArray first = chart("7");
        QVERIFY(!first.isEmpty());
        QCOMPARE(chart("7"), first);
        QVERIFY(chart("8") != first);
    }

    // Nothing is written, and an output already there stays as it was.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("output");
        const auto row = [](const char *name, const QStringList &words, const QString &output = "x.svg") {
            QTest::newRow(name) << (QStringList{"chart"} + words + QStringList{"-o", output}) << output;
        };
        row("unreadable file", {"missing.fsor.json"});
        row("invalid JSON", {"broken.fsor.json"});
        row("not a circuit", {"other.fsor.json"});
        row("stage past the end", {"bell.fsor.json", "--stage", "3"});
        row("negative stage", {"--lesson", "03", "--stage", "-1"});
        row("lesson outside the catalog", {"--lesson", "22"});
        row("file and lesson", {"bell.fsor.json", "--lesson", "03"});
        row("seed without shots", {"--lesson", "03", "--seed", "7"});
        row("LaTeX output", {"--lesson", "03"}, "x.tex");
        row("no picture ending", {"--lesson", "03"}, "x.svg.bak");
        row("zero shots", {"--lesson", "03", "--shots", "0"});
        row("too many shots", {"--lesson", "03", "--shots", "1000001"});
        row("negative seed", {"--lesson", "03", "--shots", "10", "--seed", "-1"});
        row("seed past 2^64 - 1", {"--lesson", "03", "--shots", "10", "--seed", "18446744073709551616"});
        row("unwritable output", {"--lesson", "03"}, "no/such/folder/x.png");
        QTest::newRow("no output") << QStringList{"chart", "--lesson", "03"} << QString();
        QTest::newRow("standard output") << QStringList{"chart", "--lesson", "03", "-o", "-"} << QString();
    }

    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, output);
        const QStringList inputs = QDir(folder()).entryList(QDir::Files);
        for (const char *language : {"en", "it"}) {
            const CliRun run = runCli(QStringList{"--lang", language} + arguments, folder());
            QCOMPARE(run.exitCode, 2);
            QVERIFY2(!toolMessage(run.err).isEmpty(), run.err.constData());
            QCOMPARE(QDir(folder()).entryList(QDir::Files), inputs);
        }
        if (output.isEmpty() || output.contains(QLatin1Char('/'))) {
            return;
        }
        const QByteArray previous("an earlier picture");
        QVERIFY(writeFile(m_directory->filePath(output), previous));
        QCOMPARE(runCli(arguments, folder()).exitCode, 2);
        QCOMPARE(readFile(m_directory->filePath(output)), previous);
    }

    // The command's own refusals speak the language asked for, each followed by the chart's usage line.
    void refusalsSpeakTheLanguage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("message");
        QTest::addRow("picture ending") << QStringList{"chart", "--lesson", "03", "-o", "x.tex"}
                                        << int(Cli::CliText::ChartNeedsFile);
        QTest::addRow("seed without shots") << QStringList{"chart", "--lesson", "03", "--seed", "7", "-o", "x.svg"}
                                            << int(Cli::CliText::SeedNeedsShots);
    }

    void refusalsSpeakTheLanguage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, message);
        for (const Language language : {Italian, English}) {
            const QString code = language == English ? QStringLiteral("en") : QStringLiteral("it");
            const CliRun run = runCli(QStringList{"--lang", code} + arguments, folder());
            const QString usage = Cli::cliText(Cli::CliText::UsageChart, language);
            QCOMPARE(toolMessage(run.err).section(QLatin1Char('\n'), 0, 1),
                     "fasoria-cli: " + Cli::cliText(static_cast<Cli::CliText>(message), language) + "\n" +
                         usage.section(QLatin1Char('\n'), 0, 0));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliChart)

#include "test_cli_chart.moc"
