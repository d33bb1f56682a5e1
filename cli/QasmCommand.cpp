#include "cli/CliTexts.h"
#include "cli/Commands.h"

#include "editor/CircuitFile.h"
#include "editor/InputFile.h"
#include "editor/Qasm.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace Fasoria::Cli {

namespace {

std::string readQasmFile(const QString &path)
{
    QByteArray bytes;
    QString error;
    if (!readInputFile(path, static_cast<qint64>(kMaxQasmBytes), bytes, &error)) {
        throw CommandError{shownPath(path) + QLatin1String(": ") + error};
    }
    return bytes.toStdString();
}

QByteArray exportQasm(const QString &path)
{
    const Circuit circuit = loadCircuitOrFail(path);
    try {
        return QByteArray::fromStdString(writeQasm(circuit));
    } catch (const std::exception &error) {
        throw CommandError{shownPath(path) + QLatin1String(": ") + QString::fromUtf8(error.what())};
    }
}

QByteArray importQasm(const QString &path, Language language)
{
    Circuit circuit;
    std::vector<std::string> warnings;
    std::string error;
    if (!readQasm(readQasmFile(path), circuit, &warnings, &error)) {
        throw CommandError{shownPath(path) + QLatin1String(": ") + QString::fromStdString(error)};
    }
    for (const std::string &warning : warnings) {
        printError(shownPath(path) + QLatin1String(": ") + cliText(CliText::Warning, language) + QLatin1String(": ") +
                   QString::fromStdString(warning));
    }
    return serializeCircuit(circuit);
}

} // namespace

int convertQasm(const CommandLine &line)
{
    const Language language = line.language();
    const QStringList &operands = line.operands();
    const QString direction = operands.value(0);
    if (direction != QLatin1String("export") && direction != QLatin1String("import")) {
        throw UsageError{cliText(CliText::QasmDirection, language)};
    }
    if (operands.size() < 2) {
        throw UsageError{cliText(CliText::MissingFile, language)};
    }
    line.expectAtMost(2);
    const QString &path = operands[1];
    const QByteArray bytes = direction == QLatin1String("export") ? exportQasm(path) : importQasm(path, language);
    writeResult(bytes, line.value(QStringLiteral("-o")), language);
    return kExitSuccess;
}

} // namespace Fasoria::Cli
