#pragma once

#include "core/Language.h"
#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/AlgorithmInfo.h"
#include "ui/model/Experiment.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace Fasoria {

/// The generator selector's items in their order, each with the kind it generates (the order is not the
/// kinds' stored numbers).
struct GeneratorKindItem
{
    const char *text;
    AlgorithmKind kind;
};
extern const GeneratorKindItem kGeneratorKindItems[3];

/// The selector index of a kind, 0 for a kind without an item.
int generatorKindIndex(AlgorithmKind kind);

/// What the algorithm panel presents: a generated algorithm when the experiment has one, otherwise the
/// record of the catalog lesson while it is shown read-only.
struct AlgorithmPresentation
{
    QString title;
    QString oracle;
    QString classical;
    QString readout;
    QString caveat;
    std::int32_t classicalQueries = 0;
    std::int32_t quantumQueries = 0;
    std::uint64_t readoutMask = 0;
    std::uint64_t readoutValue = 0;
    double expectedProbability = 0.0;
    /// Checkpoints in ascending gate index.
    std::vector<AlgorithmStage> stages;
};

/// What the window has loaded, as the lesson selector and the exercise question name it.
enum class LoadedKind
{
    /// Catalog lesson lessonIndex(): shown read-only, as a copy still equal to it, or answered as its challenge.
    CatalogLesson,
    /// A circuit of the student's: new, opened, imported, or a copy of the lesson edited since.
    Custom,
    /// A generated algorithm, not edited since it was generated.
    Algorithm,
    /// The answer to a teacher's challenge.
    TeacherChallenge,
};

LoadedKind loadedKind(const Experiment &experiment);

/// What the lesson selector shows in place of the lesson: "Custom circuit", the generated algorithm's name and
/// size ("Grover, 3 qubits") or "Teacher's challenge: " and its goal, as text; empty while a lesson is loaded.
QString loadedName(const Experiment &experiment, Language language);

/// Which stage repeated preparations would sample, said once a prediction waits for a comparison at the end and
/// the shown stage comes before it ("The preparations use stage 0 of 3."); empty otherwise.
QString preparationStageText(const Experiment &experiment, Language language);

/// The prediction box's hint: how to record a prediction, or, past the start with none recorded, that recording
/// needs stage 0.
QString predictionHintText(const Experiment &experiment, Language language);

/// The presentation in `language`, or nothing when there is no algorithm to present.
std::optional<AlgorithmPresentation> presentAlgorithm(const Experiment &experiment, Language language);

/// The checkpoint the selector shows: the last one (in list order) reached at `currentStep`, else 0.
int currentCheckpoint(const std::vector<AlgorithmStage> &stages, std::uint64_t currentStep);

/// "%1 / %2 - %3": the checkpoint's gate index, the circuit's steps and its name.
QString checkpointText(const AlgorithmStage &stage, std::uint64_t steps, Language language);

/// The correct-output probability at the current step, from a fresh replay of the shown circuit (a single
/// measurement of the displayed state does not change it), against the full circuit's.
QString correctOutputText(const Experiment &experiment, const AlgorithmPresentation &presentation, Language language);

/// What the lesson tab explains at the shown stage: the measurement once measured; at stage 0 how to begin;
/// between the first and the last step the step just applied; after the last step the circuit's own
/// explanation, or for a circuit of the student's the last step with how to go on.
QString guidanceText(const Experiment &experiment, Language language);

/// The challenge panel's hint line: none yet, or the latest hint shown.
QString challengeHintText(const Experiment &experiment, Language language);

/// The verdict line of the last check, or "not checked yet".
QString challengeResultText(const Experiment &experiment, Language language);

/// Why the last check did not solve the challenge (qubits reversed or exchanged, a differing phase, the
/// largest probability differences, a missing gate); empty when there is nothing to explain.
QString challengeDiagnosisText(const Experiment &experiment, Language language);

} // namespace Fasoria
