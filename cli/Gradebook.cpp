#include "cli/Gradebook.h"

#include "cli/CliTexts.h"
#include "cli/CommandLine.h"

#include "ui/texts/ChallengeMessage.h"
#include "ui/texts/TextCatalog.h"

#include <QStringList>

namespace Fasoria::Cli {

namespace {

const char *const kStyle = "body { font-family: sans-serif; margin: 2em; color: #111; }\n"
                           "table { border-collapse: collapse; width: 100%; }\n"
                           "th, td { border: 1px solid #999; padding: 4px 8px; text-align: left; "
                           "vertical-align: top; }\n"
                           "th { background: #eee; }\n"
                           "td.number { text-align: right; white-space: nowrap; }\n"
                           ".solved { color: #065f2c; font-weight: bold; }\n"
                           ".unsolved { color: #9b1c1c; font-weight: bold; }\n"
                           "@media print { body { margin: 0; } tr { break-inside: avoid; } }\n";

// A spreadsheet evaluates a cell that starts with a tab or a carriage return, or whose first non-blank
// character is =, +, - or @ (it skips the blanks before a formula); file names come from students, so
// such cells are defused.
bool looksLikeFormula(const QString &field)
{
    if (field.startsWith(QLatin1Char('\t')) || field.startsWith(QLatin1Char('\r'))) {
        return true;
    }
    static const QString kFormulaStarts = QStringLiteral("=+-@");
    for (const QChar c : field) {
        if (!c.isSpace()) {
            return kFormulaStarts.contains(c);
        }
    }
    return false;
}

QString csvField(const QString &text)
{
    QString field = text;
    if (looksLikeFormula(field)) {
        field.prepend(QLatin1Char('\''));
    }
    if (field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) || field.contains(QLatin1Char('\n')) ||
        field.contains(QLatin1Char('\r'))) {
        field.replace(QLatin1String("\""), QLatin1String("\"\""));
        field = QLatin1Char('"') + field + QLatin1Char('"');
    }
    return field;
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString cell(const QString &text, const char *cssClass = nullptr)
{
    const QString open = cssClass ? QStringLiteral("<td class=\"%1\">").arg(QLatin1String(cssClass)) : "<td>";
    return open + escaped(text) + QLatin1String("</td>");
}

int solvedCount(const Gradebook &book)
{
    int solved = 0;
    for (const GradeRow &row : book.rows) {
        solved += row.diagnosis && row.diagnosis->result.solved ? 1 : 0;
    }
    return solved;
}

QString tableRow(const GradeRow &row)
{
    const bool solved = row.diagnosis && row.diagnosis->result.solved;
    QString html = QStringLiteral("<tr>") + cell(row.file) + cell(row.verdict, solved ? "solved" : "unsolved");
    if (row.diagnosis) {
        html += cell(fidelityPercent(row.diagnosis->result.fidelity) + QLatin1Char('%'), "number") +
                cell(QString::number(row.diagnosis->gateCount), "number");
    } else {
        html += cell(QString(), "number") + cell(QString(), "number");
    }
    return html + cell(row.message) + cell(row.diagnostics) + QLatin1String("</tr>\n");
}

} // namespace

QByteArray gradebookListing(const Gradebook &book)
{
    QString text;
    for (const GradeRow &row : book.rows) {
        const QString fidelity =
            row.diagnosis ? fidelityPercent(row.diagnosis->result.fidelity) + QLatin1Char('%') : QStringLiteral("-");
        text += QStringList{shownPath(row.file), row.verdict, fidelity, row.message}.join(QLatin1Char('\t')) +
                QLatin1Char('\n');
        if (!row.diagnostics.isEmpty()) {
            text += cliText(CliText::DiagnosticsPrefix, book.language) + row.diagnostics + QLatin1Char('\n');
        }
    }
    return text.toUtf8();
}

QByteArray gradebookCsv(const Gradebook &book)
{
    QString text = cliText(CliText::CsvHeader, book.language) + QLatin1Char('\n');
    for (const GradeRow &row : book.rows) {
        QStringList fields{csvField(row.file)};
        if (row.diagnosis) {
            fields << QString::number(static_cast<int>(row.diagnosis->result.status)) << csvField(row.verdict)
                   << fidelityPercent(row.diagnosis->result.fidelity) << QString::number(row.diagnosis->gateCount)
                   << csvField(row.diagnostics);
        } else {
            fields << QString() << csvField(row.verdict) << QString() << QString() << csvField(row.message);
        }
        text += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

QByteArray gradebookHtml(const Gradebook &book)
{
    const Language language = book.language;
    const QString title = cliText(CliText::HtmlTitle, language).arg(book.title);
    QString html = QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\">\n<head>\n<meta charset=\"utf-8\">\n")
                       .arg(languageCode(language));
    html += QLatin1String("<title>") + escaped(title) + QLatin1String("</title>\n<style>\n") + QLatin1String(kStyle) +
            QLatin1String("</style>\n</head>\n<body>\n");
    html += QLatin1String("<h1>") + escaped(title) + QLatin1String("</h1>\n");
    if (!book.goal.isEmpty()) {
        html += QLatin1String("<p>") + escaped(cliText(CliText::GoalLine, language).arg(book.goal)) +
                QLatin1String("</p>\n");
    }
    html += QLatin1String("<p>") +
            escaped(cliText(CliText::HtmlSummary, language).arg(solvedCount(book)).arg(book.rows.size())) +
            QLatin1String("</p>\n<table>\n<thead><tr>");
    for (const CliText header : {CliText::HtmlFile, CliText::HtmlVerdict, CliText::HtmlFidelity, CliText::HtmlGates,
                                 CliText::HtmlMessage, CliText::HtmlDiagnostics}) {
        html += QLatin1String("<th>") + escaped(cliText(header, language)) + QLatin1String("</th>");
    }
    html += QLatin1String("</tr></thead>\n<tbody>\n");
    for (const GradeRow &row : book.rows) {
        html += tableRow(row);
    }
    html += QLatin1String("</tbody>\n</table>\n</body>\n</html>\n");
    return html.toUtf8();
}

} // namespace Fasoria::Cli
