#pragma once

#include <QString>

class QWidget;

namespace Fasoria {

/// Gives every focusable widget under `root` that assistive technology would otherwise announce without a
/// name one taken from what a sighted user reads for it, in this order: the label of its form row, the
/// label whose buddy it is, its placeholder text, its tooltip, then the title of the nearest group box or
/// tab page around it. A name set by hand is kept; a derived one is derived again on every call, so calling
/// this at the end of a language pass keeps every name in the interface language.
void nameFocusableWidgets(QWidget *root);

/// The name `widget` would get from nameFocusableWidgets, or an empty text when nothing around it is read.
QString derivedAccessibleName(const QWidget *widget);

} // namespace Fasoria
