#include "cli/CliTexts.h"
#include "cli/Commands.h"
#include "cli/Gradebook.h"

#include "curriculum/Challenge.h"
#include "curriculum/Diagnostics.h"
#include "curriculum/LessonCatalog.h"
#include "editor/ChallengeFile.h"
#include "editor/CircuitFile.h"
#include "editor/FilePath.h"
#include "editor/LessonPack.h"
#include "ui/texts/ChallengeMessage.h"
#include "ui/texts/TextCatalog.h"

#include <algorithm>
#include <exception>
#include <functional>

namespace Fasoria::Cli {

namespace {

constexpr int kFirstChallengeLesson = 5;
constexpr int kLastChallengeLesson = 14;

GradeRow unreadable(const QString &file, const QString &error, Language language)
{
    GradeRow row;
    row.file = file;
    row.verdict = cliText(CliText::VerdictUnreadable, language);
    row.message = error;
    return row;
}

// What grading a circuit means: the built-in challenge of a lesson or a teacher's definition.
using Grader = std::function<Diagnosis(const Circuit &)>;

GradeRow grade(const Grader &grader, const QString &file, Language language)
{
    Circuit circuit;
    QString error;
    if (!loadCircuitFile(file, circuit, &error)) {
        return unreadable(file, error, language);
    }
    GradeRow row;
    row.file = file;
    try {
        row.diagnosis = grader(circuit);
    } catch (const std::exception &exception) {
        return unreadable(file, QString::fromUtf8(exception.what()), language);
    }
    const ChallengeResult &result = row.diagnosis->result;
    row.verdict = cliText(result.solved ? CliText::VerdictSolved : CliText::VerdictNotSolved, language);
    // The window's verdict, word for word.
    row.message = challengeMessage(result, language);
    row.diagnostics = QString::fromStdString(diagnosisText(*row.diagnosis, language));
    return row;
}

// A gradebook written over a submission, or both gradebooks into one file, would destroy what the teacher
// collected; paths are compared as files on disk, so "g.csv" and "./g.csv" are the same.
void checkGradebookPaths(const CommandLine &line, const QStringList &inputs)
{
    const Language language = line.language();
    QStringList options;
    QStringList paths;
    for (const QString &option : {QStringLiteral("--csv"), QStringLiteral("--html")}) {
        if (const std::optional<QString> path = line.value(option)) {
            if (isStandardOutput(*path)) {
                throw UsageError{cliText(CliText::GradebookToStandardOutput, language).arg(option)};
            }
            options << option;
            paths << *path;
        }
    }
    if (paths.size() == 2 && isSameFile(paths[0], paths[1])) {
        throw UsageError{cliText(CliText::SameGradebookFile, language)};
    }
    for (int i = 0; i < paths.size(); ++i) {
        for (const QString &file : inputs) {
            if (isSameFile(paths[i], file)) {
                throw UsageError{cliText(CliText::GradebookIsInput, language).arg(options[i], shownPath(file))};
            }
        }
    }
}

// Writes each requested gradebook; a failure is reported and makes the run fail, the other is still written.
bool writeGradebooks(const CommandLine &line, const Gradebook &book)
{
    bool written = true;
    const auto write = [&](const QString &option, QByteArray (*build)(const Gradebook &)) {
        const std::optional<QString> path = line.value(option);
        if (!path) {
            return;
        }
        try {
            writeResult(build(book), path, line.language());
        } catch (const CommandError &error) {
            printError(error.message);
            written = false;
        }
    };
    write(QStringLiteral("--csv"), gradebookCsv);
    write(QStringLiteral("--html"), gradebookHtml);
    return written;
}

// The built-in challenge of --lesson, with the lesson's title and the challenge's goal.
Grader lessonGrader(const CommandLine &line, const QString &lesson, Gradebook &book)
{
    const Language language = line.language();
    const std::uint64_t index = line.lessonIndex(lesson, kFirstChallengeLesson, kLastChallengeLesson);
    const Challenge *challenge = findChallenge(index);
    if (!challenge) {
        throw UsageError{cliText(CliText::NotAChallenge, language).arg(shownWord(lesson))};
    }
    const Lesson &entry = lessonCatalog()[index];
    book.title = QString::fromUtf8(pick(language, entry.titleIt, entry.titleEn));
    book.goal = QString::fromUtf8(pick(language, challenge->goalIt, challenge->goalEn));
    return [challenge](const Circuit &circuit) { return diagnoseChallenge(*challenge, circuit); };
}

// A teacher's challenge; the gradebook is titled after its goal.
Grader definitionGrader(const ChallengeFile &challenge, Gradebook &book)
{
    const ChallengeDefinition &definition = challenge.definition;
    book.title = challengeGoal(definition, book.language);
    return [definition](const Circuit &circuit) { return diagnoseChallenge(definition, circuit); };
}

// A teacher's challenge file of --challenge, read once.
Grader fileGrader(const QString &path, Gradebook &book)
{
    ChallengeFile challenge;
    QString error;
    if (!loadChallengeFile(path, challenge, &error)) {
        throw CommandError{shownPath(path) + QLatin1String(": ") + error};
    }
    return definitionGrader(challenge, book);
}

// The challenge of lesson `id` of the pack of --pack: graded exactly as the challenge file it holds.
Grader packGrader(const QString &path, const QString &id, Gradebook &book)
{
    LessonPack pack;
    QString error;
    if (!loadLessonPackFile(path, pack, &error)) {
        throw CommandError{shownPath(path) + QLatin1String(": ") + error};
    }
    const auto lesson = std::find_if(pack.lessons.begin(), pack.lessons.end(),
                                     [&id](const PackLesson &candidate) { return candidate.id == id; });
    if (lesson == pack.lessons.end()) {
        throw CommandError{shownPath(path) + QLatin1String(": ") +
                           cliText(CliText::PackLessonMissing, book.language).arg(shownWord(id))};
    }
    if (!lesson->challenge) {
        throw CommandError{shownPath(path) + QLatin1String(": ") +
                           cliText(CliText::PackLessonNotChallenge, book.language).arg(shownWord(id))};
    }
    return definitionGrader(*lesson->challenge, book);
}

} // namespace

int checkSubmissions(const CommandLine &line)
{
    const Language language = line.language();
    const std::optional<QString> lesson = line.value(QStringLiteral("--lesson"));
    const std::optional<QString> challengePath = line.value(QStringLiteral("--challenge"));
    const std::optional<QString> packPath = line.value(QStringLiteral("--pack"));
    if (packPath && challengePath) {
        throw UsageError{cliText(CliText::PackOrChallenge, language)};
    }
    if (packPath && !lesson) {
        throw UsageError{cliText(CliText::PackNeedsLesson, language)};
    }
    if (lesson && challengePath) {
        throw UsageError{cliText(CliText::LessonOrChallenge, language)};
    }
    if (!lesson && !challengePath) {
        throw UsageError{cliText(CliText::MissingLesson, language)};
    }
    Gradebook book;
    book.language = language;
    Grader grader;
    if (lesson && !packPath) {
        grader = lessonGrader(line, *lesson, book);
    }
    if (line.operands().isEmpty()) {
        throw UsageError{cliText(CliText::MissingFiles, language)};
    }
    // The challenge file or the pack is an input too: no gradebook may be written over it.
    const std::optional<QString> input = challengePath ? challengePath : packPath;
    checkGradebookPaths(line, input ? line.operands() + QStringList{*input} : line.operands());
    if (challengePath) {
        grader = fileGrader(*challengePath, book);
    } else if (packPath) {
        grader = packGrader(*packPath, *lesson, book);
    }

    bool allReadable = true;
    bool allSolved = true;
    for (const QString &file : line.operands()) {
        GradeRow row = grade(grader, file, language);
        if (!row.diagnosis) {
            printError(shownPath(file) + QLatin1String(": ") + row.message);
            allReadable = false;
        } else if (!row.diagnosis->result.solved) {
            allSolved = false;
        }
        book.rows << row;
    }
    const bool written = writeGradebooks(line, book);
    writeResult(gradebookListing(book), std::nullopt, language);
    if (!allReadable || !written) {
        return kExitFailure;
    }
    return allSolved ? kExitSuccess : kExitNotSolved;
}

} // namespace Fasoria::Cli
