#pragma once

#include "core/Circuit.h"
#include "core/Language.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace Fasoria::Cli {

constexpr int kExitSuccess = 0;
/// check: some submission is not solved; validate: the build failed some check.
constexpr int kExitNotSolved = 1;
/// Usage errors, unreadable files, refused input, failed writes.
constexpr int kExitFailure = 2;

/// A mistake in the command line: reported with the command's usage text.
struct UsageError
{
    QString message;
};

/// A file, parser or generator error: reported as it is.
struct CommandError
{
    QString message;
};

/// One command's words split into options and operands. An option is "--name value", "--name=value" or
/// "-o value"; one named two-valued takes the next two words ("--step-it 3 TEXT" or "--step-it=3 TEXT");
/// "--" makes every later word an operand. Only the options named at construction are known, and only those
/// also named repeatable may be given more than once: an unknown option, a repeated one that is not
/// repeatable, or one without all its values, is a UsageError.
/// The most preparations a command repeats (run, chart): enough for any classroom histogram while a run on
/// 8 qubits stays well under a second.
constexpr std::int64_t kMaxShots = 1000000;

class CommandLine
{
public:
    CommandLine(const QStringList &words, const QStringList &options, Language language,
                const QStringList &repeatable = {}, const QStringList &twoValued = {});

    /// The option's value, or for a repeatable option its first; nothing when absent.
    std::optional<QString> value(const QString &option) const;
    /// The option's value; a UsageError "missing OPTION" when absent.
    QString required(const QString &option) const;
    /// Every value of the option in the order given; empty when absent.
    QStringList values(const QString &option) const;
    /// Every (first, second) value of a two-valued option in the order given; empty when absent.
    std::vector<std::pair<QString, QString>> valuePairs(const QString &option) const;
    bool has(const QString &option) const { return m_values.count(option) != 0; }
    const QStringList &operands() const { return m_operands; }
    Language language() const { return m_language; }

    /// The option as a whole number in low..high; fallback when absent; a UsageError otherwise.
    std::int64_t integer(const QString &option, std::int64_t low, std::int64_t high, std::int64_t fallback) const;
    /// --seed as any 64-bit whole number; the generator's own default seed when absent; a UsageError otherwise.
    std::uint64_t seed() const;
    /// A catalog lesson number written "5" or "05", within first..last; returns the zero-based index.
    std::uint64_t lessonIndex(const QString &text, int first, int last) const;
    /// A UsageError when more than `count` operands were given.
    void expectAtMost(int count) const;

private:
    std::map<QString, QStringList> m_values;
    QStringList m_operands;
    Language m_language;
};

/// A whole number written in decimal with an optional minus sign, within low..high.
std::optional<std::int64_t> parseWholeNumber(const QString &text, std::int64_t low, std::int64_t high);

/// A whole number written in decimal digits only, up to 2^64 − 1.
std::optional<std::uint64_t> parseUnsigned(const QString &text);

/// Reads a circuit file; a CommandError "PATH: message" (the reader's own message) when it is refused.
Circuit loadCircuitOrFail(const QString &path);

/// The output path that stands for standard output ("-o -").
bool isStandardOutput(const QString &path);

/// Writes the bytes to the file atomically, or to standard output without a path or for "-"; a
/// CommandError naming the file when that fails.
void writeResult(const QByteArray &bytes, const std::optional<QString> &path, Language language);

/// A file name as the terminal may show it: control characters (tab, line feed, carriage return, ESC and
/// the rest of C0 and C1, DEL) and the bidirectional controls are written as escapes (\t, \n, \r, \e,
/// \xHH, \u{HHHH}), and a backslash as \\, so a name can neither fake a line of the listing nor move the
/// cursor or reorder the text around it.
QString shownPath(const QString &path);

/// A word from the command line echoed in a message: escaped as shownPath and cut to 64 characters with
/// "..." after them.
QString shownWord(const QString &word);

/// One line on standard error, after the program's name.
void printError(const QString &message);

} // namespace Fasoria::Cli
