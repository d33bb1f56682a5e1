// The operations behind the algorithm lab and the challenge panel, and the results export.
#include "fasoria/Version.h"

#include "editor/AtomicSave.h"
#include "editor/CircuitEditor.h"
#include "editor/ResultsExport.h"
#include "ui/model/ExperimentExport.h"
#include "ui/panels/AlgorithmLabPanel.h"
#include "ui/panels/ChallengePanel.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/CircuitView.h"
#include "ui/window/MainWindow.h"

#include <QDateTime>
#include <QDir>
#include <QStatusBar>

#include <exception>

using namespace Fasoria;

namespace {

constexpr TextPair kExportTitle = {"Esporta risultati", "Export results"};
const char *const kExportProposedName = "Fasoria_results.json";
const char *const kExportFilter = "JSON (*.json)";
constexpr int kStatusMessageMs = 8000;

} // namespace

void MainWindow::createAlgorithmCircuit()
{
    GeneratedAlgorithm generated;
    try {
        generated = generateAlgorithm(m_algorithmLab->parameters());
    } catch (const std::exception &error) {
        showEditorError(error);
        return;
    }
    if (!confirmDiscard()) {
        return;
    }
    QString error;
    if (!m_experiment.setWorkingCircuit(generated.circuit, QString(), &error)) {
        showMessage(QMessageBox::Warning, uiText(TextKey::InvalidEditTitle, m_language),
                    QString::fromStdString(editorErrorText(error.toStdString(), m_language)));
        return;
    }
    m_experiment.attachAlgorithm(generated);
    startLearningSession();
    resetToStep(EditAction::WorkingCopyCreated, 0);
}

void MainWindow::goToAlgorithmStage(std::uint64_t stage)
{
    if (stage > m_experiment.stepCount()) {
        return;
    }
    goToStep(stage);
    m_circuitView->focusStage(stage);
}

void MainWindow::runCompleteCircuit()
{
    goToAlgorithmStage(m_experiment.stepCount());
}

void MainWindow::checkChallengeSolution()
{
    try {
        if (!m_experiment.checkChallengeSolution()) {
            return;
        }
    } catch (const std::exception &error) {
        // The checker's own message, untranslated: it names what the engine refused.
        showMessage(QMessageBox::Warning, uiText(TextKey::InvalidEditTitle, m_language),
                    QString::fromUtf8(error.what()));
    }
}

void MainWindow::showNextHint()
{
    m_experiment.showNextHint();
}

void MainWindow::exportResults()
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
        showMessage(QMessageBox::Warning, uiText(TextKey::SaveErrorTitle, m_language), error);
        return;
    }
    statusBar()->showMessage(uiText(TextKey::ExportDone, m_language).arg(QDir::toNativeSeparators(path)),
                             kStatusMessageMs);
}
