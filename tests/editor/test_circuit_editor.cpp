#include "editor/CircuitEditor.h"
#include "tests/editor/GateLists.h"

#include <QtTest>

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Fasoria;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// "class: message" of the exception a call throws, empty when it returns.
template <typename Call>
QString outcome(Call &&call)
{
    try {
        call();
    } catch (const std::length_error &error) {
        return QStringLiteral("length_error: ") + error.what();
    } catch (const std::out_of_range &error) {
        return QStringLiteral("out_of_range: ") + error.what();
    } catch (const std::invalid_argument &error) {
        return QStringLiteral("invalid_argument: ") + error.what();
    } catch (const std::exception &error) {
        return QStringLiteral("other: ") + error.what();
    }
    return QString();
}

// Every message the editor throws must have a translation in both languages.
bool translated(const QString &outcomeText)
{
    const std::string message = outcomeText.section(QStringLiteral(": "), 1).toStdString();
    return editorErrorText(message, English) != message && editorErrorText(message, Italian) != message;
}

// Tags "s0", "s1", … used as the texts of numbered steps; stable for the whole run.
const char *tag(std::size_t index)
{
    static const std::vector<std::string> tags = [] {
        std::vector<std::string> all;
        for (std::size_t i = 0; i <= CircuitEditor::kMaxSteps; ++i) {
            all.push_back("s" + std::to_string(i));
        }
        return all;
    }();
    return tags.at(index).c_str();
}

// 8 qubits; step i is P(q0, i) carrying the texts tag(i), so each step is recognisable with its texts.
Circuit numbered(int count)
{
    Circuit circuit;
    circuit.qubitCount = 8;
    for (int i = 0; i < count; ++i) {
        circuit.steps.emplace_back(gate(GateKind::P, 0, 0, i), tag(static_cast<std::size_t>(i)),
                                   tag(static_cast<std::size_t>(i)));
    }
    return circuit;
}

// Step numbers of a numbered circuit in order; a step that is not numbered reads "new".
QString describe(const Circuit &circuit)
{
    QStringList parts;
    for (const LessonStep &step : circuit.steps) {
        parts << (step.gate.kind == GateKind::P ? QString::number(step.gate.angle) : QStringLiteral("new"));
    }
    return parts.join(QLatin1Char(' '));
}

QString sequence(int from, int to)
{
    QStringList parts;
    for (int i = from; i < to; ++i) {
        parts << QString::number(i);
    }
    return parts.join(QLatin1Char(' '));
}

// Numbered steps keep their own texts and new steps carry the free-lab texts wherever they end up.
bool textsFollowGates(const Circuit &circuit)
{
    for (const LessonStep &step : circuit.steps) {
        const char *expected =
            step.gate.kind == GateKind::P ? tag(static_cast<std::size_t>(step.gate.angle)) : kFreeLabStepEn;
        if (step.explanationEn != expected) {
            return false;
        }
    }
    return true;
}

bool sameCircuit(const Circuit &a, const Circuit &b)
{
    if (a.qubitCount != b.qubitCount || a.steps.size() != b.steps.size() || a.titleEn != b.titleEn) {
        return false;
    }
    for (std::size_t i = 0; i < a.steps.size(); ++i) {
        const LessonStep &x = a.steps[i];
        const LessonStep &y = b.steps[i];
        const bool sameAngle = x.gate.angle == y.gate.angle || (std::isnan(x.gate.angle) && std::isnan(y.gate.angle));
        if (x.gate.kind != y.gate.kind || x.gate.target != y.gate.target || x.gate.control != y.gate.control ||
            !sameAngle || x.explanationIt != y.explanationIt || x.explanationEn != y.explanationEn) {
            return false;
        }
    }
    return true;
}

const QString kTargetOutside = QStringLiteral("out_of_range: Target qubit is outside circuit");
const QString kBadCnot = QStringLiteral("invalid_argument: CNOT control and target must be different, valid qubits");
const QString kBadAngle = QStringLiteral("invalid_argument: Invalid phase angle");
const QString kBadQubits = QStringLiteral("invalid_argument: Unsupported number of editable qubits");
const QString kTooMany = QStringLiteral("invalid_argument: Too many operations");

} // namespace

class TestCircuitEditor : public QObject
{
    Q_OBJECT

private slots:
    void creation_data();
    void creation();
    void validateGate_data();
    void validateGate();
    void edits_data();
    void edits();
    void setQubitCount_data();
    void setQubitCount();
    void errorText_data();
    void errorText();
};

void TestCircuitEditor::creation_data()
{
    QTest::addColumn<int>("qubits");
    QTest::addColumn<QVector<Gate>>("gates");
    QTest::addColumn<QString>("expected");

    const QVector<Gate> full(256, gate(GateKind::H, 0));
    const QVector<Gate> overfull(257, gate(GateKind::H, 0));
    QTest::addRow("one qubit, no steps") << 1 << QVector<Gate>() << QString();
    QTest::addRow("eight qubits") << 8 << QVector<Gate>{gate(GateKind::Cnot, 0, 7)} << QString();
    QTest::addRow("256 steps") << 1 << full << QString();
    QTest::addRow("zero qubits") << 0 << QVector<Gate>() << kBadQubits;
    QTest::addRow("nine qubits") << 9 << QVector<Gate>() << kBadQubits;
    QTest::addRow("negative qubits") << -1 << QVector<Gate>() << kBadQubits;
    QTest::addRow("qubits checked before steps") << 9 << overfull << kBadQubits;
    QTest::addRow("257 steps") << 1 << overfull << kTooMany;
    QTest::addRow("step count checked before gates") << 1 << (QVector<Gate>(257, gate(GateKind::X, 5))) << kTooMany;
    QTest::addRow("bad target at step 2")
        << 2 << QVector<Gate>{gate(GateKind::H, 0), gate(GateKind::X, 1), gate(GateKind::X, 2)} << kTargetOutside;
    QTest::addRow("first bad step wins") << 2
                                         << QVector<Gate>{gate(GateKind::P, 0, 0, kNaN), gate(GateKind::Cnot, 1, 1)}
                                         << kBadAngle;
}

void TestCircuitEditor::creation()
{
    QFETCH(int, qubits);
    QFETCH(QVector<Gate>, gates);
    QFETCH(QString, expected);

    const Circuit source = circuitOf(qubits, gates);
    QString actual = outcome([&] {
        const CircuitEditor editor(source);
        QVERIFY(sameCircuit(editor.circuit(), source));
    });
    QCOMPARE(actual, expected);
    QVERIFY(actual.isEmpty() || translated(actual));
}

void TestCircuitEditor::validateGate_data()
{
    QTest::addColumn<Gate>("candidate");
    QTest::addColumn<QString>("expected");

    QTest::addRow("H on q1") << gate(GateKind::H, 1) << QString();
    QTest::addRow("target 2 of 2") << gate(GateKind::X, 2) << kTargetOutside;
    QTest::addRow("negative target") << gate(GateKind::Z, -1) << kTargetOutside;
    QTest::addRow("H ignores its control") << gate(GateKind::H, 0, 7) << QString();
    QTest::addRow("X ignores its angle") << gate(GateKind::X, 0, 0, kNaN) << QString();
    QTest::addRow("unknown kind gets the target check only")
        << gate(static_cast<GateKind>(9), 1, -4, kNaN) << QString();
    QTest::addRow("unknown kind with bad target") << gate(static_cast<GateKind>(9), 5) << kTargetOutside;
    QTest::addRow("CNOT 0 to 1") << gate(GateKind::Cnot, 1, 0) << QString();
    QTest::addRow("CNOT control equals target") << gate(GateKind::Cnot, 1, 1) << kBadCnot;
    QTest::addRow("CNOT control 2 of 2") << gate(GateKind::Cnot, 0, 2) << kBadCnot;
    QTest::addRow("CNOT negative control") << gate(GateKind::Cnot, 0, -1) << kBadCnot;
    QTest::addRow("CNOT target checked first") << gate(GateKind::Cnot, 3, 3) << kTargetOutside;
    QTest::addRow("P 1000 rad") << gate(GateKind::P, 0, 0, 1000.0) << QString();
    QTest::addRow("P NaN") << gate(GateKind::P, 0, 0, kNaN) << kBadAngle;
    QTest::addRow("P +inf") << gate(GateKind::P, 1, 0, kInf) << kBadAngle;
    QTest::addRow("P -inf") << gate(GateKind::P, 1, 0, -kInf) << kBadAngle;
    QTest::addRow("P target checked first") << gate(GateKind::P, 2, 0, kNaN) << kTargetOutside;
}

void TestCircuitEditor::validateGate()
{
    QFETCH(Gate, candidate);
    QFETCH(QString, expected);

    const CircuitEditor editor(circuitOf(2, {}));
    const QString actual = outcome([&] { editor.validateGate(candidate); });
    QCOMPARE(actual, expected);
    QVERIFY(actual.isEmpty() || translated(actual));
}

void TestCircuitEditor::edits_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<qulonglong>("position");
    QTest::addColumn<int>("direction");
    QTest::addColumn<Gate>("newGate");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("steps");

    const Gate x = gate(GateKind::X, 1);
    const qulonglong huge = std::numeric_limits<qulonglong>::max();
    const QString insertion = QStringLiteral("out_of_range: Insertion position");
    const QString full = QStringLiteral("length_error: Maximum 256 gates");
    const QString replacement = QStringLiteral("out_of_range: Replacement position");
    const QString erase = QStringLiteral("out_of_range: Erase position");
    const QString direction = QStringLiteral("invalid_argument: Move direction");
    const QString movePosition = QStringLiteral("out_of_range: Move position");
    const QString destination = QStringLiteral("out_of_range: Move destination");

    QTest::addRow("insert at front") << 3 << "insert" << 0ULL << 0 << x << QString() << "new 0 1 2";
    QTest::addRow("insert in the middle") << 3 << "insert" << 2ULL << 0 << x << QString() << "0 1 new 2";
    QTest::addRow("insert at count appends") << 3 << "insert" << 3ULL << 0 << x << QString() << "0 1 2 new";
    QTest::addRow("insert into empty") << 0 << "insert" << 0ULL << 0 << x << QString() << "new";
    QTest::addRow("insert past the end") << 3 << "insert" << 4ULL << 0 << x << insertion << "";
    QTest::addRow("insert at a huge position") << 3 << "insert" << huge << 0 << x << insertion << "";
    QTest::addRow("position checked before the limit") << 256 << "insert" << 257ULL << 0 << x << insertion << "";
    QTest::addRow("insert into 256 steps") << 256 << "insert" << 256ULL << 0 << x << full << "";
    QTest::addRow("limit checked before the gate")
        << 256 << "insert" << 0ULL << 0 << gate(GateKind::X, 9) << full << "";
    QTest::addRow("insert CNOT q0 to q0") << 3 << "insert" << 0ULL << 0 << gate(GateKind::Cnot, 0, 0) << kBadCnot << "";
    QTest::addRow("insert reaching 256") << 255 << "insert" << 255ULL << 0 << x << QString()
                                         << sequence(0, 255) + " new";

    QTest::addRow("replace first") << 3 << "replace" << 0ULL << 0 << x << QString() << "new 1 2";
    QTest::addRow("replace last") << 3 << "replace" << 2ULL << 0 << x << QString() << "0 1 new";
    QTest::addRow("replace in a full circuit")
        << 256 << "replace" << 255ULL << 0 << x << QString() << sequence(0, 255) + " new";
    QTest::addRow("replace past the end") << 3 << "replace" << 3ULL << 0 << x << replacement << "";
    QTest::addRow("replace in empty") << 0 << "replace" << 0ULL << 0 << x << replacement << "";
    QTest::addRow("replace position checked first")
        << 3 << "replace" << 3ULL << 0 << gate(GateKind::X, 9) << replacement << "";
    QTest::addRow("replace with NaN phase")
        << 3 << "replace" << 1ULL << 0 << gate(GateKind::P, 0, 0, kNaN) << kBadAngle << "";
    QTest::addRow("replace with bad target")
        << 3 << "replace" << 1ULL << 0 << gate(GateKind::H, 8) << kTargetOutside << "";

    QTest::addRow("erase first") << 3 << "erase" << 0ULL << 0 << x << QString() << "1 2";
    QTest::addRow("erase last") << 3 << "erase" << 2ULL << 0 << x << QString() << "0 1";
    QTest::addRow("erase in a full circuit") << 256 << "erase" << 0ULL << 0 << x << QString() << sequence(1, 256);
    QTest::addRow("erase past the end") << 3 << "erase" << 3ULL << 0 << x << erase << "";
    QTest::addRow("erase in empty") << 0 << "erase" << 0ULL << 0 << x << erase << "";

    QTest::addRow("move first right") << 3 << "move" << 0ULL << 1 << x << QString() << "1 0 2";
    QTest::addRow("move last left") << 3 << "move" << 2ULL << -1 << x << QString() << "0 2 1";
    QTest::addRow("move in a full circuit")
        << 256 << "move" << 255ULL << -1 << x << QString() << sequence(0, 254) + " 255 254";
    QTest::addRow("move first left") << 3 << "move" << 0ULL << -1 << x << destination << "";
    QTest::addRow("move last right") << 3 << "move" << 2ULL << 1 << x << destination << "";
    QTest::addRow("move by 0") << 3 << "move" << 1ULL << 0 << x << direction << "";
    QTest::addRow("move by 2") << 3 << "move" << 0ULL << 2 << x << direction << "";
    QTest::addRow("direction checked first") << 0 << "move" << 5ULL << -2 << x << direction << "";
    QTest::addRow("move in empty") << 0 << "move" << 0ULL << 1 << x << movePosition << "";
    QTest::addRow("move past the end") << 3 << "move" << 3ULL << -1 << x << movePosition << "";
}

void TestCircuitEditor::edits()
{
    QFETCH(int, count);
    QFETCH(QString, operation);
    QFETCH(qulonglong, position);
    QFETCH(int, direction);
    QFETCH(Gate, newGate);
    QFETCH(QString, expected);
    QFETCH(QString, steps);

    CircuitEditor editor(numbered(count));
    const Circuit before = editor.circuit();
    const LessonStep step(newGate.kind, newGate.target, newGate.control, newGate.angle);
    const std::size_t at = static_cast<std::size_t>(position);
    const QString actual = outcome([&] {
        if (operation == QLatin1String("insert")) {
            editor.insertGate(at, step);
        } else if (operation == QLatin1String("replace")) {
            editor.replaceGate(at, step);
        } else if (operation == QLatin1String("erase")) {
            editor.eraseGate(at);
        } else {
            editor.moveGate(at, direction);
        }
    });
    QCOMPARE(actual, expected);
    if (actual.isEmpty()) {
        QCOMPARE(describe(editor.circuit()), steps);
        QVERIFY(textsFollowGates(editor.circuit()));
    } else {
        QVERIFY(translated(actual));
        QVERIFY(sameCircuit(editor.circuit(), before));
    }
}

void TestCircuitEditor::setQubitCount_data()
{
    QTest::addColumn<int>("qubits");
    QTest::addColumn<QVector<Gate>>("gates");
    QTest::addColumn<uint>("newCount");
    QTest::addColumn<QString>("expected");

    const QString range = QStringLiteral("out_of_range: The editor supports 1..8 qubits");
    const QString inUse = QStringLiteral("invalid_argument: Remove gates using the deleted qubit first");
    const QVector<Gate> unusedQ2{gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0), gate(GateKind::P, 1, 0, 1.0)};
    QTest::addRow("shrink past an unused qubit") << 3 << unusedQ2 << 2U << QString();
    QTest::addRow("shrink with a step on q2")
        << 3 << QVector<Gate>{gate(GateKind::H, 0), gate(GateKind::X, 2)} << 2U << inUse;
    QTest::addRow("shrink with a CNOT controlled by q2")
        << 3 << QVector<Gate>{gate(GateKind::Cnot, 0, 2)} << 2U << inUse;
    QTest::addRow("H's control field does not count") << 3 << QVector<Gate>{gate(GateKind::H, 0, 2)} << 2U << QString();
    QTest::addRow("grow 2 to 8") << 2 << QVector<Gate>{gate(GateKind::Cnot, 1, 0)} << 8U << QString();
    QTest::addRow("same count") << 2 << QVector<Gate>{gate(GateKind::X, 1)} << 2U << QString();
    QTest::addRow("zero") << 2 << QVector<Gate>() << 0U << range;
    QTest::addRow("nine") << 2 << QVector<Gate>() << 9U << range;
    QTest::addRow("range checked first") << 3 << QVector<Gate>{gate(GateKind::X, 2)} << 0U << range;
}

void TestCircuitEditor::setQubitCount()
{
    QFETCH(int, qubits);
    QFETCH(QVector<Gate>, gates);
    QFETCH(uint, newCount);
    QFETCH(QString, expected);

    CircuitEditor editor(circuitOf(qubits, gates));
    const Circuit before = editor.circuit();
    const QString actual = outcome([&] { editor.setQubitCount(newCount); });
    QCOMPARE(actual, expected);
    Circuit expectedCircuit = before;
    if (actual.isEmpty()) {
        expectedCircuit.qubitCount = static_cast<std::int32_t>(newCount);
    } else {
        QVERIFY(translated(actual));
    }
    QVERIFY(sameCircuit(editor.circuit(), expectedCircuit));
}

void TestCircuitEditor::errorText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("italian");
    QTest::addColumn<QString>("english");

    struct Row
    {
        const char *message;
        const char *italian;
        const char *english;
    };
    const Row rows[] = {
        {"Unsupported number of editable qubits", "Numero di qubit non supportato.", "Unsupported number of qubits."},
        {"Too many operations", "Il circuito contiene troppe operazioni.", "Too many operations."},
        {"Target qubit is outside circuit", "Il qubit bersaglio non esiste nel circuito.",
         "The target qubit does not exist in this circuit."},
        {"CNOT control and target must be different, valid qubits",
         "CNOT: controllo e bersaglio devono essere diversi e validi.",
         "CNOT: control and target must be different and valid."},
        {"Invalid phase angle", "Angolo della fase non valido.", "Invalid phase angle."},
        {"Insertion position", "Posizione di inserimento non valida.", "Invalid insertion position."},
        {"Maximum 256 gates", "Limite di 256 porte raggiunto.", "Maximum of 256 gates reached."},
        {"Replacement position", "Nessuna porta valida da sostituire.", "No valid gate to replace."},
        {"Erase position", "Nessuna porta valida da eliminare.", "No valid gate to delete."},
        {"Move direction", "Direzione di spostamento non valida.", "Invalid move direction."},
        {"Move position", "Nessuna porta valida da spostare.", "No valid gate to move."},
        {"Move destination", "La porta è già all'estremità del circuito.",
         "The gate is already at the edge of the circuit."},
        {"The editor supports 1..8 qubits", "L'editor supporta da 1 a 8 qubit.", "The editor supports 1 to 8 qubits."},
        {"Remove gates using the deleted qubit first", "Elimina prima le porte che usano i qubit da rimuovere.",
         "First remove gates using qubits to be discarded."},
    };
    for (const Row &row : rows) {
        QTest::addRow("%s", row.message) << QString::fromUtf8(row.message) << QString::fromUtf8(row.italian)
                                         << QString::fromUtf8(row.english);
    }
    const QString unknown = QStringLiteral("Qubit index out of range");
    QTest::addRow("unknown message") << unknown << unknown << unknown;
    QTest::addRow("case matters") << "move direction"
                                  << "move direction"
                                  << "move direction";
    QTest::addRow("whole text only") << "Move direction."
                                     << "Move direction."
                                     << "Move direction.";
    QTest::addRow("empty") << QString() << QString() << QString();
}

void TestCircuitEditor::errorText()
{
    QFETCH(QString, message);
    QFETCH(QString, italian);
    QFETCH(QString, english);

    const std::string text = message.toStdString();
    QCOMPARE(QString::fromStdString(editorErrorText(text, English)), english);
    QCOMPARE(QString::fromStdString(editorErrorText(text, Italian)), italian);
    // Any language value other than English selects Italian.
    QCOMPARE(QString::fromStdString(editorErrorText(text, static_cast<Language>(7))), italian);
}

QTEST_GUILESS_MAIN(TestCircuitEditor)

#include "test_circuit_editor.moc"
