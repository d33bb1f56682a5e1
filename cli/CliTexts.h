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
    FileOrLesson,
    MissingFile,
    TooManyArguments,
    SeedNeedsShots,
    OptionNotForAlgorithm,
    UnknownAlgorithm,
    MissingAlgorithm,
    SameGradebookFile,
    GradebookIsInput,
    GradebookToStandardOutput,
    MissingFiles,
    QasmDirection,
    LanguageValue,
    StandardOutput,
    Warning,
    VerdictSolved,
    VerdictNotSolved,
    VerdictUnreadable,
    DiagnosticsPrefix,
    CsvHeader,
    HtmlTitle,
    HtmlGoal,
    HtmlSummary,
    HtmlFile,
    HtmlVerdict,
    HtmlFidelity,
    HtmlGates,
    HtmlMessage,
    HtmlDiagnostics,
};

constexpr int kCliTextCount = static_cast<int>(CliText::HtmlDiagnostics) + 1;

/// The text in the language (English for 1, Italian otherwise); "[missing text]" for an id without a row.
QString cliText(CliText id, Language language);

} // namespace Fasoria::Cli
