// The editor panel: its edits go through the checked editor, and its controls follow the working circuit and
// the selected stage (stage k shows the state after k steps; the selected gate is step k − 1).
#include "core/GateText.h"
#include "editor/CircuitEditor.h"
#include "ui/MainWindow.h"
#include "ui/TextCatalog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cmath>

using namespace Fasoria;

LessonStep MainWindow::panelStep() const
{
    const double angle = m_angleSpin->value() * std::acos(-1.0) / 180.0;
    return LessonStep(static_cast<GateKind>(m_gateCombo->currentIndex()), m_targetSpin->value(), m_controlSpin->value(),
                      angle);
}

bool MainWindow::applyEdit(EditAction action, std::uint64_t step, const std::function<void(CircuitEditor &)> &edit)
{
    try {
        if (!m_experiment.editWorkingCircuit(edit)) {
            return false;
        }
    } catch (const std::exception &error) {
        showEditorError(error);
        return false;
    }
    refreshGeneratorControls();
    resetToStep(action, step);
    return true;
}

void MainWindow::insertGateAfterStage()
{
    const std::uint64_t stage = m_experiment.currentStep();
    const LessonStep step = panelStep();
    applyEdit(EditAction::GateInserted, stage + 1,
              [&](CircuitEditor &editor) { editor.insertGate(static_cast<std::size_t>(stage), step); });
}

void MainWindow::replaceSelectedGate()
{
    const std::uint64_t stage = m_experiment.currentStep();
    if (stage < 1) {
        return;
    }
    const LessonStep step = panelStep();
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
    const auto qubits = static_cast<std::uint32_t>(m_editQubitSpin->value());
    try {
        m_experiment.editWorkingCircuit([qubits](CircuitEditor &editor) { editor.setQubitCount(qubits); });
    } catch (const std::exception &error) {
        {
            const QSignalBlocker blocker(m_editQubitSpin);
            m_editQubitSpin->setValue(working->qubitCount);
        }
        showEditorError(error, uiText(TextKey::QubitReductionError, m_language) + QLatin1Char('\n'));
        return;
    }
    refreshGeneratorControls();
    resetToStep(EditAction::QubitCountUpdated, m_experiment.currentStep());
}

void MainWindow::refreshEditorControls()
{
    const Circuit *working = m_experiment.workingCircuit();
    const bool editing = working != nullptr;
    const auto kind = static_cast<GateKind>(m_gateCombo->currentIndex());
    const std::uint64_t stage = m_experiment.currentStep();
    const std::uint64_t steps = editing ? working->steps.size() : 0;
    const bool gateSelected = editing && stage >= 1 && stage <= steps;

    m_editCopyButton->setEnabled(!editing);
    for (QWidget *control : std::initializer_list<QWidget *>{m_restoreOriginalButton, m_editQubitSpin,
                                                             m_applyQubitsButton, m_gateCombo, m_targetSpin}) {
        control->setEnabled(editing);
    }
    m_controlSpin->setEnabled(editing && kind == GateKind::Cnot);
    m_angleSpin->setEnabled(editing && kind == GateKind::P);
    m_insertButton->setEnabled(editing && steps < CircuitEditor::kMaxSteps);
    m_replaceButton->setEnabled(gateSelected);
    m_removeButton->setEnabled(gateSelected);
    m_moveLeftButton->setEnabled(gateSelected && stage > 1);
    m_moveRightButton->setEnabled(gateSelected && stage < steps);
    if (editing) {
        for (QSpinBox *qubit : {m_targetSpin, m_controlSpin}) {
            const QSignalBlocker blocker(qubit);
            qubit->setRange(0, working->qubitCount - 1);
        }
    }
    m_editorHint->setText(uiText(editing ? TextKey::EditorHintEditing : TextKey::EditorHintProtected, m_language));
}

void MainWindow::syncEditorToSelection()
{
    const Circuit *working = m_experiment.workingCircuit();
    const std::uint64_t stage = m_experiment.currentStep();
    if (!working || stage < 1 || stage > working->steps.size()) {
        return;
    }
    const Gate &gate = working->steps[static_cast<std::size_t>(stage - 1)].gate;
    {
        const QSignalBlocker blocker(m_gateCombo);
        m_gateCombo->setCurrentIndex(static_cast<int>(gate.kind));
    }
    const QSignalBlocker targetBlocker(m_targetSpin);
    const QSignalBlocker controlBlocker(m_controlSpin);
    const QSignalBlocker angleBlocker(m_angleSpin);
    m_targetSpin->setValue(gate.target);
    m_controlSpin->setValue(gate.control);
    m_angleSpin->setValue(radiansToDegrees(gate.angle));
    refreshEditorControls();
}
