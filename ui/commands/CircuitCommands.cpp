#include "ui/commands/CircuitCommands.h"

#include "editor/CircuitEditor.h"
#include "ui/commands/FileCommands.h"
#include "ui/model/Experiment.h"
#include "ui/panels/EditorPanel.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/Prompts.h"

#include <cmath>
#include <stdexcept>

namespace Fasoria {

namespace {

constexpr TextPair kAngleTitle = {"Angolo della porta P", "Angle of the P gate"};
constexpr TextPair kAngleLabel = {"Angolo in gradi del passo %1:", "Angle in degrees of stage %1:"};

} // namespace

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

bool CircuitCommands::editOnCopy(EditAction action, std::uint64_t step,
                                 const std::function<void(CircuitEditor &)> &change)
{
    if (!m_experiment.workingCircuit()) {
        try {
            CircuitEditor trial(m_experiment.shownCircuit());
            change(trial);
        } catch (const std::exception &error) {
            showEditorError(error);
            return false;
        }
        editCopy();
        if (!m_experiment.workingCircuit()) {
            return false;
        }
    }
    return edit(action, step, change);
}

void CircuitCommands::insertOnWire(GateKind kind, std::int32_t wire)
{
    const std::uint64_t stage = m_experiment.currentStep();
    const std::int32_t qubits = m_experiment.shownCircuit().qubitCount;
    // A one-qubit register has no other wire: the control on the target's own wire is refused by the editor.
    const std::int32_t control = kind != GateKind::Cnot ? 0 : wire > 0 ? wire - 1 : std::min(wire + 1, qubits - 1);
    const LessonStep step(kind, wire, control, kind == GateKind::P ? m_panel->panelStep().gate.angle : 0.0);
    editOnCopy(EditAction::GateInserted, stage + 1,
               [&](CircuitEditor &editor) { editor.insertGate(static_cast<std::size_t>(stage), step); });
}

void CircuitCommands::applyDrawingEdit(DrawingEdit edit)
{
    if (edit.kind == DrawingEdit::Kind::Insert && edit.gate.kind == GateKind::P) {
        edit.gate.angle = m_panel->panelStep().gate.angle;
    }
    const Circuit &shown = m_experiment.shownCircuit();
    if (changesNothing(shown, edit)) {
        return;
    }
    // The stage to show is where the edit lands, which only the edit itself can tell.
    std::uint64_t stage = 0;
    try {
        CircuitEditor trial(shown);
        stage = Fasoria::applyDrawingEdit(trial, edit);
    } catch (const std::exception &error) {
        showEditorError(error);
        return;
    }
    editOnCopy(drawingEditAction(edit), stage,
               [&edit](CircuitEditor &editor) { Fasoria::applyDrawingEdit(editor, edit); });
}

QString CircuitCommands::drawingRefusal(const DrawingEdit &edit) const
{
    try {
        CircuitEditor trial(m_experiment.shownCircuit());
        Fasoria::applyDrawingEdit(trial, edit);
    } catch (const std::exception &error) {
        return QString::fromStdString(editorErrorText(error.what(), m_language));
    }
    return QString();
}

void CircuitCommands::editAngle(std::uint64_t stage)
{
    const Circuit &shown = m_experiment.shownCircuit();
    if (stage < 1 || stage > shown.steps.size() || shown.steps[stage - 1].gate.kind != GateKind::P) {
        return;
    }
    const double degrees = radiansToDegrees(shown.steps[stage - 1].gate.angle);
    const std::optional<double> typed =
        m_prompts.angle(uiText(kAngleTitle, m_language), uiText(kAngleLabel, m_language).arg(stage), degrees);
    // The editor shows the angle to one decimal; handing that back is no change, even where the stored angle's
    // last bits differ from the tenth of a degree shown.
    if (!typed || std::round(*typed * 10.0) == std::round(degrees * 10.0)) {
        return;
    }
    DrawingEdit edit;
    edit.kind = DrawingEdit::Kind::ChangeAngle;
    edit.position = static_cast<std::size_t>(stage - 1);
    edit.gate.kind = GateKind::P;
    edit.gate.angle = degreesToRadians(*typed);
    applyDrawingEdit(edit);
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

void CircuitCommands::removeGate(bool onCopy)
{
    const std::uint64_t stage = m_experiment.currentStep();
    if (stage < 1) {
        return;
    }
    const auto change = [&](CircuitEditor &editor) { editor.eraseGate(static_cast<std::size_t>(stage - 1)); };
    onCopy ? editOnCopy(EditAction::GateDeleted, stage - 1, change) : edit(EditAction::GateDeleted, stage - 1, change);
}

void CircuitCommands::moveGate(int direction, bool onCopy)
{
    const std::uint64_t stage = m_experiment.currentStep();
    if (stage < 1) {
        return;
    }
    // The view follows the moved gate; a refused move never reaches the new stage, so it cannot be out of range.
    const EditAction action = direction < 0 ? EditAction::GateMovedLeft : EditAction::GateMovedRight;
    const std::uint64_t shown = direction < 0 ? stage - 1 : stage + 1;
    const auto change = [&](CircuitEditor &editor) { editor.moveGate(static_cast<std::size_t>(stage - 1), direction); };
    onCopy ? editOnCopy(action, shown, change) : edit(action, shown, change);
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
