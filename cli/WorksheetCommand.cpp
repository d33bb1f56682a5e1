#include "cli/CliTexts.h"
#include "cli/Commands.h"

#include "education/model/LearningSession.h"
#include "education/model/StudySession.h"
#include "education/model/Worksheet.h"
#include "education/print/WorksheetDocument.h"
#include "ui/model/Experiment.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <exception>

namespace Fasoria::Cli {

namespace {

enum class SheetFormat
{
    Pdf,
    Html,
};

/// The worksheet of a session as the window would print it once the session is open: the same session
/// model, the same notebook, the same pictures.
WorksheetInput sheetOf(const SessionData &data, Language language)
{
    Experiment experiment;
    StudySession session(experiment);
    if (!session.apply(data)) {
        throw std::invalid_argument("Session without its state");
    }
    WorksheetInput input = session.worksheetInput(language);
    addWorksheetPictures(input, language, experiment.workingCircuit() != nullptr);
    return input;
}

bool writeSheet(const QString &path, SheetFormat format, const WorksheetInput &input, Language language, QString *error)
{
    return format == SheetFormat::Pdf ? saveWorksheetPdf(path, input, language, error)
                                      : saveWorksheetFile(path, input, language, error);
}

/// work.session.json -> work: the name a class's sheet takes in the folder.
QString sheetName(const QString &sessionPath)
{
    QString name = QFileInfo(sessionPath).fileName();
    for (const QLatin1String ending : {QLatin1String(".session.json"), QLatin1String(".json")}) {
        if (name.endsWith(ending, Qt::CaseInsensitive)) {
            name.chop(ending.size());
            break;
        }
    }
    return name.isEmpty() ? QStringLiteral("session") : name;
}

} // namespace

int writeWorksheets(const CommandLine &line)
{
    const Language language = line.language();
    const QStringList sessions = line.operands();
    if (sessions.isEmpty()) {
        throw UsageError{cliText(CliText::MissingFiles, language)};
    }
    const std::optional<QString> output = line.value(QStringLiteral("-o"));
    if (!output || isStandardOutput(*output)) {
        throw UsageError{cliText(CliText::WorksheetNeedsOutput, language)};
    }
    // A folder takes one PDF per session; a file, the one session's sheet in the form its ending names.
    const bool folder = output->endsWith(QLatin1Char('/')) || QFileInfo(*output).isDir();
    const QString lower = output->toLower();
    if (!folder && !lower.endsWith(QLatin1String(".pdf")) && !lower.endsWith(QLatin1String(".html"))) {
        throw UsageError{cliText(CliText::WorksheetNeedsOutput, language)};
    }
    if (!folder && sessions.size() > 1) {
        throw UsageError{cliText(CliText::WorksheetsNeedFolder, language)};
    }
    if (folder && !QDir().mkpath(*output)) {
        throw CommandError{shownPath(*output) + QLatin1String(": ") + cliText(CliText::FolderNotMade, language)};
    }
    const SheetFormat format = folder || lower.endsWith(QLatin1String(".pdf")) ? SheetFormat::Pdf : SheetFormat::Html;
    bool allMade = true;
    QSet<QString> named;
    for (const QString &file : sessions) {
        SessionData data;
        SessionRefusal refusal;
        QString error;
        // A session the laboratory would refuse is named with the reader's reason; the class's other sheets
        // are still made.
        if (!openSessionFile(file, data, &refusal)) {
            printError(shownPath(file) + QLatin1String(": ") + refusal.text(language));
            allMade = false;
            continue;
        }
        // Two sessions of one name (from two folders) get two sheets: the second one numbered.
        QString name = sheetName(file);
        for (int copy = 2; named.contains(name.toLower()); ++copy) {
            name = sheetName(file) + QLatin1Char('-') + QString::number(copy);
        }
        named.insert(name.toLower());
        const QString target = folder ? QDir(*output).filePath(name + QLatin1String(".pdf")) : *output;
        try {
            if (!writeSheet(target, format, sheetOf(data, language), language, &error)) {
                printError(shownPath(target) + QLatin1String(": ") + error);
                allMade = false;
            }
        } catch (const std::exception &refused) {
            printError(shownPath(file) + QLatin1String(": ") + QString::fromUtf8(refused.what()));
            allMade = false;
        }
    }
    return allMade ? kExitSuccess : kExitFailure;
}

} // namespace Fasoria::Cli
