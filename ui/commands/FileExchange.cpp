// Circuits in and out beyond the circuit file: OpenQASM 2.0, pictures of the drawing and of the probability
// chart, and the results document.
#include "fasoria/Version.h"

#include "editor/AtomicSave.h"
#include "editor/InputFile.h"
#include "editor/Qasm.h"
#include "editor/ResultsExport.h"
#include "ui/commands/FileCommands.h"
#include "ui/model/ChartModel.h"
#include "ui/model/Experiment.h"
#include "ui/model/ExperimentExport.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/ChartPicture.h"
#include "ui/views/CircuitPicture.h"
#include "ui/widgets/Prompts.h"

#include <QDateTime>
#include <QDir>
#include <QStringList>

#include <exception>
#include <string>
#include <vector>

namespace Fasoria {

namespace {

const char *const kQasmFilter = "OpenQASM 2.0 (*.qasm);;All files (*)";
const char *const kQasmProposedName = "Fasoria.qasm";
const char *const kPictureProposedName = "Fasoria_circuit.svg";
const char *const kChartProposedName = "Fasoria_chart.svg";
constexpr TextPair kExportChartTitle = {"Esporta grafico delle probabilità", "Export probability chart"};
constexpr TextPair kExportTitle = {"Esporta risultati", "Export results"};
const char *const kExportProposedName = "Fasoria_results.json";
const char *const kExportFilter = "JSON (*.json)";

QString qasmFileName(const QString &chosen)
{
    return chosen.endsWith(QLatin1String(".qasm"), Qt::CaseInsensitive) ? chosen : chosen + QLatin1String(".qasm");
}

} // namespace

void FileCommands::importQasm()
{
    if (!confirmDiscard()) {
        return;
    }
    const QString path = m_prompts.fileName(FileDialogMode::Open, uiText(MoreText::ImportQasmTitle, m_language),
                                            QString(), QString::fromLatin1(kQasmFilter));
    if (!path.isEmpty()) {
        importQasmFile(path);
    }
}

bool FileCommands::importQasmFile(const QString &path)
{
    QByteArray bytes;
    QString error;
    Circuit circuit;
    std::vector<std::string> warnings;
    std::string refusal;
    if (!readInputFile(path, static_cast<qint64>(kMaxQasmBytes), bytes, &error)) {
        refusal = error.toStdString();
    } else if (!readQasm(bytes.toStdString(), circuit, &warnings, &refusal)) {
        warnings.clear();
    }
    const QString title = uiText(MoreText::ImportQasmTitle, m_language);
    if (!refusal.empty()) {
        m_prompts.message(QMessageBox::Warning, title,
                          uiText(MoreText::QasmRefused, m_language).arg(QString::fromStdString(refusal)));
        return false;
    }
    if (!warnings.empty()) {
        QStringList lines;
        for (const std::string &warning : warnings) {
            lines << QString::fromStdString(warning);
        }
        const QMessageBox::StandardButton answer =
            m_prompts.message(QMessageBox::Information, title,
                              uiText(MoreText::QasmSkipped, m_language).arg(lines.join(QLatin1Char('\n'))),
                              QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
        if (answer != QMessageBox::Ok) {
            return false;
        }
    }
    if (!replaceWorkingCircuit(circuit)) {
        return false;
    }
    // The circuit exists in no circuit file yet.
    markNeverSaved();
    return true;
}

void FileCommands::exportQasm()
{
    const QString path =
        m_prompts.saveFileName(uiText(MoreText::ExportQasmTitle, m_language), QString::fromLatin1(kQasmProposedName),
                               QString::fromLatin1(kQasmFilter), qasmFileName, m_language);
    if (!path.isEmpty()) {
        exportQasmTo(path);
    }
}

bool FileCommands::exportQasmTo(const QString &path)
{
    QString error;
    try {
        const std::string text = writeQasm(m_experiment.shownCircuit());
        if (saveFileAtomically(path, QByteArray::fromStdString(text), &error)) {
            emit statusMessage(QDir::toNativeSeparators(path));
            return true;
        }
    } catch (const std::exception &refusal) {
        error = QString::fromUtf8(refusal.what());
    }
    m_prompts.message(QMessageBox::Warning, uiText(MoreText::ExportQasmTitle, m_language),
                      uiText(MoreText::ExportFailed, m_language).arg(error));
    return false;
}

QString FileCommands::askPictureName(const QString &title, const char *proposed, const QString &filter,
                                     PictureFormat *format)
{
    QString selectedFilter;
    const QString chosen =
        m_prompts.fileName(FileDialogMode::Save, title, QString::fromLatin1(proposed), filter, &selectedFilter);
    if (chosen.isEmpty()) {
        return QString();
    }
    *format = pictureFormat(chosen, selectedFilter);
    const QString path = pictureFileName(chosen, *format);
    return m_prompts.confirmAppendedName(chosen, path, m_language) ? path : QString();
}

void FileCommands::exportCircuitPicture()
{
    PictureFormat format = PictureFormat::Svg;
    const QString path = askPictureName(uiText(MoreText::ExportPictureTitle, m_language), kPictureProposedName,
                                        pictureFilter(), &format);
    if (!path.isEmpty()) {
        exportCircuitPictureTo(path, format);
    }
}

bool FileCommands::exportCircuitPictureTo(const QString &path, PictureFormat format)
{
    CircuitPictureRequest request;
    request.circuit = m_experiment.shownCircuit();
    request.stage = m_experiment.currentStep();
    request.measured = m_experiment.isMeasured();
    request.language = m_language;
    request.isWorkingCircuit = m_experiment.workingCircuit() != nullptr;
    QString error;
    if (!saveCircuitPicture(path, format, request, &error)) {
        m_prompts.message(QMessageBox::Warning, uiText(MoreText::ExportPictureTitle, m_language),
                          uiText(MoreText::ExportFailed, m_language).arg(error));
        return false;
    }
    emit statusMessage(QDir::toNativeSeparators(path));
    return true;
}

void FileCommands::exportChartPicture(bool nonZeroOnly)
{
    if (!m_experiment.state()) {
        return;
    }
    PictureFormat format = PictureFormat::Svg;
    const QString path =
        askPictureName(uiText(kExportChartTitle, m_language), kChartProposedName, chartPictureFilter(), &format);
    if (!path.isEmpty()) {
        exportChartPictureTo(path, format, nonZeroOnly);
    }
}

bool FileCommands::exportChartPictureTo(const QString &path, PictureFormat format, bool nonZeroOnly)
{
    QString error;
    try {
        if (m_experiment.state() &&
            saveChartPicture(path, format, chartData(m_experiment, nonZeroOnly), m_language, &error)) {
            emit statusMessage(QDir::toNativeSeparators(path));
            return true;
        }
    } catch (const std::exception &refusal) {
        error = QString::fromUtf8(refusal.what());
    }
    m_prompts.message(QMessageBox::Warning, uiText(kExportChartTitle, m_language),
                      uiText(MoreText::ExportFailed, m_language).arg(error));
    return false;
}

void FileCommands::exportResults()
{
    if (!m_experiment.state()) {
        return;
    }
    const QString path =
        m_prompts.saveFileName(uiText(kExportTitle, m_language), QString::fromLatin1(kExportProposedName),
                               QString::fromLatin1(kExportFilter), resultsFileName, m_language);
    if (path.isEmpty()) {
        return;
    }
    const QByteArray document = buildResultsDocument(
        resultsInput(m_experiment, QDateTime::currentDateTimeUtc(), QString::fromLatin1(kApplicationVersion)));
    QString error;
    if (!saveFileAtomically(path, document, &error)) {
        m_prompts.message(QMessageBox::Warning, uiText(TextKey::SaveErrorTitle, m_language), error);
        return;
    }
    emit statusMessage(uiText(TextKey::ExportDone, m_language).arg(QDir::toNativeSeparators(path)));
}

} // namespace Fasoria
