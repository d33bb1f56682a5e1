// Reading the handbook's HTML in tests: the few entities the documents use.
#pragma once

#include <QLatin1String>
#include <QString>

namespace HandbookHtml {

/// The text of an HTML fragment without markup, its entities written as the characters they stand for.
inline QString unescaped(QString text)
{
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

} // namespace HandbookHtml
