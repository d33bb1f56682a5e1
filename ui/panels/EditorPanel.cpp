#include "ui/panels/EditorPanel.h"

#include "core/Gate.h"
#include "core/GateText.h"
#include "editor/CircuitEditor.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/InterfaceZoom.h"
#include "ui/widgets/WidgetBuilders.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>
#include <initializer_list>
#include <utility>

namespace Fasoria {

EditorPanel::EditorPanel(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("m_editorBox"));
    build();
    connect(m_editCopyButton, &QPushButton::clicked, this, &EditorPanel::editCopyRequested);
    connect(m_restoreOriginalButton, &QPushButton::clicked, this, &EditorPanel::restoreOriginalRequested);
    connect(m_insertButton, &QPushButton::clicked, this, &EditorPanel::insertRequested);
    connect(m_replaceButton, &QPushButton::clicked, this, &EditorPanel::replaceRequested);
    connect(m_removeButton, &QPushButton::clicked, this, &EditorPanel::removeRequested);
    connect(m_moveLeftButton, &QPushButton::clicked, this, [this] { emit moveRequested(-1); });
    connect(m_moveRightButton, &QPushButton::clicked, this, [this] { emit moveRequested(+1); });
    connect(m_applyQubitsButton, &QPushButton::clicked, this, &EditorPanel::applyQubitsRequested);
    connect(m_gateCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] { refreshControls(); });
}

void EditorPanel::build()
{
    QVBoxLayout *editorLayout = named(new QVBoxLayout(this), "editorLayout");
    editorLayout->setSpacing(4);
    editorLayout->setContentsMargins(8, 8, 8, 8);

    QHBoxLayout *top = named(new QHBoxLayout, "editorTopLayout");
    m_editCopyButton = namedButton("m_editCopyButton");
    m_restoreOriginalButton = namedButton("m_restoreOriginalButton");
    top->addWidget(m_editCopyButton);
    top->addWidget(m_restoreOriginalButton);
    editorLayout->addLayout(top);

    QHBoxLayout *qubits = named(new QHBoxLayout, "editorQubitLayout");
    qubits->setSpacing(6);
    m_editQubitLabel = namedLabel("m_editQubitLabel");
    m_editQubitSpin = namedSpinBox("m_editQubitSpin", 1, 8, 54);
    m_applyQubitsButton = namedButton("m_applyQubitsButton");
    qubits->addWidget(m_editQubitLabel);
    qubits->addWidget(m_editQubitSpin);
    qubits->addWidget(m_applyQubitsButton);
    editorLayout->addLayout(qubits);

    QGridLayout *parameters = named(new QGridLayout, "editorParametersGrid");
    parameters->setHorizontalSpacing(7);
    parameters->setVerticalSpacing(5);
    m_gateLabel = namedLabel("m_gateLabel");
    m_gateCombo = named(new QComboBox, "m_gateCombo");
    // The gate names must stay readable in both languages even in a narrow panel.
    m_gateCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_gateCombo->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    for (std::int32_t kind = 0; kind < kGateKindCount; ++kind) {
        m_gateCombo->addItem(QString());
    }
    m_targetLabel = namedLabel("m_targetLabel");
    m_targetSpin = namedSpinBox("m_targetSpin", 0, 7, 55);
    m_controlLabel = namedLabel("m_controlLabel");
    m_controlSpin = namedSpinBox("m_controlSpin", 0, 7, 55);
    m_angleLabel = namedLabel("m_angleLabel");
    m_angleSpin = named(new QDoubleSpinBox, "m_angleSpin");
    m_angleSpin->setRange(-360.0, 360.0);
    m_angleSpin->setDecimals(1);
    m_angleSpin->setSingleStep(15.0);
    InterfaceZoom::setFixedWidth(m_angleSpin, 95);
    parameters->addWidget(m_gateLabel, 0, 0);
    parameters->addWidget(m_gateCombo, 0, 1);
    parameters->addWidget(m_targetLabel, 0, 2);
    parameters->addWidget(m_targetSpin, 0, 3);
    parameters->addWidget(m_controlLabel, 1, 0);
    parameters->addWidget(m_controlSpin, 1, 1);
    parameters->addWidget(m_angleLabel, 1, 2);
    parameters->addWidget(m_angleSpin, 1, 3);
    parameters->setColumnStretch(1, 1);
    parameters->setColumnStretch(3, 1);
    editorLayout->addLayout(parameters);

    QGridLayout *buttons = named(new QGridLayout, "editorButtonsGrid");
    buttons->setSpacing(5);
    m_insertButton = namedButton("m_insertButton");
    m_replaceButton = namedButton("m_replaceButton");
    m_removeButton = namedButton("m_removeButton");
    m_moveLeftButton = namedButton("m_moveLeftButton");
    m_moveRightButton = namedButton("m_moveRightButton");
    buttons->addWidget(m_insertButton, 0, 0);
    buttons->addWidget(m_replaceButton, 0, 1);
    buttons->addWidget(m_removeButton, 1, 0);
    buttons->addWidget(m_moveLeftButton, 1, 1);
    buttons->addWidget(m_moveRightButton, 2, 0);
    editorLayout->addLayout(buttons);
    m_editorHint = namedLabel("m_editorHint", true);
    editorLayout->addWidget(m_editorHint);
}

void EditorPanel::applyLanguage(Language language)
{
    m_language = language;
    const std::pair<QWidget *, TextKey> texts[] = {{m_editCopyButton, TextKey::EditCopyButton},
                                                   {m_restoreOriginalButton, TextKey::RestoreLessonButton},
                                                   {m_editQubitLabel, TextKey::QubitsLabel},
                                                   {m_applyQubitsButton, TextKey::ApplyButton},
                                                   {m_gateLabel, TextKey::GateLabel},
                                                   {m_targetLabel, TextKey::TargetLabel},
                                                   {m_controlLabel, TextKey::ControlLabel},
                                                   {m_angleLabel, TextKey::PhaseLabel},
                                                   {m_insertButton, TextKey::InsertButton},
                                                   {m_replaceButton, TextKey::ReplaceButton},
                                                   {m_removeButton, TextKey::DeleteButton},
                                                   {m_moveLeftButton, TextKey::MoveLeftButton},
                                                   {m_moveRightButton, TextKey::MoveRightButton}};
    setTitle(uiText(TextKey::EditorBox, language));
    for (const auto &[widget, key] : texts) {
        if (auto *textButton = qobject_cast<QPushButton *>(widget)) {
            textButton->setText(uiText(key, language));
        } else {
            qobject_cast<QLabel *>(widget)->setText(uiText(key, language));
        }
    }
    const std::pair<QWidget *, TextKey> tips[] = {{m_editCopyButton, TextKey::EditCopyTip},
                                                  {m_restoreOriginalButton, TextKey::RestoreLessonTip},
                                                  {m_insertButton, TextKey::InsertTip},
                                                  {m_replaceButton, TextKey::SelectGateTip},
                                                  {m_removeButton, TextKey::SelectGateTip},
                                                  {m_moveLeftButton, TextKey::SelectGateTip},
                                                  {m_moveRightButton, TextKey::SelectGateTip},
                                                  {m_applyQubitsButton, TextKey::QubitsTip},
                                                  {m_gateCombo, TextKey::GateTip},
                                                  {m_targetSpin, TextKey::TargetTip},
                                                  {m_controlSpin, TextKey::ControlTip},
                                                  {m_angleSpin, TextKey::PhaseTip}};
    for (const auto &[widget, key] : tips) {
        widget->setToolTip(uiText(key, language));
    }
    const QSignalBlocker blocker(m_gateCombo);
    const int selected = m_gateCombo->currentIndex();
    for (int kind = 0; kind < m_gateCombo->count(); ++kind) {
        m_gateCombo->setItemText(kind, QString::fromUtf8(gateKindName(static_cast<GateKind>(kind), language)));
    }
    m_gateCombo->setCurrentIndex(selected);
    refreshControls();
}

void EditorPanel::refresh(const Circuit *working, std::uint64_t stage, Language language)
{
    m_language = language;
    m_editing = working != nullptr;
    m_steps = working ? working->steps.size() : 0;
    m_stage = stage;
    m_qubits = working ? working->qubitCount : 1;
    refreshControls();
}

void EditorPanel::refreshControls()
{
    const auto kind = static_cast<GateKind>(m_gateCombo->currentIndex());
    const bool gateSelected = m_editing && m_stage >= 1 && m_stage <= m_steps;
    m_editCopyButton->setEnabled(!m_editing);
    for (QWidget *control : std::initializer_list<QWidget *>{m_restoreOriginalButton, m_editQubitSpin,
                                                             m_applyQubitsButton, m_gateCombo, m_targetSpin}) {
        control->setEnabled(m_editing);
    }
    m_controlSpin->setEnabled(m_editing && kind == GateKind::Cnot);
    m_angleSpin->setEnabled(m_editing && kind == GateKind::P);
    m_insertButton->setEnabled(m_editing && m_steps < CircuitEditor::kMaxSteps);
    m_replaceButton->setEnabled(gateSelected);
    m_removeButton->setEnabled(gateSelected);
    m_moveLeftButton->setEnabled(gateSelected && m_stage > 1);
    m_moveRightButton->setEnabled(gateSelected && m_stage < m_steps);
    if (m_editing) {
        for (QSpinBox *qubit : {m_targetSpin, m_controlSpin}) {
            const QSignalBlocker blocker(qubit);
            qubit->setRange(0, m_qubits - 1);
        }
    }
    m_editorHint->setText(uiText(m_editing ? TextKey::EditorHintEditing : TextKey::EditorHintProtected, m_language));
}

void EditorPanel::showSelectedGate(const Circuit *working, std::uint64_t stage)
{
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
    refresh(working, stage, m_language);
}

LessonStep EditorPanel::panelStep() const
{
    const double angle = degreesToRadians(m_angleSpin->value());
    return LessonStep(static_cast<GateKind>(m_gateCombo->currentIndex()), m_targetSpin->value(), m_controlSpin->value(),
                      angle);
}

int EditorPanel::qubitCount() const
{
    return m_editQubitSpin->value();
}

void EditorPanel::setQubitCount(int qubits)
{
    const QSignalBlocker blocker(m_editQubitSpin);
    m_editQubitSpin->setValue(qubits);
}

} // namespace Fasoria
