#pragma once

#include "core/Circuit.h"
#include "curriculum/LessonCatalog.h"

#include <QByteArray>

namespace Fasoria {

/// The circuit the document checks share: lesson 03 (H q0, CNOT q0→q1) with P(π/2) q1 appended.
Circuit documentFixture();

/// Requires the circuit reader to refuse `bytes` cleanly: throws runtime_error "Malformed JSON accepted",
/// "Malformed JSON gave no error" or "JSON parse failure modified caller's document" (the destination, a
/// fresh fixture, no longer serialises to the fixture's bytes).
void requireRejectedDocument(const QByteArray &bytes);

/// The check bodies of Q01..Q07 in order; each throws runtime_error with its fixed message on failure.
void checkJsonRoundtrip();
void checkJsonInvalidHeader();
void checkJsonInvalidGates();
void checkJsonTruncatedLarge();
void checkTextLabels();
/// Q06 over any list of lessons: every title, question and explanation in both languages.
void checkLessonTexts(const LessonCatalog &lessons);
/// Touches only a temporary directory of its own, never the user's settings.
void checkSettingsRoundtrip();

} // namespace Fasoria
