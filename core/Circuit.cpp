#include "core/Circuit.h"

#include <stdexcept>

namespace Fasoria {

const char *const kCustomTitleIt = "Circuito personale";
const char *const kCustomTitleEn = "Custom circuit";
const char *const kCustomQuestionIt = "Laboratorio libero: verifica la tua previsione.";
const char *const kCustomQuestionEn = "Free laboratory: test your prediction.";
const char *const kCustomExplanationIt = "Circuito completato.";
const char *const kCustomExplanationEn = "Circuit completed.";
const char *const kFreeLabStepIt = "Porta scelta nel laboratorio libero: osserva cosa cambia nelle ampiezze.";
const char *const kFreeLabStepEn = "Gate selected in the free lab: watch how the amplitudes change.";

void setCustomTexts(Circuit &circuit)
{
    circuit.titleIt = kCustomTitleIt;
    circuit.titleEn = kCustomTitleEn;
    circuit.questionIt = kCustomQuestionIt;
    circuit.questionEn = kCustomQuestionEn;
    circuit.explanationIt = kCustomExplanationIt;
    circuit.explanationEn = kCustomExplanationEn;
}

void setLessonTexts(Circuit &circuit, const Circuit &lesson)
{
    circuit.titleIt = lesson.titleIt;
    circuit.titleEn = lesson.titleEn;
    circuit.questionIt = lesson.questionIt;
    circuit.questionEn = lesson.questionEn;
    circuit.explanationIt = lesson.explanationIt;
    circuit.explanationEn = lesson.explanationEn;
}

LessonStep::LessonStep(GateKind kind, std::int32_t target, std::int32_t control, double angle)
    : gate{kind, target, control, angle}, explanationIt(kFreeLabStepIt), explanationEn(kFreeLabStepEn)
{}

void checkStage(const Circuit &circuit, std::uint64_t steps)
{
    if (steps > circuit.steps.size()) {
        throw std::out_of_range("Circuit step outside lesson");
    }
}

StateVector replayPrefix(const Circuit &circuit, std::uint64_t steps)
{
    checkStage(circuit, steps);
    StateVector state = createState(static_cast<std::uint32_t>(circuit.qubitCount));
    for (std::uint64_t i = 0; i < steps; ++i) {
        state.applyGate(circuit.steps[i].gate);
    }
    return state;
}

} // namespace Fasoria
