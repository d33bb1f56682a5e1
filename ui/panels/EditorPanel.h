#pragma once

#include "core/Circuit.h"
#include "core/Language.h"

#include <QGroupBox>

#include <cstdint>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace Fasoria {

/// The editor tab's panel: the gate to insert or put in place of the selected one (kind, target, control,
/// angle in degrees), the qubit count and the edit buttons. It shows the working circuit and the selected
/// stage it is given (stage k shows the state after k steps; the selected gate is step k − 1) and emits a
/// request per button; the window performs the edits.
class EditorPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit EditorPanel(QWidget *parent = nullptr);

    void applyLanguage(Language language);
    /// Enables what the working circuit (null: a read-only lesson) allows at `stage`.
    void refresh(const Circuit *working, std::uint64_t stage, Language language);
    /// Shows the selected gate in the controls, when a gate of the working circuit is selected.
    void showSelectedGate(const Circuit *working, std::uint64_t stage);
    /// The gate the controls describe, the angle converted to radians.
    LessonStep panelStep() const;
    int qubitCount() const;
    /// Sets the qubit spin box without signalling a request.
    void setQubitCount(int qubits);

signals:
    void editCopyRequested();
    void restoreOriginalRequested();
    void insertRequested();
    void replaceRequested();
    void removeRequested();
    /// −1 left, +1 right.
    void moveRequested(int direction);
    void applyQubitsRequested();

private:
    void build();
    void refreshControls();

    // What the last refresh showed, so that a change of gate kind can re-enable the controls by itself.
    bool m_editing = false;
    std::uint64_t m_steps = 0;
    std::uint64_t m_stage = 0;
    std::int32_t m_qubits = 1;
    Language m_language = Italian;

    QPushButton *m_editCopyButton = nullptr;
    QPushButton *m_restoreOriginalButton = nullptr;
    QLabel *m_editQubitLabel = nullptr;
    QSpinBox *m_editQubitSpin = nullptr;
    QPushButton *m_applyQubitsButton = nullptr;
    QLabel *m_gateLabel = nullptr;
    QComboBox *m_gateCombo = nullptr;
    QLabel *m_targetLabel = nullptr;
    QSpinBox *m_targetSpin = nullptr;
    QLabel *m_controlLabel = nullptr;
    QSpinBox *m_controlSpin = nullptr;
    QLabel *m_angleLabel = nullptr;
    QDoubleSpinBox *m_angleSpin = nullptr;
    QPushButton *m_insertButton = nullptr;
    QPushButton *m_replaceButton = nullptr;
    QPushButton *m_removeButton = nullptr;
    QPushButton *m_moveLeftButton = nullptr;
    QPushButton *m_moveRightButton = nullptr;
    QLabel *m_editorHint = nullptr;
};

} // namespace Fasoria
