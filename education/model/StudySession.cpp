#include "education/model/StudySession.h"

#include "curriculum/Challenge.h"
#include "editor/ChallengeFile.h"
#include "education/model/LearningLab.h"
#include "ui/model/LessonShelf.h"
#include "ui/model/PanelTexts.h"
#include "ui/texts/TextCatalog.h"

#include <QDate>
#include <QScopedValueRollback>

namespace Fasoria {

namespace {

constexpr TextPair kTeacherChallenge = {"Sfida dell'insegnante", "Teacher's challenge"};

} // namespace

SessionData gatherSession(const Experiment &experiment, const LearningLab &lab, const StudyTexts &texts,
                          std::int32_t selectedShots, bool simpleMode)
{
    SessionData session;
    session.lessonIndex = experiment.lessonIndex();
    // A pack lesson travels with the session, named by the index after the catalog's.
    const ShelvedLesson *shelved = shelvedLesson(experiment.lessonIndex());
    if (shelved) {
        session.lessonIndex = catalogLessonCount();
        session.lessonPack = LessonPack{shelved->packTitleIt, shelved->packTitleEn, {shelved->source}};
    }
    session.circuit = experiment.shownCircuit();
    session.editor = experiment.workingCircuit() != nullptr;
    session.challenge = experiment.isChallengeMode();
    if (const ChallengeFile *challenge = experiment.customChallenge();
        challenge && !experiment.answersPackChallenge()) {
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
    session.studentName = texts.studentName;
    session.className = texts.className;
    // A sheet nobody dated is dated the day its session is kept, so that it prints that day's date later.
    session.date = texts.date.isEmpty() ? QDate::currentDate().toString(Qt::ISODate) : texts.date;
    session.selectedShots = selectedShots;
    session.simpleMode = simpleMode;
    session.comparisonA = lab.copy(CopySide::A);
    session.comparisonB = lab.copy(CopySide::B);
    if (const GeneratedAlgorithm *algorithm = experiment.algorithm()) {
        session.algorithm = *algorithm;
    }
    session.random = experiment.randomGenerator();
    session.notebook = std::vector<LogEvent>(experiment.logEvents().begin(), experiment.logEvents().end());
    for (LogEvent &event : *session.notebook) {
        if (shelvedLesson(event.lessonIndex)) {
            event.lessonIndex = catalogLessonCount();
        }
    }
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
    record.customChallenge = session.customChallenge;
    if (session.lessonPack && !session.lessonPack->lessons.empty()) {
        // The kept lesson goes on the shelf (where an open pack may have put it already) and takes its index.
        const LessonPack &pack = *session.lessonPack;
        record.lessonIndex = shelveLesson(pack.lessons.front(), pack.titleIt, pack.titleEn);
        const ShelvedLesson &shelved = *shelvedLesson(record.lessonIndex);
        if (session.challenge && !session.customChallenge && shelved.challenge && record.workingCircuit) {
            record.customChallenge = *shelved.challenge;
            setLessonTexts(*record.workingCircuit, shelved.lesson);
        }
    }
    record.algorithm = session.algorithm;
    record.challengeMode = session.challenge;
    record.hintsShown = session.hintLevel;
    record.state = *session.state;
    record.currentStep = session.stage;
    record.lastOutcome = session.measurement;
    record.lastShotsTotal = session.shotCount;
    record.lastShotsCounts = session.histogram;
    record.shotsTotal = session.visibleShots;
    record.prediction = session.predictionBasis;
    record.random = session.random;
    if (session.notebook) {
        record.notebook = *session.notebook;
        for (LogEvent &event : record.notebook) {
            if (event.lessonIndex == catalogLessonCount()) {
                event.lessonIndex = record.lessonIndex;
            }
        }
    }
    return record;
}

StudyTexts studyTexts(const SessionData &session)
{
    return StudyTexts{session.question,          session.draftReason, session.notes,     session.conclusion,
                      session.draftDistribution, session.studentName, session.className, session.date};
}

} // namespace Fasoria

namespace Fasoria {

StudySession::StudySession(Experiment &experiment, QObject *parent) : QObject(parent), m_experiment(experiment)
{
    connect(&m_experiment, &Experiment::changed, this, &StudySession::followExperiment);
}

void StudySession::followExperiment(Experiment::Changes changes)
{
    if (m_applying) {
        return;
    }
    // A rebuilt state is a new experiment for the distribution prediction; a restored one brings its own.
    if (changes & (Experiment::Restarted | Experiment::Replayed)) {
        m_lab.clearPrediction();
        if (m_texts.distributionDraft != 0) {
            m_texts.distributionDraft = 0;
            emit textsReplaced();
        }
    }
    refreshMarks();
    emit changed();
}

void StudySession::touch()
{
    m_experiment.document().session().touched = true;
    refreshMarks();
    emit changed();
}

void StudySession::setTexts(const StudyTexts &texts)
{
    m_texts = texts;
    touch();
}

void StudySession::setPreparations(std::uint64_t count)
{
    if (count == m_preparations) {
        return;
    }
    m_preparations = count;
    emit preparationsChanged(count);
    if (!m_applying) {
        refreshMarks();
        emit changed();
    }
}

void StudySession::setSimpleMode(bool beginner)
{
    if (beginner == m_simpleMode) {
        return;
    }
    m_simpleMode = beginner;
    emit simpleModeChanged(beginner);
    if (!m_applying) {
        refreshMarks();
        emit changed();
    }
}

bool StudySession::recordPrediction()
{
    if (!m_lab.recordPrediction(ExperimentView::of(m_experiment), m_texts.distributionDraft, m_texts.reasonDraft)) {
        return false;
    }
    m_experiment.appendLog(LogEventKind::DistributionPrediction, static_cast<std::uint64_t>(m_lab.recordedPrediction()),
                           0);
    touch();
    return true;
}

bool StudySession::applyPreset(int index)
{
    if (!m_lab.applyPreset(index)) {
        return false;
    }
    touch();
    return true;
}

bool StudySession::capture(CopySide side)
{
    if (!m_experiment.state() || !m_lab.capture(side, m_experiment.shownCircuit(), m_experiment.currentStep())) {
        return false;
    }
    touch();
    return true;
}

bool StudySession::appendH()
{
    if (!m_lab.appendH()) {
        return false;
    }
    touch();
    return true;
}

bool StudySession::setStage(CopySide side, int stage)
{
    if (stage < 0 || !m_lab.setStage(side, static_cast<std::uint64_t>(stage))) {
        return false;
    }
    touch();
    return true;
}

bool StudySession::startAfresh(const std::function<bool(Experiment &)> &start)
{
    {
        // The views see the new work once, with the session already fresh; the session announces itself once,
        // after the experiment.
        const QScopedValueRollback<bool> quiet(m_applying, true);
        const Experiment::ChangeBatch batch(m_experiment);
        if (start && !start(m_experiment)) {
            return false;
        }
        m_lab.clearPrediction();
        // Who is working, in which class and on which day stays the same from one experiment to the next.
        StudyTexts fresh;
        fresh.studentName = m_texts.studentName;
        fresh.className = m_texts.className;
        fresh.date = m_texts.date;
        m_texts = fresh;
        m_experiment.document().session() = SessionMarks{};
        emit textsReplaced();
    }
    emit changed();
    return true;
}

SessionData StudySession::gather() const
{
    return gatherSession(m_experiment, m_lab, m_texts, static_cast<std::int32_t>(m_preparations), m_simpleMode);
}

QByteArray StudySession::serialise() const
{
    return m_experiment.state() ? serialiseSession(gather()) : QByteArray();
}

bool StudySession::apply(const SessionData &session)
{
    const std::optional<ExperimentRecord> record = experimentRecord(session);
    if (!record) {
        return false;
    }
    SessionMarks &marks = m_experiment.document().session();
    {
        // The views see the session once, whole, when the texts and the choices are in place too; the marks
        // are computed once it is.
        const QScopedValueRollback<bool> applying(m_applying, true);
        const Experiment::ChangeBatch batch(m_experiment);
        if (!m_experiment.restore(*record)) {
            return false;
        }
        m_lab.setRecordedPrediction(session.distributionPrediction, session.predictionReason);
        m_lab.setCopies(session.comparisonA, session.comparisonB);
        m_texts = studyTexts(session);
        emit textsReplaced();
        setPreparations(static_cast<std::uint64_t>(session.selectedShots));
        setSimpleMode(session.simpleMode);
        marks = SessionMarks{};
        marks.touched = true;
    }
    marks.baseline = serialise();
    marks.dirty = false;
    emit changed();
    return true;
}

bool StudySession::restore(const QByteArray &bytes, QString *message)
{
    SessionData session;
    return restoreSession(bytes, session, message) && apply(session);
}

void StudySession::markSaved(const QString &path, const QByteArray &written)
{
    SessionMarks &marks = m_experiment.document().session();
    marks.path = path;
    marks.touched = true;
    marks.baseline = written;
    marks.dirty = false;
    m_experiment.document().keepAsSaved(m_experiment.workingCircuit());
    emit changed();
}

void StudySession::markOpened(const QString &path)
{
    SessionMarks &marks = m_experiment.document().session();
    marks.path = path;
    marks.baseline = serialise();
    marks.dirty = false;
    emit changed();
}

void StudySession::keepAsItStands()
{
    CircuitDocument &document = m_experiment.document();
    document.keepAsSaved(m_experiment.workingCircuit());
    document.session().baseline = serialise();
    document.session().dirty = false;
    emit changed();
}

void StudySession::refreshMarks()
{
    SessionMarks &marks = m_experiment.document().session();
    if (marks.touched && !m_applying) {
        marks.dirty = serialise() != marks.baseline;
    }
}

LogContext StudySession::logContext(Language language) const
{
    LogContext context;
    context.language = language;
    context.currentLessonIndex = m_experiment.lessonIndex();
    context.workingCircuit = m_experiment.workingCircuit();
    if (const ChallengeFile *challenge = m_experiment.customChallenge()) {
        context.customChallenge = &challenge->definition;
    }
    const std::int32_t qubits = m_experiment.shownCircuit().qubitCount;
    context.distributionChoice = [qubits, language](std::uint64_t value) {
        return distributionChoiceText(static_cast<std::int64_t>(value), qubits, language);
    };
    context.reasoning = m_lab.predictionReason();
    return context;
}

WorksheetInput StudySession::worksheetInput(Language language) const
{
    WorksheetInput input;
    input.circuit = m_experiment.shownCircuit();
    input.currentStep = m_experiment.currentStep();
    input.predictionFeedback = m_lab.predictionFeedback(ExperimentView::of(m_experiment), language);
    input.predictionReason = m_lab.predictionReason();
    input.question = m_texts.question;
    input.notes = m_texts.notes;
    input.conclusion = m_texts.conclusion;
    input.lastShotsTotal = m_experiment.lastShotsTotal();
    input.lastShotsCounts = m_experiment.lastShotsCounts();
    input.lastOutcome = m_experiment.lastOutcome();
    input.studentName = m_texts.studentName;
    input.className = m_texts.className;
    input.date = m_texts.date.isEmpty() ? worksheetDate(QDate::currentDate(), language) : m_texts.date;
    input.predictionRecorded = m_lab.recordedPrediction() >= 0;
    // The work is named as the lesson selector names it; a teacher's challenge by its kind, its goal on a line
    // of its own.
    const Circuit &circuit = m_experiment.shownCircuit();
    switch (loadedKind(m_experiment)) {
    case LoadedKind::CatalogLesson:
        input.title = uiText({circuit.titleIt, circuit.titleEn}, language);
        break;
    case LoadedKind::TeacherChallenge:
        input.title = uiText(kTeacherChallenge, language);
        break;
    case LoadedKind::Custom:
    case LoadedKind::Algorithm:
        input.title = loadedName(m_experiment, language);
        break;
    }
    if (const ChallengeFile *teacher = m_experiment.customChallenge()) {
        input.goal = challengeGoal(teacher->definition, language);
    } else if (const Challenge *challenge = m_experiment.isChallengeMode()
                                                ? findChallenge(static_cast<std::uint64_t>(m_experiment.lessonIndex()))
                                                : nullptr) {
        input.goal = uiText({challenge->goalIt, challenge->goalEn}, language);
    }
    const LogContext context = logContext(language);
    for (const LogEvent &event : m_experiment.logEvents()) {
        input.notebook << renderLogEvent(event, context);
    }
    return input;
}

} // namespace Fasoria
