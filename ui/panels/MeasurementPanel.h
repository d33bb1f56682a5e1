#pragma once

#include "core/Language.h"

#include <QWidget>

#include <cstdint>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace Fasoria {

class Experiment;

/// The measurement tab's panel: the prediction of one basis state before running, the single measurement,
/// the repeated preparations with their count, and the validation button.
class MeasurementPanel : public QWidget
{
    Q_OBJECT

public:
    explicit MeasurementPanel(QWidget *parent = nullptr);

    void applyLanguage(Language language);
    /// Rewrites the prediction selector for the shown register, the enabled states, the prediction's hint and
    /// text, and the offer to prepare the whole circuit while a prediction waits for the end.
    void refresh(const Experiment &experiment, Language language);
    /// Puts the prediction selector back on its placeholder without signalling a choice.
    void resetPrediction();
    /// The number of preparations chosen.
    std::uint64_t selectedPreparations() const;
    /// Chooses `count` preparations when the selector offers it, without signalling a choice.
    void selectPreparations(std::uint64_t count);
    /// Shows basis index `basisIndex` (−1: the placeholder) in the prediction selector without signalling.
    void setPrediction(std::int32_t basisIndex);
    /// The texts that name the chosen number of preparations: "Repeat %1 preparations", the whole circuit's
    /// tip, the selector's accessible name and tooltip.
    void applyPreparationTexts(Language language);

signals:
    /// The basis index chosen in the prediction selector.
    void recordRequested(std::uint64_t basisIndex);
    void measureRequested();
    void preparationsRequested();
    /// Preparations of the whole circuit rather than of the shown stage, offered once a prediction is recorded.
    void wholeCircuitRequested();
    void validationRequested();
    /// The user chose another number of preparations.
    void preparationsChosen();

private:
    void build();
    void fillPredictionCombo(std::int32_t qubits, Language language);
    void refreshRecordButton();

    std::int32_t m_predictionQubits = 0;
    bool m_predictionOpen = false;

    QGroupBox *m_predictionBox = nullptr;
    QLabel *m_predictionHint = nullptr;
    QComboBox *m_predictionCombo = nullptr;
    QPushButton *m_predictionButton = nullptr;
    QLabel *m_predictionResult = nullptr;
    QGroupBox *m_measureBox = nullptr;
    QPushButton *m_measureButton = nullptr;
    QPushButton *m_shotsButton = nullptr;
    QLabel *m_preparationStage = nullptr;
    QPushButton *m_wholeCircuitButton = nullptr;
    QLabel *m_shotsHint = nullptr;
    QComboBox *m_shotsCombo = nullptr;
    QPushButton *m_testButton = nullptr;
};

/// The prediction panel's text: what was predicted and, at the end of the circuit, its theoretical
/// probability from a fresh replay and the frequency observed in the last preparations.
QString predictionText(const Experiment &experiment, Language language);

} // namespace Fasoria
