// Small helpers that build the window's widgets with their object names, shared by the window and its panels.
#pragma once

#include "ui/widgets/ContentHeight.h"
#include "ui/widgets/InterfaceZoom.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QString>

namespace Fasoria {

template <typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

/// A label that shows its text exactly as given. Plain is the default because many texts come from files (a
/// teacher's goal, a circuit's title, a file name): guessed markup would let a file draw in the window or make
/// the toolkit open a path it names while it lays the label out.
inline QLabel *namedLabel(const char *name, bool wrapping = false)
{
    QLabel *result = named(wrapping ? new WrappingLabel : new QLabel, name);
    result->setTextFormat(Qt::PlainText);
    return result;
}

/// A wrapping label for the program's own links into the handbook: the one kind of label whose text is markup.
/// Never give it a text that came from a file.
inline QLabel *namedLinkLabel(const char *name)
{
    QLabel *result = named(new WrappingLabel, name);
    result->setTextFormat(Qt::RichText);
    result->setOpenExternalLinks(false);
    result->setTextInteractionFlags(Qt::TextBrowserInteraction);
    return result;
}

/// A tool tip that shows `text` as written. The toolkit guesses markup in tips, so a text from a file is escaped
/// and marked as markup, which also wraps a long one.
inline QString plainToolTip(const QString &text)
{
    return QStringLiteral("<qt>") + text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")) +
           QStringLiteral("</qt>");
}

inline QPushButton *namedButton(const char *name)
{
    return named(new QPushButton, name);
}

/// A spin box with its range; a positive width fixes it.
inline QSpinBox *namedSpinBox(const char *name, int minimum, int maximum, int width = 0)
{
    QSpinBox *spin = named(new QSpinBox, name);
    spin->setRange(minimum, maximum);
    if (width > 0) {
        InterfaceZoom::setFixedWidth(spin, width);
    }
    return spin;
}

} // namespace Fasoria
