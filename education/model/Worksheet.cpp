#include "education/model/Worksheet.h"

#include "fasoria/Version.h"

#include "core/GateText.h"
#include "editor/AtomicSave.h"
#include "editor/CircuitFile.h"
#include "editor/FilePath.h"
#include "ui/model/LogEvent.h"
#include "ui/texts/TextCatalog.h"

#include <QJsonDocument>
#include <QLocale>

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace Fasoria {

namespace {

// The head with its print rules; %1 the page language, %2 the application version.
const char *const kHead =
    "<!doctype html><html lang=\"%1\"><meta charset=\"utf-8\"><title>Fasoria</title><style>body{font:15px/1.5 "
    "sans-serif;max-width:1050px;margin:32px auto;color:#172b40}h1,h2{color:#126477}table{border-collapse:collapse;"
    "width:100%;font-size:13px}td,th{border:1px solid #bccbd5;padding:5px;text-align:left}th{background:#eef3f6}"
    "pre{white-space:pre-wrap;overflow-wrap:anywhere}tr{break-inside:avoid}@media print{body{margin:0;font-size:"
    "11pt}h2{break-after:avoid}thead{display:table-header-group}}</style><body><h1>Fasoria %2</h1>";
// The same page for the print engine, which sizes fonts given in pixels by the printer's own pixels and knows
// no width rule for tables: sizes in points, and every table spans the text width (paperTables).
const char *const kPrintHead =
    "<!doctype html><html lang=\"%1\"><meta charset=\"utf-8\"><title>Fasoria</title><style>body{font-size:10pt;"
    "color:#172b40}h1{font-size:17pt;color:#126477}h2{font-size:13pt;color:#126477}td,th{border:1px solid #bccbd5;"
    "padding:3px}th{background:#eef3f6}</style><body><h1>Fasoria %2</h1>";
// A section of the student's own text. Its paragraph wraps inside a word wider than the page (a pasted link or
// list of numbers): otherwise the word runs past the paper's edge and the browser shrinks the whole printout
// to fit it. The rule sits on these paragraphs alone, so the head stays the fixed print style sheet.
const char *const kSection = "<h2>%1</h2><p style=\"overflow-wrap:anywhere\">%2</p>";
const char *const kCircuitHead = "<h2>%1</h2><p>%2: %3 | %4: %5/%6</p>%8<table><thead><tr><th>#</th><th>%7</th>"
                                 "</tr></thead><tbody>";
const char *const kGateRow = "<tr><td>%1</td><td>%2</td></tr>";
const char *const kResultsHead = "</tbody></table><h2>%1</h2><p>%2</p>%6<table><thead><tr><th>%3</th><th>Re</th>"
                                 "<th>Im</th><th>P %</th><th>%4</th><th>%5</th></tr></thead><tbody>";
const char *const kResultRow = "<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td><td>%6</td></tr>";
const char *const kPreparations = "</tbody></table><p>%1: %2</p>";
const char *const kOutcome = "<p>%1: %2</p>";
// The appendix starts a page of its own on paper.
const char *const kReproducible = "<h2 style=\"page-break-before:always\">%1</h2><p>%2</p><pre>%3</pre></body></html>";
const char *const kPrintedReproducible = "<h2 style=\"page-break-before:always\">%1</h2><p>%2</p><p style=\""
                                         "font-family:monospace;font-size:7pt\">%3</p></body></html>";
// Who, which class, when; then what the work is on. Empty cells are boxes to write in.
const char *const kHeader = "<table><tbody><tr><th>%1</th><td>%2</td><th>%3</th><td>%4</td><th>%5</th><td>%6</td>"
                            "</tr></tbody></table><p><b>%7:</b> %8</p>";
const char *const kGoalLine = "<p><b>%1:</b> %2</p>";
// A line to write on: a cell with only its lower edge drawn, tall enough for handwriting.
const char *const kRuledLine = "<tr><td style=\"border:none;border-bottom:1px solid #8a9bab;height:30px\">&nbsp;"
                               "</td></tr>";
const char *const kRuledStart = "<table style=\"border:none\"><tbody>";
const char *const kRuledEnd = "</tbody></table>";
const char *const kPicture = "<p>%1</p>";
const char *const kPictureImage = "<img src=\"%1\" width=\"%2\">";
const char *const kNotebookSection = "<h2>%1</h2><p style=\"overflow-wrap:anywhere;font-family:monospace;"
                                     "font-size:12px\">%2</p>";

// The page's fixed texts, (Italian, English).
const TextPair kQuestion = {"Domanda", "Question"};
const TextPair kPrediction = {"Previsione e motivazione", "Prediction and reasoning"};
const TextPair kObservations = {"Osservazioni", "Observations"};
const TextPair kConclusions = {"Conclusioni", "Conclusions"};
const TextPair kCircuit = {"Circuito", "Circuit"};
const TextPair kQubits = {"Qubit", "Qubits"};
const TextPair kStep = {"Passo", "Step"};
const TextPair kOperation = {"Operazione", "Operation"};
const TextPair kResults = {"Risultati prima della misura", "Results before measurement"};
const TextPair kResultsNote = {"Le ampiezze e le probabilità descrivono il prefisso del circuito. I conteggi si "
                               "riferiscono a preparazioni indipendenti.",
                               "Amplitudes and probabilities describe the circuit prefix. Counts refer to "
                               "independent preparations."};
const TextPair kState = {"Stato", "State"};
const TextPair kIndependent = {"Preparazioni indipendenti", "Independent preparations"};
const TextPair kSingleOutcome = {"Esito della misura singola", "Single measurement outcome"};
const TextPair kReproducibleTitle = {"Appendice: circuito ricostruibile (JSON)",
                                     "Appendix: reproducible circuit (JSON)"};
const TextPair kName = {"Nome", "Name"};
const TextPair kClass = {"Classe", "Class"};
const TextPair kDate = {"Data", "Date"};
const TextPair kActivity = {"Attività", "Activity"};
const TextPair kGoal = {"Obiettivo", "Goal"};
const TextPair kNoPrediction = {"(nessuna previsione registrata)", "(no prediction recorded)"};
const TextPair kNotebook = {"Quaderno di laboratorio", "Laboratory notebook"};
// Lines of writing room where the student wrote nothing.
constexpr int kQuestionLines = 2;
constexpr int kPredictionLines = 3;
constexpr int kObservationLines = 6;
constexpr int kConclusionLines = 4;
// The widest a picture is printed, in pixels at 100 %: the circuit as wide as the page's text, the chart
// narrower, so that its bars stay on the page with their table.
constexpr int kMaxCircuitWidth = 680;
constexpr int kMaxChartWidth = 440;
const TextPair kReproducibleNote = {"Questo blocco può essere salvato come file .fsor.json e aperto in Fasoria. Per "
                                    "riprendere note e confronti salva anche la sessione.",
                                    "Save this block as a .fsor.json file and open it in Fasoria. Save the session "
                                    "as well to resume notes and comparisons."};

// A user text or generated text as page content: escaped, with its line breaks kept.
QString escaped(const QString &content)
{
    return content.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"));
}

QString section(Language language, const TextPair &heading, const QString &content)
{
    return QString::fromLatin1(kSection).arg(uiText(heading, language), escaped(content));
}

/// The page's tables as the print engine needs them: the text's full width, and a line to write on as tall as
/// handwriting and the notebook's lines in points rather than in the printer's pixels. Only the page's own markup is
/// touched: every text in it is escaped, so none holds a tag.
QString paperTables(QString page)
{
    page.replace(QStringLiteral("<table>"), QStringLiteral("<table width=\"100%\" cellspacing=\"0\">"));
    page.replace(QStringLiteral("<table style=\"border:none\">"),
                 QStringLiteral("<table width=\"100%\" cellspacing=\"0\" style=\"border:none\">"));
    page.replace(QStringLiteral("height:30px"), QStringLiteral("padding-top:18pt"));
    page.replace(QStringLiteral("font-size:12px"), QStringLiteral("font-size:8.5pt"));
    return page;
}

QString ruledLines(int count)
{
    QString lines = QString::fromLatin1(kRuledStart);
    for (int i = 0; i < count; ++i) {
        lines += QString::fromLatin1(kRuledLine);
    }
    return lines + QString::fromLatin1(kRuledEnd);
}

/// A section of the student's text, or its heading over ruled lines when the student wrote nothing.
QString writtenSection(Language language, const TextPair &heading, const QString &content, int lines)
{
    if (content.trimmed().isEmpty()) {
        return QStringLiteral("<h2>%1</h2>").arg(uiText(heading, language)) + ruledLines(lines);
    }
    return section(language, heading, content);
}

QString header(const WorksheetInput &input, Language language)
{
    QString block = QString::fromUtf8(kHeader).arg(
        uiText(kName, language), escaped(input.studentName), uiText(kClass, language), escaped(input.className),
        uiText(kDate, language), escaped(input.date), uiText(kActivity, language), escaped(input.title));
    if (!input.goal.isEmpty()) {
        block += QString::fromLatin1(kGoalLine).arg(uiText(kGoal, language), escaped(input.goal));
    }
    return block;
}

/// A picture as the page carries it; nothing for an empty one.
QString picture(const WorksheetPicture &shown, const char *resource, int widest, WorksheetPictures pictures)
{
    if (pictures == WorksheetPictures::InlineSvg) {
        if (shown.svg.isEmpty()) {
            return QString();
        }
        // The document's own prologue has no place inside a page; the drawing scales down to the page's width.
        QString svg = QString::fromUtf8(shown.svg);
        svg = svg.mid(std::max(0, svg.indexOf(QLatin1String("<svg"))));
        svg.replace(0, 4, QStringLiteral("<svg style=\"max-width:100%;height:auto\""));
        return QString::fromLatin1(kPicture).arg(svg);
    }
    if (shown.png.isEmpty() || shown.width <= 0) {
        return QString();
    }
    const int width = std::min(shown.width, widest);
    return QString::fromLatin1(kPicture).arg(
        QString::fromLatin1(kPictureImage).arg(QLatin1String(resource), QString::number(width)));
}

void checkInput(const WorksheetInput &input, std::uint64_t dimension)
{
    if (input.lastShotsTotal != 0) {
        checkHistogramSize(input.lastShotsCounts, dimension);
    }
    if (input.lastOutcome >= 0) {
        checkMeasuredOutcome(static_cast<std::uint64_t>(input.lastOutcome), dimension);
    }
}

QString textSections(const WorksheetInput &input, Language language)
{
    const Circuit &circuit = input.circuit;
    // A circuit of one's own carries the free lab's invitation as its question: that is the interface speaking,
    // not a question the student answers, so the page leaves room for one instead.
    const bool ownQuestion = circuit.questionEn != kCustomQuestionEn && circuit.questionIt != kCustomQuestionIt;
    const QString question = !input.question.isEmpty() ? input.question
                             : ownQuestion             ? uiText({circuit.questionIt, circuit.questionEn}, language)
                                                       : QString();
    QString prediction;
    if (input.predictionRecorded) {
        prediction =
            section(language, kPrediction, input.predictionFeedback + QLatin1Char('\n') + input.predictionReason);
    } else {
        prediction = section(language, kPrediction, uiText(kNoPrediction, language)) + ruledLines(kPredictionLines);
    }
    return writtenSection(language, kQuestion, question, kQuestionLines) + prediction +
           writtenSection(language, kObservations, input.notes, kObservationLines) +
           writtenSection(language, kConclusions, input.conclusion, kConclusionLines);
}

QString circuitTable(const WorksheetInput &input, Language language, const QString &drawing)
{
    const Circuit &circuit = input.circuit;
    QString page = QString::fromLatin1(kCircuitHead)
                       .arg(uiText(kCircuit, language), uiText(kQubits, language), QString::number(circuit.qubitCount),
                            uiText(kStep, language), QString::number(input.currentStep),
                            QString::number(circuit.steps.size()), uiText(kOperation, language), drawing);
    for (std::size_t i = 0; i < circuit.steps.size(); ++i) {
        page += QString::fromLatin1(kGateRow).arg(QString::number(i + 1),
                                                  escaped(QString::fromStdString(gateLabel(circuit.steps[i].gate))));
    }
    return page;
}

QString resultsTable(const WorksheetInput &input, const StateVector &state, Language language, const QString &chart)
{
    QString page = QString::fromUtf8(kResultsHead)
                       .arg(uiText(kResults, language), uiText(kResultsNote, language), uiText(kState, language),
                            uiText(TextKey::ColumnCount, language), uiText(MoreText::ColumnFrequency, language), chart);
    const QString none = QStringLiteral("-");
    for (std::uint64_t i = 0; i < state.dimension(); ++i) {
        const Complex &amplitude = state.amplitude(i);
        QString count = none;
        QString frequency = none;
        if (input.lastShotsTotal != 0) {
            const std::uint64_t observed = input.lastShotsCounts[i];
            count = QString::number(observed);
            frequency = QString::fromStdString(
                formatFixed(static_cast<double>(observed) * 100.0 / static_cast<double>(input.lastShotsTotal), 3));
        }
        page += QString::fromLatin1(kResultRow)
                    .arg(basisLabel(i, state.qubitCount()), QString::number(amplitude.re, 'g', 9),
                         QString::number(amplitude.im, 'g', 9),
                         QString::fromStdString(formatFixed(state.probability(i) * 100.0, 4)), count, frequency);
    }
    return page;
}

} // namespace

QString buildWorksheet(const WorksheetInput &input, Language language, WorksheetPictures pictures)
{
    const Circuit &circuit = input.circuit;
    const StateVector state = replayPrefix(circuit, input.currentStep);
    checkInput(input, state.dimension());

    const bool paper = pictures == WorksheetPictures::Resources;
    QString page = QString::fromLatin1(paper ? kPrintHead : kHead)
                       .arg(languageCode(language), QString::fromLatin1(kApplicationVersion).toHtmlEscaped());
    page += header(input, language);
    page += textSections(input, language);
    page +=
        circuitTable(input, language, picture(input.circuitPicture, kCircuitPictureName, kMaxCircuitWidth, pictures));
    page +=
        resultsTable(input, state, language, picture(input.chartPicture, kChartPictureName, kMaxChartWidth, pictures));
    page +=
        QString::fromLatin1(kPreparations).arg(uiText(kIndependent, language), QString::number(input.lastShotsTotal));
    if (input.lastOutcome >= 0) {
        page += QString::fromLatin1(kOutcome).arg(
            uiText(kSingleOutcome, language),
            basisLabel(static_cast<std::uint64_t>(input.lastOutcome), circuit.qubitCount));
    }
    if (!input.notebook.isEmpty()) {
        page += QString::fromLatin1(kNotebookSection)
                    .arg(uiText(kNotebook, language), escaped(input.notebook.join(QLatin1Char('\n')).trimmed()));
    }
    // On paper the same document without its indentation: it reads back the same, in a page instead of ten.
    QByteArray json = serializeCircuit(circuit);
    if (paper) {
        json = QJsonDocument::fromJson(json).toJson(QJsonDocument::Compact);
    }
    page += QString::fromLatin1(paper ? kPrintedReproducible : kReproducible)
                .arg(uiText(kReproducibleTitle, language), uiText(kReproducibleNote, language),
                     escaped(QString::fromUtf8(json)));
    return paper ? paperTables(page) : page;
}

QString worksheetDate(const QDate &date, Language language)
{
    const QLocale locale(language == English ? QLocale::English : QLocale::Italian);
    return locale.toString(date, QStringLiteral("d MMMM yyyy"));
}

QString worksheetFileName(const QString &chosenName)
{
    return withFileEnding(chosenName, ".html", ".html");
}

bool saveWorksheetFile(const QString &path, const WorksheetInput &input, Language language, QString *error)
{
    QString page;
    try {
        page = buildWorksheet(input, language);
    } catch (const std::exception &refusal) {
        if (error) {
            *error = QString::fromUtf8(refusal.what());
        }
        return false;
    }
    return saveFileAtomically(path, page.toUtf8(), error);
}

} // namespace Fasoria
