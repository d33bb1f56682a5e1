#include "cli/CliTexts.h"
#include "cli/Commands.h"

#include "validation/suite/ValidationCheck.h"
#include "validation/suite/ValidationReport.h"
#include "validation/suite/ValidationSuite.h"

#include <vector>

namespace Fasoria::Cli {

int runValidation(const CommandLine &line)
{
    const Language language = line.language();
    line.expectAtMost(0);
    const std::optional<QString> json = line.value(QStringLiteral("--json"));
    if (json && isStandardOutput(*json)) {
        throw UsageError{cliText(CliText::ReportToStandardOutput, language)};
    }
    const std::vector<ValidationCheck> checks = runFullValidation();
    // The text report is printed even when the JSON report cannot be saved: the run itself is not lost.
    bool written = true;
    if (json) {
        QString error;
        if (!saveValidationReport(*json, checks, &error)) {
            printError(shownPath(*json) + QLatin1String(": ") + error);
            written = false;
        }
    }
    writeResult(validationTextReport(checks), std::nullopt, language);
    if (!written) {
        return kExitFailure;
    }
    return isOverallPass(checks) ? kExitSuccess : kExitNotSolved;
}

} // namespace Fasoria::Cli
