// The prose of the four reference pages, Italian then English. A "{n}" in a text stands for interface text
// number n (the name of a button or a tab as the window shows it); "{matrix LABEL|ROWS}" is a matrix with
// rows separated by ";" and entries by blanks; the lesson tables are filled in from the catalog where
// "{demonstrations}" and "{challenges}" stand.
#pragma once

#include "core/Language.h"

namespace Fasoria::ReferenceTexts {

extern const TextPair kGatesBody;
extern const TextPair kBasicsBody;
extern const TextPair kAlgorithmsBody;
extern const TextPair kExamplesBody;

/// What to watch in the demonstrations 01..04, one entry per lesson.
extern const TextPair kDemonstrationNotes[4];

/// Column titles of the lesson tables.
extern const TextPair kLessonColumn;
extern const TextPair kQuestionColumn;
extern const TextPair kWatchColumn;
extern const TextPair kGoalColumn;
extern const TextPair kQubitsColumn;
extern const TextPair kRequiredColumn;
extern const TextPair kMinimumColumn;

} // namespace Fasoria::ReferenceTexts
