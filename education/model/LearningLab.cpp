#include "education/model/LearningLab.h"

#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/LessonCatalog.h"
#include "ui/model/Experiment.h"
#include "ui/model/LogEvent.h"
#include "ui/texts/TextCatalog.h"

#include <cmath>
#include <exception>

namespace Fasoria {
namespace {

/// Probabilities closer than this count as equal when a prediction is compared with theory.
constexpr double kProbabilityTolerance = 1e-8;
/// Outcomes `observed` lists before pointing to the full table.
constexpr int kListedOutcomes = 8;

constexpr int kCoinLesson = 0;
constexpr int kSecondHLesson = 1;
constexpr int kSignLesson = 3;

QString text(LearningText key, Language language)
{
    return learningText(key, language);
}

/// A circuit the comparison can replay to any of its stages: a valid register and gates the engine accepts.
bool isReplayable(const Circuit &circuit)
{
    try {
        replayPrefix(circuit, circuit.steps.size());
    } catch (const std::exception &) {
        return false;
    }
    return true;
}

bool isValidCopy(const ComparisonCopy &copy)
{
    return !copy.valid || (copy.stage <= copy.circuit.steps.size() && isReplayable(copy.circuit));
}

ComparisonCopy fullCopy(const Circuit &circuit)
{
    return {true, circuit, circuit.steps.size()};
}

Circuit groverCircuit(std::int32_t iterations)
{
    AlgorithmParameters parameters;
    parameters.kind = AlgorithmKind::Grover;
    parameters.qubits = 3;
    parameters.groverTarget = 5;
    parameters.groverIterations = iterations;
    parameters.bvSecret = 5;
    parameters.deutschFunction = 2;
    return generateAlgorithm(parameters).circuit;
}

/// The distribution a prediction stands for, compared with the circuit's theoretical end state.
bool matchesTheory(DistributionPrediction prediction, const Circuit &circuit)
{
    const StateVector theory = replayPrefix(circuit, circuit.steps.size());
    const double uniform = 1.0 / static_cast<double>(theory.dimension());
    for (std::uint64_t i = 0; i < theory.dimension(); ++i) {
        double expected = 0.0;
        if (prediction == DistributionPrediction::EquallyLikely) {
            expected = uniform;
        } else if ((prediction == DistributionPrediction::AlwaysZero && i == 0) ||
                   (prediction == DistributionPrediction::AlwaysOne && i == 1)) {
            expected = 1.0;
        }
        if (std::fabs(theory.probability(i) - expected) > kProbabilityTolerance) {
            return false;
        }
    }
    return true;
}

} // namespace

ExperimentView ExperimentView::of(const Experiment &experiment)
{
    ExperimentView view;
    view.circuit = &experiment.shownCircuit();
    view.state = experiment.state();
    view.currentStep = experiment.currentStep();
    view.measured = experiment.isMeasured();
    view.shotsTotal = experiment.shotsTotal();
    view.lastShotsTotal = experiment.lastShotsTotal();
    view.lastShotsCounts = &experiment.lastShotsCounts();
    return view;
}

bool LearningLab::isPredictionOpen(const ExperimentView &experiment) const
{
    return experiment.hasState() && experiment.currentStep == 0 && !experiment.measured && experiment.shotsTotal == 0 &&
           m_prediction < 0;
}

bool LearningLab::canRecord(const ExperimentView &experiment, int selectorIndex) const
{
    return isPredictionOpen(experiment) && selectorIndex > 0 && selectorIndex < kDistributionItemCount;
}

bool LearningLab::recordPrediction(const ExperimentView &experiment, int selectorIndex, const QString &reason)
{
    if (!canRecord(experiment, selectorIndex)) {
        return false;
    }
    m_prediction = selectorIndex - 1;
    m_reason = reason;
    return true;
}

void LearningLab::clearPrediction()
{
    m_prediction = -1;
    m_reason.clear();
}

bool LearningLab::setRecordedPrediction(std::int32_t prediction, const QString &reason)
{
    if (prediction < -1 || prediction > static_cast<std::int32_t>(DistributionPrediction::DontKnow)) {
        return false;
    }
    m_prediction = prediction;
    m_reason = reason;
    return true;
}

QString LearningLab::predictionFeedback(const ExperimentView &experiment, Language language) const
{
    if (!experiment.hasState()) {
        return text(LearningText::FeedbackNone, language);
    }
    if (m_prediction < 0) {
        // Past the start the box is closed: it says where it opens again.
        return experiment.currentStep > 0 ? uiText(MoreText::PredictionAtStart, language)
                                          : text(LearningText::FeedbackNone, language);
    }
    const Circuit &circuit = *experiment.circuit;
    const QString chosen = distributionChoiceText(m_prediction, circuit.qubitCount, language) + QStringLiteral(". ");
    const auto prediction = static_cast<DistributionPrediction>(m_prediction);
    if (experiment.currentStep < circuit.steps.size()) {
        return chosen + text(LearningText::FeedbackIncomplete, language);
    }
    if (prediction == DistributionPrediction::DontKnow) {
        return chosen + text(LearningText::FeedbackObserve, language);
    }
    return chosen +
           text(matchesTheory(prediction, circuit) ? LearningText::FeedbackMatches : LearningText::FeedbackDiffers,
                language);
}

bool LearningLab::capture(CopySide side, const Circuit &circuit, std::uint64_t stage)
{
    const ComparisonCopy captured{true, circuit, stage};
    if (!isValidCopy(captured)) {
        return false;
    }
    copyRef(side) = captured;
    return true;
}

bool LearningLab::setStage(CopySide side, std::uint64_t stage)
{
    ComparisonCopy &target = copyRef(side);
    if (!target.valid || stage > target.circuit.steps.size()) {
        return false;
    }
    target.stage = stage;
    return true;
}

bool LearningLab::canAppendH() const
{
    const auto fits = [](const ComparisonCopy &copy) {
        return copy.valid && copy.circuit.qubitCount == 1 && copy.circuit.steps.size() < kMaxCopyGates;
    };
    return fits(m_copyA) && fits(m_copyB);
}

bool LearningLab::appendH()
{
    if (!canAppendH()) {
        return false;
    }
    for (ComparisonCopy *copy : {&m_copyA, &m_copyB}) {
        copy->circuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
        copy->stage = copy->circuit.steps.size();
    }
    return true;
}

bool LearningLab::applyPreset(int index)
{
    const LessonCatalog &lessons = lessonCatalog();
    switch (index) {
    case 0: {
        Circuit hz = lessons[kSignLesson];
        hz.steps.pop_back();
        m_copyA = fullCopy(lessons[kCoinLesson]);
        m_copyB = fullCopy(hz);
        return true;
    }
    case 1:
        m_copyA = fullCopy(lessons[kSecondHLesson]);
        m_copyB = fullCopy(lessons[kSignLesson]);
        return true;
    case 2:
    case 3: {
        // Build both before replacing either, so that a refusal of the generator changes nothing.
        ComparisonCopy a = fullCopy(groverCircuit(index - 1));
        ComparisonCopy b = fullCopy(groverCircuit(index));
        m_copyA = std::move(a);
        m_copyB = std::move(b);
        return true;
    }
    default:
        return false;
    }
}

bool LearningLab::setCopies(const ComparisonCopy &a, const ComparisonCopy &b)
{
    if (!isValidCopy(a) || !isValidCopy(b)) {
        return false;
    }
    // An invalid copy carries nothing: whatever came with it is dropped.
    m_copyA = a.valid ? a : ComparisonCopy{};
    m_copyB = b.valid ? b : ComparisonCopy{};
    return true;
}

QStringList distributionItems(std::int32_t qubits, Language language)
{
    const QString always = text(LearningText::DistributionAlways, language);
    return {text(LearningText::DistributionChoose, language), always.arg(basisLabel(0, qubits)),
            always.arg(basisLabel(1, qubits)), text(LearningText::DistributionEqual, language),
            text(LearningText::DistributionUnknown, language)};
}

QString distributionChoiceText(std::int64_t prediction, std::int32_t qubits, Language language)
{
    if (prediction < 0 || prediction > static_cast<std::int64_t>(DistributionPrediction::DontKnow)) {
        return QString::number(prediction);
    }
    return distributionItems(qubits, language).at(static_cast<int>(prediction) + 1);
}

QString doingText(const ExperimentView &experiment, Language language)
{
    const QString question = experiment.circuit
                                 ? uiText({experiment.circuit->questionIt, experiment.circuit->questionEn}, language)
                                 : QString();
    return text(LearningText::DoingPrefix, language) + question;
}

QString shotsButtonText(std::uint64_t preparations, Language language)
{
    return text(LearningText::ShotsButton, language).arg(preparations);
}

QString observedText(const ExperimentView &experiment, Language language)
{
    QString result = text(LearningText::ObservedPrefix, language)
                         .arg(QString::number(experiment.currentStep), QString::number(experiment.stepCount()));
    if (!experiment.hasState()) {
        return result;
    }
    const StateVector &state = *experiment.state;
    QStringList outcomes;
    for (std::uint64_t i = 0; i < state.dimension(); ++i) {
        if (state.probability(i) <= kProbabilityTolerance) {
            continue;
        }
        if (outcomes.size() == kListedOutcomes) {
            outcomes << text(LearningText::ObservedMore, language);
            break;
        }
        outcomes << basisLabel(i, state.qubitCount()) + QStringLiteral(": ") +
                        fixedText(state.probability(i) * 100.0, 2) + QLatin1Char('%');
    }
    return result + outcomes.join(QStringLiteral("; "));
}

QString limitsText(bool measured, Language language)
{
    return text(measured ? LearningText::LimitsMeasured : LearningText::LimitsCalculated, language);
}

namespace {

QString paragraph(const QString &escaped)
{
    return QStringLiteral("<p>") + escaped + QStringLiteral("</p>");
}

QString shotLines(const ExperimentView &experiment, Language language)
{
    QString lines = text(LearningText::DetailsShots, language).arg(experiment.lastShotsTotal);
    if (!experiment.lastShotsCounts) {
        return lines;
    }
    const Histogram &counts = *experiment.lastShotsCounts;
    const QString line = text(LearningText::DetailsShotLine, language);
    const auto total = static_cast<double>(experiment.lastShotsTotal);
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (counts[i] == 0) {
            continue;
        }
        lines += line.arg(basisLabel(i, experiment.circuit->qubitCount), QString::number(counts[i]),
                          fixedText(static_cast<double>(counts[i]) * 100.0 / total, 2));
    }
    return lines;
}

} // namespace

QString startDetails(const ExperimentView &experiment, Language language)
{
    if (!experiment.circuit) {
        return QString();
    }
    const Circuit &circuit = *experiment.circuit;
    const std::uint64_t step = experiment.currentStep;
    const std::uint64_t gates = circuit.steps.size();
    QString details;
    if (step == 0 && gates > 0) {
        details = text(LearningText::DetailsStart, language);
    } else if (step < gates) {
        const LessonStep &applied = circuit.steps[static_cast<std::size_t>(step - 1)];
        details = paragraph(uiText({applied.explanationIt, applied.explanationEn}, language).toHtmlEscaped());
    } else {
        details = paragraph(uiText({circuit.explanationIt, circuit.explanationEn}, language).toHtmlEscaped()) +
                  paragraph(text(LearningText::DetailsTry, language));
    }
    if (experiment.lastShotsTotal != 0) {
        details += shotLines(experiment, language);
    }
    return details;
}

QString sessionStatusText(const QString &sessionPath, bool dirty, Language language)
{
    QString status = sessionPath.isEmpty() ? text(LearningText::SessionNotSaved, language) : sessionPath;
    if (dirty) {
        status += text(LearningText::SessionUnsaved, language);
    }
    return status;
}

QStringList presetNames()
{
    return {QStringLiteral("H / H-Z"), QStringLiteral("H-H / H-Z-H"), QStringLiteral("Grover: 1 / 2"),
            QStringLiteral("Grover: 2 / 3")};
}

} // namespace Fasoria
