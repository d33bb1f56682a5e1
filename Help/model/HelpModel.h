#pragma once

#include "core/Language.h"
#include "ui/texts/TextCatalog.h"

#include <QString>
#include <QUrl>
#include <QVariant>
#include <QVector>

namespace Fasoria {

/// Settings keys of the help window and of the terms window.
constexpr const char *kHelpGeometryKey = "help/geometry";
constexpr const char *kHelpTabKey = "help/tab";
constexpr const char *kHelpTopicKey = "help/manualTopic";
constexpr const char *kLicenseGeometryKey = "license/geometry";

/// One entry of the handbook's topic list: the anchor the handbook carries and its label.
struct HelpTopic
{
    QString anchor;
    QString label;
};

/// The anchor of catalog lesson `lessonIndex` (zero-based): "lesson-" and the lesson number in two digits,
/// so index 6 gives "lesson-07".
QString lessonAnchor(int lessonIndex);

/// The topic list in `language`: the 13 chapters, then one entry per catalog lesson titled as the catalog
/// titles it.
QVector<HelpTopic> helpTopics(Language language);

/// The tab a stored "help/tab" value selects, or −1 when it selects none: only a stored value in
/// 0 … tabCount − 1 applies (a stored text converts as the settings store converts it).
int restoredTab(const QVariant &stored, int tabCount);

/// Resource path of the handbook in the language `code` (":/manual/en/index.html").
QString handbookResourcePath(const QString &code);
/// The URL the browser loads the handbook from ("qrc:/manual/en/index.html").
QUrl handbookUrl(const QString &code);
/// Whether `url` shows one of the handbook documents, whatever anchor it names; if so, *language is the
/// language of that document.
bool handbookLanguage(const QUrl &url, Language *language);
/// Whether the handbook in the language `code` is compiled into the program.
bool hasHandbook(const QString &code);
/// What the browser shows in `language` when the handbook resource is missing.
QString handbookMissingHtml(Language language);

/// Resource path of the distribution terms in the language `code` (":/licenses/en.txt").
QString licenseResourcePath(const QString &code);
/// The distribution terms in the language `code` as UTF-8 text, or, when that resource cannot be read, the
/// missing-terms message in `language`.
QString licenseText(const QString &code, Language language);
/// What the terms window shows in `language` when the terms resource cannot be read.
QString licenseMissingText(Language language);

/// Title of the help window and of the terms window.
QString helpWindowTitle(Language language);
QString licenseWindowTitle(Language language);

} // namespace Fasoria
