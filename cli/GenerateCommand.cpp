#include "cli/CliTexts.h"
#include "cli/Commands.h"

#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitFile.h"

#include <limits>
#include <stdexcept>

namespace Fasoria::Cli {

namespace {

struct AlgorithmForm
{
    const char *word;
    AlgorithmKind kind;
    /// The parameter options the kind reads; the others are refused rather than silently ignored.
    QStringList options;
};

const QVector<AlgorithmForm> &algorithmForms()
{
    static const QVector<AlgorithmForm> forms = {
        {"deutsch", AlgorithmKind::Deutsch, {QStringLiteral("--function")}},
        {"bv", AlgorithmKind::BernsteinVazirani, {QStringLiteral("--qubits"), QStringLiteral("--secret")}},
        {"grover",
         AlgorithmKind::Grover,
         {QStringLiteral("--qubits"), QStringLiteral("--marked"), QStringLiteral("--iterations")}},
    };
    return forms;
}

const AlgorithmForm &chooseForm(const CommandLine &line)
{
    if (line.operands().isEmpty()) {
        throw UsageError{cliText(CliText::MissingAlgorithm, line.language())};
    }
    const QString &word = line.operands().front();
    for (const AlgorithmForm &form : algorithmForms()) {
        if (word == QLatin1String(form.word)) {
            for (const QString &option :
                 QStringList{QStringLiteral("--qubits"), QStringLiteral("--marked"), QStringLiteral("--iterations"),
                             QStringLiteral("--secret"), QStringLiteral("--function")}) {
                if (line.has(option) && !form.options.contains(option)) {
                    throw UsageError{cliText(CliText::OptionDoesNotApply, line.language()).arg(option, word)};
                }
            }
            return form;
        }
    }
    throw UsageError{cliText(CliText::UnknownAlgorithm, line.language()).arg(shownWord(word))};
}

// Any 32-bit value is passed on: the generator itself decides what is in range and says so.
std::int32_t parameter(const CommandLine &line, const char *option, std::int32_t fallback)
{
    return static_cast<std::int32_t>(line.integer(QLatin1String(option), std::numeric_limits<std::int32_t>::min(),
                                                  std::numeric_limits<std::int32_t>::max(), fallback));
}

} // namespace

int generateCircuit(const CommandLine &line)
{
    line.expectAtMost(1);
    const AlgorithmForm &form = chooseForm(line);
    AlgorithmParameters parameters;
    parameters.kind = form.kind;
    parameters.qubits = parameter(line, "--qubits", parameters.qubits);
    parameters.groverTarget = parameter(line, "--marked", parameters.groverTarget);
    parameters.groverIterations = parameter(line, "--iterations", parameters.groverIterations);
    parameters.bvSecret = parameter(line, "--secret", parameters.bvSecret);
    parameters.deutschFunction = parameter(line, "--function", parameters.deutschFunction);
    QByteArray bytes;
    try {
        bytes = serializeCircuit(generateAlgorithm(parameters).circuit);
    } catch (const std::invalid_argument &error) {
        throw CommandError{QString::fromUtf8(error.what())};
    }
    writeResult(bytes, line.value(QStringLiteral("-o")), line.language());
    return kExitSuccess;
}

int writeLesson(const CommandLine &line)
{
    line.expectAtMost(1);
    if (line.operands().isEmpty()) {
        throw UsageError{
            cliText(CliText::LessonRange, line.language()).arg(QStringLiteral("01"), QStringLiteral("21"))};
    }
    const LessonCatalog &catalog = lessonCatalog();
    const std::uint64_t index = line.lessonIndex(line.operands().front(), 1, static_cast<int>(catalog.size()));
    writeResult(serializeCircuit(catalog[index]), line.value(QStringLiteral("-o")), line.language());
    return kExitSuccess;
}

} // namespace Fasoria::Cli
