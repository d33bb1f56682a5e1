#pragma once

#include "core/Circuit.h"
#include "core/Language.h"
#include "core/Measurement.h"
#include "core/StateVector.h"
#include "education/model/BellMixture.h"
#include "education/model/Comparison.h"
#include "education/model/LearningTexts.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace Fasoria {

class Experiment;

/// The experiment as the learning lab reads it. The pointers refer to the experiment's own data and are valid
/// only while it is not changed; a view without a state (or without a circuit) is "no experiment yet".
struct ExperimentView
{
    /// The shown circuit.
    const Circuit *circuit = nullptr;
    /// The displayed state, possibly collapsed by a single measurement.
    const StateVector *state = nullptr;
    std::uint64_t currentStep = 0;
    bool measured = false;
    /// Preparations in the visible histogram.
    std::uint64_t shotsTotal = 0;
    /// The last repeated-preparation result (it survives a single measurement).
    std::uint64_t lastShotsTotal = 0;
    const Histogram *lastShotsCounts = nullptr;

    bool hasState() const { return circuit != nullptr && state != nullptr; }
    std::uint64_t stepCount() const { return circuit ? circuit->steps.size() : 0; }

    static ExperimentView of(const Experiment &experiment);
};

/// The recorded distribution prediction: the learning lab's selector index minus one.
enum class DistributionPrediction : std::int32_t
{
    None = -1,
    AlwaysZero = 0,
    AlwaysOne = 1,
    EquallyLikely = 2,
    DontKnow = 3,
};

/// Items of the distribution selector.
constexpr int kDistributionItemCount = 5;
/// The comparison presets: "H / H-Z", "H-H / H-Z-H", "Grover: 1 / 2", "Grover: 2 / 3".
constexpr int kPresetCount = 4;
/// Gates a copy may hold; append H needs room for one more.
constexpr std::uint64_t kMaxCopyGates = 256;

/// The learning lab's own state, kept by the main window beside its experiment: the two comparison copies and
/// the recorded distribution prediction with its reasoning. The texts the student types live in the dialog.
/// Every operation checks its arguments first and returns false, changing nothing, when they do not hold.
class LearningLab
{
public:
    // Prediction.
    std::int32_t recordedPrediction() const { return m_prediction; }
    const QString &predictionReason() const { return m_reason; }
    /// Open at step 0 of a prepared experiment, before any measurement or preparation, while nothing is recorded.
    bool isPredictionOpen(const ExperimentView &experiment) const;
    /// Whether `selectorIndex` (1..4) can be recorded now.
    bool canRecord(const ExperimentView &experiment, int selectorIndex) const;
    /// Records selector index − 1 with `reason`. The caller marks the session touched and logs the distribution
    /// prediction with recordedPrediction().
    bool recordPrediction(const ExperimentView &experiment, int selectorIndex, const QString &reason);
    /// Forgets the recorded prediction and its reasoning (every reset of the experiment to a step).
    void clearPrediction();
    /// Restores a prediction (−1..3) and its reasoning, as a session file holds them.
    bool setRecordedPrediction(std::int32_t prediction, const QString &reason);
    /// `predictionResult`: while nothing is recorded, the hint, or past stage 0 where recording is possible;
    /// otherwise the chosen item, ". " and the comparison against the theoretical distribution of the whole
    /// circuit (never the measurement or the histogram).
    QString predictionFeedback(const ExperimentView &experiment, Language language) const;

    // Comparison copies.
    const ComparisonCopy &copy(CopySide side) const { return side == CopySide::A ? m_copyA : m_copyB; }
    /// The copy becomes a full copy of `circuit` at `stage` (at most its gate count).
    bool capture(CopySide side, const Circuit &circuit, std::uint64_t stage);
    /// Moves a valid copy to `stage`, 0..its gate count.
    bool setStage(CopySide side, std::uint64_t stage);
    /// Both copies valid, each of exactly 1 qubit and with fewer than kMaxCopyGates gates.
    bool canAppendH() const;
    /// Appends H on q0 to both copies and moves each to its new end.
    bool appendH();
    /// Loads preset 0..3 into both copies, each at its full length.
    bool applyPreset(int index);
    /// Replaces both copies (a session being opened); a valid copy's stage must lie within its circuit.
    bool setCopies(const ComparisonCopy &a, const ComparisonCopy &b);
    ComparisonTable comparison(Language language) const { return comparisonTable(m_copyA, m_copyB, language); }

private:
    ComparisonCopy &copyRef(CopySide side) { return side == CopySide::A ? m_copyA : m_copyB; }

    ComparisonCopy m_copyA;
    ComparisonCopy m_copyB;
    std::int32_t m_prediction = -1;
    QString m_reason;
};

/// The five selector items for a register of `qubits`: "Choose a prediction...", "Always" with the n-bit labels
/// of basis states 0 and 1, "All outcomes equally likely", "I don't know yet".
QStringList distributionItems(std::int32_t qubits, Language language);
/// The item text of a recorded prediction (0..3), as the notebook writes it; the number itself for another value.
QString distributionChoiceText(std::int64_t prediction, std::int32_t qubits, Language language);

/// `doing`: "What we do: " and the shown circuit's question.
QString doingText(const ExperimentView &experiment, Language language);
/// The repeat button: "Repeat %1 trials".
QString shotsButtonText(std::uint64_t preparations, Language language);
/// `observed`: the step and the outcomes above 1e-8 in basis order, percent with 2 decimals, at most 8 of them.
QString observedText(const ExperimentView &experiment, Language language);
/// `limits`: what the displayed data mean, after a single measurement or not.
QString limitsText(bool measured, Language language);
/// `startDetails` (rich text): the step's or the circuit's explanation, HTML-escaped, and the counts of the last
/// repeated preparations.
QString startDetails(const ExperimentView &experiment, Language language);
/// `sessionStatus`: the session path or "Session not saved yet", with " - unsaved changes" when dirty.
QString sessionStatusText(const QString &sessionPath, bool dirty, Language language);
/// The preset selector's items, the same in both languages.
QStringList presetNames();

} // namespace Fasoria
