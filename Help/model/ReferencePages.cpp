#include "Help/model/ReferencePages.h"

#include "Help/model/ReferencePageTexts.h"
#include "curriculum/Challenge.h"
#include "curriculum/LessonCatalog.h"
#include "ui/texts/TextCatalog.h"

#include <QRegularExpression>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <iterator>

namespace Fasoria {

namespace {

using namespace ReferenceTexts;

const char *const kHead = "<html><head><meta charset=\"utf-8\"><style>"
                          "body { font-family: 'Segoe UI'; font-size: 11pt; line-height: 1.45; }"
                          "h2 { color: #276a89; }"
                          "code { background-color: #eeeeee; }"
                          "table { border-collapse: collapse; }"
                          "th, td { border: 1px solid #cccccc; padding: 3px 6px; }"
                          "blockquote { background-color: #f1f5f8; }"
                          "table.matrix td { border: none; padding: 0px 5px; }"
                          "</style></head><body>";
const char *const kTail = "</body></html>";

// Short gate names by kind value, as the drawing labels them.
const char *const kGateNames[] = {"H", "X", "Z", "P", "CNOT"};

QString text(Language language, const char *italian, const char *english)
{
    return QString::fromUtf8(pick(language, italian, english)).toHtmlEscaped();
}

QString text(Language language, const TextPair &pair)
{
    return text(language, pair.it, pair.en);
}

QString tableRow(const QStringList &cells, const QString &tag)
{
    QString row = QStringLiteral("<tr>");
    for (const QString &cell : cells) {
        row += QStringLiteral("<%1>%2</%1>").arg(tag, cell);
    }
    return row + QStringLiteral("</tr>\n");
}

QString table(const QStringList &header, const QString &rows)
{
    return QStringLiteral("<table>\n") + tableRow(header, QStringLiteral("th")) + rows + QStringLiteral("</table>\n");
}

QString lessonTitle(const Lesson &lesson, Language language)
{
    return text(language, lesson.titleIt, lesson.titleEn);
}

QString lessonQuestion(const Lesson &lesson, Language language)
{
    return text(language, lesson.questionIt, lesson.questionEn);
}

QString demonstrationTable(Language language)
{
    const LessonCatalog &lessons = lessonCatalog();
    QString rows;
    for (std::size_t i = 0; i < std::size(kDemonstrationNotes) && i < lessons.size(); ++i) {
        rows += tableRow({lessonTitle(lessons[i], language), lessonQuestion(lessons[i], language),
                          text(language, kDemonstrationNotes[i])},
                         QStringLiteral("td"));
    }
    return table({text(language, kLessonColumn), text(language, kQuestionColumn), text(language, kWatchColumn)}, rows);
}

QString challengeTable(Language language)
{
    const LessonCatalog &lessons = lessonCatalog();
    QString rows;
    for (const Challenge &challenge : challengeCatalog()) {
        if (challenge.lessonIndex >= lessons.size()) {
            continue;
        }
        const Lesson &lesson = lessons[challenge.lessonIndex];
        const auto kind = static_cast<std::size_t>(challenge.requiredKind);
        const QString required = challenge.requiredCount > 0 && kind < std::size(kGateNames)
                                     ? QStringLiteral("%1 × %2").arg(challenge.requiredCount).arg(kGateNames[kind])
                                     : QStringLiteral("—");
        rows += tableRow({lessonTitle(lesson, language), lessonQuestion(lesson, language),
                          QString::number(lesson.qubitCount), required, QString::number(challenge.minGates)},
                         QStringLiteral("td"));
    }
    return table({text(language, kLessonColumn), text(language, kGoalColumn), text(language, kQubitsColumn),
                  text(language, kRequiredColumn), text(language, kMinimumColumn)},
                 rows);
}

// A matrix laid out as a borderless table, so its columns line up whatever font the page is shown in.
QString matrix(const QString &label, const QString &rows)
{
    const QStringList lines = rows.split(QLatin1Char(';'));
    QString html = QStringLiteral("<table class=\"matrix\">");
    for (int i = 0; i < lines.size(); ++i) {
        html += QStringLiteral("<tr>");
        if (i == 0) {
            html += QStringLiteral("<td rowspan=\"%1\" valign=\"middle\">%2</td>").arg(lines.size()).arg(label);
        }
        html += QStringLiteral("<td>[</td>");
        for (const QString &entry : lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            html += QStringLiteral("<td align=\"right\">%1</td>").arg(entry);
        }
        html += QStringLiteral("<td>]</td></tr>");
    }
    return html + QStringLiteral("</table>");
}

// Replaces every match of `token` in `body` with what `replacement` makes of it.
QString replaced(const QString &body, const QRegularExpression &token,
                 const std::function<QString(const QRegularExpressionMatch &)> &replacement)
{
    QString result;
    int copied = 0;
    QRegularExpressionMatchIterator matches = token.globalMatch(body);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result += body.mid(copied, match.capturedStart() - copied) + replacement(match);
        copied = match.capturedEnd();
    }
    return result + body.mid(copied);
}

QString withMatrices(const QString &body)
{
    static const QRegularExpression token(QStringLiteral("\\{matrix ([^|{}]*)\\|([^{}]*)\\}"));
    return replaced(body, token,
                    [](const QRegularExpressionMatch &match) { return matrix(match.captured(1), match.captured(2)); });
}

// Replaces every "{n}" of the prose with interface text n, so the pages name buttons and tabs exactly as the
// window shows them in the same language.
QString withInterfaceTexts(const QString &body, Language language)
{
    static const QRegularExpression token(QStringLiteral("\\{(\\d+)\\}"));
    return replaced(body, token, [language](const QRegularExpressionMatch &match) {
        return uiText(static_cast<TextKey>(match.captured(1).toInt()), language).toHtmlEscaped();
    });
}

QString pageBody(ReferencePage page, Language language)
{
    switch (page) {
    case ReferencePage::Gates:
        return withMatrices(QString::fromUtf8(pick(language, kGatesBody)));
    case ReferencePage::Basics:
        return QString::fromUtf8(pick(language, kBasicsBody));
    case ReferencePage::Algorithms:
        return QString::fromUtf8(pick(language, kAlgorithmsBody));
    case ReferencePage::Examples:
        return QString::fromUtf8(pick(language, kExamplesBody))
            .replace(QStringLiteral("{demonstrations}"), demonstrationTable(language))
            .replace(QStringLiteral("{challenges}"), challengeTable(language));
    }
    return QString();
}

} // namespace

QString referencePageHead()
{
    return QString::fromUtf8(kHead);
}

QString referencePage(ReferencePage page, Language language)
{
    return referencePageHead() + withInterfaceTexts(pageBody(page, language), language) + QString::fromUtf8(kTail);
}

} // namespace Fasoria
