#include "cli/CliTexts.h"
#include "cli/Commands.h"
#include "fasoria/Version.h"

#include "core/Measurement.h"
#include "core/RandomGenerator.h"
#include "curriculum/AlgorithmInfo.h"
#include "curriculum/LessonCatalog.h"
#include "editor/ResultsExport.h"

#include <QDateTime>

#include <limits>

namespace Fasoria::Cli {

namespace {

QString lessonOption()
{
    return QStringLiteral("--lesson");
}

// The circuit to replay, with the catalog record when it is an algorithm lesson shown as it is.
void chooseCircuit(const CommandLine &line, ResultsInput &input)
{
    const Language language = line.language();
    const std::optional<QString> lesson = line.value(lessonOption());
    if (lesson && !line.operands().isEmpty()) {
        throw UsageError{cliText(CliText::FileOrLesson, language)};
    }
    if (lesson) {
        const LessonCatalog &catalog = lessonCatalog();
        const std::uint64_t index = line.lessonIndex(*lesson, 1, static_cast<int>(catalog.size()));
        input.circuit = catalog[index];
        if (const AlgorithmInfo *info = findAlgorithmInfo(static_cast<std::int64_t>(index))) {
            input.catalogAlgorithm = *info;
        }
        return;
    }
    if (line.operands().isEmpty()) {
        throw UsageError{cliText(CliText::MissingFile, language)};
    }
    input.circuitFile = line.operands().front();
    input.circuit = loadCircuitOrFail(input.circuitFile);
}

Histogram sampleShots(const CommandLine &line, const ResultsInput &input)
{
    const std::int64_t shots = line.integer(QStringLiteral("--shots"), 1, kMaxShots, 0);
    const std::uint64_t seed = line.seed();
    RandomGenerator generator(seed);
    return sampleCounts(replayPrefix(input.circuit, input.stage), static_cast<std::uint64_t>(shots), generator);
}

} // namespace

int runResults(const CommandLine &line)
{
    line.expectAtMost(1);
    if (line.has(QStringLiteral("--seed")) && !line.has(QStringLiteral("--shots"))) {
        throw UsageError{cliText(CliText::SeedNeedsShots, line.language())};
    }
    ResultsInput input;
    chooseCircuit(line, input);
    const auto total = static_cast<std::int64_t>(input.circuit.steps.size());
    input.stage = static_cast<std::uint64_t>(line.integer(QStringLiteral("--stage"), 0, total, total));
    if (line.has(QStringLiteral("--shots"))) {
        input.histogram = sampleShots(line, input);
    }
    input.timestamp = QDateTime::currentDateTimeUtc();
    input.applicationVersion = QString::fromLatin1(kApplicationVersion);
    writeResult(buildResultsDocument(input), std::nullopt, line.language());
    return kExitSuccess;
}

} // namespace Fasoria::Cli
