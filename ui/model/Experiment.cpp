#include "ui/model/Experiment.h"

#include "curriculum/Challenge.h"
#include "curriculum/Diagnostics.h"
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitEditor.h"
#include "editor/CircuitFile.h"
#include "ui/model/LessonShelf.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <random>
#include <utility>

namespace Fasoria {
namespace {

/// A single 32-bit value read once from the system's non-deterministic source, zero-extended to 64 bits.
std::uint64_t systemSeed()
{
    std::random_device device;
    return static_cast<std::uint32_t>(device());
}

} // namespace

Experiment::Experiment(QObject *parent) : QObject(parent), m_random(systemSeed()) {}

Experiment::ChangeBatch::ChangeBatch(Experiment &experiment) : m_experiment(experiment)
{
    ++m_experiment.m_batchDepth;
}

Experiment::ChangeBatch::~ChangeBatch()
{
    if (--m_experiment.m_batchDepth == 0 && m_experiment.m_heldChanges) {
        const Changes changes = m_experiment.m_heldChanges;
        m_experiment.m_heldChanges = {};
        emit m_experiment.changed(changes);
    }
}

void Experiment::announce(Changes changes)
{
    const ChangeBatch batch(*this);
    m_heldChanges |= changes;
}

void Experiment::setLogObservers(std::function<void(const LogEvent &)> appended, std::function<void()> cleared)
{
    m_logAppended = std::move(appended);
    m_logCleared = std::move(cleared);
}

const Circuit &Experiment::shownCircuit() const
{
    if (m_workingCircuit) {
        return *m_workingCircuit;
    }
    return *lessonAt(m_lessonIndex);
}

void Experiment::clearShots()
{
    m_shotsTotal = 0;
    m_histogram.clear();
}

void Experiment::clearLastShots()
{
    m_lastShotsTotal = 0;
    m_lastShotsCounts.clear();
}

void Experiment::clearMeasurements()
{
    m_measured = false;
    m_lastOutcome = -1;
    clearShots();
    clearLastShots();
}

void Experiment::clearChallengeCheck()
{
    m_challengeStatus = 0;
    m_phaseHint = false;
    m_challengeFidelity = 0.0;
    m_lastDiagnosis.reset();
}

bool Experiment::canStepForward() const
{
    return m_state && !m_measured && m_currentStep < stepCount();
}

bool Experiment::canGoBack() const
{
    return m_currentStep > 0 || m_measured;
}

bool Experiment::canMeasure() const
{
    return m_state && !m_measured;
}

void Experiment::rebuild(std::uint64_t step)
{
    // Replay first: an engine error leaves the previous experiment in place.
    StateVector replayed = replayPrefix(shownCircuit(), step);
    m_state = std::move(replayed);
    m_currentStep = step;
    clearMeasurements();
}

void Experiment::restart()
{
    rebuild(0);
    m_prediction = -1;
    m_phaseHint = false;
    appendLog(LogEventKind::Prepared, 0, 0);
    announce(Restarted);
}

bool Experiment::resetToStep(EditAction action, std::uint64_t step)
{
    if (step > stepCount()) {
        return false;
    }
    rebuild(step);
    m_prediction = -1;
    clearChallengeCheck();
    // The notebook runs on: the preparation's header sets the edit apart from what came before it.
    appendLog(LogEventKind::Prepared, 0, 0);
    appendLog(LogEventKind::Editor, static_cast<std::uint64_t>(action), step);
    if (action == EditAction::WorkingCopyCreated) {
        m_document.history().clear();
    }
    m_document.recompute(workingCircuit());
    announce(Restarted);
    return true;
}

bool Experiment::beginExperiment()
{
    if (!m_workingCircuit) {
        return false;
    }
    const ChangeBatch batch(*this);
    clearLog();
    return resetToStep(EditAction::WorkingCopyCreated, 0);
}

void Experiment::clearNotebook()
{
    clearLog();
}

bool Experiment::goToStep(std::uint64_t step)
{
    if (step > stepCount() || (step == m_currentStep && !m_measured && m_shotsTotal == 0 && m_state)) {
        return false;
    }
    rebuild(step);
    appendLog(LogEventKind::Navigation, step, 0);
    announce(Replayed);
    return true;
}

bool Experiment::nextStep()
{
    if (!canStepForward()) {
        return false;
    }
    const std::uint64_t step = m_currentStep;
    applyGate(*m_state, shownCircuit().steps[static_cast<std::size_t>(step)].gate);
    appendLog(LogEventKind::Step, step, 0);
    m_currentStep = step + 1;
    m_lastOutcome = -1;
    clearShots();
    clearLastShots();
    announce(Stepped);
    return true;
}

bool Experiment::previousStep()
{
    if (m_currentStep > 0) {
        return goToStep(m_currentStep - 1);
    }
    return m_measured && goToStep(0);
}

bool Experiment::measureOnce()
{
    if (!canMeasure()) {
        return false;
    }
    const std::uint64_t outcome = measureAll(*m_state, m_random);
    clearShots();
    m_measured = true;
    m_lastOutcome = static_cast<std::int32_t>(outcome);
    appendLog(LogEventKind::Measurement, outcome, 0);
    announce(Stepped);
    return true;
}

bool Experiment::repeatPreparations(std::uint64_t shots)
{
    if (!canMeasure() || shots == 0) {
        return false;
    }
    Histogram counts = sampleCounts(*m_state, shots, m_random);
    m_histogram = std::move(counts);
    m_shotsTotal = shots;
    m_lastShotsCounts = m_histogram;
    m_lastShotsTotal = shots;
    const std::uint64_t outcome = mostFrequentOutcome(m_histogram);
    appendLog(LogEventKind::Preparations, outcome, m_histogram[static_cast<std::size_t>(outcome)]);
    announce(Stepped);
    return true;
}

bool Experiment::prepareWholeCircuit(std::uint64_t shots)
{
    if (!m_state || shots == 0 || m_currentStep >= stepCount()) {
        return false;
    }
    const ChangeBatch batch(*this);
    // The rebuild at the end clears any measurement, so the preparations that follow always run.
    return goToStep(stepCount()) && repeatPreparations(shots);
}

bool Experiment::canRecordPrediction() const
{
    return m_state && m_currentStep == 0 && !m_measured && m_shotsTotal == 0;
}

bool Experiment::recordPrediction(std::uint64_t basisIndex)
{
    if (!canRecordPrediction() || basisIndex >= m_state->dimension()) {
        return false;
    }
    m_prediction = static_cast<std::int32_t>(basisIndex);
    appendLog(LogEventKind::Prediction, basisIndex, 0);
    announce(Predicted);
    return true;
}

double Experiment::predictionProbabilityAtEnd() const
{
    if (m_prediction < 0) {
        return 0.0;
    }
    const Circuit &circuit = shownCircuit();
    return replayPrefix(circuit, circuit.steps.size()).probability(static_cast<std::uint64_t>(m_prediction));
}

bool Experiment::chooseLesson(std::int32_t index)
{
    if (!lessonAt(index)) {
        return false;
    }
    m_lessonIndex = index;
    m_workingCircuit.reset();
    m_algorithm.reset();
    m_challengeMode = false;
    m_document.clear();
    m_hintsShown = 0;
    clearChallengeCheck();
    enterChallengeMode();
    clearLog();
    return true;
}

bool Experiment::startLesson(std::int32_t index)
{
    const ChangeBatch batch(*this);
    if (!chooseLesson(index)) {
        return false;
    }
    m_document.history().clear();
    restart();
    return true;
}

bool Experiment::restoreLesson()
{
    if (!m_workingCircuit) {
        return false;
    }
    const ChangeBatch batch(*this);
    // Choosing the same lesson again also gives a challenge lesson a fresh empty answer. The student goes on
    // with the same lesson, so the notebook keeps what was done with the copy.
    std::deque<LogEvent> record = std::move(m_logEvents);
    chooseLesson(m_lessonIndex);
    for (LogEvent &event : record) {
        m_logEvents.push_back(event);
        if (m_logAppended) {
            m_logAppended(event);
        }
    }
    m_document.history().clear();
    restart();
    appendLog(LogEventKind::Editor, static_cast<std::uint64_t>(EditAction::OriginalRestored), 0);
    return true;
}

void Experiment::enterChallengeMode()
{
    m_challengeMode = false;
    m_customChallenge.reset();
    // A pack's challenge lesson is answered as a teacher's challenge is, against the challenge the lesson holds.
    const ShelvedLesson *shelved = shelvedLesson(m_lessonIndex);
    if (shelved ? !shelved->challenge : !findChallenge(static_cast<std::uint64_t>(m_lessonIndex))) {
        return;
    }
    m_workingCircuit = *lessonAt(m_lessonIndex);
    m_customChallenge = shelved ? shelved->challenge : nullptr;
    m_challengeMode = true;
    m_document.markSaved(QString(), serializeCircuit(*m_workingCircuit));
}

bool Experiment::setWorkingCircuit(const Circuit &circuit, const QString &path, QString *error)
{
    std::optional<CircuitEditor> editor;
    try {
        editor.emplace(circuit);
    } catch (const std::exception &refusal) {
        if (error) {
            *error = QString::fromUtf8(refusal.what());
        }
        return false;
    }
    m_workingCircuit = editor->circuit();
    m_algorithm.reset();
    m_challengeMode = false;
    m_customChallenge.reset();
    clearChallengeCheck();
    m_document.markSaved(path, serializeCircuit(*m_workingCircuit));
    return true;
}

bool Experiment::openCustomChallenge(const ChallengeFile &challenge, QString *error)
{
    Circuit answer;
    try {
        validateChallengeDefinition(challenge.definition);
        setCustomTexts(answer);
        answer.qubitCount = challenge.definition.qubitCount;
        answer = CircuitEditor(answer).circuit();
    } catch (const std::exception &refusal) {
        if (error) {
            *error = QString::fromUtf8(refusal.what());
        }
        return false;
    }
    m_workingCircuit = std::move(answer);
    m_algorithm.reset();
    m_challengeMode = true;
    m_customChallenge = std::make_shared<const ChallengeFile>(challenge);
    m_hintsShown = 0;
    clearChallengeCheck();
    m_document.markSaved(QString(), serializeCircuit(*m_workingCircuit));
    return true;
}

bool Experiment::answersPackChallenge() const
{
    const ShelvedLesson *shelved = shelvedLesson(m_lessonIndex);
    return m_customChallenge && shelved && m_customChallenge == shelved->challenge;
}

bool Experiment::hasChallenge() const
{
    return m_challengeMode && (m_customChallenge || findChallenge(static_cast<std::uint64_t>(m_lessonIndex)));
}

std::int32_t Experiment::hintCount() const
{
    if (!hasChallenge()) {
        return 0;
    }
    return m_customChallenge ? writtenHintCount(m_customChallenge->definition) : 3;
}

bool Experiment::restoreWorkingCircuit(const Circuit &circuit, std::optional<GeneratedAlgorithm> algorithm)
{
    if (!m_workingCircuit) {
        return false;
    }
    try {
        const CircuitEditor editor(circuit);
        m_workingCircuit = editor.circuit();
    } catch (const std::exception &) {
        return false;
    }
    m_algorithm = std::move(algorithm);
    return true;
}

bool Experiment::attachAlgorithm(const GeneratedAlgorithm &algorithm)
{
    if (!m_workingCircuit || serializeCircuit(algorithm.circuit) != serializeCircuit(*m_workingCircuit)) {
        return false;
    }
    m_algorithm = algorithm;
    return true;
}

bool Experiment::editWorkingCircuit(const std::function<void(CircuitEditor &)> &edit)
{
    if (!m_workingCircuit) {
        return false;
    }
    CircuitEditor editor(*m_workingCircuit);
    edit(editor);
    m_workingCircuit = editor.circuit();
    m_algorithm.reset();
    return true;
}

namespace {

bool fitsCircuit(const ExperimentRecord &record, const Circuit &circuit)
{
    const std::uint64_t dimension = std::uint64_t{1} << circuit.qubitCount;
    const auto inRegister = [dimension](std::int64_t index) {
        return index >= -1 && index < static_cast<std::int64_t>(dimension);
    };
    const bool countsFit =
        record.lastShotsTotal == 0 ? record.lastShotsCounts.empty() : record.lastShotsCounts.size() == dimension;
    return record.state.qubitCount() == circuit.qubitCount && record.currentStep <= circuit.steps.size() &&
           inRegister(record.lastOutcome) && inRegister(record.prediction) && countsFit &&
           (record.shotsTotal == 0 || record.shotsTotal == record.lastShotsTotal) && record.hintsShown >= 0 &&
           record.hintsShown <= 3;
}

} // namespace

bool Experiment::restore(const ExperimentRecord &record)
{
    const Lesson *lesson = lessonAt(record.lessonIndex);
    if (!lesson) {
        return false;
    }
    std::optional<Circuit> working;
    if (record.workingCircuit) {
        try {
            working = CircuitEditor(*record.workingCircuit).circuit();
        } catch (const std::exception &) {
            return false;
        }
    }
    const Circuit &shown = working ? *working : *lesson;
    if (!fitsCircuit(record, shown) || (record.challengeMode && !working) || (record.algorithm && !working) ||
        (record.customChallenge && (!record.challengeMode || record.algorithm ||
                                    record.customChallenge->definition.qubitCount != working->qubitCount))) {
        return false;
    }
    if (record.customChallenge) {
        try {
            validateChallengeDefinition(record.customChallenge->definition);
        } catch (const std::exception &) {
            return false;
        }
        if (record.hintsShown > writtenHintCount(record.customChallenge->definition)) {
            return false;
        }
    }
    m_lessonIndex = record.lessonIndex;
    m_workingCircuit = std::move(working);
    m_algorithm = record.algorithm;
    m_challengeMode = record.challengeMode;
    m_customChallenge =
        record.customChallenge ? std::make_shared<const ChallengeFile>(*record.customChallenge) : nullptr;
    // The lesson's own challenge is the shelved one, so that the selector names the lesson, not a teacher's file.
    const ShelvedLesson *shelved = shelvedLesson(record.lessonIndex);
    if (m_customChallenge && shelved && shelved->challenge &&
        serializeChallenge(*m_customChallenge) == serializeChallenge(*shelved->challenge)) {
        m_customChallenge = shelved->challenge;
    }
    m_hintsShown = record.hintsShown;
    clearChallengeCheck();
    m_state = record.state;
    m_currentStep = record.currentStep;
    m_measured = record.lastOutcome >= 0;
    m_lastOutcome = record.lastOutcome;
    m_lastShotsTotal = record.lastShotsTotal;
    m_lastShotsCounts = record.lastShotsCounts;
    m_shotsTotal = record.shotsTotal;
    m_histogram = record.shotsTotal != 0 ? record.lastShotsCounts : Histogram();
    m_prediction = record.prediction;
    m_random = record.random;
    m_document.history().clear();
    if (m_workingCircuit) {
        m_document.markSaved(QString(), serializeCircuit(*m_workingCircuit));
    } else {
        m_document.clear();
    }
    clearLog();
    // At most the notebook's own limit, the newest kept, as appending them one by one would.
    const std::size_t kept = std::min(record.notebook.size(), kMaxLogEvents);
    for (auto event = record.notebook.end() - static_cast<std::ptrdiff_t>(kept); event != record.notebook.end();
         ++event) {
        m_logEvents.push_back(*event);
    }
    announce(Restored);
    return true;
}

EditSnapshot Experiment::snapshotNow() const
{
    return captureSnapshot(*m_workingCircuit, m_currentStep, m_algorithm ? &m_algorithm->parameters : nullptr);
}

bool Experiment::applyEdit(EditAction action, std::uint64_t step, const std::function<void(CircuitEditor &)> &edit)
{
    if (!m_workingCircuit) {
        return false;
    }
    const ChangeBatch batch(*this);
    EditSnapshot before = snapshotNow();
    if (!editWorkingCircuit(edit)) {
        return false;
    }
    m_document.history().recordBeforeEdit(std::move(before));
    resetToStep(action, step);
    return true;
}

bool Experiment::restoreSnapshot(const EditSnapshot &snapshot)
{
    // The snapshot was taken of a circuit the editor held, so both steps succeed; should either refuse, the
    // working circuit stays as it is.
    return restoreWorkingCircuit(snapshot.circuit, restoredAlgorithm(snapshot)) &&
           resetToStep(EditAction::EditRestored, restoredStage(snapshot));
}

bool Experiment::undo()
{
    if (!m_workingCircuit || !m_document.history().canUndo()) {
        return false;
    }
    const std::optional<EditSnapshot> entry = m_document.history().undo(snapshotNow());
    return entry && restoreSnapshot(*entry);
}

bool Experiment::redo()
{
    if (!m_workingCircuit || !m_document.history().canRedo()) {
        return false;
    }
    const std::optional<EditSnapshot> entry = m_document.history().redo(snapshotNow());
    return entry && restoreSnapshot(*entry);
}

bool Experiment::checkChallengeSolution()
{
    if (!m_workingCircuit || !hasChallenge()) {
        return false;
    }
    const Challenge *challenge = findChallenge(static_cast<std::uint64_t>(m_lessonIndex));
    auto diagnosis = std::make_shared<const Diagnosis>(
        m_customChallenge ? diagnoseChallenge(m_customChallenge->definition, *m_workingCircuit)
                          : diagnoseChallenge(*challenge, *m_workingCircuit));
    const ChallengeResult &result = diagnosis->result;
    m_challengeFidelity = result.fidelity;
    m_phaseHint = result.probabilitiesMatch && !isSolvingFidelity(result.fidelity);
    m_challengeStatus = result.solved ? 1 : static_cast<std::int32_t>(result.status) + 1;
    m_lastDiagnosis = std::move(diagnosis);
    appendLog(LogEventKind::ChallengeCheck, result.solved ? 1 : 0,
              static_cast<std::uint64_t>(std::llround(result.fidelity * 10000.0)));
    announce(ChallengeProgressed);
    return true;
}

bool Experiment::showNextHint()
{
    if (m_hintsShown >= hintCount()) {
        return false;
    }
    const std::int32_t shown = m_hintsShown;
    m_hintsShown = shown + 1;
    // value2 tells the notebook whose hint it was: a teacher's challenge is not in the lesson catalog.
    appendLog(LogEventKind::Hint, static_cast<std::uint64_t>(shown), m_customChallenge ? 1 : 0);
    announce(ChallengeProgressed);
    return true;
}

void Experiment::recordValidation(std::uint64_t passed, std::uint64_t total)
{
    appendLog(LogEventKind::Validation, passed, total);
}

void Experiment::appendLog(LogEventKind kind, std::uint64_t value, std::uint64_t value2)
{
    if (m_logEvents.size() >= kMaxLogEvents) {
        m_logEvents.pop_front();
    }
    LogEvent event;
    event.kind = static_cast<std::int32_t>(kind);
    event.lessonIndex = m_lessonIndex;
    event.value = value;
    event.value2 = value2;
    event.shots = m_shotsTotal;
    const Circuit &circuit = shownCircuit();
    event.qubits = circuit.qubitCount;
    if (kind == LogEventKind::Step && value < circuit.steps.size()) {
        event.gate = circuit.steps[static_cast<std::size_t>(value)].gate;
        event.working = m_workingCircuit.has_value();
    }
    m_logEvents.push_back(event);
    if (m_logAppended) {
        m_logAppended(m_logEvents.back());
    }
}

void Experiment::clearLog()
{
    m_logEvents.clear();
    if (m_logCleared) {
        m_logCleared();
    }
}

} // namespace Fasoria
