#pragma once

#include "core/Language.h"

namespace Fasoria {

class Prompts;

/// What a run of the validation dialog found.
struct ValidationOutcome
{
    int passed = 0;
    int total = 0;
};

/// Runs the whole validation suite, shows its result in a report box (information icon on PASS, warning
/// otherwise) with the detailed lines, and, when the user asks for it, saves the JSON report through the
/// atomic save after a file dialog; a failed save is reported. Everything is asked through `prompts`.
ValidationOutcome runValidationDialog(const Prompts &prompts, Language language);

} // namespace Fasoria
