#include "editor/ChallengeFile.h"

#include "curriculum/Diagnostics.h"
#include "editor/AtomicSave.h"
#include "editor/CircuitFile.h"
#include "editor/InputFile.h"
#include "editor/JsonMembers.h"
#include "editor/PlainText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace Fasoria {

namespace {

const char *const kFormatTag = "FasoriaChallenge";
constexpr auto kMaxSteps = static_cast<std::int64_t>(kMaxCheckedSteps);

const char *const kKindNames[kGateKindCount] = {"H", "X", "Z", "P", "CNOT"};

// A refused document, thrown inside the reader only and turned into its message there.
struct Refusal
{
    QString message;
};

[[noreturn]] void refuse(const QString &message)
{
    throw Refusal{message};
}

[[noreturn]] void refuseAt(const char *message, int index)
{
    refuse(QString::fromLatin1(message).arg(index));
}

// A member name as a message may quote it: printable ASCII only, cut to 40 characters.
QString quotedName(const QString &name)
{
    QString shown;
    for (const QChar c : name.left(40)) {
        shown += c.unicode() >= 0x20 && c.unicode() < 0x7F ? c : QLatin1Char('?');
    }
    return QLatin1Char('"') + shown + (name.size() > 40 ? QLatin1String("...\"") : QLatin1String("\""));
}

void checkMembers(const QJsonObject &root)
{
    static const QStringList kMembers = {"format",   "version",   "qubits",         "goal_it",           "goal_en",
                                         "hints_it", "hints_en",  "target_circuit", "target_amplitudes", "min_gates",
                                         "required", "forbidden", "max_gates"};
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (!kMembers.contains(it.key())) {
            refuse(QStringLiteral("Unknown member %1").arg(quotedName(it.key())));
        }
    }
}

// A plain text of at most maxLength characters; `unit` ends the refusal of a longer one (" per hint").
std::string plainText(const QJsonValue &value, const char *member, int maxLength, const char *unit = "")
{
    if (!value.isString() || !isPlainText(value.toString())) {
        refuse(QString::fromLatin1(member) + QLatin1String(" must be a text without control characters"));
    }
    if (value.toString().size() > maxLength) {
        refuse(QStringLiteral("%1 must be at most %2 characters%3")
                   .arg(QLatin1String(member), QString::number(maxLength), QLatin1String(unit)));
    }
    return value.toString().toStdString();
}

// Hints 1..3 of one language; those left out are empty.
ChallengeHints readHints(const QJsonObject &root, const char *member)
{
    ChallengeHints hints;
    const QJsonValue value = root.value(QLatin1String(member));
    if (value.isUndefined()) {
        return hints;
    }
    if (!value.isArray() || value.toArray().size() > kChallengeHintCount) {
        refuse(QString::fromLatin1(member) + QLatin1String(" must be a list of at most three texts"));
    }
    const QJsonArray list = value.toArray();
    for (int i = 0; i < list.size(); ++i) {
        hints[static_cast<std::size_t>(i)] = plainText(list.at(i), member, kMaxChallengeHintLength, " per hint");
    }
    return hints;
}

void readTexts(const QJsonObject &root, ChallengeDefinition &definition)
{
    definition.goalIt = plainText(root.value(QLatin1String("goal_it")), "goal_it", kMaxChallengeGoalLength);
    definition.goalEn = plainText(root.value(QLatin1String("goal_en")), "goal_en", kMaxChallengeGoalLength);
    setChallengeHints(definition, readHints(root, "hints_it"), readHints(root, "hints_en"));
}

double finiteNumber(const QJsonValue &value, bool &valid)
{
    valid = valid && value.isDouble() && std::isfinite(value.toDouble());
    return value.toDouble();
}

std::vector<ChallengeTarget> readAmplitudes(const QJsonValue &value, std::int32_t qubits)
{
    if (!value.isArray()) {
        refuse(QStringLiteral("target_amplitudes must be a list"));
    }
    const QJsonArray list = value.toArray();
    const std::uint64_t dimension = std::uint64_t{1} << qubits;
    std::vector<bool> seen(dimension);
    std::vector<ChallengeTarget> target;
    for (int i = 0; i < list.size(); ++i) {
        const QJsonObject entry = list.at(i).toObject();
        const std::optional<std::int64_t> index =
            readBoundedInteger(entry.value(QLatin1String("index")), 0, static_cast<std::int64_t>(dimension) - 1);
        bool valid = list.at(i).isObject() && entry.size() == 3 && index.has_value();
        const double re = finiteNumber(entry.value(QLatin1String("re")), valid);
        const double im = finiteNumber(entry.value(QLatin1String("im")), valid);
        if (!valid) {
            refuseAt("Invalid target amplitude at index %1", i);
        }
        const auto basis = static_cast<std::uint64_t>(*index);
        if (seen[basis]) {
            refuseAt("Repeated basis index in target_amplitudes at index %1", i);
        }
        seen[basis] = true;
        target.push_back({basis, {re, im}});
    }
    return target;
}

Circuit readReference(const QJsonValue &value, std::int32_t qubits)
{
    if (!value.isObject()) {
        refuse(QStringLiteral("target_circuit must be a circuit file object"));
    }
    Circuit reference;
    QString error;
    if (!parseCircuit(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact), reference, &error)) {
        refuse(QLatin1String("target_circuit: ") + error);
    }
    if (reference.qubitCount != qubits) {
        refuse(QStringLiteral("target_circuit has another qubit count than the challenge"));
    }
    return reference;
}

void readTarget(const QJsonObject &root, ChallengeFile &challenge)
{
    const QJsonValue circuit = root.value(QLatin1String("target_circuit"));
    const QJsonValue amplitudes = root.value(QLatin1String("target_amplitudes"));
    if (circuit.isUndefined() == amplitudes.isUndefined()) {
        refuse(QStringLiteral("Give exactly one of target_circuit and target_amplitudes"));
    }
    ChallengeDefinition &definition = challenge.definition;
    if (amplitudes.isUndefined()) {
        challenge.reference = readReference(circuit, definition.qubitCount);
        definition.target = targetFromCircuit(*challenge.reference);
    } else {
        definition.target = readAmplitudes(amplitudes, definition.qubitCount);
    }
}

std::int32_t stepCount(const QJsonObject &root, const char *member, std::int32_t fallback)
{
    const QJsonValue value = root.value(QLatin1String(member));
    if (value.isUndefined()) {
        return fallback;
    }
    const std::optional<std::int64_t> count = readBoundedInteger(value, 0, kMaxSteps);
    if (!count) {
        refuse(QString::fromLatin1(member) + QLatin1String(" must be a whole number in 0..256"));
    }
    return static_cast<std::int32_t>(*count);
}

// An optional list member; absent reads as empty.
QJsonArray listMember(const QJsonObject &root, const char *member)
{
    const QJsonValue value = root.value(QLatin1String(member));
    if (!value.isUndefined() && !value.isArray()) {
        refuse(QString::fromLatin1(member) + QLatin1String(" must be a list"));
    }
    return value.toArray();
}

void readRules(const QJsonObject &root, ChallengeDefinition &definition)
{
    definition.minGates = stepCount(root, "min_gates", 0);
    if (root.contains(QLatin1String("max_gates"))) {
        definition.maxGates = stepCount(root, "max_gates", 0);
    }
    const QJsonArray required = listMember(root, "required");
    for (int i = 0; i < required.size(); ++i) {
        const QJsonObject entry = required.at(i).toObject();
        const std::optional<GateKind> kind = gateKindFromName(entry.value(QLatin1String("gate")).toString());
        const std::optional<std::int64_t> count = readBoundedInteger(entry.value(QLatin1String("count")), 1, kMaxSteps);
        if (!required.at(i).isObject() || entry.size() != 2 || !kind || !count) {
            refuseAt("Invalid required gate at index %1", i);
        }
        definition.required.push_back({*kind, static_cast<std::int32_t>(*count)});
    }
    const QJsonArray forbidden = listMember(root, "forbidden");
    for (int i = 0; i < forbidden.size(); ++i) {
        const std::optional<GateKind> kind = gateKindFromName(forbidden.at(i).toString());
        if (!forbidden.at(i).isString() || !kind) {
            refuseAt("Invalid forbidden gate at index %1", i);
        }
        definition.forbidden.push_back(*kind);
    }
}

// The teacher's own solution, graded by the checker the students' circuits meet, must be SOLVED.
void checkReference(const ChallengeFile &challenge)
{
    const ChallengeDefinition &definition = challenge.definition;
    if (challenge.reference && gradeChallenge(definition, *challenge.reference).status != ChallengeStatus::Solved) {
        refuse(QLatin1String("target_circuit breaks the challenge's rules: ") +
               QString::fromStdString(diagnosisText(diagnoseChallenge(definition, *challenge.reference), English)));
    }
}

// Everything but the document's size and syntax; throws Refusal, or what validation throws.
ChallengeFile readChallenge(const QJsonObject &root)
{
    const QJsonValue format = root.value(QLatin1String("format"));
    if (!format.isString() || format.toString() != QLatin1String(kFormatTag) ||
        !readBoundedInteger(root.value(QLatin1String("version")), 1, 1)) {
        refuse(QStringLiteral("Unsupported format or version"));
    }
    checkMembers(root);
    const std::optional<std::int64_t> qubits =
        readBoundedInteger(root.value(QLatin1String("qubits")), 1, kMaxChallengeQubits);
    if (!qubits) {
        refuse(QStringLiteral("qubits must be a whole number in 1..8"));
    }
    ChallengeFile challenge;
    challenge.definition.qubitCount = static_cast<std::int32_t>(*qubits);
    readTexts(root, challenge.definition);
    readTarget(root, challenge);
    readRules(root, challenge.definition);
    validateChallengeDefinition(challenge.definition);
    checkRulesCanBeMet(challenge.definition);
    checkReference(challenge);
    return challenge;
}

QJsonArray hintList(const ChallengeHints &hints)
{
    QJsonArray list;
    for (const std::string &hint : hints) {
        list.append(QString::fromStdString(hint));
    }
    return list;
}

QJsonValue targetValue(const ChallengeFile &challenge)
{
    if (challenge.reference) {
        return QJsonDocument::fromJson(serializeCircuit(*challenge.reference)).object();
    }
    QJsonArray amplitudes;
    for (const ChallengeTarget &entry : challenge.definition.target) {
        amplitudes.append(QJsonObject{{QLatin1String("index"), static_cast<double>(entry.index)},
                                      {QLatin1String("re"), entry.amplitude.re},
                                      {QLatin1String("im"), entry.amplitude.im}});
    }
    return amplitudes;
}

bool fail(QString *error, const QString &message)
{
    if (error) {
        *error = message;
    }
    return false;
}

} // namespace

void setChallengeHints(ChallengeDefinition &definition, const ChallengeHints &italian, const ChallengeHints &english)
{
    definition.hint1It = italian[0];
    definition.hint2It = italian[1];
    definition.hint3It = italian[2];
    definition.hint1En = english[0];
    definition.hint2En = english[1];
    definition.hint3En = english[2];
}

ChallengeHints challengeHints(const ChallengeDefinition &definition, Language language)
{
    if (isEnglish(language)) {
        return {definition.hint1En, definition.hint2En, definition.hint3En};
    }
    return {definition.hint1It, definition.hint2It, definition.hint3It};
}

QString challengeGoal(const ChallengeDefinition &definition, Language language)
{
    return QString::fromStdString(isEnglish(language) ? definition.goalEn : definition.goalIt);
}

int writtenHintCount(const ChallengeDefinition &definition)
{
    const ChallengeHints italian = challengeHints(definition, Italian);
    const ChallengeHints english = challengeHints(definition, English);
    int count = 0;
    for (std::size_t hint = 0; hint < italian.size(); ++hint) {
        if (!italian[hint].empty() || !english[hint].empty()) {
            count = static_cast<int>(hint) + 1;
        }
    }
    return count;
}

void checkRulesCanBeMet(const ChallengeDefinition &definition)
{
    std::int64_t requiredSteps = 0;
    bool cnotRequired = false;
    for (const GateRequirement &requirement : definition.required) {
        requiredSteps += requirement.count;
        cnotRequired = cnotRequired || requirement.kind == GateKind::Cnot;
    }
    if (requiredSteps > kMaxSteps) {
        throw std::invalid_argument("Challenge required gates above 256");
    }
    const bool cnotUsable = definition.qubitCount >= 2;
    if (cnotRequired && !cnotUsable) {
        throw std::invalid_argument("Challenge requires CNOT on one qubit");
    }
    std::array<bool, kGateKindCount> allowed{};
    allowed.fill(true);
    allowed[static_cast<std::size_t>(GateKind::Cnot)] = cnotUsable;
    for (const GateKind kind : definition.forbidden) {
        const auto index = static_cast<std::size_t>(kind);
        if (index < allowed.size()) {
            allowed[index] = false;
        }
    }
    if (std::find(allowed.begin(), allowed.end(), true) == allowed.end()) {
        throw std::invalid_argument("Challenge forbids every gate kind");
    }
}

QString gateKindFileName(GateKind kind)
{
    const auto index = static_cast<std::int32_t>(kind);
    return index >= 0 && index < kGateKindCount ? QString::fromLatin1(kKindNames[index]) : QString();
}

QByteArray serializeChallenge(const ChallengeFile &challenge)
{
    const ChallengeDefinition &definition = challenge.definition;
    QJsonArray required;
    for (const GateRequirement &requirement : definition.required) {
        required.append(QJsonObject{{QLatin1String("gate"), gateKindFileName(requirement.kind)},
                                    {QLatin1String("count"), requirement.count}});
    }
    QJsonArray forbidden;
    for (const GateKind kind : definition.forbidden) {
        forbidden.append(gateKindFileName(kind));
    }
    QJsonObject root;
    root.insert(QLatin1String("format"), QLatin1String(kFormatTag));
    root.insert(QLatin1String("version"), 1);
    root.insert(QLatin1String("qubits"), definition.qubitCount);
    root.insert(QLatin1String("goal_it"), QString::fromStdString(definition.goalIt));
    root.insert(QLatin1String("goal_en"), QString::fromStdString(definition.goalEn));
    root.insert(QLatin1String("hints_it"), hintList(challengeHints(definition, Italian)));
    root.insert(QLatin1String("hints_en"), hintList(challengeHints(definition, English)));
    root.insert(QLatin1String(challenge.reference ? "target_circuit" : "target_amplitudes"), targetValue(challenge));
    root.insert(QLatin1String("min_gates"), definition.minGates);
    root.insert(QLatin1String("required"), required);
    root.insert(QLatin1String("forbidden"), forbidden);
    if (definition.maxGates) {
        root.insert(QLatin1String("max_gates"), *definition.maxGates);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool parseChallenge(const QByteArray &bytes, ChallengeFile &challenge, QString *error)
{
    const std::optional<QJsonObject> document = readJsonObject(bytes, error);
    if (!document) {
        return false;
    }
    try {
        challenge = readChallenge(*document);
    } catch (const Refusal &refusal) {
        return fail(error, refusal.message);
    } catch (const std::exception &exception) {
        return fail(error, QString::fromUtf8(exception.what()));
    }
    return true;
}

bool saveChallengeFile(const QString &path, const ChallengeFile &challenge, QString *error)
{
    // A challenge built in code may hold what the reader refuses (a blank goal, a target that is not
    // normalised): writing it would hand the class a file no one can open, so nothing is written.
    const QByteArray bytes = serializeChallenge(challenge);
    ChallengeFile readBack;
    QString reason;
    if (!parseChallenge(bytes, readBack, &reason)) {
        return fail(error, QStringLiteral("The challenge cannot be saved as a readable file: %1").arg(reason));
    }
    return saveFileAtomically(path, bytes, error);
}

bool loadChallengeFile(const QString &path, ChallengeFile &challenge, QString *error)
{
    QByteArray bytes;
    return readInputFile(path, kMaxJsonDocumentBytes, bytes, error) && parseChallenge(bytes, challenge, error);
}

} // namespace Fasoria
