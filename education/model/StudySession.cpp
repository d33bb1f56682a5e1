#include "education/model/StudySession.h"

#include "education/model/LearningLab.h"

namespace Fasoria {

SessionData gatherSession(const Experiment &experiment, const LearningLab &lab, const StudyTexts &texts,
                          std::int32_t selectedShots, bool simpleMode)
{
    SessionData session;
    session.lessonIndex = experiment.lessonIndex();
    session.circuit = experiment.shownCircuit();
    session.editor = experiment.workingCircuit() != nullptr;
    session.challenge = experiment.isChallengeMode();
    if (const ChallengeFile *challenge = experiment.customChallenge()) {
        session.customChallenge = *challenge;
    }
    session.hintLevel = experiment.hintsShown();
    session.stage = experiment.currentStep();
    session.measurement = experiment.lastOutcome();
    session.shotCount = experiment.lastShotsTotal();
    session.visibleShots = experiment.shotsTotal();
    session.histogram = experiment.lastShotsCounts();
    session.predictionBasis = experiment.prediction();
    session.distributionPrediction = lab.recordedPrediction();
    session.predictionReason = lab.predictionReason();
    session.draftReason = texts.reasonDraft;
    session.question = texts.question;
    session.notes = texts.notes;
    session.conclusion = texts.conclusion;
    session.draftDistribution = texts.distributionDraft;
    session.selectedShots = selectedShots;
    session.simpleMode = simpleMode;
    session.comparisonA = lab.copy(CopySide::A);
    session.comparisonB = lab.copy(CopySide::B);
    if (const GeneratedAlgorithm *algorithm = experiment.algorithm()) {
        session.algorithm = *algorithm;
    }
    session.random = experiment.randomGenerator();
    return session;
}

std::optional<ExperimentRecord> experimentRecord(const SessionData &session)
{
    if (!session.state) {
        return std::nullopt;
    }
    ExperimentRecord record;
    record.lessonIndex = session.lessonIndex;
    if (session.editor) {
        record.workingCircuit = session.circuit;
    }
    record.algorithm = session.algorithm;
    record.challengeMode = session.challenge;
    record.hintsShown = session.hintLevel;
    record.customChallenge = session.customChallenge;
    record.state = *session.state;
    record.currentStep = session.stage;
    record.lastOutcome = session.measurement;
    record.lastShotsTotal = session.shotCount;
    record.lastShotsCounts = session.histogram;
    record.shotsTotal = session.visibleShots;
    record.prediction = session.predictionBasis;
    record.random = session.random;
    return record;
}

StudyTexts studyTexts(const SessionData &session)
{
    return StudyTexts{session.question, session.draftReason, session.notes, session.conclusion,
                      session.draftDistribution};
}

} // namespace Fasoria
