#pragma once

#include "core/Circuit.h"
#include "core/Language.h"
#include "core/Measurement.h"

#include <QString>

#include <cstdint>

namespace Fasoria {

/// What the printable worksheet shows, gathered by the window from its experiment and its learning lab.
/// The page rebuilds the state itself by replaying `currentStep` steps of `circuit`, so it always shows the
/// state before any single measurement.
struct WorksheetInput
{
    /// The shown circuit (working circuit or catalog lesson).
    Circuit circuit;
    /// Steps applied, 0..circuit.steps.size().
    std::uint64_t currentStep = 0;
    /// The learning lab's `question`; the circuit's own question stands in when it is empty.
    QString question;
    /// The text the learning lab shows in `predictionResult` (LearningLab::predictionFeedback).
    QString predictionFeedback;
    /// The reasoning recorded with the distribution prediction.
    QString predictionReason;
    QString notes;
    QString conclusion;
    /// The last repeated preparations: their number (0 for none) and one count per basis state.
    std::uint64_t lastShotsTotal = 0;
    Histogram lastShotsCounts;
    /// Basis index of the single measurement, −1 for none.
    std::int32_t lastOutcome = -1;
};

/// The self-contained HTML page in `language`: head, question, prediction and reasoning, observations,
/// conclusions, the numbered operations, the amplitudes and counts per basis state, the preparations and
/// measurement lines and the circuit file as a JSON block. Every user text and the JSON are HTML-escaped
/// with line feeds as "<br>", and every piece fills its placeholders in one pass, so a "%1" typed by the
/// student is printed as typed. Checks everything before building: out_of_range "Circuit step outside
/// lesson" (from the replay) for a step past the end, invalid_argument "Histogram size differs from
/// register" for counts of another register when preparations were made, out_of_range "Measured outcome
/// outside register" for an outcome outside it.
QString buildWorksheet(const WorksheetInput &input, Language language);

/// The name a worksheet is exported under: chosen as is when it ends in ".html" (any letter case),
/// otherwise with ".html" appended.
QString worksheetFileName(const QString &chosenName);

/// Builds the page and writes it as UTF-8 through the atomic save; false with the file's error text (or
/// the builder's message) in *error, the previous file untouched.
bool saveWorksheetFile(const QString &path, const WorksheetInput &input, Language language, QString *error);

} // namespace Fasoria
