#pragma once

#include "core/GateText.h"
#include "core/Language.h"
#include "editor/DrawingEdit.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <exception>
#include <functional>

namespace Fasoria {

class CircuitEditor;
class EditorPanel;
class Experiment;
class FileCommands;
class Prompts;

/// The editor panel's commands on the working circuit, bound to the panel's requests: an editable copy of the
/// lesson, the lesson restored (through the file commands, which ask first), and the checked edits, each applied
/// through the circuit editor at the stage shown. A refused edit shows "Invalid edit" and changes nothing.
class CircuitCommands : public QObject
{
    Q_OBJECT

public:
    CircuitCommands(Experiment &experiment, EditorPanel *panel, FileCommands &files, const Prompts &prompts,
                    QObject *parent = nullptr);

    void setLanguage(Language language) { m_language = language; }

    /// Makes an editable copy of the shown lesson, keeping the selected stage.
    void editCopy();
    /// Inserts the panel's gate after the selected stage (at the beginning for stage 0).
    void insertGateAfterStage();
    void replaceSelectedGate();
    void removeSelectedGate() { removeGate(false); }
    /// Moves the selected gate one place left (−1) or right (+1); the view follows it.
    void moveSelectedGate(int direction) { moveGate(direction, false); }
    /// Gives the working circuit the qubit count of the panel's spin box; a refusal puts the count back.
    void applyQubitCount();
    /// The drawing's own edits, which need no form and no copy made first. A gate of `kind` on `wire` after the
    /// shown stage: a CNOT takes the nearest other wire as its control (the one below when there is one), a P
    /// gate the form's angle.
    void insertOnWire(GateKind kind, std::int32_t wire);
    /// The shown stage's gate removed, or moved, from the drawing: as the form's commands, on a catalog lesson
    /// too (editOnCopy).
    void removeShownGate() { removeGate(true); }
    void moveShownGate(int direction) { moveGate(direction, true); }

    /// An edit made on the drawing (a drop, a gate dragged off, an insertion from a wire's menu, a new angle),
    /// through the editor and on a catalog lesson too (editOnCopy), shown at the stage where it happened. A
    /// drop that changes nothing is no edit; a new P gate takes the form's angle.
    void applyDrawingEdit(DrawingEdit edit);
    /// What the editor would answer to the edit on the shown circuit: its translated refusal, or nothing.
    QString drawingRefusal(const DrawingEdit &edit) const;
    /// Asks for the angle of the P gate at `stage` (in degrees with one decimal, as the form) and applies it;
    /// the angle left as it was shown is no edit.
    void editAngle(std::uint64_t stage);

    /// Checks the answer circuit against the challenge; the checker's refusal is shown as it stands.
    void checkChallengeSolution();

private:
    void bind();
    void removeGate(bool onCopy);
    void moveGate(int direction, bool onCopy);
    void showEditorError(const std::exception &error, const QString &prefix = QString());
    /// Runs one checked edit and rebuilds at `step`; a refusal is shown and leaves everything as it was.
    bool edit(EditAction action, std::uint64_t step, const std::function<void(CircuitEditor &)> &change);
    /// As edit, on a catalog lesson too: the change is first tried on the shown circuit, and only an edit the
    /// editor accepts makes the working copy (asking nothing, as "Edit a copy" does) and is applied to it.
    bool editOnCopy(EditAction action, std::uint64_t step, const std::function<void(CircuitEditor &)> &change);

    Experiment &m_experiment;
    EditorPanel *m_panel;
    FileCommands &m_files;
    const Prompts &m_prompts;
    Language m_language = Italian;
};

} // namespace Fasoria
