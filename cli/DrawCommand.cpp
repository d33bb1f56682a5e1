#include "cli/CliTexts.h"
#include "cli/Commands.h"

#include "curriculum/LessonCatalog.h"
#include "ui/views/CircuitPicture.h"

namespace Fasoria::Cli {

int drawCircuit(const CommandLine &line)
{
    const Language language = line.language();
    line.expectAtMost(1);
    const std::optional<QString> lesson = line.value(QStringLiteral("--lesson"));
    if (lesson && !line.operands().isEmpty()) {
        throw UsageError{cliText(CliText::FileOrLesson, language)};
    }
    if (!lesson && line.operands().isEmpty()) {
        throw UsageError{cliText(CliText::MissingFile, language)};
    }
    const std::optional<QString> output = line.value(QStringLiteral("-o"));
    if (!output || isStandardOutput(*output)) {
        throw UsageError{cliText(CliText::DrawNeedsFile, language)};
    }
    const QString lower = output->toLower();
    if (!lower.endsWith(QLatin1String(".svg")) && !lower.endsWith(QLatin1String(".png")) &&
        !lower.endsWith(QLatin1String(".tex"))) {
        throw UsageError{cliText(CliText::DrawNeedsFile, language)};
    }
    CircuitPictureRequest request;
    request.language = language;
    if (lesson) {
        const LessonCatalog &catalog = lessonCatalog();
        request.circuit = catalog[line.lessonIndex(*lesson, 1, static_cast<int>(catalog.size()))];
    } else {
        request.circuit = loadCircuitOrFail(line.operands().front());
        request.isWorkingCircuit = true;
    }
    const auto total = static_cast<std::int64_t>(request.circuit.steps.size());
    request.stage = static_cast<std::uint64_t>(line.integer(QStringLiteral("--stage"), 0, total, total));
    QString error;
    if (!saveCircuitPicture(*output, pictureFormat(*output, QString()), request, &error)) {
        throw CommandError{shownPath(*output) + QLatin1String(": ") + error};
    }
    return kExitSuccess;
}

} // namespace Fasoria::Cli
