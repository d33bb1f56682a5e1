#include "Help/model/HelpModel.h"

#include "curriculum/LessonCatalog.h"

#include <QFile>

namespace Fasoria {

namespace {

struct Chapter
{
    const char *anchor;
    TextPair label;
};

// clang-format off
const Chapter kChapters[] = {
    {"chapter-start",      {"Da zero", "Start here"}},
    {"chapter-model",      {"Che cos'è un qubit", "What is a qubit"}},
    {"chapter-gates",      {"Le porte", "Quantum gates"}},
    {"chapter-workflow",   {"Usare il programma", "Using the program"}},
    {"chapter-learning",   {"Metodo di studio", "Learning method"}},
    {"chapter-oracles",    {"Algoritmi e oracoli", "Algorithms and oracles"}},
    {"chapter-limits",     {"Limiti del simulatore", "Simulator limits"}},
    {"chapter-validation", {"Validazione", "Validation"}},
    {"chapter-faq",        {"Domande e problemi", "Questions and troubleshooting"}},
    {"chapter-glossary",   {"Glossario", "Glossary"}},
    {"chapter-math",       {"Matematica di approfondimento", "Mathematical appendix"}},
    {"chapter-teacher",    {"Per chi insegna", "For teachers"}},
    {"chapter-education",  {"Laboratorio didattico 0.16", "Learning lab 0.16"}},
};

constexpr TextPair kHandbookMissing = {
    "<h2>Manuale non disponibile</h2><p>Controllare la compilazione RCC di Help/FasoriaHelp.</p>",
    "<h2>Handbook resource missing</h2><p>Check the Qt RCC build of Help/FasoriaHelp.</p>"};
constexpr TextPair kLicenseMissing = {
    "Licenza non disponibile. Controllare Help/FasoriaHelp.",
    "License resource missing. Check Help/FasoriaHelp."};
constexpr TextPair kHelpTitle = {"Fasoria | Guida", "Fasoria | Help"};
constexpr TextPair kLicenseTitle = {"Fasoria | Licenza", "Fasoria | License"};
// clang-format on

} // namespace

QString lessonAnchor(int lessonIndex)
{
    return QStringLiteral("lesson-%1").arg(lessonIndex + 1, 2, 10, QLatin1Char('0'));
}

QVector<HelpTopic> helpTopics(Language language)
{
    QVector<HelpTopic> topics;
    for (const Chapter &chapter : kChapters) {
        topics.append({QString::fromLatin1(chapter.anchor), uiText(chapter.label, language)});
    }
    const LessonCatalog &lessons = lessonCatalog();
    for (std::size_t i = 0; i < lessons.size(); ++i) {
        topics.append({lessonAnchor(static_cast<int>(i)),
                       QString::fromUtf8(pick(language, lessons[i].titleIt, lessons[i].titleEn))});
    }
    return topics;
}

int restoredTab(const QVariant &stored, int tabCount)
{
    if (!stored.isValid()) {
        return -1;
    }
    const int tab = stored.toInt();
    return tab >= 0 && tab < tabCount ? tab : -1;
}

QString handbookResourcePath(const QString &code)
{
    return QStringLiteral(":/manual/%1/index.html").arg(code);
}

QUrl handbookUrl(const QString &code)
{
    return QUrl(QStringLiteral("qrc:/manual/%1/index.html").arg(code));
}

bool handbookLanguage(const QUrl &url, Language *language)
{
    const QUrl document = url.adjusted(QUrl::RemoveFragment);
    for (const Language candidate : {Italian, English}) {
        if (document == handbookUrl(languageCode(candidate))) {
            *language = candidate;
            return true;
        }
    }
    return false;
}

bool hasHandbook(const QString &code)
{
    return QFile::exists(handbookResourcePath(code));
}

QString handbookMissingHtml(Language language)
{
    return uiText(kHandbookMissing, language);
}

QString licenseResourcePath(const QString &code)
{
    return QStringLiteral(":/licenses/%1.txt").arg(code);
}

QString licenseText(const QString &code, Language language)
{
    QFile file(licenseResourcePath(code));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return licenseMissingText(language);
    }
    return QString::fromUtf8(file.readAll());
}

QString licenseMissingText(Language language)
{
    return uiText(kLicenseMissing, language);
}

QString helpWindowTitle(Language language)
{
    return uiText(kHelpTitle, language);
}

QString licenseWindowTitle(Language language)
{
    return uiText(kLicenseTitle, language);
}

} // namespace Fasoria
