#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/AlgorithmInfo.h"
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitFile.h"
#include "editor/ResultsExport.h"
#include "tests/editor/GateLists.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cstring>
#include <stdexcept>

using namespace Fasoria;

namespace {

const double kPi = std::acos(-1.0);

ResultsInput bellInput()
{
    ResultsInput input;
    input.circuit = circuitOf(2, {Gate{GateKind::H, 0, 0, 0.0}, Gate{GateKind::Cnot, 1, 0, 0.0}});
    input.stage = 2;
    input.timestamp = QDateTime(QDate(2026, 1, 31), QTime(14, 5, 9, 500), Qt::UTC);
    input.applicationVersion = QStringLiteral("0.16.0");
    return input;
}

QJsonObject documentOf(const ResultsInput &input)
{
    return QJsonDocument::fromJson(buildResultsDocument(input)).object();
}

} // namespace

class TestResultsExport : public QObject
{
    Q_OBJECT

private slots:
    void alwaysPresentMembers()
    {
        const QByteArray bytes = buildResultsDocument(bellInput());
        QVERIFY(bytes.endsWith("}\n"));
        QVERIFY(bytes.contains("\n    \"application_version\": \"0.16.0\",\n"));
        const QJsonObject root = QJsonDocument::fromJson(bytes).object();
        QCOMPARE(root.keys(), QStringList({"amplitudes_before_measurement", "application_version", "circuit",
                                           "circuit_file", "format", "probabilities_before_measurement", "qubits",
                                           "shot_count", "stage", "timestamp_utc", "total_gates", "version"}));
        QCOMPARE(root.value("timestamp_utc").toString(), QStringLiteral("2026-01-31T14:05:09Z"));
        QCOMPARE(root.value("circuit").toObject(),
                 QJsonDocument::fromJson(serializeCircuit(bellInput().circuit)).object());
    }

    // Every amplitude and probability must read back as the very double the engine computed.
    void numbersReadBackExactly()
    {
        ResultsInput input;
        input.circuit = circuitOf(3, {Gate{GateKind::H, 0, 0, 0.0}, Gate{GateKind::P, 0, 0, kPi / 3.0},
                                      Gate{GateKind::H, 1, 0, 0.0}, Gate{GateKind::Cnot, 2, 1, 0.0},
                                      Gate{GateKind::P, 2, 0, -1e-7}, Gate{GateKind::H, 0, 0, 0.0}});
        input.stage = input.circuit.steps.size();
        input.timestamp = QDateTime::currentDateTimeUtc();
        const QJsonObject root = documentOf(input);
        const StateVector state = replayPrefix(input.circuit, input.stage);
        const QJsonArray amplitudes = root.value("amplitudes_before_measurement").toArray();
        const QJsonArray probabilities = root.value("probabilities_before_measurement").toArray();
        QCOMPARE(amplitudes.size(), 8);
        for (int i = 0; i < 8; ++i) {
            const Complex &expected = state.amplitude(static_cast<std::uint64_t>(i));
            // Compared as values: JSON does not keep the sign of zero.
            QCOMPARE(amplitudes.at(i).toArray().at(0).toDouble(), expected.re);
            QCOMPARE(amplitudes.at(i).toArray().at(1).toDouble(), expected.im);
            const double probability = probabilities.at(i).toDouble();
            const double engine = state.probability(static_cast<std::uint64_t>(i));
            QVERIFY(std::memcmp(&probability, &engine, sizeof(double)) == 0);
        }
    }

    void predictionAndMeasurementPresence()
    {
        ResultsInput input = bellInput();
        input.prediction = 3;
        input.singleMeasurement = 0;
        QJsonObject root = documentOf(input);
        QCOMPARE(root.value("predicted_outcome").toInt(), 3);
        QCOMPARE(root.value("predicted_outcome_probability").toDouble(), 0.4999999999999999);
        QCOMPARE(root.value("single_measurement_outcome").toInt(), 0);

        input.stage = 1;
        root = documentOf(input);
        QVERIFY(root.contains("predicted_outcome"));
        QVERIFY(!root.contains("predicted_outcome_probability"));
    }

    void histogramOnlyWithShots()
    {
        ResultsInput input = bellInput();
        input.histogram = {400, 0, 0, 600};
        QJsonObject root = documentOf(input);
        QCOMPARE(root.value("shot_count").toInt(), 1000);
        QCOMPARE(root.value("histogram").toArray(), QJsonArray({400, 0, 0, 600}));

        input.histogram = {0, 0, 0, 0};
        root = documentOf(input);
        QCOMPARE(root.value("shot_count").toInt(), 0);
        QVERIFY(!root.contains("histogram"));
    }

    void generatedAlgorithmMembers()
    {
        AlgorithmParameters parameters;
        parameters.kind = AlgorithmKind::BernsteinVazirani;
        parameters.qubits = 3;
        parameters.bvSecret = 6;
        const GeneratedAlgorithm generated = generateAlgorithm(parameters);
        ResultsInput input;
        input.circuit = generated.circuit;
        input.generatedAlgorithm = generated;
        // A catalog record given as well must not win over the generator's figures.
        input.catalogAlgorithm = *findAlgorithmInfo(18);
        input.timestamp = QDateTime::currentDateTimeUtc();
        const QJsonObject root = documentOf(input);
        QCOMPARE(root.value("algorithm").toString(), QStringLiteral("Bernstein-Vazirani"));
        QCOMPARE(root.value("algorithm_mode").toString(), QStringLiteral("parameterized"));
        QCOMPARE(root.value("parameters").toObject(),
                 QJsonObject(
                     {{"data_qubits", 3}, {"marked", 5}, {"iterations", 2}, {"secret", 6}, {"deutsch_function", 2}}));
        QCOMPARE(root.value("readout_mask").toInt(), 7);
        QCOMPARE(root.value("readout_value").toInt(), 6);
        QCOMPARE(root.value("classical_queries_worst_certain").toInt(), 3);
        QCOMPARE(root.value("quantum_oracle_queries").toInt(), 1);
        QCOMPARE(root.value("query_model_note").toString(),
                 QStringLiteral("One oracle query is not one elementary gate; Grover success may be probabilistic."));
    }

    void catalogAlgorithmMembers()
    {
        const AlgorithmInfo &info = *findAlgorithmInfo(20);
        ResultsInput input;
        input.circuit = lessonCatalog().at(20);
        input.stage = 3;
        input.catalogAlgorithm = info;
        input.timestamp = QDateTime::currentDateTimeUtc();
        const QJsonObject root = documentOf(input);
        QCOMPARE(root.value("algorithm").toString(), QString::fromUtf8(info.nameEn));
        QCOMPARE(root.value("expected_final_success_probability").toDouble(), info.expectedProbability);
        QCOMPARE(
            root.value("query_model_note").toString(),
            QStringLiteral("Oracle-call counts are not wall-time benchmarks; for Grover success may be below one."));
        QVERIFY(!root.contains("algorithm_mode"));
        QVERIFY(!root.contains("parameters"));
        QCOMPARE(root.value("total_gates").toInt(), static_cast<int>(input.circuit.steps.size()));
    }

    void badInputsThrowBeforeAnything_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        QTest::addRow("stage") << 0 << "Circuit step outside lesson";
        QTest::addRow("prediction") << 1 << "Predicted outcome outside register";
        QTest::addRow("measurement") << 2 << "Measured outcome outside register";
        QTest::addRow("histogram") << 3 << "Histogram size differs from register";
        QTest::addRow("timestamp") << 4 << "Invalid timestamp";
    }

    void badInputsThrowBeforeAnything()
    {
        QFETCH(int, fault);
        QFETCH(QString, message);
        ResultsInput input = bellInput();
        switch (fault) {
        case 0:
            input.stage = 3;
            break;
        case 1:
            input.prediction = 4;
            break;
        case 2:
            input.singleMeasurement = 4;
            break;
        case 3:
            input.histogram = {1, 2, 3};
            break;
        default:
            input.timestamp = QDateTime();
        }
        try {
            buildResultsDocument(input);
            QFAIL("no error");
        } catch (const std::logic_error &error) {
            QCOMPARE(QString::fromUtf8(error.what()), message);
        }
    }
};

QTEST_GUILESS_MAIN(TestResultsExport)
#include "test_results_export.moc"
