// Commands on the working circuit: new, open, save, edit a copy, restore the lesson, and the guard that keeps
// unsaved work from being replaced without asking.
#include "core/Circuit.h"
#include "editor/CircuitEditor.h"
#include "editor/CircuitFile.h"
#include "ui/MainWindow.h"
#include "ui/TextCatalog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

using namespace Fasoria;

namespace {

// Texts of a new circuit; they live for the whole run, as every circuit's texts must.
const char *const kNewTitleIt = "Nuovo circuito";
const char *const kNewTitleEn = "New circuit";
const char *const kNewQuestionIt = "Esperimento libero: prepara un circuito e verifica la tua previsione.";
const char *const kNewQuestionEn = "Free experiment: build a circuit and test your prediction.";
const char *const kNewExplanationIt = "Circuito completato.";
const char *const kNewExplanationEn = "Circuit complete.";
constexpr std::int32_t kNewQubits = 2;

const char *const kOpenTitleIt = "Apri circuito";
const char *const kOpenTitleEn = "Open circuit";
const char *const kOpenFilter = "Fasoria circuit (*.fsor.json *.json);;All files (*)";
const char *const kSaveTitleIt = "Salva circuito";
const char *const kSaveTitleEn = "Save circuit";
const char *const kSaveFilter = "Fasoria circuit (*.fsor.json);;JSON (*.json)";
const char *const kProposedName = "Fasoria.fsor.json";

} // namespace

QString MainWindow::askFileName(FileDialogMode mode, const QString &title, const QString &proposed,
                                const QString &filter)
{
    if (m_fileDialogHandler) {
        return m_fileDialogHandler(this, mode, title, proposed, filter);
    }
    if (mode == FileDialogMode::Open) {
        return QFileDialog::getOpenFileName(this, title, proposed, filter);
    }
    return QFileDialog::getSaveFileName(this, title, proposed, filter);
}

bool MainWindow::confirmDiscard()
{
    if (!m_experiment.isCircuitModified()) {
        return true;
    }
    const QMessageBox::StandardButton answer =
        showMessage(QMessageBox::Question, uiText(TextKey::ModifiedTitle, m_language),
                    uiText(TextKey::ModifiedQuestion, m_language),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Discard) {
        return true;
    }
    // Closing the question box any other way than with a button counts as Cancel.
    return answer == QMessageBox::Save && saveCircuit(false);
}

void MainWindow::newCircuit()
{
    if (!confirmDiscard()) {
        return;
    }
    const Circuit circuit{kNewTitleIt,       kNewTitleEn,       kNewQuestionIt, kNewQuestionEn,
                          kNewExplanationIt, kNewExplanationEn, kNewQubits,     {}};
    if (replaceWorkingCircuit(circuit)) {
        // A new circuit exists nowhere else yet: it is unsaved until the first save.
        m_experiment.markNeverSaved();
        refreshTitle();
    }
}

void MainWindow::openCircuit()
{
    if (!confirmDiscard()) {
        return;
    }
    const QString path =
        askFileName(FileDialogMode::Open, QString::fromUtf8(pick(m_language, kOpenTitleIt, kOpenTitleEn)), QString(),
                    QString::fromLatin1(kOpenFilter));
    if (!path.isEmpty()) {
        openCircuitFile(path);
    }
}

bool MainWindow::openCircuitFile(const QString &path)
{
    // The file is read and checked completely before anything in the window changes.
    Circuit circuit;
    QString error;
    if (!loadCircuitFile(path, circuit, &error)) {
        showMessage(QMessageBox::Warning, uiText(TextKey::OpenErrorTitle, m_language), error);
        return false;
    }
    return replaceWorkingCircuit(circuit, path);
}

bool MainWindow::saveCircuit(bool asNew)
{
    if (!m_experiment.workingCircuit()) {
        return false;
    }
    const QString path = m_experiment.circuitPath();
    if (!asNew && !path.isEmpty()) {
        return writeCircuitFile(path);
    }
    const QString name =
        askFileName(FileDialogMode::Save, QString::fromUtf8(pick(m_language, kSaveTitleIt, kSaveTitleEn)),
                    path.isEmpty() ? QString::fromLatin1(kProposedName) : path, QString::fromLatin1(kSaveFilter));
    return !name.isEmpty() && saveCircuitAs(name);
}

bool MainWindow::saveCircuitAs(const QString &name)
{
    if (!m_experiment.workingCircuit() || name.isEmpty()) {
        return false;
    }
    const QString path = circuitFileName(name);
    return confirmAppendedName(name, path) && writeCircuitFile(path);
}

bool MainWindow::confirmAppendedName(const QString &chosen, const QString &path)
{
    // The file dialog asked about replacing the name the user typed, not the one with the ending added.
    if (path == chosen || !QFileInfo::exists(path)) {
        return true;
    }
    return showMessage(QMessageBox::Question, uiText(MoreText::ReplaceTitle, m_language),
                       uiText(MoreText::ReplaceQuestion, m_language).arg(QDir::toNativeSeparators(path)),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool MainWindow::writeCircuitFile(const QString &path)
{
    const Circuit &circuit = *m_experiment.workingCircuit();
    QString error;
    if (!saveCircuitFile(path, circuit, &error)) {
        showMessage(QMessageBox::Warning, uiText(TextKey::SaveErrorTitle, m_language), error);
        return false;
    }
    m_experiment.markSaved(path, serializeCircuit(circuit));
    refreshTitle();
    return true;
}

void MainWindow::editCopy()
{
    if (m_experiment.workingCircuit() || !hasLesson()) {
        return;
    }
    QString error;
    if (!m_experiment.setWorkingCircuit(m_experiment.shownCircuit(), QString(), &error)) {
        showMessage(QMessageBox::Warning, uiText(TextKey::InvalidEditTitle, m_language),
                    QString::fromStdString(editorErrorText(error.toStdString(), m_language)));
        return;
    }
    // The copy equals the lesson, so it starts unmodified, at the stage the student was looking at.
    resetToStep(EditAction::WorkingCopyCreated, m_experiment.currentStep());
}

void MainWindow::restoreOriginal()
{
    if (!m_experiment.workingCircuit() || !confirmDiscard()) {
        return;
    }
    startLearningSession();
    clearUndoHistories();
    // Choosing the same lesson again drops the working circuit, the generated algorithm, the file, the hints and
    // the notebook, and gives a challenge lesson a fresh empty answer.
    m_experiment.chooseLesson(m_experiment.lessonIndex());
    refreshGeneratorControls();
    refreshTitle();
    restartExperiment();
    m_experiment.appendLog(LogEventKind::Editor, static_cast<std::uint64_t>(EditAction::OriginalRestored), 0);
    refreshEditorControls();
}

void MainWindow::showEditorError(const std::exception &error, const QString &prefix)
{
    showMessage(QMessageBox::Warning, uiText(TextKey::InvalidEditTitle, m_language),
                prefix + QString::fromStdString(editorErrorText(error.what(), m_language)));
}
