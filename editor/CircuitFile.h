#pragma once

#include "core/Circuit.h"
#include "core/Gate.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <cstdint>
#include <optional>

namespace Fasoria {

/// Every JSON document the program reads is refused above this size (1 MiB).
constexpr qint64 kMaxJsonDocumentBytes = 1048576;

/// The circuit file: indented JSON, keys in ascending order, a final newline. Holds "format"
/// "FasoriaCircuit", "version" 1, "qubits", "bit_order" "q0_rightmost" and one object per step with "gate"
/// and "target", plus "control" for CNOT and "angle_rad" for P. Every finite angle reads back bit for bit,
/// except that −0.0 comes back as +0.0 (JSON numbers do not keep the sign of zero).
QByteArray serializeCircuit(const Circuit &circuit);

/// One gate as the circuit file writes it: "gate" (its name), "target", "control" for a CNOT and "angle_rad"
/// for a P gate.
QJsonObject gateObject(const Gate &gate);
/// Reads such an object on a register of `qubits`, with the circuit file's checks (known name, qubits in the
/// register, a finite angle within two turns); on failure *message (when given) holds the circuit reader's
/// English text, "%1" standing for the gate's index, and `gate` is unchanged.
bool readGateObject(const QJsonValue &element, std::int64_t qubits, Gate &gate, QString *message);

/// Reads a circuit file completely. On success replaces circuit with the custom-circuit texts, the qubit
/// count and free-lab steps, all within the editor's limits, and returns true. On failure returns false,
/// sets *error (when given) to an English message and leaves circuit untouched. Never throws for bad input.
bool parseCircuit(const QByteArray &bytes, Circuit &circuit, QString *error);

/// The kind named "H", "X", "Z", "P" or "CNOT" (case-sensitive); nothing for any other text.
std::optional<GateKind> gateKindFromName(const QString &name);

/// The value as a whole number when it is a finite JSON number within low..high equal to its own floor
/// (1.0 counts as 1, 1.5 does not); nothing otherwise.
std::optional<std::int64_t> readBoundedInteger(const QJsonValue &value, std::int64_t low, std::int64_t high);

/// The name a circuit is saved under: chosen as is when it ends in ".json" (any letter case), otherwise
/// with ".fsor.json" appended.
QString circuitFileName(const QString &chosenName);

/// Writes the circuit file atomically (see saveFileAtomically), but only when its bytes read back: a circuit
/// that parseCircuit would refuse is reported and nothing is written.
bool saveCircuitFile(const QString &path, const Circuit &circuit, QString *error);

/// Reads (readInputFile: regular files only, never blocking) and parses a circuit file: the file's error
/// text when it cannot be read, "File is too large" above 1 MiB, otherwise parseCircuit's result. circuit
/// changes only on success.
bool loadCircuitFile(const QString &path, Circuit &circuit, QString *error);

} // namespace Fasoria
