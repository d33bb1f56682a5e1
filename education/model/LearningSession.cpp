#include "education/model/LearningSession.h"

#include "fasoria/Version.h"

#include "curriculum/LessonCatalog.h"
#include "editor/AtomicSave.h"
#include "editor/CircuitFile.h"
#include "editor/FilePath.h"
#include "editor/InputFile.h"
#include "education/model/LearningLab.h"
#include "education/model/SessionNotebook.h"
#include "ui/model/LogEvent.h"
#include "ui/texts/TextCatalog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <iterator>

namespace Fasoria {

namespace {

// The refusal messages by SessionError, (Italian, English) like every text table of the program. The
// circuit reader's own message stands in for CircuitRefused.
const TextPair kRefusals[] = {
    {"", ""},
    {"Sessione oltre 1 MiB", "Session exceeds 1 MiB"},
    {"JSON sessione non valido", "Invalid session JSON"},
    {"Membro ripetuto \"%1\"", "Repeated member \"%1\""},
    {"Formato o lezione non validi", "Invalid format or lesson"},
    {"Circuito della sessione mancante", "Missing session circuit"},
    {"", ""},
    {"Valori sessione non validi", "Invalid session values"},
    {"Conteggi incoerenti", "Inconsistent sample counts"},
    {"Previsione incoerente", "Inconsistent prediction"},
    {"Contesto sfida non valido", "Invalid challenge context"},
    {"Circuito diverso dal catalogo", "Catalog circuit mismatch"},
    {"Testi sessione non validi", "Invalid session text"},
    {"Stato generatore non valido", "Invalid generator state"},
    {"Dati generatore aggiuntivi", "Trailing generator data"},
    {"Istogramma mancante", "Missing histogram"},
    {"Dimensione istogramma incoerente", "Histogram size mismatch"},
    {"Istogramma non valido", "Invalid histogram"},
    {"Totale istogramma incoerente", "Histogram total mismatch"},
    {"Confronto non valido", "Invalid comparison"},
    {"Contesto parametri non valido", "Invalid parameter context"},
    {"Parametri non validi", "Invalid parameters"},
    {"Circuito parametrico non valido", "Invalid parameter circuit"},
    {"Parametri e circuito discordanti", "Parameters and circuit disagree"},
    {"Esito istogramma impossibile", "Impossible histogram outcome"},
    {"Misura registrata impossibile", "Impossible recorded measurement"},
    {"Sfida dell'insegnante non valida", "Invalid teacher's challenge"},
    {"Quaderno della sessione non valido", "Invalid session notebook"},
    {"Lezione del pacchetto della sessione non valida", "Invalid session pack lesson"},
    {"Sessione illeggibile o troppo grande.", "Unreadable or oversized session."},
};
static_assert(std::size(kRefusals) == static_cast<std::size_t>(SessionError::Unreadable) + 1,
              "one message per refusal");

const TextPair kLimitWarning = {"Testo oltre il limite supportato (32.768 caratteri per campo).",
                                "Session text exceeds the supported limit (32,768 characters per field)."};
const TextPair kNotReadable = {"La sessione non può essere salvata come file leggibile: %1",
                               "The session cannot be saved as a readable file: %1"};

// The one-line summary of a session: %1 the heading, %2 and %3 the stage and the steps, %4 the measurement,
// %5 the preparations, %6 the predictions, %7 whether there are notes.
const TextPair kSummary = {"%1; passo %2 di %3; misura: %4; preparazioni: %5; previsioni: %6; note: %7",
                           "%1; stage %2 of %3; measurement: %4; preparations: %5; predictions: %6; notes: %7"};
const TextPair kSummaryLesson = {"Lezione %1 \"%2\"", "Lesson %1 \"%2\""};
const TextPair kSummaryPackLesson = {"Lezione \"%1\" del pacchetto \"%2\"", "Lesson \"%1\" of the pack \"%2\""};
const TextPair kSummaryNotebook = {"; quaderno: %1 voci", "; notebook: %1 entries"};
const TextPair kSummaryWorkingCircuit = {" (circuito di lavoro%1)", " (working circuit%1)"};
const TextPair kSummaryOutcome = {"esito |%1>", "outcome |%1>"};
const TextPair kSummaryDistribution = {"distribuzione \"%1\"", "distribution \"%1\""};
const TextPair kSummaryNone = {"nessuna", "none"};
const TextPair kSummaryNotes = {"sì", "yes"};
const TextPair kSummaryNoNotes = {"no", "no"};

bool fail(QString *error, const QString &message)
{
    if (error) {
        *error = message;
    }
    return false;
}

// Every count and index of a session is far below 2^53, so the JSON double holds it exactly.
QJsonValue number(std::uint64_t value)
{
    return QJsonValue(static_cast<qint64>(value));
}

// The circuit file's object, which the session embeds written compact like the rest of the document.
QJsonObject circuitObject(const Circuit &circuit)
{
    return QJsonDocument::fromJson(serializeCircuit(circuit)).object();
}

QJsonObject copyObject(const ComparisonCopy &copy)
{
    QJsonObject object;
    object.insert(QLatin1String("valid"), copy.valid);
    if (copy.valid) {
        object.insert(QLatin1String("circuit"), circuitObject(copy.circuit));
        object.insert(QLatin1String("stage"), number(copy.stage));
    }
    return object;
}

QJsonObject parametersObject(const AlgorithmParameters &parameters)
{
    QJsonObject object;
    object.insert(QLatin1String("algorithm"), static_cast<std::int32_t>(parameters.kind));
    object.insert(QLatin1String("qubits"), parameters.qubits);
    object.insert(QLatin1String("marked"), parameters.groverTarget);
    object.insert(QLatin1String("iterations"), parameters.groverIterations);
    object.insert(QLatin1String("secret"), parameters.bvSecret);
    object.insert(QLatin1String("deutsch_function"), parameters.deutschFunction);
    return object;
}

void insertTexts(QJsonObject &root, const SessionData &session)
{
    root.insert(QLatin1String("prediction_reason"), session.predictionReason);
    root.insert(QLatin1String("draft_reason"), session.draftReason);
    root.insert(QLatin1String("question"), session.question);
    root.insert(QLatin1String("notes"), session.notes);
    root.insert(QLatin1String("conclusion"), session.conclusion);
    root.insert(QLatin1String("rng_state"), QString::fromStdString(session.random.stateText()));
    // Written only when typed, so that a session without them keeps its bytes.
    const std::pair<const char *, const QString *> header[] = {
        {"student_name", &session.studentName}, {"class_name", &session.className}, {"date", &session.date}};
    for (const auto &[key, text] : header) {
        if (!text->isEmpty()) {
            root.insert(QLatin1String(key), *text);
        }
    }
}

} // namespace

QByteArray serialiseSession(const SessionData &session)
{
    QJsonArray histogram;
    for (std::uint64_t count : session.histogram) {
        histogram.append(number(count));
    }
    QJsonObject root;
    root.insert(QLatin1String("format"), QLatin1String("FasoriaSession"));
    root.insert(QLatin1String("version"), 1);
    root.insert(QLatin1String("application_version"), QLatin1String(kApplicationVersion));
    root.insert(QLatin1String("circuit"), circuitObject(session.circuit));
    root.insert(QLatin1String("lesson_index"), session.lessonIndex);
    if (session.lessonPack) {
        // The pack file's own object, so that the reader checks the lesson exactly as it checks a pack.
        root.insert(QLatin1String("lesson_pack"),
                    QJsonDocument::fromJson(serializeLessonPack(*session.lessonPack)).object());
    }
    root.insert(QLatin1String("editor"), session.editor);
    root.insert(QLatin1String("challenge"), session.challenge);
    root.insert(QLatin1String("hint_level"), session.hintLevel);
    root.insert(QLatin1String("stage"), number(session.stage));
    root.insert(QLatin1String("measurement"), session.measurement);
    root.insert(QLatin1String("shot_count"), number(session.shotCount));
    root.insert(QLatin1String("visible_shots"), number(session.visibleShots));
    root.insert(QLatin1String("histogram"), histogram);
    root.insert(QLatin1String("prediction_basis"), session.predictionBasis);
    root.insert(QLatin1String("distribution_prediction"), session.distributionPrediction);
    root.insert(QLatin1String("draft_distribution"), session.draftDistribution);
    root.insert(QLatin1String("selected_shots"), session.selectedShots);
    root.insert(QLatin1String("simple_mode"), session.simpleMode);
    root.insert(QLatin1String("comparison_a"), copyObject(session.comparisonA));
    root.insert(QLatin1String("comparison_b"), copyObject(session.comparisonB));
    if (session.algorithm) {
        root.insert(QLatin1String("parameters"), parametersObject(session.algorithm->parameters));
    }
    if (session.customChallenge) {
        // The challenge file's own object, so that the reader checks it exactly as it checks a file.
        root.insert(QLatin1String("custom_challenge"),
                    QJsonDocument::fromJson(serializeChallenge(*session.customChallenge)).object());
    }
    if (session.notebook) {
        root.insert(QLatin1String("notebook"), notebookArray(*session.notebook));
    }
    insertTexts(root, session);
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

QString SessionRefusal::text() const
{
    if (error == SessionError::None || error == SessionError::CircuitRefused) {
        return detail;
    }
    return text(English) + QStringLiteral(" / ") + text(Italian);
}

QString SessionRefusal::text(Language language) const
{
    const auto index = static_cast<std::size_t>(error);
    if (error == SessionError::None || error == SessionError::CircuitRefused || index >= std::size(kRefusals)) {
        return detail;
    }
    if (error == SessionError::RepeatedMember) {
        return uiText(kRefusals[index], language).arg(detail);
    }
    return uiText(kRefusals[index], language);
}

bool exceedsSessionLimits(const SessionData &session, const QByteArray &serialised)
{
    for (const QString *member : {&session.predictionReason, &session.draftReason, &session.question, &session.notes,
                                  &session.conclusion, &session.studentName, &session.className, &session.date}) {
        if (member->size() > kMaxSessionTextLength) {
            return true;
        }
    }
    return serialised.size() > kMaxJsonDocumentBytes;
}

QString sessionLimitWarning(Language language)
{
    return uiText(kLimitWarning, language);
}

QString sessionFileName(const QString &chosenName)
{
    return withFileEnding(chosenName, ".json", ".session.json");
}

bool saveSessionFile(const QString &path, const SessionData &session, Language language, QByteArray *written,
                     QString *error)
{
    const QByteArray bytes = serialiseSession(session);
    if (exceedsSessionLimits(session, bytes)) {
        return fail(error, sessionLimitWarning(language));
    }
    // A state the reader refuses (a measurement the stage makes impossible, a stage past the circuit) would
    // give a file the student can never open again: refuse it before anything is written.
    SessionData readBack;
    SessionRefusal refusal;
    if (!restoreSession(bytes, readBack, &refusal)) {
        return fail(error, uiText(kNotReadable, language).arg(refusal.text(language)));
    }
    if (!saveFileAtomically(path, bytes, error)) {
        return false;
    }
    if (written) {
        *written = bytes;
    }
    return true;
}

bool openSessionFile(const QString &path, SessionData &out, SessionRefusal *refusal)
{
    QByteArray bytes;
    QString fileError;
    if (!readInputFile(path, kMaxJsonDocumentBytes, bytes, &fileError)) {
        if (refusal) {
            *refusal = SessionRefusal{SessionError::Unreadable, fileError};
        }
        return false;
    }
    return restoreSession(bytes, out, refusal);
}

QString sessionSummary(const SessionData &session, Language language)
{
    const std::int32_t qubits = session.circuit.qubitCount;
    const QString none = uiText(kSummaryNone, language);
    const LessonCatalog &catalog = lessonCatalog();
    const bool known = session.lessonIndex >= 0 && static_cast<std::size_t>(session.lessonIndex) < catalog.size();
    const Lesson *lesson = known ? &catalog[static_cast<std::size_t>(session.lessonIndex)] : nullptr;

    QString heading;
    if (session.lessonPack && !session.lessonPack->lessons.empty()) {
        const LessonPack &pack = *session.lessonPack;
        const PackLesson &packLesson = pack.lessons.front();
        heading = uiText(kSummaryPackLesson, language)
                      .arg(language == Language::Italian ? packLesson.titleIt : packLesson.titleEn,
                           language == Language::Italian ? pack.titleIt : pack.titleEn);
    } else {
        heading = uiText(kSummaryLesson, language)
                      .arg(QString::number(session.lessonIndex + 1),
                           lesson ? uiText({lesson->titleIt, lesson->titleEn}, language) : none);
    }
    if (session.editor) {
        // A generated or opened circuit has a title of its own; a challenge answer carries the lesson's.
        const char *title = pick(language, session.circuit.titleIt, session.circuit.titleEn);
        const bool packAnswer = session.lessonPack && session.challenge && !session.customChallenge;
        const bool ownTitle =
            !packAnswer && (!lesson || qstrcmp(title, pick(language, lesson->titleIt, lesson->titleEn)) != 0);
        heading += uiText(kSummaryWorkingCircuit, language)
                       .arg(ownTitle ? QStringLiteral(": ") + QString::fromUtf8(title) : QString());
    }
    QStringList predictions;
    if (session.predictionBasis >= 0) {
        predictions << uiText(kSummaryOutcome, language)
                           .arg(basisLabel(static_cast<std::uint64_t>(session.predictionBasis), qubits));
    }
    if (session.distributionPrediction >= 0) {
        predictions << uiText(kSummaryDistribution, language)
                           .arg(distributionChoiceText(session.distributionPrediction, qubits, language));
    }
    const QString measurement =
        session.measurement >= 0 ? basisLabel(static_cast<std::uint64_t>(session.measurement), qubits) : none;
    const QString notes = uiText(session.notes.isEmpty() ? kSummaryNoNotes : kSummaryNotes, language);
    QString summary = uiText(kSummary, language)
                          .arg(heading, QString::number(session.stage), QString::number(session.circuit.steps.size()),
                               measurement, QString::number(session.shotCount),
                               predictions.isEmpty() ? none : predictions.join(QStringLiteral(", ")), notes);
    if (session.notebook) {
        summary += uiText(kSummaryNotebook, language).arg(session.notebook->size());
    }
    return summary;
}

} // namespace Fasoria
