#include "ui/widgets/AccessibleNames.h"

#include <QAccessible>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QVariant>

namespace Fasoria {

namespace {

/// Marks the names this file gave, so that a later pass may replace them and never a name set by hand.
const char *const kDerivedNameProperty = "fasoriaDerivedAccessibleName";

/// Markup as it is read on screen; a text the toolkit shows as plain stays as it is, so that markup typed into a
/// file is neither interpreted nor dropped.
QString withoutMarkup(const QString &text, bool markup)
{
    return markup ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
}

/// A label's text as the label shows it.
QString labelText(const QLabel *label)
{
    const Qt::TextFormat format = label->textFormat();
    return withoutMarkup(label->text(),
                         format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(label->text())));
}

/// A visible text as it is heard: without mnemonic ampersands, on one line.
QString spoken(const QString &text)
{
    QString plain = text;
    plain.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    plain.remove(QLatin1Char('&'));
    plain.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    plain = plain.simplified();
    // A form label's colon is punctuation on screen, not part of the name.
    if (plain.endsWith(QLatin1Char(':'))) {
        plain.chop(1);
    }
    return plain;
}

QString formLabelIn(const QLayout *layout, const QWidget *field)
{
    if (const auto *form = qobject_cast<const QFormLayout *>(layout)) {
        if (const auto *label = qobject_cast<const QLabel *>(form->labelForField(const_cast<QWidget *>(field)))) {
            return labelText(label);
        }
    }
    for (int index = 0; index < layout->count(); ++index) {
        if (const QLayout *inner = layout->itemAt(index)->layout()) {
            const QString text = formLabelIn(inner, field);
            if (!text.isEmpty()) {
                return text;
            }
        }
    }
    return QString();
}

QString buddyText(const QWidget *widget)
{
    const QWidget *top = widget->window();
    for (const QLabel *label : top->findChildren<QLabel *>()) {
        if (label->buddy() == widget) {
            return labelText(label);
        }
    }
    return QString();
}

QString placeholderOf(const QWidget *widget)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(widget)) {
        return line->placeholderText();
    }
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(widget)) {
        return plain->placeholderText();
    }
    if (const auto *rich = qobject_cast<const QTextEdit *>(widget)) {
        return rich->placeholderText();
    }
    return QString();
}

/// The title of the nearest group box, or the text of the tab page, that holds `widget`.
QString enclosingTitle(const QWidget *widget)
{
    for (const QWidget *child = widget, *parent = widget->parentWidget(); parent != nullptr;
         child = parent, parent = parent->parentWidget()) {
        if (const auto *group = qobject_cast<const QGroupBox *>(parent)) {
            if (!group->title().isEmpty()) {
                return group->title();
            }
        }
        if (qobject_cast<const QStackedWidget *>(parent) != nullptr) {
            if (const auto *tabs = qobject_cast<const QTabWidget *>(parent->parentWidget())) {
                const int index = tabs->indexOf(const_cast<QWidget *>(child));
                if (index >= 0) {
                    return tabs->tabText(index);
                }
            }
        }
    }
    return QString();
}

QString accessibleNameOf(QWidget *widget)
{
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(widget);
    return interface != nullptr ? interface->text(QAccessible::Name) : widget->accessibleName();
}

} // namespace

QString derivedAccessibleName(const QWidget *widget)
{
    QString text;
    if (const QWidget *parent = widget->parentWidget(); parent != nullptr && parent->layout() != nullptr) {
        text = formLabelIn(parent->layout(), widget);
    }
    for (const auto &next : {&buddyText, &placeholderOf}) {
        if (spoken(text).isEmpty()) {
            text = next(widget);
        }
    }
    if (spoken(text).isEmpty()) {
        // Tool tips are shown as markup whenever they look like it.
        text = withoutMarkup(widget->toolTip(), Qt::mightBeRichText(widget->toolTip()));
    }
    if (spoken(text).isEmpty()) {
        text = enclosingTitle(widget);
    }
    return spoken(text);
}

void nameFocusableWidgets(QWidget *root)
{
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *widget : widgets) {
        if (widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        const QString derived = widget->property(kDerivedNameProperty).toString();
        if (!widget->accessibleName().isEmpty() && widget->accessibleName() != derived) {
            continue;
        }
        // What the toolkit announces by itself (a button's text, a field's buddy label) is left to it.
        widget->setAccessibleName(QString());
        widget->setProperty(kDerivedNameProperty, QVariant());
        if (!accessibleNameOf(widget).isEmpty()) {
            continue;
        }
        const QString name = derivedAccessibleName(widget);
        if (!name.isEmpty()) {
            widget->setAccessibleName(name);
            widget->setProperty(kDerivedNameProperty, name);
        }
    }
}

} // namespace Fasoria
