// Sessions and circuits the session and worksheet tests share.
#pragma once

#include "core/Circuit.h"
#include "core/GateText.h"
#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/LessonCatalog.h"
#include "editor/LessonPack.h"
#include "education/model/LearningSession.h"
#include "ui/model/LogEvent.h"

#include <QString>

#include <cmath>
#include <initializer_list>

namespace Fasoria::Samples {

inline const QString kRichNotes = QStringLiteral("<script>alert('x')</script> & note\nseconda riga %1");

inline Circuit circuitOf(std::int32_t qubits, std::initializer_list<Gate> gates)
{
    Circuit circuit;
    circuit.qubitCount = qubits;
    for (const Gate &gate : gates) {
        circuit.steps.emplace_back(gate.kind, gate.target, gate.control, gate.angle);
    }
    return circuit;
}

inline RandomGenerator advanced(std::uint64_t seed, int draws)
{
    RandomGenerator random(seed);
    for (int i = 0; i < draws; ++i) {
        random.next();
    }
    return random;
}

/// The coin lesson after its H, measured 1, with an earlier run of 100 preparations, both predictions,
/// every text, two comparison copies and a generator that has moved on.
inline SessionData richSession()
{
    SessionData session;
    session.circuit = lessonCatalog()[0];
    session.stage = 1;
    session.measurement = 1;
    session.shotCount = 100;
    session.histogram = {47, 53};
    session.predictionBasis = 0;
    session.distributionPrediction = 2;
    session.draftDistribution = 3;
    session.predictionReason = QStringLiteral("Metà e metà");
    session.draftReason = QStringLiteral("Metà e metà");
    session.question = QStringLiteral("Perché una H? \"%1\"");
    session.notes = kRichNotes;
    session.conclusion = QStringLiteral("L’interferenza restituisce 0.");
    session.selectedShots = 100;
    session.simpleMode = true;
    session.comparisonA = {true, lessonCatalog()[0], 1};
    const double pi = std::acos(-1.0);
    session.comparisonB = {true,
                           circuitOf(2, {{GateKind::H, 0, 0, 0.0},
                                         {GateKind::P, 1, 0, 0.1},
                                         {GateKind::Cnot, 1, 0, 0.0},
                                         {GateKind::P, 0, 0, -2.0 * pi}}),
                           2};
    session.random = advanced(2024, 17);
    return session;
}

inline SessionData generatedSession()
{
    const GeneratedAlgorithm grover = generateAlgorithm({AlgorithmKind::Grover, 3, 5, 2, 5, 2});
    SessionData session;
    session.editor = true;
    session.circuit = grover.circuit;
    session.algorithm = grover;
    session.stage = 51;
    session.random = RandomGenerator(7);
    return session;
}

/// Lesson 05 answered with one X: challenge mode, two hints shown.
inline SessionData challengeSession()
{
    SessionData session;
    session.lessonIndex = 4;
    session.editor = true;
    session.challenge = true;
    session.hintLevel = 2;
    session.circuit = lessonCatalog()[4];
    session.circuit.steps.emplace_back(GateKind::X, 0, 0, 0.0);
    session.stage = 1;
    return session;
}

/// A teacher's Bell challenge answered over the coin lesson: H done, the CNOT still missing, the first of
/// its two hints shown.
inline SessionData customChallengeSession()
{
    SessionData session;
    session.lessonIndex = 0;
    session.editor = true;
    session.challenge = true;
    session.hintLevel = 1;
    session.circuit = circuitOf(2, {{GateKind::H, 0, 0, 0.0}});
    setCustomTexts(session.circuit);
    session.stage = 1;
    ChallengeFile challenge;
    challenge.definition.qubitCount = 2;
    challenge.definition.goalIt = "Prepara una coppia di Bell.";
    challenge.definition.goalEn = "Prepare a Bell pair.";
    setChallengeHints(challenge.definition, {"Prima H.", "Poi CNOT.", ""}, {"First H.", "Then CNOT.", ""});
    challenge.definition.forbidden = {GateKind::Z};
    challenge.definition.maxGates = 3;
    challenge.reference = circuitOf(2, {{GateKind::H, 0, 0, 0.0}, {GateKind::Cnot, 1, 0, 0.0}});
    challenge.definition.target = targetFromCircuit(*challenge.reference);
    session.customChallenge = challenge;
    return session;
}

/// A session in a teacher's pack lesson: the guided Bell pair after its H, or (challenge) its challenge answered
/// with H and the first hint shown. The pack travels in the session as lesson 21.
inline SessionData packLessonSession(bool challenge)
{
    PackLesson lesson;
    lesson.id = challenge ? "bell-challenge" : "bell";
    lesson.titleIt = "La coppia di Bell";
    lesson.titleEn = "The Bell pair";
    lesson.questionIt = "Due qubit possono dare sempre lo stesso esito?";
    lesson.questionEn = "Can two qubits always give the same outcome?";
    lesson.explanationIt = "La misura di uno decide l'altro.";
    lesson.explanationEn = "Measuring one decides the other.";
    SessionData session;
    session.lessonIndex = static_cast<std::int32_t>(lessonCatalog().size());
    if (challenge) {
        lesson.challenge = customChallengeSession().customChallenge;
        session.editor = true;
        session.challenge = true;
        session.hintLevel = 1;
        session.circuit = circuitOf(2, {{GateKind::H, 0, 0, 0.0}});
        setCustomTexts(session.circuit);
    } else {
        lesson.guided = circuitOf(2, {{GateKind::H, 0, 0, 0.0}, {GateKind::Cnot, 1, 0, 0.0}});
        lesson.stepTexts = {{"H su q0.", "H on q0."}, {"CNOT li lega.", "CNOT ties them."}};
        session.circuit = circuitOf(2, {{GateKind::H, 0, 0, 0.0}, {GateKind::Cnot, 1, 0, 0.0}});
    }
    session.stage = 1;
    session.lessonPack = LessonPack{"Coppie", "Pairs", {lesson}};
    LogEvent prepared;
    prepared.lessonIndex = session.lessonIndex;
    prepared.qubits = 2;
    session.notebook = std::vector<LogEvent>{prepared};
    return session;
}

/// One notebook event as the experiment records it.
inline LogEvent logEvent(LogEventKind kind, std::uint64_t value, std::uint64_t value2 = 0, std::int32_t qubits = 1,
                         std::uint64_t shots = 0)
{
    LogEvent event;
    event.kind = static_cast<std::int32_t>(kind);
    event.value = value;
    event.value2 = value2;
    event.qubits = qubits;
    event.shots = shots;
    return event;
}

/// The rich session with a notebook holding an event of every kind, steps of the lesson and of a working
/// circuit among them.
inline SessionData notebookSession()
{
    SessionData session = richSession();
    LogEvent lessonStep = logEvent(LogEventKind::Step, 0);
    lessonStep.gate = Gate{GateKind::H, 0, 0, 0.0};
    LogEvent workingStep = logEvent(LogEventKind::Step, 3, 0, 2);
    workingStep.gate = Gate{GateKind::P, 1, 0, -0.1};
    workingStep.working = true;
    session.notebook = std::vector<LogEvent>{
        logEvent(LogEventKind::Prepared, 0),
        lessonStep,
        logEvent(LogEventKind::Navigation, 1),
        logEvent(LogEventKind::Measurement, 1),
        logEvent(LogEventKind::Preparations, 1, 53, 1, 100),
        logEvent(LogEventKind::Validation, 38, 38),
        logEvent(LogEventKind::Editor, static_cast<std::uint64_t>(EditAction::GateMoved), 2, 2),
        workingStep,
        logEvent(LogEventKind::Prediction, 3, 0, 2),
        logEvent(LogEventKind::ChallengeCheck, 1, 10000, 2),
        logEvent(LogEventKind::Hint, 2, 1, 2),
        logEvent(LogEventKind::DistributionPrediction, 3),
    };
    return session;
}

/// A destination no test document describes, to see that a refusal leaves it alone.
inline SessionData sentinel()
{
    SessionData session;
    session.lessonIndex = 2;
    session.circuit = lessonCatalog()[2];
    session.notes = QStringLiteral("sentinel");
    session.selectedShots = 1000;
    session.random = RandomGenerator(99);
    return session;
}

} // namespace Fasoria::Samples
