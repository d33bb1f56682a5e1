#pragma once

#include "core/Language.h"

#include <QString>

namespace Fasoria::Cli {

/// The texts of the command-line tool itself, each in both languages. Texts may carry %1..%3.
enum class CliText
{
    UsageGeneral,
    UsageRun,
    UsageCheck,
    UsageChallenge,
    UsageValidate,
    UsageSession,
    UsageDraw,
    DrawNeedsFile,
    UsageChart,
    ChartNeedsFile,
    SessionValid,
    SessionRefused,
    UsageGenerate,
    UsageLesson,
    UsageQasm,
    HelpHint,
    MissingCommand,
    UnknownCommand,
    UnknownOption,
    OptionNeedsValue,
    OptionRepeated,
    WholeNumber,
    LessonRange,
    NotAChallenge,
    MissingLesson,
    LessonOrChallenge,
    FileOrLesson,
    MissingFile,
    TooManyArguments,
    SeedNeedsShots,
    OptionDoesNotApply,
    UnknownAlgorithm,
    MissingAlgorithm,
    SameGradebookFile,
    GradebookIsInput,
    GradebookToStandardOutput,
    MissingFiles,
    QasmDirection,
    ChallengeAction,
    MissingOption,
    TooManyHints,
    TextNotPlain,
    BlankGoal,
    TextTooLong,
    UnknownGateKind,
    RequireValue,
    RulesContradict,
    SolutionBreaksRules,
    ChallengeOverSolution,
    ReportToStandardOutput,
    LanguageValue,
    StandardOutput,
    Warning,
    VerdictSolved,
    VerdictNotSolved,
    VerdictUnreadable,
    DiagnosticsPrefix,
    /// The verdict sentences of statuses 6 and 7, which the window's catalog does not have yet.
    CsvHeader,
    HtmlTitle,
    GoalLine,
    HtmlSummary,
    HtmlFile,
    HtmlVerdict,
    HtmlFidelity,
    HtmlGates,
    HtmlMessage,
    HtmlDiagnostics,
    HintLine,
    NoHint,
    QubitsLine,
    RulesHeading,
    NoRules,
    RuleMinGates,
    RuleMaxGates,
    RuleRequired,
    RuleForbidden,
    TargetFromCircuit,
    TargetFromAmplitudes,
    UsageWorksheet,
    WorksheetNeedsOutput,
    WorksheetsNeedFolder,
    FolderNotMade,
};

constexpr int kCliTextCount = static_cast<int>(CliText::FolderNotMade) + 1;

/// The text in the language (English for 1, Italian otherwise); "[missing text]" for an id without a row.
QString cliText(CliText id, Language language);

} // namespace Fasoria::Cli
