#pragma once

#include "core/Circuit.h"
#include "curriculum/Networks.h"

#include <vector>

namespace Fasoria {

/// A catalog entry: a circuit with its bilingual texts. Lessons are identified by their zero-based position.
using Lesson = Circuit;
/// The ordered curriculum: guided lessons 01..04, challenges 05..14, algorithm lessons 15..21.
using LessonCatalog = std::vector<Lesson>;

/// Step texts of the algorithm lessons, one pair per phase of the circuit.
extern const StepText kPreparationText;
extern const StepText kOracleText;
extern const StepText kDiffusionText;
extern const StepText kFinalInterferenceText;

/// The 21 lessons, built on first use (thread-safe) and never modified afterwards.
const LessonCatalog &lessonCatalog();

/// Appends the algorithm lessons 15..21 to a list holding exactly lessons 01..14. Throws logic_error
/// "Algorithm lessons must follow lessons 01..14" for any other size, leaving the list unchanged.
void appendAlgorithmLessons(LessonCatalog &lessons);

} // namespace Fasoria
