#pragma once

#include "core/Circuit.h"
#include "core/GateText.h"
#include "core/Measurement.h"
#include "core/RandomGenerator.h"
#include "core/StateVector.h"
#include "curriculum/AlgorithmGenerator.h"
#include "editor/ChallengeFile.h"
#include "ui/model/CircuitDocument.h"
#include "ui/model/LogEvent.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace Fasoria {

class CircuitEditor;
struct Diagnosis;

/// A whole experiment as a learning session stores it, checked by the session reader, ready to be put in
/// place at once.
struct ExperimentRecord
{
    std::int32_t lessonIndex = 0;
    /// The working circuit; none shows the catalog lesson read-only.
    std::optional<Circuit> workingCircuit;
    std::optional<GeneratedAlgorithm> algorithm;
    bool challengeMode = false;
    /// A teacher's challenge the working circuit answers instead of the lesson's (challenge mode only).
    std::optional<ChallengeFile> customChallenge;
    std::int32_t hintsShown = 0;
    /// The displayed state after `currentStep` steps, collapsed when `lastOutcome` ≥ 0.
    StateVector state = createState(1);
    std::uint64_t currentStep = 0;
    std::int32_t lastOutcome = -1;
    std::uint64_t lastShotsTotal = 0;
    Histogram lastShotsCounts;
    /// The preparations shown in the histogram: 0 or lastShotsTotal.
    std::uint64_t shotsTotal = 0;
    std::int32_t prediction = -1;
    RandomGenerator random;
    /// The notebook's events, oldest first; a record without any starts with an empty notebook.
    std::vector<LogEvent> notebook;
};

/// The experiment the main window shows: one circuit (the working copy when there is one, otherwise the
/// catalog lesson), the displayed state after its first `currentStep` steps, possibly collapsed by one
/// measurement, the histogram of repeated preparations, the recorded prediction and the notebook events.
///
/// Every operation checks its preconditions first and returns false, changing nothing, when they do not
/// hold; the window enables its buttons by the same rules. Every rebuild of the state clears the
/// measurement and the histogram. Events go to the notebook through the observers, in recording order.
///
/// Each operation that leaves a whole new experiment, state, prediction or challenge verdict announces it with
/// changed(), once, when it is complete; the views refresh themselves from it. The operations that only
/// replace the circuit announce nothing: the rebuild that must follow them (resetToStep) does.
class Experiment : public QObject
{
    Q_OBJECT

public:
    /// What an operation changed, so that a view redraws only what depends on it.
    enum Change
    {
        /// The state moved on in place: a step, a measurement, repeated preparations.
        Stepped = 0x1,
        /// The state was rebuilt from |0...0> by replay at another stage.
        Replayed = 0x2,
        /// A new experiment: another lesson or circuit, or a rebuild after an edit; everything shown starts
        /// over, predictions included.
        Restarted = 0x4,
        /// A whole recorded experiment was put in place (a session), with its prediction.
        Restored = 0x8,
        /// A prediction was recorded.
        Predicted = 0x10,
        /// The challenge was checked or a hint shown.
        ChallengeProgressed = 0x20,
    };
    Q_DECLARE_FLAGS(Changes, Change)

    /// While one lives, the operations' announcements are held and made one when the outermost ends: several
    /// operations that belong together are shown once, whole.
    class ChangeBatch
    {
    public:
        explicit ChangeBatch(Experiment &experiment);
        ~ChangeBatch();
        ChangeBatch(const ChangeBatch &) = delete;
        ChangeBatch &operator=(const ChangeBatch &) = delete;

    private:
        Experiment &m_experiment;
    };

    /// The notebook keeps this many events; appending one more drops the oldest.
    static constexpr std::size_t kMaxLogEvents = 200;

    /// Lesson 0, no state yet; the generator is seeded with one 32-bit value of the system's non-deterministic
    /// source.
    explicit Experiment(QObject *parent = nullptr);

    /// Called with every appended event and when the notebook is emptied.
    void setLogObservers(std::function<void(const LogEvent &)> appended, std::function<void()> cleared);

    std::int32_t lessonIndex() const { return m_lessonIndex; }
    /// The working circuit when present, otherwise catalog lesson lessonIndex().
    const Circuit &shownCircuit() const;
    std::uint64_t stepCount() const { return shownCircuit().steps.size(); }
    const Circuit *workingCircuit() const { return m_workingCircuit ? &*m_workingCircuit : nullptr; }
    const GeneratedAlgorithm *algorithm() const { return m_algorithm ? &*m_algorithm : nullptr; }
    /// The displayed state; null before the first restart.
    const StateVector *state() const { return m_state ? &*m_state : nullptr; }

    std::uint64_t currentStep() const { return m_currentStep; }
    bool isMeasured() const { return m_measured; }
    /// The rules the window enables its buttons by, the same the operations check.
    /// Next step: a state, nothing measured, steps left.
    bool canStepForward() const;
    /// Previous step: past step 0, or measured at step 0 (going back rebuilds it).
    bool canGoBack() const;
    /// Measure once and repeat preparations: a state that was not measured.
    bool canMeasure() const;
    std::int32_t lastOutcome() const { return m_lastOutcome; }
    std::uint64_t shotsTotal() const { return m_shotsTotal; }
    const Histogram &histogram() const { return m_histogram; }
    /// The last repeated-preparation result; survives a single measurement, cleared by every rebuild.
    std::uint64_t lastShotsTotal() const { return m_lastShotsTotal; }
    const Histogram &lastShotsCounts() const { return m_lastShotsCounts; }
    /// Recorded basis index, −1 for none.
    std::int32_t prediction() const { return m_prediction; }

    bool isChallengeMode() const { return m_challengeMode; }
    /// The teacher's challenge being answered; null for a lesson's own challenge and outside challenge mode.
    const ChallengeFile *customChallenge() const { return m_customChallenge.get(); }
    /// Whether the challenge answered is a pack lesson's own (it is also customChallenge()), rather than a
    /// teacher's challenge file opened over the lesson.
    bool answersPackChallenge() const;
    /// Whether a challenge is being answered: the lesson's own or a teacher's.
    bool hasChallenge() const;
    std::int32_t hintsShown() const { return m_hintsShown; }
    /// The hints that can be shown: three for a lesson's challenge, for a teacher's up to the last one
    /// written in either language; 0 without a challenge.
    std::int32_t hintCount() const;
    /// 0 not checked, 1 solved, otherwise the failed check's ChallengeStatus plus one (2..8).
    std::int32_t challengeStatus() const { return m_challengeStatus; }
    bool phaseHint() const { return m_phaseHint; }
    double challengeFidelity() const { return m_challengeFidelity; }
    /// Why the last check gave its verdict; null until a check and again after every step reset.
    const Diagnosis *lastDiagnosis() const { return m_lastDiagnosis.get(); }

    /// The working circuit's file and unsaved-changes mark.
    const CircuitDocument &document() const { return m_document; }
    CircuitDocument &document() { return m_document; }

    const std::deque<LogEvent> &logEvents() const { return m_logEvents; }
    RandomGenerator &random() { return m_random; }
    const RandomGenerator &randomGenerator() const { return m_random; }

    /// Prepares the shown circuit at step 0 and records it in the notebook.
    void restart();
    /// Rebuilds at `step` after an edit, an undo or a redo: the notebook goes on with the preparation and the
    /// editor event (what the student did before stays), the challenge must be checked again; a new working
    /// copy also starts without undo history. False for a step past the end.
    bool resetToStep(EditAction action, std::uint64_t step);
    /// A new experiment on the working circuit just set (a new, opened or imported circuit, a generated
    /// algorithm, a teacher's challenge): the notebook starts afresh, then resetToStep at step 0. False
    /// without a working circuit.
    bool beginExperiment();
    /// Empties the notebook at the student's request; nothing else changes.
    void clearNotebook();
    /// Rebuilds the state after `step` steps by replay; the prediction stays. False for a step past the end,
    /// or for the step already shown while nothing was measured or sampled.
    bool goToStep(std::uint64_t step);
    /// Applies the next step in place. False without a state, after a measurement or at the end.
    bool nextStep();
    /// One step back; at step 0 after a measurement, rebuilds step 0.
    bool previousStep();
    /// Collapses the displayed state; the last-preparations copy stays. False without a state or once
    /// measured.
    bool measureOnce();
    /// Samples `shots` independent preparations without touching the state. False without a state, once
    /// measured, or for zero shots.
    bool repeatPreparations(std::uint64_t shots);
    /// Goes from a stage before the end to the last one and samples `shots` preparations of the whole circuit
    /// there, announced once; the notebook gets the navigation and the preparations. False, changing nothing,
    /// without a state, for zero shots or at the end already.
    bool prepareWholeCircuit(std::uint64_t shots);
    /// A prediction can be recorded only at step 0, before any measurement or preparation.
    bool canRecordPrediction() const;
    /// False when recording is not possible now or the index is not a basis state of the register.
    bool recordPrediction(std::uint64_t basisIndex);
    /// Probability of the recorded prediction after the whole circuit, from a fresh replay (so a measurement
    /// of the displayed state does not matter); 0 without a prediction.
    double predictionProbabilityAtEnd() const;

    /// Shows lesson `index` (a catalog or shelved lesson, see lessonAt) read-only (or a fresh answer circuit for a
    /// challenge) with an empty notebook; the state is prepared by the next restart. False for an index outside the
    /// catalog.
    bool chooseLesson(std::int32_t index);
    /// Starts afresh on lesson `index`: chosen, prepared, with no undo history. False, changing nothing, for
    /// an index outside the catalog.
    bool startLesson(std::int32_t index);
    /// Drops the working circuit, its algorithm, file, undo history and hints, prepares the lesson again and
    /// records the restoration after what the notebook already holds. False without a working circuit.
    bool restoreLesson();
    /// Makes a challenge lesson's working circuit an empty copy of it; other lessons leave challenge mode.
    void enterChallengeMode();
    /// Answers a teacher's challenge: the working circuit becomes an empty circuit of its qubit count, counted
    /// as saved, in challenge mode with no hint shown; the lesson stays selected, any generated algorithm goes.
    /// The caller rebuilds with resetToStep. A definition validateChallengeDefinition refuses changes nothing:
    /// false with its (English) message.
    bool openCustomChallenge(const ChallengeFile &challenge, QString *error);
    /// Makes a copy of `circuit` the working circuit, remembered as saved under `path` (empty: never saved),
    /// and leaves challenge mode and any generated algorithm; the caller rebuilds with resetToStep. A circuit
    /// the editor would refuse changes nothing: false with the editor's (English) message.
    bool setWorkingCircuit(const Circuit &circuit, const QString &path, QString *error);
    /// Puts `circuit` back as the working circuit with `algorithm` attached (or none), keeping the file and
    /// its saved bytes: the caller rebuilds with resetToStep, which recomputes the mark. False, changing
    /// nothing, without a working circuit or for a circuit the editor refuses.
    bool restoreWorkingCircuit(const Circuit &circuit, std::optional<GeneratedAlgorithm> algorithm);
    /// Attaches the generator's result to the working circuit it produced. False without a working circuit
    /// or when the circuits differ.
    bool attachAlgorithm(const GeneratedAlgorithm &algorithm);

    /// Runs `edit` on an editor holding a copy of the working circuit and keeps the result; the generated
    /// algorithm is dropped, since an edited circuit is no longer the generated one. The caller rebuilds with
    /// resetToStep. An error the editor raises propagates and changes nothing. False without a working circuit.
    bool editWorkingCircuit(const std::function<void(CircuitEditor &)> &edit);

    /// One edit of the working circuit as the student makes it: `edit` on an editor holding a copy, the circuit
    /// before it kept for undo, and the rebuild at `step`, announced once. An error the editor raises
    /// propagates and changes nothing, the undo history included. False without a working circuit.
    bool applyEdit(EditAction action, std::uint64_t step, const std::function<void(CircuitEditor &)> &edit);
    /// Puts back the working circuit before the last edit (undo) or after the last undone one (redo), at the
    /// stage it was shown at. False when there is nothing to undo or redo.
    bool undo();
    bool redo();

    /// Grades the working circuit against the challenge being answered and records the check in the notebook.
    /// False without a working circuit in challenge mode; the checker's errors propagate and change nothing.
    bool checkChallengeSolution();
    /// Reveals the next hint and records it. False outside challenge mode or after the last (hintCount).
    bool showNextHint();

    /// Puts a whole recorded experiment in place with an empty notebook and an unchecked challenge; the working
    /// circuit counts as saved (a session is its file) and its edit history is emptied. False, changing
    /// nothing, for a record that does not hang together (a lesson outside the catalog, a circuit the editor
    /// refuses, a state, stage, outcome or histogram that does not fit the circuit).
    bool restore(const ExperimentRecord &record);

    /// Records a run of the validation suite: `passed` of `total` checks.
    void recordValidation(std::uint64_t passed, std::uint64_t total);

    /// Records a notebook event for the current lesson.
    void appendLog(LogEventKind kind, std::uint64_t value, std::uint64_t value2);
    void clearLog();

signals:
    void changed(Fasoria::Experiment::Changes changes);

private:
    void announce(Changes changes);
    EditSnapshot snapshotNow() const;
    bool restoreSnapshot(const EditSnapshot &snapshot);

    void rebuild(std::uint64_t step);
    void clearShots();
    void clearMeasurements();
    void clearLastShots();
    void clearChallengeCheck();

    std::int32_t m_lessonIndex = 0;
    std::optional<Circuit> m_workingCircuit;
    std::optional<GeneratedAlgorithm> m_algorithm;
    std::optional<StateVector> m_state;
    RandomGenerator m_random;
    std::uint64_t m_currentStep = 0;
    bool m_measured = false;
    std::uint64_t m_shotsTotal = 0;
    Histogram m_histogram;
    std::uint64_t m_lastShotsTotal = 0;
    Histogram m_lastShotsCounts;
    std::int32_t m_prediction = -1;
    std::int32_t m_lastOutcome = -1;
    bool m_challengeMode = false;
    std::shared_ptr<const ChallengeFile> m_customChallenge;
    std::int32_t m_hintsShown = 0;
    std::int32_t m_challengeStatus = 0;
    bool m_phaseHint = false;
    double m_challengeFidelity = 0.0;
    std::shared_ptr<const Diagnosis> m_lastDiagnosis;
    CircuitDocument m_document;
    std::deque<LogEvent> m_logEvents;
    std::function<void(const LogEvent &)> m_logAppended;
    std::function<void()> m_logCleared;
    int m_batchDepth = 0;
    Changes m_heldChanges;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Experiment::Changes)

} // namespace Fasoria
