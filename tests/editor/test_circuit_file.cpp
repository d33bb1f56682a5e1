#include "editor/CircuitFile.h"
#include "tests/editor/GateLists.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

using namespace Fasoria;

namespace {

const char kBell[] = R"({
    "bit_order": "q0_rightmost",
    "format": "FasoriaCircuit",
    "gates": [
        {
            "gate": "H",
            "target": 0
        },
        {
            "control": 0,
            "gate": "CNOT",
            "target": 1
        }
    ],
    "qubits": 2,
    "version": 1
}
)";

const double kPi = std::acos(-1.0);

// A document with the given "gates" text and qubit count; everything else valid.
QByteArray withGates(const char *gates, const char *qubits = "2")
{
    return QByteArray(R"({"format":"FasoriaCircuit","version":1,"qubits":)") + qubits +
           R"(,"bit_order":"q0_rightmost","gates":)" + gates + "}";
}

// The Bell file with one piece of text replaced.
QByteArray bellWith(const char *from, const char *to)
{
    return QByteArray(kBell).replace(from, to);
}

QByteArray repeated(const QByteArray &element, int count)
{
    QByteArrayList elements;
    for (int i = 0; i < count; ++i) {
        elements << element;
    }
    return "[" + elements.join(',') + "]";
}

QByteArray paddedTo(qint64 size)
{
    QByteArray bytes(kBell);
    return bytes + QByteArray(static_cast<int>(size - bytes.size()), ' ');
}

// A destination no document can produce: own texts, 5 qubits, an angle that is no short decimal.
Circuit sentinel()
{
    static const char *const kText = "sentinel";
    Circuit circuit = circuitOf(5, {gate(GateKind::P, 4, 0, std::nextafter(1.0, 2.0)), gate(GateKind::Cnot, 0, 3)});
    circuit.titleEn = circuit.questionEn = circuit.explanationEn = kText;
    return circuit;
}

bool isSentinel(const Circuit &circuit)
{
    const Circuit expected = sentinel();
    return circuit.titleEn == expected.titleEn && circuit.questionEn == expected.questionEn &&
           circuit.qubitCount == expected.qubitCount && sameBits(gatesOf(circuit), gatesOf(expected)) &&
           serializeCircuit(circuit) == serializeCircuit(expected);
}

bool hasFileTexts(const Circuit &circuit)
{
    for (const LessonStep &step : circuit.steps) {
        if (step.explanationIt != kFreeLabStepIt || step.explanationEn != kFreeLabStepEn) {
            return false;
        }
    }
    return circuit.titleIt == kCustomTitleIt && circuit.titleEn == kCustomTitleEn &&
           circuit.questionIt == kCustomQuestionIt && circuit.questionEn == kCustomQuestionEn &&
           circuit.explanationIt == kCustomExplanationIt && circuit.explanationEn == kCustomExplanationEn;
}

QVector<Gate> randomGates(std::uint64_t seed, std::int32_t qubits)
{
    std::mt19937_64 engine(seed);
    QVector<Gate> gates;
    while (gates.size() < 256) {
        const std::uint64_t bits = engine();
        double angle;
        std::memcpy(&angle, &bits, sizeof angle);
        if (!std::isfinite(angle) || std::fabs(angle) > 2.0 * kPi) {
            // About half of all bit patterns are too large for a file; those become uniform in [−2π, 2π).
            angle = (static_cast<double>(bits >> 11) * 0x1.0p-53 * 2.0 - 1.0) * 2.0 * kPi;
        }
        const auto kind = static_cast<GateKind>(engine() % (qubits > 1 ? 5 : 4));
        const auto target = static_cast<std::int32_t>(engine() % static_cast<std::uint64_t>(qubits));
        const auto control =
            static_cast<std::int32_t>((target + 1 + engine() % (qubits > 1 ? qubits - 1 : 1)) % qubits);
        gates << gate(kind, target, kind == GateKind::Cnot ? control : 0, kind == GateKind::P ? angle : 0.0);
    }
    return gates;
}

} // namespace

class TestCircuitFile : public QObject
{
    Q_OBJECT

private slots:
    void writtenBytes_data();
    void writtenBytes();
    void roundTrip_data();
    void roundTrip();
    void negativeZeroAngle();
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void readBoundedInteger_data();
    void readBoundedInteger();
    void gateKindFromName_data();
    void gateKindFromName();
    void fileName_data();
    void fileName();
    void saveAndLoad();
    void loadFailures();
    void unreadableCircuitIsNotSaved_data();
    void unreadableCircuitIsNotSaved();
    void seedCorpus_data();
    void seedCorpus();
};

void TestCircuitFile::writtenBytes_data()
{
    QTest::addColumn<int>("qubits");
    QTest::addColumn<QVector<Gate>>("gates");
    QTest::addColumn<QByteArray>("expected");

    QTest::addRow("Bell") << 2 << QVector<Gate>{gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0)} << QByteArray(kBell);
    QTest::addRow("unused fields and an unknown kind")
        << 1
        << QVector<Gate>{gate(GateKind::X, 0, 4, 2.5), gate(GateKind::P, 0, 3, 0.1), gate(static_cast<GateKind>(7), 0)}
        << QByteArray(R"({
    "bit_order": "q0_rightmost",
    "format": "FasoriaCircuit",
    "gates": [
        {
            "gate": "X",
            "target": 0
        },
        {
            "angle_rad": 0.1,
            "gate": "P",
            "target": 0
        },
        {
            "gate": "",
            "target": 0
        }
    ],
    "qubits": 1,
    "version": 1
}
)");
    QTest::addRow("no steps") << 3 << QVector<Gate>() << QByteArray(R"({
    "bit_order": "q0_rightmost",
    "format": "FasoriaCircuit",
    "gates": [
    ],
    "qubits": 3,
    "version": 1
}
)");
}

void TestCircuitFile::writtenBytes()
{
    QFETCH(int, qubits);
    QFETCH(QVector<Gate>, gates);
    QFETCH(QByteArray, expected);

    QCOMPARE(serializeCircuit(circuitOf(qubits, gates)), expected);
}

void TestCircuitFile::roundTrip_data()
{
    QTest::addColumn<int>("qubits");
    QTest::addColumn<QVector<Gate>>("gates");

    const double limit = 2.0 * kPi + 1e-9;
    const double angles[] = {kPi / 4,
                             -kPi / 2,
                             2 * kPi,
                             -2 * kPi,
                             limit,
                             -limit,
                             0.1,
                             1.0 / 3,
                             3.0,
                             std::nextafter(1.0, 2.0),
                             std::numeric_limits<double>::denorm_min(),
                             -std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::min(),
                             1e-310};
    for (double angle : angles) {
        QTest::addRow("P %.17g", angle) << 1 << QVector<Gate>{gate(GateKind::P, 0, 0, angle)};
    }
    QTest::addRow("Bell") << 2 << QVector<Gate>{gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0)};
    QTest::addRow("no steps") << 8 << QVector<Gate>();
    for (std::int32_t qubits = 1; qubits <= 8; ++qubits) {
        QTest::addRow("256 random gates on %d qubits", qubits) << qubits << randomGates(1000 + qubits, qubits);
    }
}

void TestCircuitFile::roundTrip()
{
    QFETCH(int, qubits);
    QFETCH(QVector<Gate>, gates);

    const QByteArray written = serializeCircuit(circuitOf(qubits, gates));
    Circuit reread = sentinel();
    QString error;
    QVERIFY2(parseCircuit(written, reread, &error), qPrintable(error));
    QCOMPARE(reread.qubitCount, qubits);
    QVERIFY(sameBits(gatesOf(reread), gates));
    QVERIFY(hasFileTexts(reread));
    QCOMPARE(serializeCircuit(reread), written);
}

void TestCircuitFile::negativeZeroAngle()
{
    // JSON numbers carry no sign of zero: −0.0 is written as 0 and comes back as the equal value +0.0.
    const Circuit circuit = circuitOf(1, {gate(GateKind::P, 0, 0, -0.0)});
    Circuit reread;
    QVERIFY(parseCircuit(serializeCircuit(circuit), reread, nullptr));
    QCOMPARE(reread.steps.at(0).gate.angle, 0.0);
    QVERIFY(!std::signbit(reread.steps.at(0).gate.angle));
    QCOMPARE(serializeCircuit(reread), serializeCircuit(circuit));
}

void TestCircuitFile::accepted_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("qubits");
    QTest::addColumn<QVector<Gate>>("gates");

    const QVector<Gate> bell{gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0)};
    QTest::addRow("exactly 1 MiB") << paddedTo(kMaxJsonDocumentBytes) << 2 << bell;
    QTest::addRow("qubits 2.0") << bellWith("\"qubits\": 2", "\"qubits\": 2.0") << 2 << bell;
    QTest::addRow("version 1.0e0") << bellWith("\"version\": 1", "\"version\": 1.0e0") << 2 << bell;
    QTest::addRow("no bit_order") << bellWith("\"bit_order\": \"q0_rightmost\",", "") << 2 << bell;
    QTest::addRow("unknown members") << bellWith("\"qubits\"", "\"notes\": {\"a\": [1]}, \"qubits\"") << 2 << bell;
    QTest::addRow("no gates") << withGates("[]", "8") << 8 << QVector<Gate>();
    QTest::addRow("control and angle ignored off CNOT and P")
        << withGates(
               R"([{"gate":"H","target":1,"control":"x","angle_rad":[]},{"gate":"Z","target":0,"control":1,"angle_rad":99}])")
        << 2 << QVector<Gate>{gate(GateKind::H, 1), gate(GateKind::Z, 0)};
    QTest::addRow("CNOT ignores angle") << withGates(R"([{"gate":"CNOT","target":0,"control":1,"angle_rad":"x"}])") << 2
                                        << QVector<Gate>{gate(GateKind::Cnot, 0, 1)};
    QTest::addRow("P at plus and minus 2 pi")
        << withGates(
               R"([{"gate":"P","target":0,"angle_rad":6.283185307179586},{"gate":"P","target":1,"angle_rad":-6.283185307179586}])")
        << 2 << QVector<Gate>{gate(GateKind::P, 0, 0, 2 * kPi), gate(GateKind::P, 1, 0, -2 * kPi)};
    QTest::addRow("P just inside the tolerance")
        << withGates(R"([{"gate":"P","target":0,"angle_rad":6.2831853076795862}])") << 2
        << QVector<Gate>{gate(GateKind::P, 0, 0, 6.2831853076795862)};
    QTest::addRow("whole-valued floats as qubit numbers")
        << withGates(R"([{"gate":"CNOT","target":7.0,"control":0e0}])", "8") << 8
        << QVector<Gate>{gate(GateKind::Cnot, 7, 0)};
    QTest::addRow("256 gates") << withGates(repeated(R"({"gate":"X","target":0})", 256), "1") << 1
                               << QVector<Gate>(256, gate(GateKind::X, 0));
}

void TestCircuitFile::accepted()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, qubits);
    QFETCH(QVector<Gate>, gates);

    Circuit circuit = sentinel();
    QString error;
    QVERIFY2(parseCircuit(bytes, circuit, &error), qPrintable(error));
    QCOMPARE(circuit.qubitCount, qubits);
    QVERIFY(sameBits(gatesOf(circuit), gates));
    QVERIFY(hasFileTexts(circuit));
}

void TestCircuitFile::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    const QString header = QStringLiteral("Unsupported format/version or invalid qubit count");
    const QString bitOrder = QStringLiteral("Unsupported bit order");
    const QString noGates = QStringLiteral("Missing gates array");
    const QString gateAt0 = QStringLiteral("Invalid gate/target at index 0");
    const QString controlAt0 = QStringLiteral("Invalid CNOT control at index 0");
    const QString noAngle = QStringLiteral("Missing phase angle");
    const QString range = QStringLiteral("Phase angle out of range");

    QTest::addRow("1 MiB and one byte") << paddedTo(kMaxJsonDocumentBytes + 1) << "Document exceeds 1 MiB";
    QTest::addRow("1 MiB and one byte of x") << QByteArray(kMaxJsonDocumentBytes + 1, 'x') << "Document exceeds 1 MiB";
    QTest::addRow("{invalid") << QByteArray("{invalid") << "Invalid JSON: unterminated object";
    QTest::addRow("top-level array") << QByteArray("[{\"format\": \"FasoriaCircuit\"}]")
                                     << "Invalid JSON: no error occurred";
    QTest::addRow("top-level string") << QByteArray("\"FasoriaCircuit\"") << "Invalid JSON: illegal value";
    QTest::addRow("empty") << QByteArray() << "Invalid JSON: illegal value";
    QTest::addRow("trailing garbage") << QByteArray(kBell) + "}"
                                      << "Invalid JSON: garbage at the end of the document";
    QTest::addRow("number too large") << bellWith("\"qubits\": 2", "\"qubits\": 1e999")
                                      << "Invalid JSON: illegal number";

    // Qt would keep one of the two copies, and not always the same one: a repeated member is refused first.
    QTest::addRow("repeated target") << bellWith("\"target\": 1", "\"target\": 1, \"target\": 0")
                                     << "Repeated member \"target\"";
    QTest::addRow("repeated escaped qubits")
        << bellWith("\"qubits\": 2", "\"qubits\": 2, \"\\u0071ubits\": 1") << "Repeated member \"qubits\"";
    QTest::addRow("repeated before the format")
        << bellWith("\"format\": \"FasoriaCircuit\"", "\"format\": \"X\", \"format\": \"FasoriaCircuit\"")
        << "Repeated member \"format\"";

    QTest::addRow("format SomethingElse") << bellWith("FasoriaCircuit", "SomethingElse") << header;
    QTest::addRow("format in lower case") << bellWith("FasoriaCircuit", "fasoriacircuit") << header;
    QTest::addRow("format missing") << bellWith("\"format\"", "\"form\"") << header;
    QTest::addRow("version 2") << bellWith("\"version\": 1", "\"version\": 2") << header;
    QTest::addRow("version 1.5") << bellWith("\"version\": 1", "\"version\": 1.5") << header;
    QTest::addRow("version as a string") << bellWith("\"version\": 1", "\"version\": \"1\"") << header;
    QTest::addRow("version missing") << bellWith(",\n    \"version\": 1", "") << header;
    QTest::addRow("qubits 0") << bellWith("\"qubits\": 2", "\"qubits\": 0") << header;
    QTest::addRow("qubits 9") << bellWith("\"qubits\": 2", "\"qubits\": 9") << header;
    QTest::addRow("qubits -1") << bellWith("\"qubits\": 2", "\"qubits\": -1") << header;
    QTest::addRow("qubits 1.5") << bellWith("\"qubits\": 2", "\"qubits\": 1.5") << header;
    QTest::addRow("qubits as a string") << bellWith("\"qubits\": 2", "\"qubits\": \"2\"") << header;
    QTest::addRow("qubits true") << bellWith("\"qubits\": 2", "\"qubits\": true") << header;
    QTest::addRow("header before bit order")
        << bellWith("\"qubits\": 2", "\"qubits\": 9").replace("q0_rightmost", "x") << header;

    QTest::addRow("bit_order q0_leftmost") << bellWith("q0_rightmost", "q0_leftmost") << bitOrder;
    QTest::addRow("bit_order null") << bellWith("\"q0_rightmost\"", "null") << bitOrder;
    QTest::addRow("bit_order as a number") << bellWith("\"q0_rightmost\"", "0") << bitOrder;
    QTest::addRow("bit order before gates") << bellWith("q0_rightmost", "x").replace("gates", "g") << bitOrder;

    QTest::addRow("gates missing") << bellWith("\"gates\"", "\"gate_list\"") << noGates;
    QTest::addRow("gates as an object") << withGates(R"({"0":{"gate":"H","target":0}})") << noGates;
    QTest::addRow("gates null") << withGates("null") << noGates;
    QTest::addRow("257 gates") << withGates(repeated(R"({"gate":"X","target":0})", 257), "1") << "Too many gates";
    QTest::addRow("count before elements") << withGates(repeated("0", 257), "1") << "Too many gates";

    QTest::addRow("element is a string") << withGates(R"(["H"])") << "Gate must be an object";
    QTest::addRow("element is null") << withGates(R"([{"gate":"H","target":0},null])") << "Gate must be an object";
    const char *const gateAt3[] = {R"({"gate":"NOT_A_GATE","target":0})", R"({"gate":"h","target":0})",
                                   R"({"gate":"Cnot","control":0,"target":1})", R"({"gate":"H ","target":0})"};
    for (const char *element : gateAt3) {
        const QByteArray gates =
            R"([{"gate":"H","target":0},{"gate":"X","target":1},{"gate":"Z","target":0},)" + QByteArray(element) + "]";
        QTest::addRow("element 3 is %s", element) << withGates(gates) << "Invalid gate/target at index 3";
    }
    QTest::addRow("gate as a number") << withGates(R"([{"gate":0,"target":0}])") << gateAt0;
    QTest::addRow("gate missing") << withGates(R"([{"target":0}])") << gateAt0;
    QTest::addRow("target missing") << withGates(R"([{"gate":"H"}])") << gateAt0;
    QTest::addRow("target 2 of 2") << withGates(R"([{"gate":"X","target":2}])") << gateAt0;
    QTest::addRow("target -1") << withGates(R"([{"gate":"X","target":-1}])") << gateAt0;
    QTest::addRow("target 0.5") << withGates(R"([{"gate":"X","target":0.5}])") << gateAt0;
    QTest::addRow("target as a string") << withGates(R"([{"gate":"X","target":"0"}])") << gateAt0;
    QTest::addRow("target checked before control") << withGates(R"([{"gate":"CNOT","target":5}])") << gateAt0;

    QTest::addRow("CNOT without control") << withGates(R"([{"gate":"CNOT","target":1}])") << controlAt0;
    QTest::addRow("CNOT control 2 of 2") << withGates(R"([{"gate":"CNOT","target":1,"control":2}])") << controlAt0;
    QTest::addRow("CNOT control as a string")
        << withGates(R"([{"gate":"CNOT","target":1,"control":"0"}])") << controlAt0;
    QTest::addRow("CNOT control equals target")
        << withGates(R"([{"gate":"H","target":0},{"gate":"CNOT","target":1,"control":1}])")
        << "CNOT control and target must be different, valid qubits";
    QTest::addRow("per-gate checks before the editor's")
        << withGates(R"([{"gate":"CNOT","target":1,"control":1},{"gate":"Y","target":0}])")
        << "Invalid gate/target at index 1";

    QTest::addRow("P without angle") << withGates(R"([{"gate":"P","target":0}])") << noAngle;
    QTest::addRow("P angle as a string") << withGates(R"([{"gate":"P","target":0,"angle_rad":"1.0"}])") << noAngle;
    QTest::addRow("P angle null") << withGates(R"([{"gate":"P","target":0,"angle_rad":null}])") << noAngle;
    QTest::addRow("P 7.0") << withGates(R"([{"gate":"P","target":0,"angle_rad":7.0}])") << range;
    QTest::addRow("P -7") << withGates(R"([{"gate":"P","target":0,"angle_rad":-7}])") << range;
    QTest::addRow("P just past the tolerance")
        << withGates(R"([{"gate":"P","target":0,"angle_rad":6.2831853091795862}])") << range;
    QTest::addRow("first bad element wins")
        << withGates(R"([{"gate":"H","target":0},{"gate":"P","target":0},{"gate":"Q","target":0}])") << noAngle;
}

void TestCircuitFile::refused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);

    Circuit circuit = sentinel();
    QString error;
    QVERIFY(!parseCircuit(bytes, circuit, &error));
    QCOMPARE(error, message);
    QVERIFY(isSentinel(circuit));
}

void TestCircuitFile::readBoundedInteger_data()
{
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<qint64>("low");
    QTest::addColumn<qint64>("high");
    QTest::addColumn<qint64>("expected");
    QTest::addColumn<bool>("valid");

    QTest::addRow("inside") << QJsonValue(3) << qint64(0) << qint64(7) << qint64(3) << true;
    QTest::addRow("low bound") << QJsonValue(0) << qint64(0) << qint64(7) << qint64(0) << true;
    QTest::addRow("high bound") << QJsonValue(7) << qint64(0) << qint64(7) << qint64(7) << true;
    QTest::addRow("1.0 counts as 1") << QJsonValue(1.0) << qint64(1) << qint64(1) << qint64(1) << true;
    QTest::addRow("-0.0 counts as 0") << QJsonValue(-0.0) << qint64(0) << qint64(7) << qint64(0) << true;
    QTest::addRow("1.5") << QJsonValue(1.5) << qint64(0) << qint64(7) << qint64(0) << false;
    QTest::addRow("below") << QJsonValue(-1) << qint64(0) << qint64(7) << qint64(0) << false;
    QTest::addRow("above") << QJsonValue(8) << qint64(0) << qint64(7) << qint64(0) << false;
    QTest::addRow("huge") << QJsonValue(1e300) << qint64(0) << qint64(7) << qint64(0) << false;
    QTest::addRow("string") << QJsonValue(QStringLiteral("1")) << qint64(0) << qint64(7) << qint64(0) << false;
    QTest::addRow("bool") << QJsonValue(true) << qint64(0) << qint64(7) << qint64(0) << false;
    QTest::addRow("null") << QJsonValue() << qint64(0) << qint64(7) << qint64(0) << false;
    QTest::addRow("absent") << QJsonValue(QJsonValue::Undefined) << qint64(0) << qint64(7) << qint64(0) << false;
}

void TestCircuitFile::readBoundedInteger()
{
    QFETCH(QJsonValue, value);
    QFETCH(qint64, low);
    QFETCH(qint64, high);
    QFETCH(qint64, expected);
    QFETCH(bool, valid);

    const std::optional<std::int64_t> result = Fasoria::readBoundedInteger(value, low, high);
    QCOMPARE(result.has_value(), valid);
    if (valid) {
        QCOMPARE(*result, expected);
    }
}

void TestCircuitFile::gateKindFromName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");

    QTest::addRow("H") << "H" << 0;
    QTest::addRow("X") << "X" << 1;
    QTest::addRow("Z") << "Z" << 2;
    QTest::addRow("P") << "P" << 3;
    QTest::addRow("CNOT") << "CNOT" << 4;
    QTest::addRow("lower case") << "cnot" << -1;
    QTest::addRow("padded") << " H" << -1;
    QTest::addRow("empty") << "" << -1;
    QTest::addRow("Y") << "Y" << -1;
}

void TestCircuitFile::gateKindFromName()
{
    QFETCH(QString, name);
    QFETCH(int, kind);

    const std::optional<GateKind> result = Fasoria::gateKindFromName(name);
    QCOMPARE(result ? static_cast<int>(*result) : -1, kind);
}

void TestCircuitFile::fileName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");

    QTest::addRow("plain name") << "mycircuit"
                                << "mycircuit.fsor.json";
    QTest::addRow("upper-case JSON") << "A.JSON"
                                     << "A.JSON";
    QTest::addRow("mixed-case Json") << "dir/b.Json"
                                     << "dir/b.Json";
    QTest::addRow("already complete") << "c.fsor.json"
                                      << "c.fsor.json";
    QTest::addRow("json inside the name") << "d.json.bak"
                                          << "d.json.bak.fsor.json";
}

void TestCircuitFile::fileName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, expected);

    QCOMPARE(circuitFileName(chosen), expected);
}

void TestCircuitFile::saveAndLoad()
{
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("random.fsor.json"));
    const Circuit circuit = circuitOf(4, randomGates(7, 4));
    QString error;
    QVERIFY2(saveCircuitFile(path, circuit, &error), qPrintable(error));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), serializeCircuit(circuit));
    Circuit loaded = sentinel();
    QVERIFY2(loadCircuitFile(path, loaded, &error), qPrintable(error));
    QVERIFY(sameBits(gatesOf(loaded), gatesOf(circuit)));
}

void TestCircuitFile::loadFailures()
{
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString large = directory.filePath(QStringLiteral("large.fsor.json"));
    QFile file(large);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(paddedTo(2 * kMaxJsonDocumentBytes)), 2 * kMaxJsonDocumentBytes);
    file.close();

    const QString paths[] = {large, directory.filePath(QStringLiteral("missing.fsor.json")), directory.path()};
    for (const QString &path : paths) {
        Circuit circuit = sentinel();
        QString error;
        QVERIFY2(!loadCircuitFile(path, circuit, &error), qPrintable(path));
        QVERIFY2(!error.isEmpty(), qPrintable(path));
        QVERIFY(isSentinel(circuit));
        if (path == large) {
            QCOMPARE(error, QStringLiteral("File is too large"));
        }
    }
}

void TestCircuitFile::unreadableCircuitIsNotSaved_data()
{
    QTest::addColumn<Fasoria::Gate>("gate");
    QTest::addRow("angle beyond 2 pi") << Gate{GateKind::P, 0, 0, 1000.0};
    QTest::addRow("unknown kind") << Gate{static_cast<GateKind>(7), 0, 0, 0.0};
    QTest::addRow("equal control and target") << Gate{GateKind::Cnot, 1, 1, 0.0};
}

void TestCircuitFile::unreadableCircuitIsNotSaved()
{
    QFETCH(Fasoria::Gate, gate);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("kept.fsor.json"));
    QString error;
    const Circuit good = circuitOf(2, randomGates(3, 2).mid(0, 20));
    QVERIFY2(saveCircuitFile(path, good, &error), qPrintable(error));

    Circuit bad = good;
    bad.steps.emplace_back(gate.kind, gate.target, gate.control, gate.angle);
    QVERIFY(!saveCircuitFile(path, bad, &error));
    QVERIFY2(error.startsWith(QStringLiteral("The circuit cannot be saved as a readable file: ")), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), serializeCircuit(good));
}

void TestCircuitFile::seedCorpus_data()
{
    QTest::addColumn<QString>("path");

    const QDir corpus(QStringLiteral(FASORIA_EDITOR_TEST_DATA "/corpus"));
    const QStringList names = corpus.entryList(QDir::Files);
    QVERIFY(names.size() >= 12);
    for (const QString &name : names) {
        QTest::addRow("%s", qPrintable(name)) << corpus.filePath(name);
    }
}

void TestCircuitFile::seedCorpus()
{
    // Seeds are named for the reader's verdict: "valid-…" files load and round-trip, the rest are refused.
    QFETCH(QString, path);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    Circuit circuit = sentinel();
    QString error;
    const bool valid = QFileInfo(path).fileName().startsWith(QLatin1String("valid-"));
    QCOMPARE(parseCircuit(bytes, circuit, &error), valid);
    if (!valid) {
        QVERIFY(!error.isEmpty());
        QVERIFY(isSentinel(circuit));
        return;
    }
    const QByteArray written = serializeCircuit(circuit);
    Circuit reread;
    QVERIFY(parseCircuit(written, reread, &error));
    QVERIFY(sameBits(gatesOf(reread), gatesOf(circuit)));
    QCOMPARE(serializeCircuit(reread), written);
}

QTEST_GUILESS_MAIN(TestCircuitFile)

#include "test_circuit_file.moc"
