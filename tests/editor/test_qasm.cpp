#include "editor/Qasm.h"
#include "tests/editor/GateLists.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <random>
#include <stdexcept>

using namespace Fasoria;

namespace {

const double kPi = std::acos(-1.0);
const char kHead[] = "OPENQASM 2.0;\ninclude \"qelib1.inc\";\nqreg q[3];\n";

Circuit sentinel()
{
    return circuitOf(5, {gate(GateKind::P, 4, 0, std::nextafter(1.0, 2.0))});
}

} // namespace

class TestQasm : public QObject
{
    Q_OBJECT

private slots:
    void writerUsesTheSubset()
    {
        const Circuit circuit = circuitOf(2, {gate(GateKind::H, 1), gate(GateKind::P, 0, 0, -1e-5),
                                              gate(GateKind::P, 1, 0, 3.0), gate(GateKind::Cnot, 0, 1)});
        QCOMPARE(QByteArray::fromStdString(writeQasm(circuit)), QByteArray("OPENQASM 2.0;\n"
                                                                           "include \"qelib1.inc\";\n"
                                                                           "qreg q[2];\n"
                                                                           "h q[1];\n"
                                                                           "u1(-1.0e-05) q[0];\n"
                                                                           "u1(3) q[1];\n"
                                                                           "cx q[1],q[0];\n"));
    }

    void writerRefusesWhatTheEditorRefuses_data()
    {
        QTest::addColumn<int>("qubits");
        QTest::addColumn<Gate>("step");
        QTest::addRow("nine-qubits") << 9 << gate(GateKind::H, 0);
        QTest::addRow("target-outside") << 2 << gate(GateKind::X, 2);
        QTest::addRow("cnot-same-qubit") << 2 << gate(GateKind::Cnot, 1, 1);
        QTest::addRow("nan-angle") << 1 << gate(GateKind::P, 0, 0, std::nan(""));
        QTest::addRow("unknown-kind") << 1 << gate(static_cast<GateKind>(7), 0);
    }

    void writerRefusesWhatTheEditorRefuses()
    {
        QFETCH(int, qubits);
        QFETCH(Gate, step);
        QVERIFY_EXCEPTION_THROWN(writeQasm(circuitOf(qubits, {step})), std::logic_error);
    }

    // Random angles over the whole range and every exponent: the text must give back the same double.
    void writtenAnglesReadBackExactly()
    {
        std::mt19937_64 random(20240131);
        std::uniform_real_distribution<double> mantissa(-2.0 * kPi, 2.0 * kPi);
        std::uniform_int_distribution<int> exponent(-320, 0);
        QVector<Gate> gates{gate(GateKind::P, 0, 0, -0.0), gate(GateKind::P, 0, 0, 2.0 * kPi),
                            gate(GateKind::P, 0, 0, 5e-324)};
        while (gates.size() < 256) {
            const double angle = std::ldexp(mantissa(random), exponent(random));
            gates << gate(GateKind::P, gates.size() % 8, 0, std::fabs(angle) <= 2.0 * kPi ? angle : 1.0);
        }
        const Circuit original = circuitOf(8, gates);
        const std::string text = writeQasm(original);
        Circuit read;
        std::string error;
        QVERIFY2(readQasm(text, read, nullptr, &error), error.c_str());
        QVERIFY(sameBits(gatesOf(read), gates));
        QCOMPARE(writeQasm(read), text);
    }

    void readerAcceptsTheSubset_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QVector<Gate>>("gates");
        QTest::addRow("plain") << QByteArray("h q[0];\nx q[1];\nz q[2];\ncx q[2],q[0];\n")
                               << QVector<Gate>{gate(GateKind::H, 0), gate(GateKind::X, 1), gate(GateKind::Z, 2),
                                                gate(GateKind::Cnot, 0, 2)};
        QTest::addRow("phase-gates") << QByteArray("s q[0]; sdg q[0]; t q[1]; tdg q[1];")
                                     << QVector<Gate>{
                                            gate(GateKind::P, 0, 0, kPi / 2), gate(GateKind::P, 0, 0, -kPi / 2),
                                            gate(GateKind::P, 1, 0, kPi / 4), gate(GateKind::P, 1, 0, -kPi / 4)};
        QTest::addRow("expressions")
            << QByteArray("p(-pi/2) q[0];\nu1(2*(pi-1)/3) q[1];\nu1(-(-0.5e1)+1.) q[2];\nu1(.25 - 1 - 1) q[0];\n")
            << QVector<Gate>{gate(GateKind::P, 0, 0, -kPi / 2), gate(GateKind::P, 1, 0, 2 * (kPi - 1) / 3),
                             gate(GateKind::P, 2, 0, 6.0), gate(GateKind::P, 0, 0, -1.75)};
        QTest::addRow("cz-on-second-qubit")
            << QByteArray("cz q[0],q[2];")
            << QVector<Gate>{gate(GateKind::H, 2), gate(GateKind::Cnot, 2, 0), gate(GateKind::H, 2)};
        QTest::addRow("whole-register") << QByteArray("h q;")
                                        << QVector<Gate>{gate(GateKind::H, 0), gate(GateKind::H, 1),
                                                         gate(GateKind::H, 2)};
        QTest::addRow("skipped") << QByteArray("// note\nbarrier q[0],q[1];\nbarrier q; // end\r\nx q[0];")
                                 << QVector<Gate>{gate(GateKind::X, 0)};
        QTest::addRow("empty") << QByteArray() << QVector<Gate>{};
    }

    void readerAcceptsTheSubset()
    {
        QFETCH(QByteArray, body);
        QFETCH(QVector<Gate>, gates);
        Circuit circuit;
        std::vector<std::string> warnings{"stale"};
        std::string error;
        QVERIFY2(readQasm(kHead + body.toStdString(), circuit, &warnings, &error), error.c_str());
        QCOMPARE(circuit.qubitCount, 3);
        QVERIFY(sameBits(gatesOf(circuit), gates));
        QVERIFY(warnings.empty());
        QCOMPARE(circuit.titleEn, kCustomTitleEn);
        QCOMPARE(circuit.questionIt, kCustomQuestionIt);
    }

    void readerWarnsAboutMeasurement()
    {
        Circuit circuit;
        std::vector<std::string> warnings;
        QVERIFY(readQasm("OPENQASM 2.0;\nqreg q[1];\ncreg c[1];\nx q[0];\nmeasure q[0] -> c[0];\n", circuit, &warnings,
                         nullptr));
        QCOMPARE(warnings.size(), std::size_t{2});
        QCOMPARE(warnings[0], std::string("line 3: classical register 'c' ignored"));
        QCOMPARE(warnings[1],
                 std::string("line 5: measurement ignored; the circuit keeps the state before measurement"));
        QCOMPARE(circuit.steps.size(), std::size_t{1});
    }

    void readerKeepsGatesBeforeAMeasurementAndOnOtherQubits()
    {
        Circuit circuit;
        QVERIFY(readQasm(std::string(kHead) + "creg c[3];\nh q[1];\nmeasure q[1] -> c[1];\nbarrier q;\nx q[0];\n"
                                              "cx q[0],q[2];\nmeasure q[0] -> c[0];\n",
                         circuit, nullptr, nullptr));
        QCOMPARE(gatesOf(circuit).size(), 3);
    }

    void readerBoundsItsWarnings_data()
    {
        QTest::addColumn<int>("measurements");
        QTest::addColumn<int>("shown");
        // One creg warning and one per measurement; past 20 only the number of the rest is given.
        QTest::addRow("nineteen") << 19 << 20;
        QTest::addRow("twenty") << 20 << 21;
        QTest::addRow("thirty") << 30 << 21;
    }

    void readerBoundsItsWarnings()
    {
        QFETCH(int, measurements);
        QFETCH(int, shown);
        std::string text = "OPENQASM 2.0;\nqreg q[1];\ncreg c[1];\n";
        for (int i = 0; i < measurements; ++i) {
            text += "measure q[0] -> c[0];\n";
        }
        Circuit circuit;
        std::vector<std::string> warnings;
        QVERIFY(readQasm(text, circuit, &warnings, nullptr));
        QCOMPARE(static_cast<int>(warnings.size()), shown);
        const int total = measurements + 1;
        if (total > 20) {
            QCOMPARE(warnings.back(), "... and " + std::to_string(total - 20) + " more warnings");
            QCOMPARE(warnings[19].substr(0, 8), std::string("line 22:"));
        } else {
            QCOMPARE(warnings.back().substr(0, 5), std::string("line "));
        }
    }

    void readerRefusesAndLeavesItsOutputs_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        const QByteArray head(kHead);
        QTest::addRow("empty") << QByteArray() << "line 1: expected OPENQASM 2.0; at the start";
        QTest::addRow("include-first") << QByteArray("include \"qelib1.inc\";")
                                       << "line 1: expected OPENQASM 2.0; at the start";
        QTest::addRow("version") << QByteArray("OPENQASM 2.1;") << "line 1: only OpenQASM 2.0 is supported";
        QTest::addRow("other-include") << QByteArray("OPENQASM 2.0;\ninclude \"mine.inc\";")
                                       << "line 2: only \"qelib1.inc\" can be included";
        QTest::addRow("zero-qubits") << QByteArray("OPENQASM 2.0;\nqreg q[0];")
                                     << "line 2: a register needs at least one qubit";
        QTest::addRow("gate-before-register") << QByteArray("OPENQASM 2.0;\nh q[0];\nqreg q[1];")
                                              << "line 2: no quantum register declared before this line";
        QTest::addRow("unknown-register") << head + "h r[0];"
                                          << "line 4: unknown quantum register 'r'";
        QTest::addRow("gate-definition") << head + "gate g a { h a; }"
                                         << "line 4: unsupported gate or statement 'gate'";
        QTest::addRow("builtin-u") << head + "U(0,0,0) q[0];"
                                   << "line 4: unsupported gate or statement 'U'";
        QTest::addRow("h-with-parameter") << head + "h(0.1) q[0];"
                                          << "line 4: h takes no parameters";
        QTest::addRow("u1-two-parameters") << head + "u1(1,2) q[0];"
                                           << "line 4: u1 takes one parameter";
        QTest::addRow("u1-no-parameter") << head + "u1 q[0];"
                                         << "line 4: u1 takes one parameter";
        QTest::addRow("angle-too-large") << head + "\nu1(2*pi+0.001) q[0];"
                                         << "line 5: phase angle outside -2pi..2pi";
        QTest::addRow("division-by-zero") << head + "u1(1/0) q[0];"
                                          << "line 4: phase angle is not a finite number";
        QTest::addRow("unknown-name") << head + "u1(theta) q[0];"
                                      << "line 4: unknown name 'theta' in an expression";
        QTest::addRow("power") << head + "u1(2^3) q[0];"
                               << "line 4: unexpected character '^'";
        QTest::addRow("unary-plus") << head + "u1(+1) q[0];"
                                    << "line 4: expected a number, pi or '('";
        QTest::addRow("unclosed") << head + "u1((1) q[0];"
                                  << "line 4: expected ')'";
        QTest::addRow("huge-number") << head + "u1(1e999) q[0];"
                                     << "line 4: number out of range: 1e999";
        QTest::addRow("cx-whole-register") << head + "cx q,q[1];"
                                           << "line 4: cx acts on two single qubits";
        QTest::addRow("h-two-qubits") << head + "h q[0],q[1];"
                                      << "line 4: h acts on one qubit";
        QTest::addRow("cz-same-qubits") << head + "cz q[2],q[2];"
                                        << "line 4: cz needs two different qubits";
        QTest::addRow("huge-index") << head + "x q[99999999999999999999];"
                                    << "line 4: qubit outside the register q[3]";
        QTest::addRow("real-index") << head + "x q[1.0];"
                                    << "line 4: expected a whole number";
        QTest::addRow("measure-unknown-bit") << head + "creg c[1];\nmeasure q[0] -> d[0];"
                                             << "line 5: unknown classical register 'd'";
        QTest::addRow("measure-bit-outside") << head + "creg c[1];\nmeasure q[0] -> c[1];"
                                             << "line 5: bit outside the classical register 'c'";
        QTest::addRow("gate-after-measure") << head + "creg c[3];\nmeasure q[1] -> c[1];\nh q[0];\nx q[1];"
                                            << "line 7: gate on q[1] after it was measured";
        QTest::addRow("control-after-measure") << head + "creg c[3];\nmeasure q[2] -> c[2];\ncx q[2],q[0];"
                                               << "line 6: gate on q[2] after it was measured";
        QTest::addRow("gate-after-register-measure") << head + "creg c[3];\nmeasure q -> c;\nh q[1];"
                                                     << "line 6: gate on q[1] after it was measured";
        QTest::addRow("target-after-measure") << head + "creg c[3];\nmeasure q -> c;\ncx q[2],q[0];"
                                              << "line 6: gate on q[0] after it was measured";
        QTest::addRow("whole-register-gate-after-measure") << head + "creg c[3];\nmeasure q[2] -> c[0];\nz q;"
                                                           << "line 6: gate on q[2] after it was measured";
        QTest::addRow("measure-register-sizes") << head + "creg c[2];\nmeasure q -> c;"
                                                << "line 5: measure needs registers of the same size";
        QTest::addRow("measure-qubit-into-register")
            << head + "creg c[3];\nmeasure q[0] -> c;"
            << "line 5: measure needs a qubit and a bit, or two whole registers";
        QTest::addRow("measure-register-into-bit") << head + "creg c[3];\nmeasure q -> c[0];"
                                                   << "line 5: measure needs a qubit and a bit, or two whole registers";
        QTest::addRow("long-name-cut") << head + "creg " + QByteArray(70, 'k') + "[1];\nmeasure q[0] -> " +
                                              QByteArray(100, 'm') + "[0];"
                                       << "line 5: unknown classical register '" + QString(64, QLatin1Char('m')) +
                                              "...'";
        QTest::addRow("long-gate-cut") << head + QByteArray(65, 'g') + " q[0];"
                                       << "line 4: unsupported gate or statement '" + QString(64, QLatin1Char('g')) +
                                              "...'";
        QTest::addRow("name-reused") << head + "creg q[1];"
                                     << "line 4: name 'q' is already declared";
        QTest::addRow("unterminated-string")
            << QByteArray("OPENQASM 2.0;\ninclude \"qelib1.inc;\n") << "line 2: unterminated string";
        QTest::addRow("control-byte") << head + "x q[0];\n\x01"
                                      << "line 5: unexpected character byte 0x01";
        QTest::addRow("deep-nesting") << head + "u1(" + QByteArray(100, '(') + "1" + QByteArray(100, ')') + ") q[0];"
                                      << "line 4: expression nested too deeply";
        QTest::addRow("too-large") << QByteArray(static_cast<int>(kMaxQasmBytes) + 1, ' ') << "input exceeds 1 MiB";
    }

    void readerRefusesAndLeavesItsOutputs()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        Circuit circuit = sentinel();
        std::vector<std::string> warnings{"stale"};
        std::string error;
        QVERIFY(!readQasm(text.toStdString(), circuit, &warnings, &error));
        QCOMPARE(QString::fromStdString(error), message);
        QVERIFY(sameBits(gatesOf(circuit), gatesOf(sentinel())));
        QCOMPARE(circuit.qubitCount, 5);
        QCOMPARE(warnings, std::vector<std::string>{"stale"});
    }

    void largestInputIsAccepted()
    {
        std::string text = "OPENQASM 2.0;\nqreg q[1];\nx q[0];\n";
        text.resize(kMaxQasmBytes, ' ');
        Circuit circuit;
        QVERIFY(readQasm(text, circuit, nullptr, nullptr));
    }
};

QTEST_GUILESS_MAIN(TestQasm)
#include "test_qasm.moc"
