#pragma once

#include "validation/suite/ValidationCheck.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace Fasoria {

/// The plain-text report, UTF-8 with a line feed after every line: "Fasoria <version> scientific validation
/// (deterministic)", "RESULT: PASS|FAIL  <passed>/<total>", then "PASS|FAIL | group | id | details" per row.
QByteArray validationTextReport(const std::vector<ValidationCheck> &checks);

/// The JSON report in the writer's indented form (keys ascending): "application_version", "checks" (id,
/// group, passed, details per row), "deterministic_seed", "format" "FasoriaValidation", "passed",
/// "qt_version", "schema_version" 1, "status", "total" and "utc" (now, ISO 8601 to the second, ending in Z).
QByteArray validationJsonReport(const std::vector<ValidationCheck> &checks);

/// The name the save dialog proposes: "Fasoria_validation_v" + the version with '_' for '.' + ".json".
QString validationReportFileName();

/// Writes the JSON report through the atomic save. On failure returns false with the file's error text in
/// *error (when given) and leaves any existing file at path as it was.
bool saveValidationReport(const QString &path, const std::vector<ValidationCheck> &checks, QString *error);

} // namespace Fasoria
