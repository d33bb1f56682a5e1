#pragma once

#include <QString>
#include <QStringList>

namespace Fasoria {

/// What the window program's command line asks for.
struct CommandLineOptions
{
    enum class Run
    {
        Window,
        SelfTest,
        Help,
        Version,
    };
    Run run = Run::Window;
    /// With SelfTest: the report directory, empty for the current one.
    QString selfTestDirectory;
    /// With Window: the file to open at start, empty for none.
    QString file;
};

/// Reads the words that follow the program name. Options count only before the first "--"; every word after
/// it is a file, whatever it looks like. "--help" and "--version" win over "--self-test" (the first of the
/// two when both are given); the word right after the first "--self-test" is its directory, not an option.
/// Without an option the file is the first non-empty word that follows "--" or, before it, does not start
/// with '-' (such a word is an option the toolkit did not take).
CommandLineOptions readCommandLine(const QStringList &words);

/// How many words of argv, the program name included, come before the first "--": the only ones the toolkit
/// may read, and remove its own options from.
int wordsBeforeSeparator(int argc, const char *const *argv);

/// The text "--help" prints, in English: the program has no language before its settings are read.
QString commandLineUsage();

/// The line "--version" prints, without its newline.
QString versionLine();

} // namespace Fasoria
