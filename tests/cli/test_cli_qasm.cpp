// fasoria-cli qasm export and import through the real executable: exact output, round trips, refusals
// with their line numbers, and nothing written on refusal.

#include "CliProcess.h"

#include "editor/CircuitFile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace Fasoria;

namespace {

const double kPi = std::acos(-1.0);

QByteArray angleGate(double angle, int target = 0)
{
    return R"({"gate":"P","target":)" + QByteArray::number(target) + R"(,"angle_rad":)" +
           QByteArray::number(angle, 'g', 17) + "}";
}

} // namespace

class TestCliQasm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void exportWritesTheSubset()
    {
        const QByteArray gates = R"({"gate":"H","target":0},{"gate":"X","target":2},{"gate":"Z","target":1},)" +
                                 angleGate(kPi / 4.0, 1) + R"(,{"gate":"CNOT","control":2,"target":0})";
        write("mixed.fsor.json", circuitFile(3, gates));
        const CliRun run = runCli({"qasm", "export", "mixed.fsor.json"}, m_dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.out, QByteArray("OPENQASM 2.0;\n"
                                     "include \"qelib1.inc\";\n"
                                     "qreg q[3];\n"
                                     "h q[0];\n"
                                     "x q[2];\n"
                                     "z q[1];\n"
                                     "u1(0.7853981633974483) q[1];\n"
                                     "cx q[2],q[0];\n"));
    }

    void awkwardAnglesRoundTrip_data()
    {
        QTest::addColumn<double>("angle");
        QTest::addRow("pi/3") << kPi / 3.0;
        QTest::addRow("two-pi") << 2.0 * kPi;
        QTest::addRow("minus-two-pi") << -2.0 * kPi;
        QTest::addRow("just-below-pi") << std::nextafter(kPi, 0.0);
        QTest::addRow("tiny") << 1e-7;
        QTest::addRow("denormal") << 5e-324;
        QTest::addRow("negative-third") << -1.0 / 3.0;
        QTest::addRow("sum-of-tenths") << 0.1 + 0.2;
        QTest::addRow("whole") << 3.0;
    }

    void awkwardAnglesRoundTrip()
    {
        QFETCH(double, angle);
        const QByteArray original = circuitFile(2, angleGate(angle, 1) + R"(,{"gate":"CNOT","control":1,"target":0})");
        write("angle.fsor.json", original);
        const CliRun exported = runCli({"qasm", "export", "angle.fsor.json", "-o", "angle.qasm"}, m_dir.path());
        QCOMPARE(exported.exitCode, 0);
        QCOMPARE(exported.out, QByteArray());
        const CliRun imported = runCli({"qasm", "import", "angle.qasm"}, m_dir.path());
        QCOMPARE(imported.exitCode, 0);
        QCOMPARE(imported.err, QByteArray());

        Circuit expected;
        QVERIFY(parseCircuit(original, expected, nullptr));
        QCOMPARE(imported.out, serializeCircuit(expected));
        Circuit back;
        QVERIFY(parseCircuit(imported.out, back, nullptr));
        QCOMPARE(back.steps.at(0).gate.angle, angle);
    }

    void importReadsForeignForms()
    {
        write("foreign.qasm", "OPENQASM 2.0;\n"
                              "include \"qelib1.inc\";\n"
                              "// a Bell pair, then phases\n"
                              "qreg r[2];\n"
                              "creg c[2];\n"
                              "h r[0]; cx r[0],r[1];\n"
                              "barrier r;\n"
                              "s r[1];\n"
                              "cz r[1],r[0];\n"
                              "measure r -> c;\n");
        const QString target = m_dir.filePath("foreign.fsor.json");
        const CliRun run = runCli({"qasm", "import", "foreign.qasm", "-o", target}, m_dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.err, QByteArray("fasoria-cli: foreign.qasm: warning: line 5: classical register 'c' ignored\n"
                                     "fasoria-cli: foreign.qasm: warning: line 10: measurement ignored; the circuit "
                                     "keeps the state before measurement\n"));
        const QByteArray expected = circuitFile(
            2, R"({"gate":"H","target":0},{"gate":"CNOT","control":0,"target":1},)" + angleGate(kPi / 2.0, 1) +
                   R"(,{"gate":"H","target":0},{"gate":"CNOT","control":1,"target":0},)"
                   R"({"gate":"H","target":0})");
        Circuit circuit;
        QVERIFY(parseCircuit(expected, circuit, nullptr));
        QCOMPARE(readFile(target), serializeCircuit(circuit));
    }

    void importRefusalsNameTheLine_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("message");
        const QByteArray head = "OPENQASM 2.0;\ninclude \"qelib1.inc\";\nqreg q[2];\n";
        QTest::addRow("no-header") << QByteArray("qreg q[1];\n")
                                   << QByteArray("line 1: expected OPENQASM 2.0; at the start");
        QTest::addRow("version-3") << QByteArray("OPENQASM 3.0;\n")
                                   << QByteArray("line 1: only OpenQASM 2.0 is supported");
        QTest::addRow("other-gate") << head + "h q[0];\nrx(0.5) q[1];\n"
                                    << QByteArray("line 5: unsupported gate or statement 'rx'");
        QTest::addRow("two-registers") << head + "qreg r[1];\n"
                                       << QByteArray("line 4: only one quantum register is supported");
        QTest::addRow("nine-qubits") << QByteArray("OPENQASM 2.0;\nqreg q[9];\n")
                                     << QByteArray("line 2: at most 8 qubits are supported");
        QTest::addRow("outside-register") << head + "\n\nx q[2];\n"
                                          << QByteArray("line 6: qubit outside the register q[2]");
        QTest::addRow("missing-semicolon") << head + "h q[0]\nh q[1];\n" << QByteArray("line 5: expected ';'");
        QTest::addRow("same-qubits") << head + "cx q[1],q[1];\n" << QByteArray("line 4: cx needs two different qubits");
        QByteArray many = "OPENQASM 2.0;\nqreg q[1];\n";
        for (int i = 0; i < 257; ++i) {
            many += "x q[0];\n";
        }
        QTest::addRow("257-gates") << many << QByteArray("line 259: more than 256 gates");
        QTest::addRow("no-register") << QByteArray("OPENQASM 2.0;\ninclude \"qelib1.inc\";\n")
                                     << QByteArray("line 3: no quantum register declared");
    }

    void importRefusalsNameTheLine()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, message);
        write("bad.qasm", text);
        const QString target = m_dir.filePath("kept.fsor.json");
        write("kept.fsor.json", "previous contents");
        const CliRun run = runCli({"qasm", "import", "bad.qasm", "-o", target}, m_dir.path());
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.err, "fasoria-cli: bad.qasm: " + message + "\n");
        QCOMPARE(readFile(target), QByteArray("previous contents"));
    }

private:
    void write(const QString &name, const QByteArray &content) { QVERIFY(writeFile(m_dir.filePath(name), content)); }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestCliQasm)
#include "test_cli_qasm.moc"
