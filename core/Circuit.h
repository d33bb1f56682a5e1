#pragma once

#include "core/Gate.h"
#include "core/StateVector.h"

#include <cstdint>
#include <vector>

namespace Fasoria {

/// One element of a circuit: a gate and the sentence (Italian, English) describing the state after it.
/// The texts are static constants shared by every copy; either may be null (no explanation shown).
struct LessonStep
{
    /// A free-lab step: the gate with the standard free-lab explanation.
    LessonStep(GateKind kind, std::int32_t target, std::int32_t control, double angle);
    LessonStep(const Gate &stepGate, const char *italian, const char *english)
        : gate(stepGate), explanationIt(italian), explanationEn(english)
    {}

    Gate gate;
    const char *explanationIt = nullptr;
    const char *explanationEn = nullptr;
};

/// Every circuit of the program (lesson, working copy, file, generated algorithm) has this shape. The texts
/// are static constants that live for the whole run: copying a circuit copies the step list and shares them.
struct Circuit
{
    const char *titleIt = "";
    const char *titleEn = "";
    const char *questionIt = "";
    const char *questionEn = "";
    const char *explanationIt = "";
    const char *explanationEn = "";
    std::int32_t qubitCount = 1;
    std::vector<LessonStep> steps;
};

/// Texts every circuit read from a file or made in the free lab carries.
extern const char *const kCustomTitleIt;
extern const char *const kCustomTitleEn;
extern const char *const kCustomQuestionIt;
extern const char *const kCustomQuestionEn;
extern const char *const kCustomExplanationIt;
extern const char *const kCustomExplanationEn;
extern const char *const kFreeLabStepIt;
extern const char *const kFreeLabStepEn;

/// Gives `circuit` the custom-circuit title, question and explanation, in both languages.
void setCustomTexts(Circuit &circuit);
/// Gives `circuit` the title, question and explanation of `lesson`, in both languages: an answer to a lesson's
/// challenge reads as the lesson.
void setLessonTexts(Circuit &circuit, const Circuit &lesson);

/// Applies one gate to the state (same dispatch as the replay loop).
inline void applyGate(StateVector &state, const Gate &gate)
{
    state.applyGate(gate);
}

/// Throws out_of_range "Circuit step outside lesson" when `steps` exceeds the circuit's step count.
void checkStage(const Circuit &circuit, std::uint64_t steps);

/// The state after the first `steps` steps, rebuilt from |0…0⟩. Throws out_of_range "Circuit step outside
/// lesson" when steps exceeds the step count; engine errors propagate and no partial state is returned.
StateVector replayPrefix(const Circuit &circuit, std::uint64_t steps);

} // namespace Fasoria
