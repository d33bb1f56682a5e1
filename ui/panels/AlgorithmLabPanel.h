#pragma once

#include "core/Language.h"
#include "curriculum/AlgorithmGenerator.h"

#include <QWidget>

#include <cstdint>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSettings;
class QSpinBox;

namespace Fasoria {

class Experiment;

/// The algorithms tab: the parametric generator (Deutsch, Bernstein-Vazirani, Grover from a few
/// parameters) and the algorithm panel, which explains the oracle, the classical method, the query counts
/// and the readout of the algorithm shown, offers its checkpoints and reports the correct-output
/// probability at the current step.
class AlgorithmLabPanel : public QWidget
{
    Q_OBJECT

public:
    explicit AlgorithmLabPanel(QWidget *parent = nullptr);

    /// Visibility, ranges and texts of the generator; `generatedSteps` is the step count of the generated
    /// circuit shown, or −1 when none is.
    void refreshGenerator(std::int64_t generatedSteps, Language language);
    /// The algorithm panel, from the experiment's generated algorithm or read-only catalog lesson.
    void refresh(const Experiment &experiment, Language language);
    /// The problem the generator controls describe.
    AlgorithmParameters parameters() const;

    /// Restores the generator controls from "parameters/…"; each value meets the range the values before it
    /// set, and the spin boxes clamp it.
    void readSettings(const QSettings &settings);
    void writeSettings(QSettings &settings) const;

signals:
    void generateRequested();
    /// The gate index of the checkpoint chosen.
    void goToStageRequested(std::uint64_t stage);
    void runCompleteRequested();
    /// The handbook chapter linked from the panel.
    void handbookRequested(const QString &anchor);

private:
    void buildGenerator();
    void buildAlgorithmBox();

    std::int64_t m_generatedSteps = -1;
    Language m_language = Italian;

    QGroupBox *m_parametricBox = nullptr;
    QLabel *m_paramIntro = nullptr;
    QLabel *m_paramKindLabel = nullptr;
    QComboBox *m_paramKindCombo = nullptr;
    QLabel *m_paramQubitsLabel = nullptr;
    QSpinBox *m_paramQubitsSpin = nullptr;
    QLabel *m_paramMarkedLabel = nullptr;
    QSpinBox *m_paramMarkedSpin = nullptr;
    QLabel *m_paramIterationsLabel = nullptr;
    QSpinBox *m_paramIterationsSpin = nullptr;
    QLabel *m_paramSecretLabel = nullptr;
    QSpinBox *m_paramSecretSpin = nullptr;
    QLabel *m_paramDeutschLabel = nullptr;
    QComboBox *m_paramDeutschCombo = nullptr;
    QPushButton *m_paramCreateButton = nullptr;
    QLabel *m_paramHint = nullptr;

    QGroupBox *m_algorithmBox = nullptr;
    QLabel *m_algorithmIntro = nullptr;
    QLabel *m_algorithmOracle = nullptr;
    QLabel *m_algorithmClassical = nullptr;
    QLabel *m_algorithmStats = nullptr;
    QLabel *m_algorithmReadout = nullptr;
    QLabel *m_algorithmProbability = nullptr;
    QLabel *m_algorithmCaveat = nullptr;
    QLabel *m_algorithmCheckpointLabel = nullptr;
    QComboBox *m_algorithmCheckpointCombo = nullptr;
    QPushButton *m_algorithmGotoButton = nullptr;
    QPushButton *m_algorithmRunButton = nullptr;
    QLabel *m_algorithmHandbookLink = nullptr;
};

} // namespace Fasoria
