// The session reader: every check of a session document in its order, on a local copy that replaces the
// caller's data only after the last check has passed.

#include "curriculum/Challenge.h"
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitFile.h"
#include "editor/JsonMembers.h"
#include "editor/PlainText.h"
#include "education/model/LearningSession.h"
#include "education/model/SessionNotebook.h"
#include "ui/model/LessonShelf.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <exception>
#include <string>
#include <utility>

namespace Fasoria {

namespace {

constexpr std::int64_t kMaxShots = 10000;

bool isShotChoice(std::int64_t value)
{
    return value == 10 || value == 100 || value == 1000 || value == kMaxShots;
}

// Reads a document that has passed the size and JSON checks. Each step fills the members of `data` it
// checks; the caller takes `data` only when every step has returned None.
class Reader
{
public:
    explicit Reader(QJsonObject root) : m_root(std::move(root)) {}

    SessionError read();
    SessionData &data() { return m_data; }
    const QString &circuitMessage() const { return m_circuitMessage; }

private:
    QJsonValue value(const char *key) const { return m_root.value(QLatin1String(key)); }
    std::optional<std::int64_t> integer(const char *key, std::int64_t low, std::int64_t high) const
    {
        return readBoundedInteger(value(key), low, high);
    }

    SessionError readHeader();
    SessionError readCircuit();
    SessionError readLessonPack();
    SessionError readCustomChallenge();
    SessionError readNumbers();
    SessionError checkConsistency();
    SessionError readTexts();
    SessionError readGenerator();
    SessionError readHistogram();
    SessionError readComparisons();
    SessionError readParameters();
    SessionError readNotebookMember();
    SessionError replay();
    void chooseCircuit();
    /// The lesson selected: the catalog's, or the kept pack lesson's gates (its texts live in the pack).
    Lesson shownLesson() const;

    QJsonObject m_root;
    SessionData m_data;
    Circuit m_parsed;
    QString m_circuitMessage;
    std::uint64_t m_dimension = 0;
};

SessionError Reader::read()
{
    for (SessionError (Reader::*step)() :
         {&Reader::readHeader, &Reader::readLessonPack, &Reader::readCircuit, &Reader::readCustomChallenge,
          &Reader::readNumbers, &Reader::checkConsistency, &Reader::readTexts, &Reader::readGenerator,
          &Reader::readHistogram, &Reader::readComparisons, &Reader::readParameters, &Reader::readNotebookMember,
          &Reader::replay}) {
        if (const SessionError error = (this->*step)(); error != SessionError::None) {
            return error;
        }
    }
    chooseCircuit();
    return SessionError::None;
}

SessionError Reader::readHeader()
{
    const QJsonValue format = value("format");
    // One past the catalog names the pack lesson the session keeps.
    const auto packLesson = static_cast<std::int64_t>(lessonCatalog().size());
    const std::optional<std::int64_t> lesson = integer("lesson_index", 0, packLesson);
    if (!format.isString() || format.toString() != QLatin1String("FasoriaSession") || !integer("version", 1, 1) ||
        !lesson || !value("editor").isBool() || !value("challenge").isBool() || !value("simple_mode").isBool()) {
        return SessionError::FormatOrLesson;
    }
    m_data.lessonIndex = static_cast<std::int32_t>(*lesson);
    m_data.editor = value("editor").toBool();
    m_data.challenge = value("challenge").toBool();
    m_data.simpleMode = value("simple_mode").toBool();
    return SessionError::None;
}

SessionError Reader::readLessonPack()
{
    const QJsonValue member = value("lesson_pack");
    const bool packLesson = m_data.lessonIndex == static_cast<std::int32_t>(lessonCatalog().size());
    if (member.isUndefined() && !packLesson) {
        return SessionError::None;
    }
    LessonPack pack;
    if (!packLesson || !member.isObject() ||
        !parseLessonPack(QJsonDocument(member.toObject()).toJson(QJsonDocument::Compact), pack, nullptr) ||
        pack.lessons.size() != 1) {
        return SessionError::LessonPack;
    }
    m_data.lessonPack = std::move(pack);
    return SessionError::None;
}

SessionError Reader::readCircuit()
{
    const QJsonValue circuit = value("circuit");
    if (!circuit.isObject()) {
        return SessionError::MissingCircuit;
    }
    if (!parseCircuit(QJsonDocument(circuit.toObject()).toJson(QJsonDocument::Compact), m_parsed, &m_circuitMessage)) {
        return SessionError::CircuitRefused;
    }
    m_dimension = std::uint64_t{1} << m_parsed.qubitCount;
    return SessionError::None;
}

SessionError Reader::readCustomChallenge()
{
    const QJsonValue member = value("custom_challenge");
    if (member.isUndefined()) {
        return SessionError::None;
    }
    ChallengeFile challenge;
    if (!member.isObject() || !parseChallenge(QJsonDocument(member.toObject()).toJson(), challenge, nullptr)) {
        return SessionError::CustomChallenge;
    }
    m_data.customChallenge = std::move(challenge);
    return SessionError::None;
}

SessionError Reader::readNumbers()
{
    const auto lastBasis = static_cast<std::int64_t>(m_dimension) - 1;
    const auto gates = static_cast<std::int64_t>(m_parsed.steps.size());
    const std::optional<std::int64_t> stage = integer("stage", 0, gates);
    const std::optional<std::int64_t> measurement = integer("measurement", -1, lastBasis);
    const std::optional<std::int64_t> shotCount = integer("shot_count", 0, kMaxShots);
    const std::optional<std::int64_t> visibleShots = integer("visible_shots", 0, kMaxShots);
    const std::optional<std::int64_t> predictionBasis = integer("prediction_basis", -1, lastBasis);
    const std::optional<std::int64_t> distribution = integer("distribution_prediction", -1, 3);
    const std::optional<std::int64_t> hintLevel = integer("hint_level", 0, 3);
    const std::optional<std::int64_t> selectedShots = integer("selected_shots", 10, kMaxShots);
    const std::optional<std::int64_t> draft = integer("draft_distribution", 0, 4);
    if (!stage || !measurement || !shotCount || !visibleShots || !predictionBasis || !distribution || !hintLevel ||
        !selectedShots || !draft) {
        return SessionError::Values;
    }
    m_data.stage = static_cast<std::uint64_t>(*stage);
    m_data.measurement = static_cast<std::int32_t>(*measurement);
    m_data.shotCount = static_cast<std::uint64_t>(*shotCount);
    m_data.visibleShots = static_cast<std::uint64_t>(*visibleShots);
    m_data.predictionBasis = static_cast<std::int32_t>(*predictionBasis);
    m_data.distributionPrediction = static_cast<std::int32_t>(*distribution);
    m_data.hintLevel = static_cast<std::int32_t>(*hintLevel);
    m_data.selectedShots = static_cast<std::int32_t>(*selectedShots);
    m_data.draftDistribution = static_cast<std::int32_t>(*draft);
    return SessionError::None;
}

SessionError Reader::checkConsistency()
{
    const auto shots = static_cast<std::int64_t>(m_data.shotCount);
    if (!isShotChoice(m_data.selectedShots) || (shots != 0 && !isShotChoice(shots)) ||
        (m_data.visibleShots != 0 && m_data.visibleShots != m_data.shotCount) ||
        (m_data.measurement >= 0 && m_data.visibleShots != 0)) {
        return SessionError::SampleCounts;
    }
    if (m_data.distributionPrediction >= 0 && m_data.draftDistribution != m_data.distributionPrediction + 1) {
        return SessionError::Prediction;
    }
    const Lesson lesson = shownLesson();
    const ChallengeFile *packChallenge = m_data.lessonPack && m_data.lessonPack->lessons.front().challenge
                                             ? &*m_data.lessonPack->lessons.front().challenge
                                             : nullptr;
    if (m_data.customChallenge || (m_data.challenge && packChallenge)) {
        // A teacher's challenge, and a pack's challenge lesson, are answered like a lesson's: in challenge mode,
        // on their own qubit count, with no more hints shown than they have.
        const ChallengeDefinition &definition =
            (m_data.customChallenge ? &*m_data.customChallenge : packChallenge)->definition;
        if (!m_data.challenge || !m_data.editor || definition.qubitCount != m_parsed.qubitCount ||
            m_data.hintLevel > writtenHintCount(definition)) {
            return SessionError::ChallengeContext;
        }
    } else if (m_data.challenge && (!m_data.editor || !findChallenge(static_cast<std::uint64_t>(m_data.lessonIndex)) ||
                                    lesson.qubitCount != m_parsed.qubitCount)) {
        return SessionError::ChallengeContext;
    }
    if (!m_data.editor && serializeCircuit(m_parsed) != serializeCircuit(lesson)) {
        return SessionError::CatalogMismatch;
    }
    return SessionError::None;
}

SessionError Reader::readTexts()
{
    // The student's texts reach the window, the worksheet and terminals: plain, in lines. The generator
    // state is checked for its length here and read as words in the next step.
    const std::pair<const char *, QString *> texts[] = {{"prediction_reason", &m_data.predictionReason},
                                                        {"draft_reason", &m_data.draftReason},
                                                        {"question", &m_data.question},
                                                        {"notes", &m_data.notes},
                                                        {"conclusion", &m_data.conclusion},
                                                        {"rng_state", nullptr}};
    for (const auto &[key, target] : texts) {
        const QJsonValue text = value(key);
        if (!text.isString() || text.toString().size() > kMaxSessionTextLength ||
            (target && !isPlainMultilineText(text.toString()))) {
            return SessionError::Texts;
        }
    }
    // The worksheet's header may be absent (older sessions); present, it is a plain text like the others.
    const std::pair<const char *, QString *> header[] = {
        {"student_name", &m_data.studentName}, {"class_name", &m_data.className}, {"date", &m_data.date}};
    for (const auto &[key, target] : header) {
        const QJsonValue text = value(key);
        if (!text.isUndefined() && (!text.isString() || text.toString().size() > kMaxSessionTextLength ||
                                    !isPlainMultilineText(text.toString()))) {
            return SessionError::Texts;
        }
    }
    for (const auto &[key, target] : texts) {
        if (target) {
            *target = value(key).toString();
        }
    }
    for (const auto &[key, target] : header) {
        *target = value(key).toString();
    }
    return SessionError::None;
}

SessionError Reader::readGenerator()
{
    // Words that cannot be read and a state whose every draw would be 0 ("Measure once" on |1> would give
    // an outcome of probability 0) are one refusal; data after the words is another.
    const std::string text = value("rng_state").toString().toStdString();
    switch (RandomGenerator::checkStateText(text)) {
    case RandomGenerator::StateText::Valid:
        m_data.random.restoreState(text);
        return SessionError::None;
    case RandomGenerator::StateText::Trailing:
        return SessionError::GeneratorTrailing;
    case RandomGenerator::StateText::Unreadable:
    case RandomGenerator::StateText::Degenerate:
        break;
    }
    return SessionError::GeneratorState;
}

SessionError Reader::readHistogram()
{
    const QJsonValue histogram = value("histogram");
    if (!histogram.isArray()) {
        return SessionError::MissingHistogram;
    }
    const QJsonArray counts = histogram.toArray();
    const std::uint64_t expected = m_data.shotCount > 0 ? m_dimension : 0;
    if (static_cast<std::uint64_t>(counts.size()) != expected) {
        return SessionError::HistogramSize;
    }
    Histogram read;
    std::uint64_t total = 0;
    for (const QJsonValue &count : counts) {
        const std::optional<std::int64_t> number =
            readBoundedInteger(count, 0, static_cast<std::int64_t>(m_data.shotCount));
        if (!number) {
            return SessionError::HistogramValues;
        }
        read.push_back(static_cast<std::uint64_t>(*number));
        total += read.back();
    }
    if (total != m_data.shotCount) {
        return SessionError::HistogramTotal;
    }
    m_data.histogram = std::move(read);
    return SessionError::None;
}

// A comparison copy: an object with a bool "valid"; a valid one also a readable circuit and a stage within it.
bool readComparison(const QJsonValue &member, ComparisonCopy &copy)
{
    if (!member.isObject()) {
        return false;
    }
    const QJsonObject object = member.toObject();
    const QJsonValue valid = object.value(QLatin1String("valid"));
    if (!valid.isBool()) {
        return false;
    }
    ComparisonCopy read;
    if (valid.toBool()) {
        const QJsonValue circuit = object.value(QLatin1String("circuit"));
        if (!circuit.isObject() ||
            !parseCircuit(QJsonDocument(circuit.toObject()).toJson(QJsonDocument::Compact), read.circuit, nullptr)) {
            return false;
        }
        const std::optional<std::int64_t> stage = readBoundedInteger(
            object.value(QLatin1String("stage")), 0, static_cast<std::int64_t>(read.circuit.steps.size()));
        if (!stage) {
            return false;
        }
        read.valid = true;
        read.stage = static_cast<std::uint64_t>(*stage);
    }
    copy = std::move(read);
    return true;
}

SessionError Reader::readComparisons()
{
    if (!readComparison(value("comparison_a"), m_data.comparisonA) ||
        !readComparison(value("comparison_b"), m_data.comparisonB)) {
        return SessionError::Comparison;
    }
    return SessionError::None;
}

SessionError Reader::readParameters()
{
    if (!m_root.contains(QLatin1String("parameters"))) {
        return SessionError::None;
    }
    const QJsonValue member = value("parameters");
    if (!m_data.editor || m_data.challenge || !member.isObject()) {
        return SessionError::ParameterContext;
    }
    const QJsonObject object = member.toObject();
    const auto field = [&object](const char *key, std::int64_t low, std::int64_t high) {
        return readBoundedInteger(object.value(QLatin1String(key)), low, high);
    };
    const std::optional<std::int64_t> kind = field("algorithm", 0, 2);
    const std::optional<std::int64_t> qubits = field("qubits", 1, 4);
    const std::optional<std::int64_t> marked = field("marked", 0, 255);
    const std::optional<std::int64_t> iterations = field("iterations", 1, 4);
    const std::optional<std::int64_t> secret = field("secret", 0, 255);
    const std::optional<std::int64_t> function = field("deutsch_function", 0, 3);
    if (!kind || !qubits || !marked || !iterations || !secret || !function) {
        return SessionError::Parameters;
    }
    const AlgorithmParameters parameters{static_cast<AlgorithmKind>(*kind),  static_cast<std::int32_t>(*qubits),
                                         static_cast<std::int32_t>(*marked), static_cast<std::int32_t>(*iterations),
                                         static_cast<std::int32_t>(*secret), static_cast<std::int32_t>(*function)};
    try {
        m_data.algorithm = generateAlgorithm(parameters);
    } catch (const std::exception &) {
        return SessionError::ParameterCircuit;
    }
    if (serializeCircuit(m_data.algorithm->circuit) != serializeCircuit(m_parsed)) {
        return SessionError::ParameterMismatch;
    }
    return SessionError::None;
}

SessionError Reader::readNotebookMember()
{
    if (!m_root.contains(QLatin1String("notebook"))) {
        return SessionError::None;
    }
    std::vector<LogEvent> events;
    const auto lastLesson = static_cast<std::int32_t>(lessonCatalog().size()) - (m_data.lessonPack ? 0 : 1);
    if (!readNotebook(value("notebook"), lastLesson, events)) {
        return SessionError::Notebook;
    }
    m_data.notebook = std::move(events);
    return SessionError::None;
}

SessionError Reader::replay()
{
    StateVector state = replayPrefix(m_parsed, m_data.stage);
    for (std::uint64_t i = 0; i < m_data.histogram.size(); ++i) {
        if (m_data.histogram[i] != 0 && !(state.probability(i) > 0.0)) {
            return SessionError::ImpossibleHistogram;
        }
    }
    if (m_data.measurement >= 0) {
        const auto outcome = static_cast<std::uint64_t>(m_data.measurement);
        if (!(state.probability(outcome) > 0.0)) {
            return SessionError::ImpossibleMeasurement;
        }
        // The collapsed state is exactly the basis state: X on every qubit whose bit is set.
        state = createState(static_cast<std::uint32_t>(m_parsed.qubitCount));
        for (std::uint32_t qubit = 0; qubit < static_cast<std::uint32_t>(m_parsed.qubitCount); ++qubit) {
            if ((outcome >> qubit) & 1U) {
                state.applyX(qubit);
            }
        }
    }
    m_data.state = std::move(state);
    return SessionError::None;
}

Lesson Reader::shownLesson() const
{
    if (m_data.lessonPack) {
        return packLessonGates(m_data.lessonPack->lessons.front());
    }
    return lessonCatalog()[static_cast<std::size_t>(m_data.lessonIndex)];
}

// The file holds only gates; the texts come from where the window's circuit came from: the catalog lesson,
// the generator, or, for a challenge answer, the lesson whose question it answers.
void Reader::chooseCircuit()
{
    const Lesson lesson = shownLesson();
    if (m_data.algorithm) {
        m_data.circuit = m_data.algorithm->circuit;
    } else if (!m_data.editor) {
        m_data.circuit = lesson;
    } else {
        m_data.circuit = std::move(m_parsed);
        // A pack lesson's texts are the pack's: the window puts them on when it shelves the lesson.
        if (m_data.challenge && !m_data.customChallenge && !m_data.lessonPack) {
            setLessonTexts(m_data.circuit, lesson);
        }
    }
}

} // namespace

bool restoreSession(const QByteArray &bytes, SessionData &out, SessionRefusal *refusal)
{
    const auto refuse = [refusal](SessionError error, const QString &detail = QString()) {
        if (refusal) {
            *refusal = SessionRefusal{error, detail};
        }
        return false;
    };
    if (bytes.size() > kMaxJsonDocumentBytes) {
        return refuse(SessionError::Oversized);
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        return refuse(SessionError::InvalidJson);
    }
    if (const std::optional<QString> name = firstRepeatedMember(bytes)) {
        return refuse(SessionError::RepeatedMember, shownName(*name));
    }
    Reader reader(document.object());
    if (const SessionError error = reader.read(); error != SessionError::None) {
        return refuse(error, error == SessionError::CircuitRefused ? reader.circuitMessage() : QString());
    }
    out = std::move(reader.data());
    if (refusal) {
        *refusal = SessionRefusal{};
    }
    return true;
}

bool restoreSession(const QByteArray &bytes, SessionData &out, QString *error)
{
    SessionRefusal refusal;
    const bool restored = restoreSession(bytes, out, &refusal);
    if (error) {
        *error = refusal.text();
    }
    return restored;
}

} // namespace Fasoria
