#include "editor/CircuitFile.h"

#include "editor/AtomicSave.h"
#include "editor/CircuitEditor.h"
#include "editor/FilePath.h"
#include "editor/InputFile.h"
#include "editor/JsonMembers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <exception>
#include <utility>
#include <vector>

namespace Fasoria {

namespace {

const char *const kFormatTag = "FasoriaCircuit";
const char *const kBitOrder = "q0_rightmost";

// File names of the gate kinds, indexed by kind value.
const char *const kGateNames[kGateKindCount] = {"H", "X", "Z", "P", "CNOT"};

QString gateName(GateKind kind)
{
    const auto index = static_cast<std::int32_t>(kind);
    return index >= 0 && index < kGateKindCount ? QString::fromLatin1(kGateNames[index]) : QString();
}

bool fail(QString *error, const QString &message)
{
    if (error) {
        *error = message;
    }
    return false;
}

// Reads element `index` of "gates" into a free-lab step; on failure sets message and returns false.
bool readStep(const QJsonValue &element, int index, std::int64_t qubits, std::vector<LessonStep> &steps,
              QString &message)
{
    Gate gate;
    if (!readGateObject(element, qubits, gate, &message)) {
        if (message.contains(QLatin1String("%1"))) {
            message = message.arg(index);
        }
        return false;
    }
    steps.emplace_back(gate.kind, gate.target, gate.control, gate.angle);
    return true;
}

} // namespace

QJsonObject gateObject(const Gate &gate)
{
    QJsonObject object;
    object.insert(QLatin1String("gate"), gateName(gate.kind));
    object.insert(QLatin1String("target"), gate.target);
    if (gate.kind == GateKind::Cnot) {
        object.insert(QLatin1String("control"), gate.control);
    }
    if (gate.kind == GateKind::P) {
        object.insert(QLatin1String("angle_rad"), gate.angle);
    }
    return object;
}

bool readGateObject(const QJsonValue &element, std::int64_t qubits, Gate &gate, QString *message)
{
    const auto fail = [message](const QString &text) {
        if (message) {
            *message = text;
        }
        return false;
    };
    if (!element.isObject()) {
        return fail(QStringLiteral("Gate must be an object"));
    }
    const QJsonObject object = element.toObject();
    const std::optional<GateKind> kind = gateKindFromName(object.value(QLatin1String("gate")).toString());
    const std::optional<std::int64_t> target = readBoundedInteger(object.value(QLatin1String("target")), 0, qubits - 1);
    if (!kind || !target) {
        return fail(QStringLiteral("Invalid gate/target at index %1"));
    }
    std::int64_t control = 0;
    if (*kind == GateKind::Cnot) {
        const std::optional<std::int64_t> value =
            readBoundedInteger(object.value(QLatin1String("control")), 0, qubits - 1);
        if (!value) {
            return fail(QStringLiteral("Invalid CNOT control at index %1"));
        }
        control = *value;
    }
    double angle = 0.0;
    if (*kind == GateKind::P) {
        const QJsonValue value = object.value(QLatin1String("angle_rad"));
        if (!value.isDouble()) {
            return fail(QStringLiteral("Missing phase angle"));
        }
        angle = value.toDouble();
        const double limit = 2.0 * std::acos(-1.0) + 1e-9;
        if (!std::isfinite(angle) || std::fabs(angle) > limit) {
            return fail(QStringLiteral("Phase angle out of range"));
        }
    }
    gate = Gate{*kind, static_cast<std::int32_t>(*target), static_cast<std::int32_t>(control), angle};
    return true;
}

QByteArray serializeCircuit(const Circuit &circuit)
{
    QJsonArray gates;
    for (const LessonStep &step : circuit.steps) {
        gates.append(gateObject(step.gate));
    }
    // Qt writes whole numbers without a decimal point and other doubles in their shortest round-trip form,
    // which is the file's number format. Only the sign of −0.0 is lost: the reader gives +0.0.
    QJsonObject root;
    root.insert(QLatin1String("format"), QLatin1String(kFormatTag));
    root.insert(QLatin1String("version"), 1);
    root.insert(QLatin1String("qubits"), circuit.qubitCount);
    root.insert(QLatin1String("bit_order"), QLatin1String(kBitOrder));
    root.insert(QLatin1String("gates"), gates);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool parseCircuit(const QByteArray &bytes, Circuit &circuit, QString *error)
{
    const std::optional<QJsonObject> document = readJsonObject(bytes, error);
    if (!document) {
        return false;
    }
    const QJsonObject &root = *document;
    const QJsonValue format = root.value(QLatin1String("format"));
    const std::optional<std::int64_t> qubits =
        readBoundedInteger(root.value(QLatin1String("qubits")), 1, CircuitEditor::kMaxQubits);
    if (!format.isString() || format.toString() != QLatin1String(kFormatTag) ||
        !readBoundedInteger(root.value(QLatin1String("version")), 1, 1) || !qubits) {
        return fail(error, QStringLiteral("Unsupported format/version or invalid qubit count"));
    }
    const QJsonValue bitOrder = root.value(QLatin1String("bit_order"));
    if (!bitOrder.isUndefined() && (!bitOrder.isString() || bitOrder.toString() != QLatin1String(kBitOrder))) {
        return fail(error, QStringLiteral("Unsupported bit order"));
    }
    const QJsonValue gatesValue = root.value(QLatin1String("gates"));
    if (!gatesValue.isArray()) {
        return fail(error, QStringLiteral("Missing gates array"));
    }
    const QJsonArray gates = gatesValue.toArray();
    if (static_cast<std::size_t>(gates.size()) > CircuitEditor::kMaxSteps) {
        return fail(error, QStringLiteral("Too many gates"));
    }
    std::vector<LessonStep> steps;
    steps.reserve(static_cast<std::size_t>(gates.size()));
    for (int i = 0; i < gates.size(); ++i) {
        QString message;
        if (!readStep(gates.at(i), i, *qubits, steps, message)) {
            return fail(error, message);
        }
    }

    Circuit parsed;
    setCustomTexts(parsed);
    parsed.qubitCount = static_cast<std::int32_t>(*qubits);
    parsed.steps = std::move(steps);
    // The per-gate checks above do not cover everything the editor requires (a CNOT whose control equals
    // its target passes them), so the circuit must also be accepted as a working copy.
    try {
        const CircuitEditor workingCopy(parsed);
    } catch (const std::exception &exception) {
        return fail(error, QString::fromUtf8(exception.what()));
    }
    circuit = std::move(parsed);
    return true;
}

std::optional<GateKind> gateKindFromName(const QString &name)
{
    for (std::int32_t kind = 0; kind < kGateKindCount; ++kind) {
        if (name == QLatin1String(kGateNames[kind])) {
            return static_cast<GateKind>(kind);
        }
    }
    return std::nullopt;
}

std::optional<std::int64_t> readBoundedInteger(const QJsonValue &value, std::int64_t low, std::int64_t high)
{
    if (!value.isDouble()) {
        return std::nullopt;
    }
    const double number = value.toDouble();
    if (!std::isfinite(number) || number < static_cast<double>(low) || number > static_cast<double>(high) ||
        number != std::floor(number)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(number);
}

QString circuitFileName(const QString &chosenName)
{
    return withFileEnding(chosenName, ".json", ".fsor.json");
}

bool saveCircuitFile(const QString &path, const Circuit &circuit, QString *error)
{
    // A circuit built in code may hold what the reader refuses (an angle beyond ±2π, an unknown kind):
    // writing it would leave a file the student can never open again, so it is refused before any write.
    const QByteArray bytes = serializeCircuit(circuit);
    Circuit readBack;
    QString reason;
    if (!parseCircuit(bytes, readBack, &reason)) {
        return fail(error, QStringLiteral("The circuit cannot be saved as a readable file: %1").arg(reason));
    }
    return saveFileAtomically(path, bytes, error);
}

bool loadCircuitFile(const QString &path, Circuit &circuit, QString *error)
{
    QByteArray bytes;
    return readInputFile(path, kMaxJsonDocumentBytes, bytes, error) && parseCircuit(bytes, circuit, error);
}

} // namespace Fasoria
