#include "cli/CliTexts.h"
#include "cli/Commands.h"

#include "editor/LessonPack.h"

#include <QStringList>

namespace Fasoria::Cli {

namespace {

QString pick(Language language, const QString &italian, const QString &english)
{
    return language == English ? english : italian;
}

/// "«title»: N lessons", the line a valid pack gets when it is checked.
QString packLine(const LessonPack &pack, Language language)
{
    return cliText(CliText::PackSummary, language)
        .arg(pick(language, pack.titleIt, pack.titleEn), QString::number(pack.lessons.size()));
}

/// The pack in `language`: its title, then one line per lesson with its id, kind and register, and its
/// question under it.
QString packListing(const LessonPack &pack, Language language)
{
    QString listing = packLine(pack, language) + QLatin1Char('\n');
    for (std::size_t i = 0; i < pack.lessons.size(); ++i) {
        const PackLesson &lesson = pack.lessons[i];
        const QString kind = lesson.guided ? cliText(CliText::PackGuided, language)
                                                 .arg(QString::number(lesson.guided->qubitCount),
                                                      QString::number(lesson.guided->steps.size()))
                                           : cliText(CliText::PackChallenge, language)
                                                 .arg(QString::number(lesson.challenge->definition.qubitCount));
        listing += QStringLiteral("%1. [%2] %3 (%4)\n   %5\n")
                       .arg(QString::number(i + 1), lesson.id, pick(language, lesson.titleIt, lesson.titleEn), kind,
                            pick(language, lesson.questionIt, lesson.questionEn));
    }
    return listing;
}

int checkPacks(const CommandLine &line)
{
    const Language language = line.language();
    const QStringList files = line.operands().mid(1);
    if (files.isEmpty()) {
        throw UsageError{cliText(CliText::MissingFiles, language)};
    }
    // The reader the window will use: a pack this accepts is a pack the laboratory opens whole.
    bool allValid = true;
    QString listing;
    for (const QString &file : files) {
        LessonPack pack;
        QString error;
        const bool valid = loadLessonPackFile(file, pack, &error);
        allValid = allValid && valid;
        const QString verdict = cliText(valid ? CliText::PackValid : CliText::PackRefused, language);
        listing +=
            QStringList{shownPath(file), verdict, valid ? packLine(pack, language) : error}.join(QLatin1Char('\t')) +
            QLatin1Char('\n');
    }
    writeResult(listing.toUtf8(), std::nullopt, language);
    return allValid ? kExitSuccess : kExitFailure;
}

int showPack(const CommandLine &line)
{
    const Language language = line.language();
    if (line.operands().size() < 2) {
        throw UsageError{cliText(CliText::MissingFile, language)};
    }
    line.expectAtMost(2);
    const QString &path = line.operands()[1];
    LessonPack pack;
    QString error;
    if (!loadLessonPackFile(path, pack, &error)) {
        throw CommandError{shownPath(path) + QLatin1String(": ") + error};
    }
    writeResult(packListing(pack, language).toUtf8(), std::nullopt, language);
    return kExitSuccess;
}

} // namespace

int runPack(const CommandLine &line)
{
    const QString action = line.operands().value(0);
    if (action == QLatin1String("check")) {
        return checkPacks(line);
    }
    if (action == QLatin1String("show")) {
        return showPack(line);
    }
    throw UsageError{cliText(CliText::PackAction, line.language())};
}

} // namespace Fasoria::Cli
