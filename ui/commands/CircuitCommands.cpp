#include "ui/commands/CircuitCommands.h"

#include "editor/CircuitEditor.h"
#include "ui/commands/FileCommands.h"
#include "ui/model/Experiment.h"
#include "ui/panels/EditorPanel.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/Prompts.h"

#include <stdexcept>

namespace Fasoria {

CircuitCommands::CircuitCommands(Experiment &experiment, EditorPanel *panel, FileCommands &files,
                                 const Prompts &prompts, QObject *parent)
    : QObject(parent), m_experiment(experiment), m_panel(panel), m_files(files), m_prompts(prompts)
{
    bind();
}

void CircuitCommands::bind()
{
    const auto onRequest = [this](void (EditorPanel::*signal)(), const std::function<void()> &command) {
        connect(m_panel, signal, this, [this, command] { m_prompts.guarded(command, m_language); });
    };
    onRequest(&EditorPanel::editCopyRequested, [this] { editCopy(); });
    onRequest(&EditorPanel::restoreOriginalRequested, [this] { m_files.restoreOriginal(); });
    onRequest(&EditorPanel::insertRequested, [this] { insertGateAfterStage(); });
    onRequest(&EditorPanel::replaceRequested, [this] { replaceSelectedGate(); });
    onRequest(&EditorPanel::removeRequested, [this] { removeSelectedGate(); });
    onRequest(&EditorPanel::applyQubitsRequested, [this] { applyQubitCount(); });
    connect(m_panel, &EditorPanel::moveRequested, this, [this](int direction) {
        m_prompts.guarded([this, direction] { moveSelectedGate(direction); }, m_language);
    });
}

void CircuitCommands::showEditorError(const std::exception &error, const QString &prefix)
{
    m_prompts.message(QMessageBox::Warning, uiText(TextKey::InvalidEditTitle, m_language),
                      prefix + QString::fromStdString(editorErrorText(error.what(), m_language)));
}

bool CircuitCommands::edit(EditAction action, std::uint64_t step, const std::function<void(CircuitEditor &)> &change)
{
    try {
        return m_experiment.applyEdit(action, step, change);
    } catch (const std::exception &error) {
        showEditorError(error);
        return false;
    }
}

void CircuitCommands::editCopy()
{
    if (m_experiment.workingCircuit()) {
        return;
    }
    QString error;
    if (!m_experiment.setWorkingCircuit(m_experiment.shownCircuit(), QString(), &error)) {
        showEditorError(std::invalid_argument(error.toStdString()));
        return;
    }
    // The copy equals the lesson, so it starts unmodified, at the stage the student was looking at.
    m_experiment.resetToStep(EditAction::WorkingCopyCreated, m_experiment.currentStep());
}

void CircuitCommands::insertGateAfterStage()
{
    const std::uint64_t stage = m_experiment.currentStep();
    const LessonStep step = m_panel->panelStep();
    edit(EditAction::GateInserted, stage + 1,
         [&](CircuitEditor &editor) { editor.insertGate(static_cast<std::size_t>(stage), step); });
}

void CircuitCommands::replaceSelectedGate()
{
    const std::uint64_t stage = m_experiment.currentStep();
    if (stage < 1) {
        return;
    }
    const LessonStep step = m_panel->panelStep();
    edit(EditAction::GateReplaced, stage,
         [&](CircuitEditor &editor) { editor.replaceGate(static_cast<std::size_t>(stage - 1), step); });
}

void CircuitCommands::removeSelectedGate()
{
    const std::uint64_t stage = m_experiment.currentStep();
    if (stage < 1) {
        return;
    }
    edit(EditAction::GateDeleted, stage - 1,
         [&](CircuitEditor &editor) { editor.eraseGate(static_cast<std::size_t>(stage - 1)); });
}

void CircuitCommands::moveSelectedGate(int direction)
{
    const std::uint64_t stage = m_experiment.currentStep();
    if (stage < 1) {
        return;
    }
    // The view follows the moved gate; a refused move never reaches the new stage, so it cannot be out of range.
    const EditAction action = direction < 0 ? EditAction::GateMovedLeft : EditAction::GateMovedRight;
    const std::uint64_t shown = direction < 0 ? stage - 1 : stage + 1;
    edit(action, shown,
         [&](CircuitEditor &editor) { editor.moveGate(static_cast<std::size_t>(stage - 1), direction); });
}

void CircuitCommands::applyQubitCount()
{
    const Circuit *working = m_experiment.workingCircuit();
    if (!working) {
        return;
    }
    const auto qubits = static_cast<std::uint32_t>(m_panel->qubitCount());
    try {
        m_experiment.applyEdit(EditAction::QubitCountUpdated, m_experiment.currentStep(),
                               [qubits](CircuitEditor &editor) { editor.setQubitCount(qubits); });
    } catch (const std::exception &error) {
        m_panel->setQubitCount(working->qubitCount);
        showEditorError(error, uiText(TextKey::QubitReductionError, m_language) + QLatin1Char('\n'));
    }
}

void CircuitCommands::checkChallengeSolution()
{
    try {
        m_experiment.checkChallengeSolution();
    } catch (const std::exception &error) {
        // The checker's own message, untranslated: it names what the engine refused.
        m_prompts.message(QMessageBox::Warning, uiText(TextKey::InvalidEditTitle, m_language),
                          QString::fromUtf8(error.what()));
    }
}

} // namespace Fasoria
