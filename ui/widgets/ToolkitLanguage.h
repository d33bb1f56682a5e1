#pragma once

#include "core/Language.h"

namespace Fasoria {

/// Gives the toolkit's own texts (the buttons of message boxes and file dialogs, "Show Details...") the
/// interface language, from Debian's Qt translations; English needs none. True when they are in that
/// language afterwards (false when the translation files are not installed).
bool useToolkitLanguage(Language language);

} // namespace Fasoria
