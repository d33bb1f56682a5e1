#include "education/model/SessionNotebook.h"

#include "core/StateVector.h"
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitEditor.h"
#include "editor/CircuitFile.h"
#include "ui/model/Experiment.h"

#include <QJsonObject>
#include <QStringList>

#include <optional>

namespace Fasoria {

namespace {

constexpr std::int64_t kMaxShots = 10000;
// A check's fidelity in ten-thousandths, a validation's counts.
constexpr std::int64_t kMaxFidelity = 10000;
constexpr std::int64_t kMaxValidationChecks = 1000;

struct Bounds
{
    std::int64_t value;
    std::int64_t value2;
};

/// The largest value and value2 an event of `kind` records on a register of `qubits`; none for a kind that
/// does not exist.
std::optional<Bounds> boundsOf(LogEventKind kind, std::int64_t qubits)
{
    const std::int64_t lastBasis = (std::int64_t{1} << qubits) - 1;
    const auto steps = static_cast<std::int64_t>(CircuitEditor::kMaxSteps);
    switch (kind) {
    case LogEventKind::Prepared:
        return Bounds{0, 0};
    case LogEventKind::Step:
        return Bounds{steps - 1, 0};
    case LogEventKind::Navigation:
        return Bounds{steps, 0};
    case LogEventKind::Measurement:
    case LogEventKind::Prediction:
        return Bounds{lastBasis, 0};
    case LogEventKind::Preparations:
        return Bounds{lastBasis, kMaxShots};
    case LogEventKind::Validation:
        return Bounds{kMaxValidationChecks, kMaxValidationChecks};
    case LogEventKind::Editor:
        return Bounds{static_cast<std::int64_t>(EditAction::GateMoved), steps};
    case LogEventKind::ChallengeCheck:
        return Bounds{1, kMaxFidelity};
    case LogEventKind::Hint:
        return Bounds{2, 1};
    case LogEventKind::DistributionPrediction:
        return Bounds{3, 0};
    }
    return std::nullopt;
}

bool readEvent(const QJsonValue &element, std::int32_t lastLesson, LogEvent &event)
{
    if (!element.isObject()) {
        return false;
    }
    const QJsonObject object = element.toObject();
    const auto field = [&object](const char *key, std::int64_t low, std::int64_t high) {
        return readBoundedInteger(object.value(QLatin1String(key)), low, high);
    };
    const std::optional<std::int64_t> kind =
        field("kind", 0, static_cast<std::int64_t>(LogEventKind::DistributionPrediction));
    const std::optional<std::int64_t> lesson = field("lesson", 0, lastLesson);
    const std::optional<std::int64_t> qubits = field("qubits", 1, StateVector::kMaxQubits);
    if (!kind || !lesson || !qubits) {
        return false;
    }
    const std::optional<Bounds> bounds = boundsOf(static_cast<LogEventKind>(*kind), *qubits);
    if (!bounds) {
        return false;
    }
    const std::optional<std::int64_t> value = field("value", 0, bounds->value);
    const std::optional<std::int64_t> value2 = field("value2", 0, bounds->value2);
    const std::optional<std::int64_t> shots = field("shots", 0, kMaxShots);
    if (!value || !value2 || !shots) {
        return false;
    }
    // Exactly its members: a step's gate and origin, and nothing else anywhere.
    const bool step = *kind == static_cast<std::int64_t>(LogEventKind::Step);
    QStringList expected = {QStringLiteral("kind"),   QStringLiteral("lesson"), QStringLiteral("value"),
                            QStringLiteral("value2"), QStringLiteral("shots"),  QStringLiteral("qubits")};
    if (step) {
        expected << QStringLiteral("gate") << QStringLiteral("working");
    }
    if (object.size() != expected.size()) {
        return false;
    }
    for (const QString &key : expected) {
        if (!object.contains(key)) {
            return false;
        }
    }
    LogEvent read;
    if (step) {
        if (!object.value(QLatin1String("working")).isBool() ||
            !readGateObject(object.value(QLatin1String("gate")), *qubits, read.gate, nullptr)) {
            return false;
        }
        read.working = object.value(QLatin1String("working")).toBool();
    }
    read.kind = static_cast<std::int32_t>(*kind);
    read.lessonIndex = static_cast<std::int32_t>(*lesson);
    read.value = static_cast<std::uint64_t>(*value);
    read.value2 = static_cast<std::uint64_t>(*value2);
    read.shots = static_cast<std::uint64_t>(*shots);
    read.qubits = static_cast<std::int32_t>(*qubits);
    event = read;
    return true;
}

} // namespace

QJsonArray notebookArray(const std::vector<LogEvent> &events)
{
    QJsonArray array;
    for (const LogEvent &event : events) {
        QJsonObject object;
        object.insert(QLatin1String("kind"), event.kind);
        object.insert(QLatin1String("lesson"), event.lessonIndex);
        object.insert(QLatin1String("value"), static_cast<qint64>(event.value));
        object.insert(QLatin1String("value2"), static_cast<qint64>(event.value2));
        object.insert(QLatin1String("shots"), static_cast<qint64>(event.shots));
        object.insert(QLatin1String("qubits"), event.qubits);
        if (event.kind == static_cast<std::int32_t>(LogEventKind::Step)) {
            object.insert(QLatin1String("gate"), gateObject(event.gate));
            object.insert(QLatin1String("working"), event.working);
        }
        array.append(object);
    }
    return array;
}

bool readNotebook(const QJsonValue &member, std::int32_t lastLesson, std::vector<LogEvent> &events)
{
    if (!member.isArray() || member.toArray().size() > static_cast<int>(Experiment::kMaxLogEvents)) {
        return false;
    }
    std::vector<LogEvent> read;
    for (const QJsonValue &element : member.toArray()) {
        LogEvent event;
        if (!readEvent(element, lastLesson, event)) {
            return false;
        }
        read.push_back(event);
    }
    events = std::move(read);
    return true;
}

} // namespace Fasoria
