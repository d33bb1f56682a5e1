#include "cli/CliTexts.h"
#include "cli/Commands.h"

#include "core/Measurement.h"
#include "curriculum/LessonCatalog.h"
#include "ui/model/ChartModel.h"
#include "ui/views/ChartPicture.h"

#include <limits>

namespace Fasoria::Cli {

namespace {

// The picture file: a chart has no LaTeX form, so only the two picture endings.
QString chartOutput(const CommandLine &line)
{
    const std::optional<QString> output = line.value(QStringLiteral("-o"));
    const QString lower = output ? output->toLower() : QString();
    if (!output || isStandardOutput(*output) ||
        (!lower.endsWith(QLatin1String(".svg")) && !lower.endsWith(QLatin1String(".png")))) {
        throw UsageError{cliText(CliText::ChartNeedsFile, line.language())};
    }
    return *output;
}

} // namespace

int drawChart(const CommandLine &line)
{
    const Language language = line.language();
    line.expectAtMost(1);
    if (line.has(QStringLiteral("--seed")) && !line.has(QStringLiteral("--shots"))) {
        throw UsageError{cliText(CliText::SeedNeedsShots, language)};
    }
    const std::optional<QString> lesson = line.value(QStringLiteral("--lesson"));
    if (lesson && !line.operands().isEmpty()) {
        throw UsageError{cliText(CliText::FileOrLesson, language)};
    }
    if (!lesson && line.operands().isEmpty()) {
        throw UsageError{cliText(CliText::MissingFile, language)};
    }
    const QString output = chartOutput(line);
    const auto shots = static_cast<std::uint64_t>(line.integer(QStringLiteral("--shots"), 1, kMaxShots, 0));
    const std::uint64_t seed = line.seed();

    Circuit circuit;
    if (lesson) {
        const LessonCatalog &catalog = lessonCatalog();
        circuit = catalog[line.lessonIndex(*lesson, 1, static_cast<int>(catalog.size()))];
    } else {
        circuit = loadCircuitOrFail(line.operands().front());
    }
    const auto total = static_cast<std::int64_t>(circuit.steps.size());
    const auto stage = static_cast<std::uint64_t>(line.integer(QStringLiteral("--stage"), 0, total, total));

    const StateVector state = replayPrefix(circuit, stage);
    Histogram counts;
    if (shots > 0) {
        RandomGenerator generator(seed);
        counts = sampleCounts(state, shots, generator);
    }
    const ChartData data = chartData(state, shots > 0 ? &counts : nullptr, shots, -1, false);
    QString error;
    if (!saveChartPicture(output, chartPictureFormat(output, QString()), data, language, &error)) {
        throw CommandError{shownPath(output) + QLatin1String(": ") + error};
    }
    return kExitSuccess;
}

} // namespace Fasoria::Cli
