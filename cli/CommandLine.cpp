#include "cli/CommandLine.h"

#include "cli/CliTexts.h"

#include "core/RandomGenerator.h"
#include "editor/AtomicSave.h"
#include "editor/CircuitFile.h"
#include "editor/PlainText.h"

#include <cstdio>
#include <limits>

namespace Fasoria::Cli {

CommandLine::CommandLine(const QStringList &words, const QStringList &options, Language language,
                         const QStringList &repeatable, const QStringList &twoValued)
    : m_language(language)
{
    bool optionsEnded = false;
    for (int i = 0; i < words.size(); ++i) {
        const QString &word = words[i];
        if (optionsEnded || !word.startsWith(QLatin1Char('-')) || word == QLatin1String("-")) {
            m_operands << word;
            continue;
        }
        if (word == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const int equals = word.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? word : word.left(equals);
        if (!options.contains(name)) {
            throw UsageError{cliText(CliText::UnknownOption, language).arg(shownWord(name))};
        }
        if (m_values.count(name) != 0 && !repeatable.contains(name)) {
            throw UsageError{cliText(CliText::OptionRepeated, language).arg(name)};
        }
        const int count = twoValued.contains(name) ? 2 : 1;
        QStringList given;
        if (equals >= 0) {
            given << word.mid(equals + 1);
        }
        while (given.size() < count && i + 1 < words.size()) {
            given << words[++i];
        }
        if (given.size() < count) {
            throw UsageError{
                cliText(count == 2 ? CliText::OptionNeedsTwoValues : CliText::OptionNeedsValue, language).arg(name)};
        }
        m_values[name] << given;
    }
}

std::optional<QString> CommandLine::value(const QString &option) const
{
    const auto found = m_values.find(option);
    if (found == m_values.end()) {
        return std::nullopt;
    }
    return found->second.front();
}

QString CommandLine::required(const QString &option) const
{
    const std::optional<QString> text = value(option);
    if (!text) {
        throw UsageError{cliText(CliText::MissingOption, m_language).arg(option)};
    }
    return *text;
}

QStringList CommandLine::values(const QString &option) const
{
    const auto found = m_values.find(option);
    return found == m_values.end() ? QStringList() : found->second;
}

std::vector<std::pair<QString, QString>> CommandLine::valuePairs(const QString &option) const
{
    // A two-valued option keeps its values one after the other in m_values.
    const QStringList flat = values(option);
    std::vector<std::pair<QString, QString>> pairs;
    for (int i = 0; i + 1 < flat.size(); i += 2) {
        pairs.emplace_back(flat[i], flat[i + 1]);
    }
    return pairs;
}

std::uint64_t CommandLine::seed() const
{
    const QString option = QStringLiteral("--seed");
    const std::optional<QString> text = value(option);
    if (!text) {
        return RandomGenerator::kDefaultSeed;
    }
    const std::optional<std::uint64_t> seed = parseUnsigned(*text);
    if (!seed) {
        throw UsageError{cliText(CliText::WholeNumber, m_language)
                             .arg(option)
                             .arg(0)
                             .arg(std::numeric_limits<std::uint64_t>::max())};
    }
    return *seed;
}

std::int64_t CommandLine::integer(const QString &option, std::int64_t low, std::int64_t high,
                                  std::int64_t fallback) const
{
    const std::optional<QString> text = value(option);
    if (!text) {
        return fallback;
    }
    const std::optional<std::int64_t> number = parseWholeNumber(*text, low, high);
    if (!number) {
        throw UsageError{cliText(CliText::WholeNumber, m_language).arg(option).arg(low).arg(high)};
    }
    return *number;
}

std::uint64_t CommandLine::lessonIndex(const QString &text, int first, int last) const
{
    const std::optional<std::int64_t> number = text.size() <= 2 ? parseWholeNumber(text, first, last) : std::nullopt;
    if (!number) {
        const auto twoDigits = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
        throw UsageError{cliText(CliText::LessonRange, m_language).arg(twoDigits(first), twoDigits(last))};
    }
    return static_cast<std::uint64_t>(*number - 1);
}

void CommandLine::expectAtMost(int count) const
{
    if (m_operands.size() > count) {
        throw UsageError{cliText(CliText::TooManyArguments, m_language).arg(shownWord(m_operands[count]))};
    }
}

std::optional<std::uint64_t> parseUnsigned(const QString &text)
{
    if (text.isEmpty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
        const auto digit = static_cast<std::uint64_t>(c.unicode() - u'0');
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return value;
}

std::optional<std::int64_t> parseWholeNumber(const QString &text, std::int64_t low, std::int64_t high)
{
    const bool negative = text.startsWith(QLatin1Char('-'));
    const std::optional<std::uint64_t> magnitude = parseUnsigned(negative ? text.mid(1) : text);
    // Every bound the commands use lies well inside ±2^62, so larger magnitudes are simply out of range.
    if (!magnitude || *magnitude > (std::uint64_t{1} << 62)) {
        return std::nullopt;
    }
    const std::int64_t value =
        negative ? -static_cast<std::int64_t>(*magnitude) : static_cast<std::int64_t>(*magnitude);
    if (value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

Circuit loadCircuitOrFail(const QString &path)
{
    Circuit circuit;
    QString error;
    if (!loadCircuitFile(path, circuit, &error)) {
        throw CommandError{shownPath(path) + QLatin1String(": ") + error};
    }
    return circuit;
}

bool isStandardOutput(const QString &path)
{
    return path == QLatin1String("-");
}

void writeResult(const QByteArray &bytes, const std::optional<QString> &path, Language language)
{
    if (path && !isStandardOutput(*path)) {
        QString error;
        if (!saveFileAtomically(*path, bytes, &error)) {
            throw CommandError{shownPath(*path) + QLatin1String(": ") + error};
        }
        return;
    }
    const std::size_t size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stdout) != size || std::fflush(stdout) != 0) {
        throw CommandError{cliText(CliText::StandardOutput, language)};
    }
}

QString shownPath(const QString &path)
{
    return escapedText(path);
}

QString shownWord(const QString &word)
{
    return shownName(word);
}

void printError(const QString &message)
{
    const QByteArray line = QByteArrayLiteral("fasoria-cli: ") + message.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
}

} // namespace Fasoria::Cli
