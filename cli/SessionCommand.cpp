#include "cli/CliTexts.h"
#include "cli/Commands.h"

#include "education/model/LearningSession.h"

#include <QStringList>

namespace Fasoria::Cli {

int checkSessions(const CommandLine &line)
{
    const Language language = line.language();
    if (line.operands().isEmpty()) {
        throw UsageError{cliText(CliText::MissingFiles, language)};
    }
    // The window's own reader: a file this accepts opens in the laboratory exactly as it was saved.
    bool allValid = true;
    QString listing;
    for (const QString &file : line.operands()) {
        SessionData session;
        SessionRefusal refusal;
        const bool valid = openSessionFile(file, session, &refusal);
        allValid = allValid && valid;
        const QString verdict = cliText(valid ? CliText::SessionValid : CliText::SessionRefused, language);
        const QString detail = valid ? sessionSummary(session, language) : refusal.text(language);
        listing += QStringList{shownPath(file), verdict, detail}.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    writeResult(listing.toUtf8(), std::nullopt, language);
    return allValid ? kExitSuccess : kExitFailure;
}

} // namespace Fasoria::Cli
