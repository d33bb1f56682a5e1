#include "cli/CliTexts.h"
#include "cli/Commands.h"

#include "core/GateText.h"
#include "curriculum/ChallengeDefinition.h"
#include "curriculum/Diagnostics.h"
#include "editor/ChallengeFile.h"
#include "editor/CircuitFile.h"
#include "editor/FilePath.h"
#include "editor/PlainText.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>
#include <vector>

namespace Fasoria::Cli {

namespace {

constexpr auto kMaxSteps = static_cast<std::int64_t>(kMaxCheckedSteps);

// The options only "new" reads; "show" refuses them rather than ignoring them.
const QStringList &newOptions()
{
    static const QStringList options = {QStringLiteral("--from"),      QStringLiteral("--goal-it"),
                                        QStringLiteral("--goal-en"),   QStringLiteral("--hint-it"),
                                        QStringLiteral("--hint-en"),   QStringLiteral("--min-gates"),
                                        QStringLiteral("--max-gates"), QStringLiteral("--require"),
                                        QStringLiteral("--forbid"),    QStringLiteral("-o")};
    return options;
}

// A text for the file: plain, since it reaches terminals, gradebooks and the window, and no longer than the
// challenge reader accepts.
std::string plainText(const QString &text, const QString &option, int maxLength, Language language)
{
    if (!isPlainText(text)) {
        throw UsageError{cliText(CliText::TextNotPlain, language).arg(option)};
    }
    if (text.size() > maxLength) {
        throw UsageError{cliText(CliText::TextTooLong, language).arg(option, QString::number(maxLength))};
    }
    return text.toStdString();
}

std::string goal(const CommandLine &line, const QString &option)
{
    const QString text = line.required(option);
    if (text.trimmed().isEmpty()) {
        throw UsageError{cliText(CliText::BlankGoal, line.language()).arg(option)};
    }
    return plainText(text, option, kMaxChallengeGoalLength, line.language());
}

ChallengeHints hints(const CommandLine &line, const QString &option)
{
    const QStringList values = line.values(option);
    if (values.size() > kChallengeHintCount) {
        throw UsageError{cliText(CliText::TooManyHints, line.language()).arg(option)};
    }
    ChallengeHints texts;
    for (int i = 0; i < values.size(); ++i) {
        texts[static_cast<std::size_t>(i)] = plainText(values[i], option, kMaxChallengeHintLength, line.language());
    }
    return texts;
}

// "cnot" and "CNOT" alike: teachers type kinds, the file stores them in capitals.
GateKind gateKind(const QString &word, Language language)
{
    const std::optional<GateKind> kind = gateKindFromName(word.trimmed().toUpper());
    if (!kind) {
        throw UsageError{cliText(CliText::UnknownGateKind, language).arg(shownWord(word))};
    }
    return *kind;
}

std::vector<GateRequirement> requirements(const CommandLine &line)
{
    std::vector<GateRequirement> required;
    for (const QString &value : line.values(QStringLiteral("--require"))) {
        const int colon = value.indexOf(QLatin1Char(':'));
        std::optional<std::int64_t> count = 1;
        if (colon >= 0) {
            count = parseWholeNumber(value.mid(colon + 1), 1, kMaxSteps);
        }
        if (!count) {
            throw UsageError{cliText(CliText::RequireValue, line.language())};
        }
        required.push_back({gateKind(value.left(colon), line.language()), static_cast<std::int32_t>(*count)});
    }
    return required;
}

std::vector<GateKind> forbiddenKinds(const CommandLine &line)
{
    std::vector<GateKind> forbidden;
    for (const QString &value : line.values(QStringLiteral("--forbid"))) {
        for (const QString &word : value.split(QLatin1Char(','))) {
            forbidden.push_back(gateKind(word, line.language()));
        }
    }
    return forbidden;
}

// Texts and rules from the options, each checked before the solution is read.
ChallengeDefinition definitionFromOptions(const CommandLine &line)
{
    ChallengeDefinition definition;
    definition.goalIt = goal(line, QStringLiteral("--goal-it"));
    definition.goalEn = goal(line, QStringLiteral("--goal-en"));
    setChallengeHints(definition, hints(line, QStringLiteral("--hint-it")), hints(line, QStringLiteral("--hint-en")));
    definition.minGates = static_cast<std::int32_t>(line.integer(QStringLiteral("--min-gates"), 0, kMaxSteps, 0));
    if (line.has(QStringLiteral("--max-gates"))) {
        definition.maxGates = static_cast<std::int32_t>(line.integer(QStringLiteral("--max-gates"), 0, kMaxSteps, 0));
    }
    definition.required = requirements(line);
    definition.forbidden = forbiddenKinds(line);
    return definition;
}

int makeChallenge(const CommandLine &line)
{
    const Language language = line.language();
    line.expectAtMost(1);
    const QString solution = line.required(QStringLiteral("--from"));
    ChallengeFile challenge;
    challenge.definition = definitionFromOptions(line);
    const QString output = line.required(QStringLiteral("-o"));
    if (!isStandardOutput(output) && isSameFile(output, solution)) {
        throw UsageError{cliText(CliText::ChallengeOverSolution, language).arg(shownPath(solution))};
    }
    challenge.reference = loadCircuitOrFail(solution);
    challenge.definition.qubitCount = challenge.reference->qubitCount;
    challenge.definition.target = targetFromCircuit(*challenge.reference);
    try {
        validateChallengeDefinition(challenge.definition);
        checkRulesCanBeMet(challenge.definition);
    } catch (const std::exception &error) {
        throw UsageError{cliText(CliText::RulesContradict, language).arg(QString::fromUtf8(error.what()))};
    }
    // Graded as the students' circuits will be: a solution the rules fail would make a challenge that even
    // its author cannot solve.
    const Diagnosis reference = diagnoseChallenge(challenge.definition, *challenge.reference);
    if (!reference.result.solved) {
        throw UsageError{cliText(CliText::SolutionBreaksRules, language)
                             .arg(shownPath(solution), QString::fromStdString(diagnosisText(reference, language)))};
    }
    writeResult(serializeChallenge(challenge), output, language);
    return kExitSuccess;
}

// "0.707107 - 0.500000i"; a part that rounds to zero carries no minus sign.
QString amplitudeText(const Complex &amplitude)
{
    const std::string imaginary = formatFixed(std::fabs(amplitude.im), 6);
    const bool negative = amplitude.im < 0.0 && imaginary != formatFixed(0.0, 6);
    return QString::fromStdString(formatFixed(amplitude.re, 6) + (negative ? " - " : " + ") + imaginary + "i");
}

QStringList ruleLines(const ChallengeDefinition &definition, Language language)
{
    QStringList rules;
    if (definition.minGates > 0) {
        rules << cliText(CliText::RuleMinGates, language).arg(definition.minGates);
    }
    if (definition.maxGates) {
        rules << cliText(CliText::RuleMaxGates, language).arg(*definition.maxGates);
    }
    for (const GateRequirement &requirement : definition.required) {
        rules << cliText(CliText::RuleRequired, language)
                     .arg(gateKindFileName(requirement.kind), QString::number(requirement.count));
    }
    QStringList forbidden;
    for (const GateKind kind : definition.forbidden) {
        forbidden << gateKindFileName(kind);
    }
    if (!forbidden.isEmpty()) {
        rules << cliText(CliText::RuleForbidden, language).arg(forbidden.join(QLatin1String(", ")));
    }
    if (rules.isEmpty()) {
        return {cliText(CliText::NoRules, language)};
    }
    return QStringList{cliText(CliText::RulesHeading, language)} + rules;
}

// The target's basis states in ascending order; those that would show as zero are left out.
QStringList targetLines(const ChallengeFile &challenge, Language language)
{
    const ChallengeDefinition &definition = challenge.definition;
    QStringList lines{challenge.reference ? cliText(CliText::TargetFromCircuit, language)
                                                .arg(static_cast<qulonglong>(challenge.reference->steps.size()))
                                          : cliText(CliText::TargetFromAmplitudes, language)};
    std::vector<ChallengeTarget> target = definition.target;
    std::stable_sort(target.begin(), target.end(),
                     [](const ChallengeTarget &a, const ChallengeTarget &b) { return a.index < b.index; });
    const QString zero = amplitudeText(Complex{});
    for (const ChallengeTarget &entry : target) {
        const QString amplitude = amplitudeText(entry.amplitude);
        if (amplitude != zero) {
            lines << QLatin1String("  ") + QString::fromStdString(ketLabel(entry.index, definition.qubitCount)) +
                         QLatin1String("  ") + amplitude;
        }
    }
    return lines;
}

QByteArray summary(const ChallengeFile &challenge, Language language)
{
    const ChallengeDefinition &definition = challenge.definition;
    QStringList lines{cliText(CliText::GoalLine, language).arg(challengeGoal(definition, language))};
    const ChallengeHints hintTexts = challengeHints(definition, language);
    for (std::size_t i = 0; i < hintTexts.size(); ++i) {
        const QString hint = QString::fromStdString(hintTexts[i]);
        lines << cliText(CliText::HintLine, language)
                     .arg(QString::number(i + 1), hint.isEmpty() ? cliText(CliText::NoHint, language) : hint);
    }
    lines << cliText(CliText::QubitsLine, language).arg(definition.qubitCount);
    lines << ruleLines(definition, language) << targetLines(challenge, language);
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

int showChallenge(const CommandLine &line)
{
    const Language language = line.language();
    for (const QString &option : newOptions()) {
        if (line.has(option)) {
            throw UsageError{cliText(CliText::OptionDoesNotApply, language).arg(option, QStringLiteral("show"))};
        }
    }
    if (line.operands().size() < 2) {
        throw UsageError{cliText(CliText::MissingFile, language)};
    }
    line.expectAtMost(2);
    const QString &path = line.operands()[1];
    ChallengeFile challenge;
    QString error;
    if (!loadChallengeFile(path, challenge, &error)) {
        throw CommandError{shownPath(path) + QLatin1String(": ") + error};
    }
    writeResult(summary(challenge, language), std::nullopt, language);
    return kExitSuccess;
}

} // namespace

int runChallenge(const CommandLine &line)
{
    const QString action = line.operands().value(0);
    if (action == QLatin1String("new")) {
        return makeChallenge(line);
    }
    if (action == QLatin1String("show")) {
        return showChallenge(line);
    }
    throw UsageError{cliText(CliText::ChallengeAction, line.language())};
}

} // namespace Fasoria::Cli
