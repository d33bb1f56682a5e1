#pragma once

#include "core/Language.h"

#include <QString>

namespace Fasoria {

/// The four short reference pages of the help window, in tab order.
enum class ReferencePage
{
    Gates,
    Basics,
    Algorithms,
    Examples,
};

/// The head every reference page starts with: the document's opening tags and its small style sheet.
QString referencePageHead();

/// A complete reference page: the common head, the page body in `language` and "</body></html>". Button
/// and tab names in the prose are the interface's own, and the lesson tables come from the catalog, so the
/// pages name what the window shows.
QString referencePage(ReferencePage page, Language language);

} // namespace Fasoria
