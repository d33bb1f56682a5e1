#include "ui/model/ExperimentExport.h"

#include "curriculum/AlgorithmInfo.h"
#include "editor/FilePath.h"

namespace Fasoria {

ResultsInput resultsInput(const Experiment &experiment, const QDateTime &timestamp, const QString &version)
{
    ResultsInput input;
    input.circuit = experiment.shownCircuit();
    input.stage = experiment.currentStep();
    if (const GeneratedAlgorithm *generated = experiment.algorithm()) {
        input.generatedAlgorithm = *generated;
    } else if (!experiment.workingCircuit()) {
        if (const AlgorithmInfo *info = findAlgorithmInfo(experiment.lessonIndex())) {
            input.catalogAlgorithm = *info;
        }
    }
    input.circuitFile = experiment.document().path();
    if (experiment.prediction() >= 0) {
        input.prediction = static_cast<std::uint64_t>(experiment.prediction());
    }
    if (experiment.lastOutcome() >= 0) {
        input.singleMeasurement = static_cast<std::uint64_t>(experiment.lastOutcome());
    }
    if (experiment.lastShotsTotal() > 0) {
        input.histogram = experiment.lastShotsCounts();
    }
    input.timestamp = timestamp;
    input.applicationVersion = version;
    return input;
}

QString resultsFileName(const QString &chosenName)
{
    return withFileEnding(chosenName, ".json", ".json");
}

} // namespace Fasoria
