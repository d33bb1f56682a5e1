#include "cli/CliTexts.h"
#include "cli/Commands.h"

#include "editor/ChallengeFile.h"
#include "editor/LessonPack.h"
#include "editor/PlainText.h"

#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

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

/// "guided, 2 qubits, 6 gates" or "challenge, 2 qubits".
QString lessonKind(const PackLesson &lesson, Language language)
{
    return lesson.guided
               ? cliText(CliText::PackGuided, language)
                     .arg(QString::number(lesson.guided->qubitCount), QString::number(lesson.guided->steps.size()))
               : cliText(CliText::PackChallenge, language)
                     .arg(QString::number(lesson.challenge->definition.qubitCount));
}

/// The pack in `language`: its title, then one line per lesson with its id, kind and register, and its
/// question under it.
QString packListing(const LessonPack &pack, Language language)
{
    QString listing = packLine(pack, language) + QLatin1Char('\n');
    for (std::size_t i = 0; i < pack.lessons.size(); ++i) {
        const PackLesson &lesson = pack.lessons[i];
        const QString kind = lessonKind(lesson, language);
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

// Texts are checked by the pack's own reader when the lesson is added: its limits hold in one place.
QString textOption(const CommandLine &line, const char *option, const std::optional<QString> &fallback = {})
{
    const QString name = QLatin1String(option);
    return fallback && !line.has(name) ? *fallback : line.required(name);
}

/// The pack named after "add-guided" or "add-challenge"; it must exist already.
QString packOperand(const CommandLine &line)
{
    if (line.operands().size() < 2) {
        throw UsageError{cliText(CliText::MissingFile, line.language())};
    }
    line.expectAtMost(2);
    return line.operands()[1];
}

/// The lesson's id and titles; each kind of lesson adds its questions, explanations and activity.
PackLesson lessonHeading(const CommandLine &line)
{
    PackLesson lesson;
    lesson.id = textOption(line, "--id");
    lesson.titleIt = textOption(line, "--title-it");
    lesson.titleEn = textOption(line, "--title-en");
    return lesson;
}

int makePack(const CommandLine &line)
{
    const Language language = line.language();
    line.expectAtMost(1);
    const QString titleIt = textOption(line, "--title-it");
    const QString titleEn = textOption(line, "--title-en");
    const QString chosen = line.required(QStringLiteral("-o"));
    if (isStandardOutput(chosen)) {
        throw UsageError{cliText(CliText::PackNeedsFile, language)};
    }
    const QString path = lessonPackFileName(chosen);
    QString error;
    if (!createLessonPackFile(path, titleIt, titleEn, &error)) {
        throw CommandError{cliText(CliText::PackNotMade, language).arg(shownPath(path), escapedText(error))};
    }
    const QString made = cliText(CliText::PackMade, language).arg(shownPath(path), pick(language, titleIt, titleEn));
    writeResult((made + QLatin1Char('\n')).toUtf8(), std::nullopt, language);
    return kExitSuccess;
}

// The texts of one language by step from "--step-it K TEXT" or "--step-en K TEXT", K counted from 1 as a
// teacher does.
std::vector<std::optional<QString>> stepsInOneLanguage(const CommandLine &line, const QString &option,
                                                       std::size_t gateCount)
{
    std::vector<std::optional<QString>> texts(gateCount);
    for (const auto &[step, text] : line.valuePairs(option)) {
        const std::optional<std::int64_t> number = parseWholeNumber(step, 1, static_cast<std::int64_t>(gateCount));
        if (!number) {
            throw UsageError{
                cliText(CliText::StepNumber, line.language()).arg(option, shownWord(step), QString::number(gateCount))};
        }
        std::optional<QString> &slot = texts[static_cast<std::size_t>(*number - 1)];
        if (slot) {
            throw UsageError{cliText(CliText::StepRepeated, line.language()).arg(option, QString::number(*number))};
        }
        slot = text;
    }
    return texts;
}

// One (Italian, English) pair per gate, or none at all when no step text is given: the pack takes a pair for
// every gate or none, so the first step and language left out is named.
std::vector<std::pair<QString, QString>> stepTexts(const CommandLine &line, std::size_t gateCount)
{
    const QString italian = QStringLiteral("--step-it");
    const QString english = QStringLiteral("--step-en");
    const std::vector<std::optional<QString>> italianTexts = stepsInOneLanguage(line, italian, gateCount);
    const std::vector<std::optional<QString>> englishTexts = stepsInOneLanguage(line, english, gateCount);
    std::vector<std::pair<QString, QString>> pairs;
    if (!line.has(italian) && !line.has(english)) {
        return pairs;
    }
    const auto missing = [&line](const QString &option, std::size_t step) {
        return UsageError{cliText(CliText::StepMissing, line.language()).arg(option, QString::number(step + 1))};
    };
    for (std::size_t i = 0; i < gateCount; ++i) {
        if (!italianTexts[i]) {
            throw missing(italian, i);
        }
        if (!englishTexts[i]) {
            throw missing(english, i);
        }
        pairs.emplace_back(*italianTexts[i], *englishTexts[i]);
    }
    return pairs;
}

// Appends through the pack's own writer, which reads the whole pack first and writes nothing the reader
// would refuse, so a refusal leaves the teacher's file byte for byte as it was.
int addLesson(const CommandLine &line, const QString &path, const PackLesson &lesson)
{
    const Language language = line.language();
    QString error;
    if (!addLessonToPackFile(path, lesson, &error)) {
        throw CommandError{cliText(CliText::PackLessonNotAdded, language).arg(shownPath(path), escapedText(error))};
    }
    // The count is read back from the file, so the line tells what the class will open.
    LessonPack pack;
    if (!loadLessonPackFile(path, pack, &error)) {
        throw CommandError{shownPath(path) + QLatin1String(": ") + escapedText(error)};
    }
    const QString added =
        cliText(CliText::PackLessonAdded, language)
            .arg(shownPath(path), lesson.id, lessonKind(lesson, language), QString::number(pack.lessons.size()));
    writeResult((added + QLatin1Char('\n')).toUtf8(), std::nullopt, language);
    return kExitSuccess;
}

int addGuidedLesson(const CommandLine &line)
{
    const QString path = packOperand(line);
    PackLesson lesson = lessonHeading(line);
    lesson.questionIt = textOption(line, "--question-it");
    lesson.questionEn = textOption(line, "--question-en");
    lesson.explanationIt = textOption(line, "--explanation-it");
    lesson.explanationEn = textOption(line, "--explanation-en");
    Circuit circuit = loadCircuitOrFail(line.required(QStringLiteral("--from")));
    lesson.stepTexts = stepTexts(line, circuit.steps.size());
    lesson.guided = std::move(circuit);
    return addLesson(line, path, lesson);
}

int addChallengeLesson(const CommandLine &line)
{
    const QString path = packOperand(line);
    PackLesson lesson = lessonHeading(line);
    const QString from = line.required(QStringLiteral("--from"));
    ChallengeFile challenge;
    QString error;
    if (!loadChallengeFile(from, challenge, &error)) {
        throw CommandError{shownPath(from) + QLatin1String(": ") + error};
    }
    // By default the student is asked the challenge's own goal, and told at the end how it was checked.
    lesson.questionIt = textOption(line, "--question-it", challengeGoal(challenge.definition, Italian));
    lesson.questionEn = textOption(line, "--question-en", challengeGoal(challenge.definition, English));
    lesson.explanationIt = textOption(line, "--explanation-it", cliText(CliText::ChallengeLessonExplanation, Italian));
    lesson.explanationEn = textOption(line, "--explanation-en", cliText(CliText::ChallengeLessonExplanation, English));
    lesson.challenge = std::move(challenge);
    return addLesson(line, path, lesson);
}

struct PackAction
{
    const char *name;
    int (*run)(const CommandLine &);
    /// The options the action reads; any other pack option given with it is refused, not ignored.
    QStringList options;
};

const std::vector<PackAction> &packActions()
{
    static const QStringList texts = {QStringLiteral("--id"),
                                      QStringLiteral("--from"),
                                      QStringLiteral("--title-it"),
                                      QStringLiteral("--title-en"),
                                      QStringLiteral("--question-it"),
                                      QStringLiteral("--question-en"),
                                      QStringLiteral("--explanation-it"),
                                      QStringLiteral("--explanation-en")};
    static const std::vector<PackAction> actions = {
        {"check", checkPacks, {}},
        {"show", showPack, {}},
        {"new", makePack, {QStringLiteral("--title-it"), QStringLiteral("--title-en"), QStringLiteral("-o")}},
        {"add-guided", addGuidedLesson, texts + QStringList{QStringLiteral("--step-it"), QStringLiteral("--step-en")}},
        {"add-challenge", addChallengeLesson, texts},
    };
    return actions;
}

/// Every option some action reads.
QStringList allPackOptions()
{
    QStringList options;
    for (const PackAction &action : packActions()) {
        options += action.options;
    }
    options.removeDuplicates();
    return options;
}

} // namespace

int runPack(const CommandLine &line)
{
    const QString name = line.operands().value(0);
    for (const PackAction &action : packActions()) {
        if (name != QLatin1String(action.name)) {
            continue;
        }
        for (const QString &option : allPackOptions()) {
            if (line.has(option) && !action.options.contains(option)) {
                throw UsageError{cliText(CliText::OptionDoesNotApply, line.language()).arg(option, name)};
            }
        }
        return action.run(line);
    }
    throw UsageError{cliText(CliText::PackAction, line.language())};
}

} // namespace Fasoria::Cli
