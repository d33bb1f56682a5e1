#include "editor/ChallengeFile.h"
#include "editor/CircuitFile.h"
#include "editor/PlainText.h"
#include "tests/editor/GateLists.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <functional>

using namespace Fasoria;

Q_DECLARE_METATYPE(std::function<void(QJsonObject &)>)
Q_DECLARE_METATYPE(Fasoria::ChallengeFile)

namespace {

using Change = std::function<void(QJsonObject &)>;

const double kA = 1.0 / std::sqrt(2.0);

const char kBellAmplitudes[] = R"({
    "forbidden": [
        "X"
    ],
    "format": "FasoriaChallenge",
    "goal_en": "Prepare the Bell state.",
    "goal_it": "Prepara lo stato di Bell.",
    "hints_en": [
        "Start with H.",
        "",
        "H(q0), CNOT(q0->q1)."
    ],
    "hints_it": [
        "Inizia con H.",
        "",
        "H(q0), CNOT(q0->q1)."
    ],
    "max_gates": 4,
    "min_gates": 2,
    "qubits": 2,
    "required": [
        {
            "count": 1,
            "gate": "CNOT"
        }
    ],
    "target_amplitudes": [
        {
            "im": 0,
            "index": 0,
            "re": 0.7071067811865475
        },
        {
            "im": -0.5,
            "index": 3,
            "re": 0.5
        }
    ],
    "version": 1
}
)";

ChallengeDefinition bellDefinition()
{
    ChallengeDefinition definition;
    definition.qubitCount = 2;
    definition.goalIt = "Prepara lo stato di Bell.";
    definition.goalEn = "Prepare the Bell state.";
    definition.hint1It = "Inizia con H.";
    definition.hint1En = "Start with H.";
    definition.hint3It = definition.hint3En = "H(q0), CNOT(q0->q1).";
    definition.target = {{0, {kA, 0.0}}, {3, {0.5, -0.5}}};
    definition.minGates = 2;
    definition.required = {{GateKind::Cnot, 1}};
    definition.forbidden = {GateKind::X};
    definition.maxGates = 4;
    return definition;
}

ChallengeFile fromAmplitudes(const ChallengeDefinition &definition)
{
    return ChallengeFile{definition, std::nullopt};
}

ChallengeFile fromReference(std::int32_t qubits, const QVector<Gate> &gates)
{
    ChallengeFile challenge;
    challenge.definition.qubitCount = qubits;
    challenge.definition.goalIt = "Ripeti il circuito.";
    challenge.definition.goalEn = "Repeat the circuit.";
    challenge.reference = circuitOf(qubits, gates);
    challenge.definition.target = targetFromCircuit(*challenge.reference);
    return challenge;
}

QJsonObject bellObject()
{
    return QJsonDocument::fromJson(kBellAmplitudes).object();
}

QByteArray changed(const Change &change)
{
    QJsonObject root = bellObject();
    change(root);
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

Change setting(const char *member, const QJsonValue &value)
{
    return [member, value](QJsonObject &root) { root.insert(QLatin1String(member), value); };
}

Change removing(const char *member)
{
    return [member](QJsonObject &root) { root.remove(QLatin1String(member)); };
}

Change withAmplitudes(const QJsonArray &amplitudes)
{
    return setting("target_amplitudes", amplitudes);
}

QJsonObject amplitude(double index, double re, double im)
{
    return {{"index", index}, {"re", re}, {"im", im}};
}

QJsonObject circuitObject(const Circuit &circuit)
{
    return QJsonDocument::fromJson(serializeCircuit(circuit)).object();
}

Change withReference(const QJsonValue &circuit)
{
    return [circuit](QJsonObject &root) {
        root.remove(QLatin1String("target_amplitudes"));
        root.insert(QLatin1String("target_circuit"), circuit);
    };
}

// The Bell document on one qubit: target |0>, no required kind, and the given forbidden kinds.
Change oneQubitForbidding(const QJsonArray &forbidden)
{
    return [forbidden](QJsonObject &root) {
        root.insert(QLatin1String("qubits"), 1);
        root.insert(QLatin1String("target_amplitudes"), QJsonArray{amplitude(0, 1, 0)});
        root.remove(QLatin1String("required"));
        root.insert(QLatin1String("forbidden"), forbidden);
    };
}

bool sameTarget(const std::vector<ChallengeTarget> &a, const std::vector<ChallengeTarget> &b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].index != b[i].index || std::memcmp(&a[i].amplitude, &b[i].amplitude, sizeof(Complex)) != 0) {
            return false;
        }
    }
    return true;
}

// A destination no document can give: sentinel texts on 5 qubits and a target the reference does not make.
ChallengeFile sentinel()
{
    ChallengeFile challenge = fromReference(5, {gate(GateKind::P, 4, 0, std::nextafter(1.0, 2.0))});
    challenge.definition.goalEn = challenge.definition.hint2It = "sentinel";
    challenge.definition.target = {{31, {0.0, 1.0}}};
    challenge.definition.required = {{GateKind::Z, 3}};
    challenge.definition.maxGates = 9;
    return challenge;
}

bool isSentinel(const ChallengeFile &challenge)
{
    const ChallengeFile expected = sentinel();
    return serializeChallenge(challenge) == serializeChallenge(expected) &&
           sameTarget(challenge.definition.target, expected.definition.target) &&
           sameBits(gatesOf(*challenge.reference), gatesOf(*expected.reference));
}

} // namespace

class TestChallengeFile : public QObject
{
    Q_OBJECT

private slots:
    void writtenBytes() { QCOMPARE(serializeChallenge(fromAmplitudes(bellDefinition())), QByteArray(kBellAmplitudes)); }

    void referenceCircuitIsWrittenInsteadOfItsState()
    {
        const ChallengeFile challenge = fromReference(2, {gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0)});
        const QJsonObject root = QJsonDocument::fromJson(serializeChallenge(challenge)).object();
        QVERIFY(!root.contains(QLatin1String("target_amplitudes")));
        QCOMPARE(root.value(QLatin1String("target_circuit")).toObject(), circuitObject(*challenge.reference));
        QCOMPARE(root.value(QLatin1String("hints_en")).toArray(), (QJsonArray{"", "", ""}));
        QCOMPARE(root.value(QLatin1String("required")).toArray(), QJsonArray());
        QVERIFY(!root.contains(QLatin1String("max_gates")));
    }

    void roundTrip_data()
    {
        QTest::addColumn<ChallengeFile>("challenge");

        QTest::addRow("amplitudes with every rule") << fromAmplitudes(bellDefinition());
        ChallengeDefinition bare = bellDefinition();
        bare.required.clear();
        bare.forbidden.clear();
        bare.maxGates.reset();
        bare.minGates = 0;
        bare.hint1It = "«virgolette» e \"apici\" \\ è";
        QTest::addRow("amplitudes without rules") << fromAmplitudes(bare);
        ChallengeDefinition awkward = bellDefinition();
        awkward.target = {{3, {0.6, 1e-300}}, {0, {0.0, -0.8}}, {1, {std::nextafter(0.0, 1.0), 0.0}}};
        QTest::addRow("unsorted, tiny and negative numbers") << fromAmplitudes(awkward);
        QTest::addRow("empty reference") << fromReference(8, {});
        QTest::addRow("reference with every kind")
            << fromReference(3, {gate(GateKind::H, 0), gate(GateKind::X, 1), gate(GateKind::Z, 0),
                                 gate(GateKind::P, 2, 0, 0.1), gate(GateKind::Cnot, 2, 0)});
        ChallengeFile ruled = fromReference(1, {gate(GateKind::H, 0), gate(GateKind::X, 0), gate(GateKind::H, 0)});
        ruled.definition.required = {{GateKind::X, 1}, {GateKind::H, 2}};
        ruled.definition.forbidden = {GateKind::P, GateKind::Z, GateKind::Cnot};
        ruled.definition.minGates = 3;
        ruled.definition.maxGates = 256;
        QTest::addRow("reference with rules") << ruled;
    }

    void roundTrip()
    {
        QFETCH(ChallengeFile, challenge);

        const QByteArray written = serializeChallenge(challenge);
        ChallengeFile reread = sentinel();
        QString error;
        QVERIFY2(parseChallenge(written, reread, &error), qPrintable(error));
        QCOMPARE(serializeChallenge(reread), written);
        QVERIFY(sameTarget(reread.definition.target, challenge.definition.target));
        QCOMPARE(reread.reference.has_value(), challenge.reference.has_value());
        if (challenge.reference) {
            QVERIFY(sameBits(gatesOf(*reread.reference), gatesOf(*challenge.reference)));
        }
    }

    void accepted_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("hint3En");

        QTest::addRow("as written") << Change([](QJsonObject &) {}) << "H(q0), CNOT(q0->q1).";
        QTest::addRow("no hints") << removing("hints_en") << "";
        QTest::addRow("one hint") << setting("hints_en", QJsonArray{"Only one."}) << "";
        QTest::addRow("no rules") << Change([](QJsonObject &root) {
            for (const char *member : {"min_gates", "max_gates", "required", "forbidden"}) {
                root.remove(QLatin1String(member));
            }
        }) << "H(q0), CNOT(q0->q1).";
        QTest::addRow("norm off by 1e-10")
            << withAmplitudes({amplitude(0, std::sqrt(0.5 + 1e-10), 0), amplitude(3, kA, 0)}) << "H(q0), CNOT(q0->q1).";
        QTest::addRow("goal of 1,000 characters") << setting("goal_it", QString(1000, 'g')) << "H(q0), CNOT(q0->q1).";
        QTest::addRow("goal of 1,000 UTF-16 units")
            << setting("goal_en", QString(998, 'g') + "😀") << "H(q0), CNOT(q0->q1).";
        QTest::addRow("hint of 2,000 characters")
            << setting("hints_en", QJsonArray{"", "", QString(2000, 'h')}) << QString(2000, 'h');
        QTest::addRow("one qubit, P left") << oneQubitForbidding({"H", "X", "Z"}) << "H(q0), CNOT(q0->q1).";
    }

    void accepted()
    {
        QFETCH(Change, change);
        QFETCH(QString, hint3En);

        ChallengeFile challenge = sentinel();
        QString error;
        QVERIFY2(parseChallenge(changed(change), challenge, &error), qPrintable(error));
        QCOMPARE(QString::fromStdString(challenge.definition.hint3En), hint3En);
        QVERIFY(!challenge.reference);
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");

        const QString header = "Unsupported format or version";
        QTest::addRow("not JSON") << QByteArray("{\"format\": ") << "Invalid JSON: unterminated object";
        QTest::addRow("an array") << QByteArray("[]") << "Invalid JSON: no error occurred";
        QTest::addRow("over 1 MiB") << QByteArray(kBellAmplitudes).leftJustified(1048577, ' ')
                                    << "Document exceeds 1 MiB";
        QTest::addRow("circuit format") << changed(setting("format", "FasoriaCircuit")) << header;
        QTest::addRow("version 2") << changed(setting("version", 2)) << header;
        QTest::addRow("no version") << changed(removing("version")) << header;
        QTest::addRow("misspelt rule") << changed(setting("max_gate", 3)) << "Unknown member \"max_gate\"";
        QTest::addRow("member with a control character")
            << changed(setting("a\x1b[2Jb", 3)) << "Unknown member \"a?[2Jb\"";
        QTest::addRow("qubits 0") << changed(setting("qubits", 0)) << "qubits must be a whole number in 1..8";
        QTest::addRow("qubits 9") << changed(setting("qubits", 9)) << "qubits must be a whole number in 1..8";
        const QString goalEn = "goal_en must be a text without control characters";
        QTest::addRow("goal missing") << changed(removing("goal_en")) << goalEn;
        QTest::addRow("goal with a line feed") << changed(setting("goal_en", "one\ntwo")) << goalEn;
        QTest::addRow("goal with a right-to-left override") << changed(setting("goal_en", "a\u202Eb")) << goalEn;
        QTest::addRow("goal blank") << changed(setting("goal_en", " \t")) << goalEn;
        QTest::addRow("goal only spaces") << changed(setting("goal_it", "   ")) << "Challenge goal missing";
        QTest::addRow("four hints") << changed(setting("hints_it", QJsonArray{"1", "2", "3", "4"}))
                                    << "hints_it must be a list of at most three texts";
        QTest::addRow("hints a text") << changed(setting("hints_it", "1"))
                                      << "hints_it must be a list of at most three texts";
        QTest::addRow("hint a number") << changed(setting("hints_en", QJsonArray{"1", 2}))
                                       << "hints_en must be a text without control characters";
        QTest::addRow("hint with ESC") << changed(setting("hints_en", QJsonArray{"\x1b[31m"}))
                                       << "hints_en must be a text without control characters";
        const QString oneTarget = "Give exactly one of target_circuit and target_amplitudes";
        QTest::addRow("no target") << changed(removing("target_amplitudes")) << oneTarget;
        QTest::addRow("both targets") << changed(setting("target_circuit", circuitObject(circuitOf(2, {}))))
                                      << oneTarget;
        QTest::addRow("amplitudes an object")
            << changed(setting("target_amplitudes", QJsonObject())) << "target_amplitudes must be a list";
        QTest::addRow("not normalised") << changed(withAmplitudes({amplitude(0, 0.5, 0), amplitude(3, 0.5, 0)}))
                                        << "Challenge target not normalized";
        QTest::addRow("norm off by 2e-9")
            << changed(withAmplitudes({amplitude(0, std::sqrt(0.5 + 2e-9), 0), amplitude(3, kA, 0)}))
            << "Challenge target not normalized";
        QTest::addRow("empty target") << changed(withAmplitudes({})) << "Challenge target not normalized";
        const QString second = "Invalid target amplitude at index 1";
        QTest::addRow("index 4 on 2 qubits")
            << changed(withAmplitudes({amplitude(0, 1, 0), amplitude(4, 0, 0)})) << second;
        QTest::addRow("index 0.5") << changed(withAmplitudes({amplitude(0, 1, 0), amplitude(0.5, 0, 0)})) << second;
        QTest::addRow("im missing") << changed(
                                           withAmplitudes({amplitude(0, 1, 0), QJsonObject{{"index", 1}, {"re", 0}}}))
                                    << second;
        QTest::addRow("re a text") << changed(withAmplitudes(
                                          {amplitude(0, 1, 0), QJsonObject{{"index", 1}, {"re", "0"}, {"im", 0}}}))
                                   << second;
        QTest::addRow("extra member") << changed(withAmplitudes(
                                             {amplitude(0, 1, 0),
                                              QJsonObject{{"index", 1}, {"re", 0}, {"im", 0}, {"phase", 0}}}))
                                      << second;
        QTest::addRow("entry an array") << changed(withAmplitudes({amplitude(0, 1, 0), QJsonArray{1, 0, 0}})) << second;
        // Past the largest double the JSON reader itself refuses the number.
        QTest::addRow("number beyond the doubles")
            << QByteArray(kBellAmplitudes).replace("\"re\": 0.5", "\"re\": 1e999") << "Invalid JSON: illegal number";
        QTest::addRow("repeated index") << changed(withAmplitudes({amplitude(0, kA, 0), amplitude(0, kA, 0)}))
                                        << "Repeated basis index in target_amplitudes at index 1";
        QTest::addRow("reference a list")
            << changed(withReference(QJsonArray())) << "target_circuit must be a circuit file object";
        QTest::addRow("reference refused")
            << changed(withReference(QJsonObject{{"format", "FasoriaCircuit"}, {"version", 1}, {"qubits", 2}}))
            << "target_circuit: Missing gates array";
        QTest::addRow("reference on 3 qubits") << changed(withReference(circuitObject(circuitOf(3, {}))))
                                               << "target_circuit has another qubit count than the challenge";
        QTest::addRow("min_gates 257") << changed(setting("min_gates", 257))
                                       << "min_gates must be a whole number in 0..256";
        QTest::addRow("max_gates null") << changed(setting("max_gates", QJsonValue()))
                                        << "max_gates must be a whole number in 0..256";
        QTest::addRow("max below min") << changed(setting("max_gates", 1)) << "Challenge maximum below minimum";
        QTest::addRow("required an object") << changed(setting("required", QJsonObject())) << "required must be a list";
        QTest::addRow("required kind unknown")
            << changed(setting("required", QJsonArray{QJsonObject{{"gate", "Y"}, {"count", 1}}}))
            << "Invalid required gate at index 0";
        QTest::addRow("required count 0")
            << changed(setting("required", QJsonArray{QJsonObject{{"gate", "H"}, {"count", 0}}}))
            << "Invalid required gate at index 0";
        QTest::addRow("required twice") << changed(setting("required",
                                                           QJsonArray{QJsonObject{{"gate", "H"}, {"count", 1}},
                                                                      QJsonObject{{"gate", "H"}, {"count", 2}}}))
                                        << "Challenge required kind repeated";
        QTest::addRow("required above the maximum")
            << changed(setting("required", QJsonArray{QJsonObject{{"gate", "H"}, {"count", 5}}}))
            << "Challenge required gates above maximum";
        QTest::addRow("forbidden a text") << changed(setting("forbidden", "X")) << "forbidden must be a list";
        QTest::addRow("forbidden unknown")
            << changed(setting("forbidden", QJsonArray{"X", "CZ"})) << "Invalid forbidden gate at index 1";
        QTest::addRow("forbidden twice") << changed(setting("forbidden", QJsonArray{"X", "X"}))
                                         << "Challenge forbidden kind repeated";
        QTest::addRow("required and forbidden")
            << changed(setting("forbidden", QJsonArray{"CNOT"})) << "Challenge required kind forbidden";

        // Rules no circuit can keep.
        QTest::addRow("required adding up past 256") << changed([](QJsonObject &root) {
            root.remove(QLatin1String("max_gates"));
            root.insert(QLatin1String("required"), QJsonArray{QJsonObject{{"gate", "H"}, {"count", 200}},
                                                              QJsonObject{{"gate", "CNOT"}, {"count", 57}}});
        }) << "Challenge required gates above 256";
        QTest::addRow("CNOT required on one qubit") << changed([](QJsonObject &root) {
            oneQubitForbidding({"X"})(root);
            root.insert(QLatin1String("required"), QJsonArray{QJsonObject{{"gate", "CNOT"}, {"count", 1}}});
        }) << "Challenge requires CNOT on one qubit";
        QTest::addRow("every kind forbidden") << changed([](QJsonObject &root) {
            root.remove(QLatin1String("required"));
            root.insert(QLatin1String("forbidden"), QJsonArray{"H", "X", "Z", "P", "CNOT"});
        }) << "Challenge forbids every gate kind";
        QTest::addRow("every kind one qubit can use forbidden")
            << changed(oneQubitForbidding({"H", "X", "Z", "P"})) << "Challenge forbids every gate kind";

        // The reference is graded as a student's circuit would be.
        const QJsonObject bell = circuitObject(circuitOf(2, {gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0)}));
        QTest::addRow("reference uses a forbidden kind")
            << changed([bell](QJsonObject &root) {
                   withReference(bell)(root);
                   root.insert(QLatin1String("forbidden"), QJsonArray{"H"});
               })
            << "target_circuit breaks the challenge's rules: The state is correct. The challenge forbids H, but the "
               "circuit has 1 H gate.";
        QTest::addRow("reference too short")
            << changed([bell](QJsonObject &root) {
                   withReference(bell)(root);
                   root.insert(QLatin1String("min_gates"), 3);
               })
            << "target_circuit breaks the challenge's rules: The state is correct. The circuit has 2 gates; the "
               "challenge asks for at least 3.";

        // Qt would keep one of the two copies: a repeated member is refused before anything else, at any depth.
        QTest::addRow("repeated escaped name")
            << QByteArray(kBellAmplitudes).replace("\"qubits\": 2", "\"qubits\": 2, \"\\u0071ubits\": 9")
            << "Repeated member \"qubits\"";
        QTest::addRow("repeated inside the reference")
            << changed(withReference(bell)).replace("\"control\":0", "\"control\":0,\"control\":1")
            << "Repeated member \"control\"";
        QTest::addRow("repeated before the format")
            << QByteArray(kBellAmplitudes).replace("\"version\": 1", "\"version\": 2, \"version\": 1")
            << "Repeated member \"version\"";

        // Lengths count UTF-16 code units.
        QTest::addRow("goal of 1,001 characters")
            << changed(setting("goal_en", QString(1001, 'g'))) << "goal_en must be at most 1000 characters";
        QTest::addRow("goal of 1,001 UTF-16 units")
            << changed(setting("goal_it", QString(999, 'g') + "😀")) << "goal_it must be at most 1000 characters";
        QTest::addRow("hint of 2,001 characters") << changed(setting("hints_it", QJsonArray{"", QString(2001, 'h')}))
                                                  << "hints_it must be at most 2000 characters per hint";
    }

    void refused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);

        ChallengeFile challenge = sentinel();
        QString error;
        QVERIFY(!parseChallenge(bytes, challenge, &error));
        QCOMPARE(error, message);
        QVERIFY(isSentinel(challenge));
    }

    void referenceWithAGlobalPhaseSolvesWithoutIt()
    {
        // X then Z prepares −|1>; a student's lone X reaches the same state up to the global phase.
        ChallengeFile reference = fromReference(1, {gate(GateKind::X, 0), gate(GateKind::Z, 0)});
        ChallengeFile challenge;
        QVERIFY(parseChallenge(serializeChallenge(reference), challenge, nullptr));
        QCOMPARE(challenge.definition.target.size(), std::size_t{1});
        QCOMPARE(challenge.definition.target[0].amplitude.re, -1.0);
        const ChallengeResult result = checkChallenge(challenge.definition, circuitOf(1, {gate(GateKind::X, 0)}));
        QVERIFY(result.solved);
        QCOMPARE(result.status, ChallengeStatus::Solved);
        QCOMPARE(result.fidelity, 1.0);
        QVERIFY(!checkChallenge(challenge.definition, circuitOf(1, {gate(GateKind::H, 0)})).solved);
    }

    void plainText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("plain");
        QTest::addColumn<bool>("multiline");
        // What a session keeps of the text when a student typed or pasted it.
        QTest::addColumn<QString>("kept");

        QTest::addRow("accents and symbols") << "Fedeltà ≥ 99% — |ψ⟩ 😀" << true << true << "Fedeltà ≥ 99% — |ψ⟩ 😀";
        QTest::addRow("empty") << "" << true << true << "";
        QTest::addRow("tab") << "a\tb" << false << true << "a\tb";
        QTest::addRow("line feed") << "a\nb" << false << true << "a\nb";
        QTest::addRow("carriage return") << "a\r\nb\rc" << false << false << "a\nb\nc";
        QTest::addRow("NUL") << QString("a") + QChar(0) + "b" << false << false << "ab";
        QTest::addRow("ESC") << "a\x1b[2Jb" << false << false << "a[2Jb";
        QTest::addRow("DEL") << "a\x7f" << false << false << "a";
        QTest::addRow("C1 CSI") << QString(QChar(0x9B)) << false << false << "";
        QTest::addRow("left-to-right mark") << "a\u200Eb" << false << false << "ab";
        QTest::addRow("right-to-left override") << "a\u202Eb" << false << false << "ab";
        QTest::addRow("lone high surrogate") << QString(QChar(0xD800)) + "a" << false << false << "\uFFFDa";
        QTest::addRow("lone low surrogate") << "a" + QString(QChar(0xDC00)) << false << false << "a\uFFFD";
    }

    void plainText()
    {
        QFETCH(QString, text);
        QFETCH(bool, plain);
        QFETCH(bool, multiline);
        QFETCH(QString, kept);
        QCOMPARE(isPlainText(text), plain);
        QCOMPARE(isPlainMultilineText(text), multiline);
        QCOMPARE(plainMultilineText(text), kept);
        QVERIFY(isPlainMultilineText(plainMultilineText(text)));
    }

    void saveAndLoad()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("bell.challenge.json");
        QString error;
        QVERIFY2(saveChallengeFile(path, fromAmplitudes(bellDefinition()), &error), qPrintable(error));
        ChallengeFile loaded;
        QVERIFY(loadChallengeFile(path, loaded, &error));
        QCOMPARE(serializeChallenge(loaded), QByteArray(kBellAmplitudes));

        ChallengeDefinition blank = bellDefinition();
        blank.goalIt = "  ";
        QVERIFY(!saveChallengeFile(path, fromAmplitudes(blank), &error));
        QCOMPARE(error, "The challenge cannot be saved as a readable file: Challenge goal missing");
        QCOMPARE(serializeChallenge(loaded), QByteArray(kBellAmplitudes));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray(kBellAmplitudes));
    }

    void loadFailures()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString large = dir.filePath("large.challenge.json");
        QFile file(large);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(QByteArray(kBellAmplitudes).leftJustified(1048577, ' ')) > 0);
        file.close();
        ChallengeFile challenge = sentinel();
        QString error;
        QVERIFY(!loadChallengeFile(large, challenge, &error));
        QCOMPARE(error, "File is too large");
        QVERIFY(!loadChallengeFile(dir.path(), challenge, &error));
        QCOMPARE(error, "not a regular file");
        QVERIFY(!loadChallengeFile(dir.filePath("absent.challenge.json"), challenge, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(isSentinel(challenge));
    }

    void seedCorpus_data()
    {
        QTest::addColumn<QString>("path");

        const QDir corpus(QStringLiteral(FASORIA_EDITOR_TEST_DATA "/challenge-corpus"));
        const QStringList names = corpus.entryList(QDir::Files);
        QVERIFY(names.size() >= 8);
        for (const QString &name : names) {
            QTest::addRow("%s", qPrintable(name)) << corpus.filePath(name);
        }
    }

    void seedCorpus()
    {
        // Seeds are named for the reader's verdict: "valid-…" files load and round-trip, the rest are refused.
        QFETCH(QString, path);

        ChallengeFile challenge = sentinel();
        QString error;
        const bool valid = QFileInfo(path).fileName().startsWith(QLatin1String("valid-"));
        QCOMPARE(loadChallengeFile(path, challenge, &error), valid);
        if (!valid) {
            QVERIFY(!error.isEmpty());
            QVERIFY(isSentinel(challenge));
            return;
        }
        const QByteArray written = serializeChallenge(challenge);
        ChallengeFile reread;
        QVERIFY(parseChallenge(written, reread, &error));
        QCOMPARE(serializeChallenge(reread), written);
    }
};

QTEST_GUILESS_MAIN(TestChallengeFile)
#include "test_challenge_file.moc"
