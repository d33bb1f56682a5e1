#include "editor/ResultsExport.h"

#include "editor/CircuitFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <stdexcept>

namespace Fasoria {

namespace {

const char *const kGeneratedNote = "One oracle query is not one elementary gate; Grover success may be probabilistic.";
const char *const kCatalogNote =
    "Oracle-call counts are not wall-time benchmarks; for Grover success may be below one.";

QString generatedName(AlgorithmKind kind)
{
    switch (kind) {
    case AlgorithmKind::Deutsch:
        return QStringLiteral("Deutsch");
    case AlgorithmKind::BernsteinVazirani:
        return QStringLiteral("Bernstein-Vazirani");
    case AlgorithmKind::Grover:
        return QStringLiteral("Grover");
    }
    return QString();
}

// JSON numbers are doubles; every count and index here is far below 2^53, so the conversion is exact.
QJsonValue number(std::uint64_t value)
{
    return QJsonValue(static_cast<qint64>(value));
}

void checkInput(const ResultsInput &input, std::uint64_t dimension)
{
    if (input.prediction && *input.prediction >= dimension) {
        throw std::out_of_range("Predicted outcome outside register");
    }
    if (input.singleMeasurement) {
        checkMeasuredOutcome(*input.singleMeasurement, dimension);
    }
    if (!input.histogram.empty()) {
        checkHistogramSize(input.histogram, dimension);
    }
    if (!input.timestamp.isValid()) {
        throw std::invalid_argument("Invalid timestamp");
    }
}

void insertFigures(QJsonObject &root, std::int32_t classical, std::int32_t quantum, std::uint64_t mask,
                   std::uint64_t value, double probability, const char *note)
{
    root.insert(QLatin1String("quantum_oracle_queries"), quantum);
    root.insert(QLatin1String("classical_queries_worst_certain"), classical);
    root.insert(QLatin1String("expected_final_success_probability"), probability);
    root.insert(QLatin1String("readout_mask"), number(mask));
    root.insert(QLatin1String("readout_value"), number(value));
    root.insert(QLatin1String("query_model_note"), QLatin1String(note));
}

void insertAlgorithm(QJsonObject &root, const ResultsInput &input)
{
    if (input.generatedAlgorithm) {
        const GeneratedAlgorithm &generated = *input.generatedAlgorithm;
        const AlgorithmParameters &parameters = generated.parameters;
        root.insert(QLatin1String("algorithm"), generatedName(parameters.kind));
        root.insert(QLatin1String("algorithm_mode"), QLatin1String("parameterized"));
        QJsonObject values;
        values.insert(QLatin1String("data_qubits"), parameters.qubits);
        values.insert(QLatin1String("marked"), parameters.groverTarget);
        values.insert(QLatin1String("iterations"), parameters.groverIterations);
        values.insert(QLatin1String("secret"), parameters.bvSecret);
        values.insert(QLatin1String("deutsch_function"), parameters.deutschFunction);
        root.insert(QLatin1String("parameters"), values);
        insertFigures(root, generated.classicalQueries, generated.quantumQueries, generated.readoutMask,
                      generated.readoutValue, generated.expectedProbability, kGeneratedNote);
    } else if (input.catalogAlgorithm) {
        const AlgorithmInfo &info = *input.catalogAlgorithm;
        root.insert(QLatin1String("algorithm"), QString::fromUtf8(info.nameEn));
        insertFigures(root, info.classicalQueries, info.quantumQueries, info.readoutMask, info.readoutValue,
                      info.expectedProbability, kCatalogNote);
    }
}

void insertState(QJsonObject &root, const StateVector &state)
{
    QJsonArray amplitudes;
    QJsonArray probabilities;
    for (std::uint64_t i = 0; i < state.dimension(); ++i) {
        const Complex &amplitude = state.amplitude(i);
        amplitudes.append(QJsonArray{amplitude.re, amplitude.im});
        probabilities.append(state.probability(i));
    }
    root.insert(QLatin1String("amplitudes_before_measurement"), amplitudes);
    root.insert(QLatin1String("probabilities_before_measurement"), probabilities);
}

void insertMeasurements(QJsonObject &root, const ResultsInput &input, const StateVector &state)
{
    if (input.prediction) {
        root.insert(QLatin1String("predicted_outcome"), number(*input.prediction));
        if (input.stage == input.circuit.steps.size()) {
            root.insert(QLatin1String("predicted_outcome_probability"), state.probability(*input.prediction));
        }
    }
    if (input.singleMeasurement) {
        root.insert(QLatin1String("single_measurement_outcome"), number(*input.singleMeasurement));
    }
    std::uint64_t shots = 0;
    QJsonArray counts;
    for (const std::uint64_t count : input.histogram) {
        shots += count;
        counts.append(number(count));
    }
    root.insert(QLatin1String("shot_count"), number(shots));
    if (shots != 0) {
        root.insert(QLatin1String("histogram"), counts);
    }
}

} // namespace

QByteArray buildResultsDocument(const ResultsInput &input)
{
    // The replay checks the stage and the register; nothing is built before every input has passed.
    const StateVector state = replayPrefix(input.circuit, input.stage);
    checkInput(input, state.dimension());

    // The embedded circuit is the file form read back as JSON, so it matches a saved file member for member.
    QJsonObject root;
    root.insert(QLatin1String("format"), QLatin1String("FasoriaResults"));
    root.insert(QLatin1String("version"), 2);
    root.insert(QLatin1String("circuit"), QJsonDocument::fromJson(serializeCircuit(input.circuit)).object());
    root.insert(QLatin1String("application_version"), input.applicationVersion);
    root.insert(QLatin1String("timestamp_utc"), input.timestamp.toUTC().toString(Qt::ISODate));
    root.insert(QLatin1String("circuit_file"), input.circuitFile);
    root.insert(QLatin1String("qubits"), input.circuit.qubitCount);
    root.insert(QLatin1String("stage"), number(input.stage));
    root.insert(QLatin1String("total_gates"), number(input.circuit.steps.size()));
    insertAlgorithm(root, input);
    insertState(root, state);
    insertMeasurements(root, input, state);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace Fasoria
