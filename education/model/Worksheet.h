#pragma once

#include "core/Circuit.h"
#include "core/Language.h"
#include "core/Measurement.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace Fasoria {

/// A picture on the worksheet in the two forms its readers take: SVG for the page a browser opens (kept in
/// the one file), PNG for the printed page; its size in pixels at 100 %. Empty for no picture.
struct WorksheetPicture
{
    QByteArray svg;
    QByteArray png;
    int width = 0;
    int height = 0;
};

/// How the page carries its pictures: inline SVG, or images named kCircuitPictureName and kChartPictureName
/// that the document printing it provides.
enum class WorksheetPictures
{
    InlineSvg,
    Resources,
};

inline constexpr const char *kCircuitPictureName = "fasoria-circuit.png";
inline constexpr const char *kChartPictureName = "fasoria-chart.png";

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
    /// The header a teacher collects: who, which class and when, as the student typed them (an empty one
    /// leaves its box to write in).
    QString studentName;
    QString className;
    QString date;
    /// What the work is on: the lesson's or the circuit's title, and a challenge's goal (empty otherwise).
    QString title;
    QString goal;
    /// Whether a distribution prediction was recorded: without one the page says so and leaves room.
    bool predictionRecorded = false;
    /// The notebook as the window shows it, a line per entry.
    QStringList notebook;
    /// The circuit at the shown stage and the probability chart.
    WorksheetPicture circuitPicture;
    WorksheetPicture chartPicture;
};

/// The self-contained HTML page in `language`: head, the header (name, class, date, title and goal),
/// question, prediction and reasoning, observations, conclusions (ruled lines to write on where the student
/// wrote nothing, never an interface hint as the student's text), the circuit's picture and numbered
/// operations, the chart and the amplitudes and counts per basis state, the preparations and measurement
/// lines, the notebook and, as an appendix, the circuit file as a JSON block. Every user text, notebook line
/// and the JSON are HTML-escaped with line feeds as "<br>", and every piece fills its placeholders in one
/// pass, so a "%1" typed by the student is printed as typed. Checks everything before building: out_of_range
/// "Circuit step outside lesson" (from the replay) for a step past the end, invalid_argument "Histogram size
/// differs from register" for counts of another register when preparations were made, out_of_range
/// "Measured outcome outside register" for an outcome outside it.
QString buildWorksheet(const WorksheetInput &input, Language language,
                       WorksheetPictures pictures = WorksheetPictures::InlineSvg);

/// A day as the worksheet's header writes it in `language`: "10 dicembre 2026", "10 December 2026".
QString worksheetDate(const QDate &date, Language language);

/// The name a worksheet is exported under: chosen as is when it ends in ".html" (any letter case),
/// otherwise with ".html" appended.
QString worksheetFileName(const QString &chosenName);

/// Builds the page and writes it as UTF-8 through the atomic save; false with the file's error text (or
/// the builder's message) in *error, the previous file untouched.
bool saveWorksheetFile(const QString &path, const WorksheetInput &input, Language language, QString *error);

} // namespace Fasoria
