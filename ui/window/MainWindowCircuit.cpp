// Commands on the working circuit: new, open, save, edit a copy, restore the lesson, the editor panel's
// edits, and the guard that keeps unsaved work from being replaced without asking.
#include "core/Circuit.h"
#include "editor/CircuitEditor.h"
#include "editor/CircuitFile.h"
#include "education/history/EditHistory.h"
#include "ui/panels/EditorPanel.h"
#include "ui/texts/TextCatalog.h"
#include "ui/window/MainWindow.h"

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

bool MainWindow::confirmDiscard()
{
    refreshSessionMarks();
    if (!m_experiment.document().hasUnsavedWork()) {
        return true;
    }
    const QMessageBox::StandardButton answer =
        showMessage(QMessageBox::Question, uiText(TextKey::ModifiedTitle, m_language),
                    uiText(TextKey::ModifiedQuestion, m_language),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Discard) {
        return true;
    }
    if (answer != QMessageBox::Save) {
        // Closing the question box any other way than with a button counts as Cancel.
        return false;
    }
    // A session that changed or already has its file is saved there, without asking for a name again.
    const SessionMarks &session = m_experiment.document().session();
    if (session.dirty || !session.path.isEmpty()) {
        return saveLearningSession(QString());
    }
    return saveCircuit(false);
}

bool MainWindow::replaceWorkingCircuit(const Circuit &circuit, const QString &path)
{
    QString error;
    if (!m_experiment.setWorkingCircuit(circuit, path, &error)) {
        showMessage(QMessageBox::Warning, uiText(TextKey::InvalidEditTitle, m_language),
                    QString::fromStdString(editorErrorText(error.toStdString(), m_language)));
        return false;
    }
    startLearningSession();
    resetToStep(EditAction::WorkingCopyCreated, 0);
    return true;
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
        m_experiment.document().markNeverSaved();
        refreshTitle();
    }
}

void MainWindow::openCircuit()
{
    if (!confirmDiscard()) {
        return;
    }
    const QString path = m_prompts.fileName(FileDialogMode::Open, uiText({kOpenTitleIt, kOpenTitleEn}, m_language),
                                            QString(), QString::fromLatin1(kOpenFilter));
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
    const QString path = m_experiment.document().path();
    if (!asNew && !path.isEmpty()) {
        return writeCircuitFile(path);
    }
    const QString name = m_prompts.fileName(FileDialogMode::Save, uiText({kSaveTitleIt, kSaveTitleEn}, m_language),
                                            path.isEmpty() ? QString::fromLatin1(kProposedName) : path,
                                            QString::fromLatin1(kSaveFilter));
    return !name.isEmpty() && saveCircuitAs(name);
}

bool MainWindow::saveCircuitAs(const QString &name)
{
    if (!m_experiment.workingCircuit() || name.isEmpty()) {
        return false;
    }
    const QString path = circuitFileName(name);
    return m_prompts.confirmAppendedName(name, path, m_language) && writeCircuitFile(path);
}

bool MainWindow::writeCircuitFile(const QString &path)
{
    const Circuit &circuit = *m_experiment.workingCircuit();
    QString error;
    if (!saveCircuitFile(path, circuit, &error)) {
        showMessage(QMessageBox::Warning, uiText(TextKey::SaveErrorTitle, m_language), error);
        return false;
    }
    m_experiment.document().markSaved(path, serializeCircuit(circuit));
    refreshTitle();
    return true;
}

void MainWindow::editCopy()
{
    if (m_experiment.workingCircuit()) {
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
    m_experiment.restoreLesson();
}

void MainWindow::showEditorError(const std::exception &error, const QString &prefix)
{
    showMessage(QMessageBox::Warning, uiText(TextKey::InvalidEditTitle, m_language),
                prefix + QString::fromStdString(editorErrorText(error.what(), m_language)));
}

bool MainWindow::applyEdit(EditAction action, std::uint64_t step, const std::function<void(CircuitEditor &)> &edit)
{
    try {
        return m_experiment.applyEdit(action, step, edit);
    } catch (const std::exception &error) {
        showEditorError(error);
        return false;
    }
}

void MainWindow::insertGateAfterStage()
{
    const std::uint64_t stage = m_experiment.currentStep();
    const LessonStep step = m_editorPanel->panelStep();
    applyEdit(EditAction::GateInserted, stage + 1,
              [&](CircuitEditor &editor) { editor.insertGate(static_cast<std::size_t>(stage), step); });
}

void MainWindow::replaceSelectedGate()
{
    const std::uint64_t stage = m_experiment.currentStep();
    if (stage < 1) {
        return;
    }
    const LessonStep step = m_editorPanel->panelStep();
    applyEdit(EditAction::GateReplaced, stage,
              [&](CircuitEditor &editor) { editor.replaceGate(static_cast<std::size_t>(stage - 1), step); });
}

void MainWindow::removeSelectedGate()
{
    const std::uint64_t stage = m_experiment.currentStep();
    if (stage < 1) {
        return;
    }
    applyEdit(EditAction::GateDeleted, stage - 1,
              [&](CircuitEditor &editor) { editor.eraseGate(static_cast<std::size_t>(stage - 1)); });
}

void MainWindow::moveSelectedGate(int direction)
{
    const std::uint64_t stage = m_experiment.currentStep();
    if (stage < 1) {
        return;
    }
    // The view follows the moved gate; a refused move never reaches the new stage, so it cannot be out of range.
    const EditAction action = direction < 0 ? EditAction::GateMovedLeft : EditAction::GateMovedRight;
    const std::uint64_t shown = direction < 0 ? stage - 1 : stage + 1;
    applyEdit(action, shown,
              [&](CircuitEditor &editor) { editor.moveGate(static_cast<std::size_t>(stage - 1), direction); });
}

void MainWindow::applyQubitCount()
{
    const Circuit *working = m_experiment.workingCircuit();
    if (!working) {
        return;
    }
    const auto qubits = static_cast<std::uint32_t>(m_editorPanel->qubitCount());
    try {
        m_experiment.applyEdit(EditAction::QubitCountUpdated, m_experiment.currentStep(),
                               [qubits](CircuitEditor &editor) { editor.setQubitCount(qubits); });
    } catch (const std::exception &error) {
        m_editorPanel->setQubitCount(working->qubitCount);
        showEditorError(error, uiText(TextKey::QubitReductionError, m_language) + QLatin1Char('\n'));
    }
}
