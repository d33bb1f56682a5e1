#include "education/model/Worksheet.h"

#include "fasoria/Version.h"

#include "core/GateText.h"
#include "editor/AtomicSave.h"
#include "editor/CircuitFile.h"
#include "ui/model/LogEvent.h"
#include "ui/texts/TextCatalog.h"

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
// A section of the student's own text. Its paragraph wraps inside a word wider than the page (a pasted link or
// list of numbers): otherwise the word runs past the paper's edge and the browser shrinks the whole printout
// to fit it. The rule sits on these paragraphs alone, so the head stays the fixed print style sheet.
const char *const kSection = "<h2>%1</h2><p style=\"overflow-wrap:anywhere\">%2</p>";
const char *const kCircuitHead = "<h2>%1</h2><p>%2: %3 | %4: %5/%6</p><table><thead><tr><th>#</th><th>%7</th></tr>"
                                 "</thead><tbody>";
const char *const kGateRow = "<tr><td>%1</td><td>%2</td></tr>";
const char *const kResultsHead = "</tbody></table><h2>%1</h2><p>%2</p><table><thead><tr><th>%3</th><th>Re</th>"
                                 "<th>Im</th><th>P %</th><th>%4</th><th>%5</th></tr></thead><tbody>";
const char *const kResultRow = "<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td><td>%6</td></tr>";
const char *const kPreparations = "</tbody></table><p>%1: %2</p>";
const char *const kOutcome = "<p>%1: %2</p>";
const char *const kReproducible = "<h2>%1</h2><p>%2</p><pre>%3</pre></body></html>";

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
const TextPair kReproducibleTitle = {"Circuito ricostruibile (JSON)", "Reproducible circuit (JSON)"};
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
    const QString question =
        input.question.isEmpty() ? uiText({circuit.questionIt, circuit.questionEn}, language) : input.question;
    return section(language, kQuestion, question) +
           section(language, kPrediction, input.predictionFeedback + QLatin1Char('\n') + input.predictionReason) +
           section(language, kObservations, input.notes) + section(language, kConclusions, input.conclusion);
}

QString circuitTable(const WorksheetInput &input, Language language)
{
    const Circuit &circuit = input.circuit;
    QString page = QString::fromLatin1(kCircuitHead)
                       .arg(uiText(kCircuit, language), uiText(kQubits, language), QString::number(circuit.qubitCount),
                            uiText(kStep, language), QString::number(input.currentStep),
                            QString::number(circuit.steps.size()), uiText(kOperation, language));
    for (std::size_t i = 0; i < circuit.steps.size(); ++i) {
        page += QString::fromLatin1(kGateRow).arg(QString::number(i + 1),
                                                  escaped(QString::fromStdString(gateLabel(circuit.steps[i].gate))));
    }
    return page;
}

QString resultsTable(const WorksheetInput &input, const StateVector &state, Language language)
{
    QString page = QString::fromUtf8(kResultsHead)
                       .arg(uiText(kResults, language), uiText(kResultsNote, language), uiText(kState, language),
                            uiText(TextKey::ColumnCount, language), uiText(MoreText::ColumnFrequency, language));
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

QString buildWorksheet(const WorksheetInput &input, Language language)
{
    const Circuit &circuit = input.circuit;
    const StateVector state = replayPrefix(circuit, input.currentStep);
    checkInput(input, state.dimension());

    QString page = QString::fromLatin1(kHead).arg(languageCode(language),
                                                  QString::fromLatin1(kApplicationVersion).toHtmlEscaped());
    page += textSections(input, language);
    page += circuitTable(input, language);
    page += resultsTable(input, state, language);
    page +=
        QString::fromLatin1(kPreparations).arg(uiText(kIndependent, language), QString::number(input.lastShotsTotal));
    if (input.lastOutcome >= 0) {
        page += QString::fromLatin1(kOutcome).arg(
            uiText(kSingleOutcome, language),
            basisLabel(static_cast<std::uint64_t>(input.lastOutcome), circuit.qubitCount));
    }
    page += QString::fromLatin1(kReproducible)
                .arg(uiText(kReproducibleTitle, language), uiText(kReproducibleNote, language),
                     escaped(QString::fromUtf8(serializeCircuit(circuit))));
    return page;
}

QString worksheetFileName(const QString &chosenName)
{
    if (chosenName.endsWith(QLatin1String(".html"), Qt::CaseInsensitive)) {
        return chosenName;
    }
    return chosenName + QLatin1String(".html");
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
