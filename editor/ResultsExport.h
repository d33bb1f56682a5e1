#pragma once

#include "core/Circuit.h"
#include "core/Measurement.h"
#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/AlgorithmInfo.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

namespace Fasoria {

/// Everything a results document records about one experiment. The state is not passed in: the builder
/// replays the first `stage` steps of `circuit` itself, so the document always holds the state before any
/// measurement.
struct ResultsInput
{
    Circuit circuit;
    /// Number of steps applied, 0..circuit.steps.size().
    std::uint64_t stage = 0;
    /// The generator's result when the circuit is a generated algorithm; takes precedence over
    /// catalogAlgorithm.
    std::optional<GeneratedAlgorithm> generatedAlgorithm;
    /// The lesson record when a catalog algorithm lesson is shown read-only.
    std::optional<AlgorithmInfo> catalogAlgorithm;
    /// The remembered circuit file name; empty when there is none.
    QString circuitFile;
    /// The recorded prediction, a basis index of the register.
    std::optional<std::uint64_t> prediction;
    /// The outcome of a single measurement taken at this stage, a basis index of the register.
    std::optional<std::uint64_t> singleMeasurement;
    /// Counts of the repeated preparations at this stage: empty, or one count per basis index.
    Histogram histogram;
    /// The moment of the export; written in UTC with seconds.
    QDateTime timestamp;
    QString applicationVersion;
};

/// The results document ("FasoriaResults", version 2) as indented JSON with keys in ascending order and a
/// final newline; numbers are written as the circuit file writes them. The replay's errors come first
/// (out_of_range "Circuit step outside lesson" for a stage past the end, the engine's for a bad register),
/// then out_of_range "Predicted outcome outside register" or "Measured outcome outside register" for a
/// basis index of another register, invalid_argument "Histogram size differs from register" or "Invalid
/// timestamp". Nothing is returned on error.
QByteArray buildResultsDocument(const ResultsInput &input);

} // namespace Fasoria
