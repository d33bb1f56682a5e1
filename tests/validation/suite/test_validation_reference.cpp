#include "validation/suite/DenseReference.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <stdexcept>

using namespace Fasoria;

Q_DECLARE_METATYPE(Fasoria::Gate)
Q_DECLARE_METATYPE(std::vector<Fasoria::Gate>)
Q_DECLARE_METATYPE(Fasoria::DenseReference::Amplitudes)

namespace {

using C = std::complex<double>;

const double kA = 1.0 / std::sqrt(2.0);
const double kPi = std::acos(-1.0);

Gate gate(GateKind kind, std::int32_t target, std::int32_t control = 0, double angle = 0.0)
{
    return Gate{kind, target, control, angle};
}

// What the engine computes for the same gates, as the cross-check compares it.
std::vector<Complex> engineAmplitudes(std::uint32_t qubits, const std::vector<Gate> &gates)
{
    StateVector state = createState(qubits);
    for (const Gate &g : gates) {
        state.applyGate(g);
    }
    return state.amplitudes();
}

DenseReference referenceOf(std::uint32_t qubits, const std::vector<Gate> &gates)
{
    DenseReference reference(qubits);
    for (const Gate &g : gates) {
        reference.apply(g);
    }
    return reference;
}

} // namespace

class TestValidationReference : public QObject
{
    Q_OBJECT

private slots:
    void handComputed_data();
    void handComputed();
    void wrongEngineCaught_data();
    void wrongEngineCaught();
    void rejectsBadGates_data();
    void rejectsBadGates();
    void drawsFollowTheRules_data();
    void drawsFollowTheRules();
};

void TestValidationReference::handComputed_data()
{
    QTest::addColumn<std::vector<Gate>>("gates");
    QTest::addColumn<DenseReference::Amplitudes>("expected");
    // Two qubits, basis index bit k = qubit qk: the amplitudes below are worked out by hand.
    QTest::addRow("h-q1") << std::vector<Gate>{gate(GateKind::H, 1)} << DenseReference::Amplitudes{kA, 0.0, kA, 0.0};
    QTest::addRow("bell") << std::vector<Gate>{gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0)}
                          << DenseReference::Amplitudes{kA, 0.0, 0.0, kA};
    QTest::addRow("cnot-controlled-by-q1") << std::vector<Gate>{gate(GateKind::X, 1), gate(GateKind::Cnot, 0, 1)}
                                           << DenseReference::Amplitudes{0.0, 0.0, 0.0, 1.0};
    QTest::addRow("cnot-control-clear") << std::vector<Gate>{gate(GateKind::X, 0), gate(GateKind::Cnot, 0, 1)}
                                        << DenseReference::Amplitudes{0.0, 1.0, 0.0, 0.0};
    QTest::addRow("phase-x-z") << std::vector<Gate>{gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0),
                                                    gate(GateKind::P, 1, 0, kPi / 2), gate(GateKind::X, 1),
                                                    gate(GateKind::Z, 0)}
                               << DenseReference::Amplitudes{0.0, C(0.0, -kA), kA, 0.0};
    QTest::addRow("h-h-identity") << std::vector<Gate>{gate(GateKind::H, 0), gate(GateKind::H, 0)}
                                  << DenseReference::Amplitudes{1.0, 0.0, 0.0, 0.0};
}

void TestValidationReference::handComputed()
{
    QFETCH(std::vector<Gate>, gates);
    QFETCH(DenseReference::Amplitudes, expected);
    const DenseReference reference = referenceOf(2, gates);
    QCOMPARE(reference.amplitudes().size(), expected.size());
    for (std::size_t j = 0; j < expected.size(); ++j) {
        QVERIFY2(std::abs(reference.amplitudes()[j] - expected[j]) < 1e-15, qPrintable(QString::number(j)));
    }
    // The engine must agree too, through the same comparison the cross-check makes.
    QVERIFY(!firstDeviation(engineAmplitudes(2, gates), reference.amplitudes(), 5e-12));
}

void TestValidationReference::wrongEngineCaught_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("delta");
    QTest::addColumn<int>("dropped");
    QTest::addColumn<int>("expected");
    QTest::addRow("unchanged") << 0 << 0.0 << 0 << -1;
    QTest::addRow("below-tolerance") << 3 << 4e-12 << 0 << -1;
    QTest::addRow("above-tolerance") << 2 << 6e-12 << 0 << 2;
    QTest::addRow("sign-error") << 3 << -2 * kA << 0 << 3;
    QTest::addRow("nan") << 1 << std::numeric_limits<double>::quiet_NaN() << 0 << 1;
    QTest::addRow("shorter") << 0 << 0.0 << 1 << 3;
}

void TestValidationReference::wrongEngineCaught()
{
    QFETCH(int, index);
    QFETCH(double, delta);
    QFETCH(int, dropped);
    QFETCH(int, expected);
    const std::vector<Gate> bell{gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0)};
    std::vector<Complex> engine = engineAmplitudes(2, bell);
    engine[static_cast<std::size_t>(index)].re += delta;
    engine.resize(engine.size() - static_cast<std::size_t>(dropped));
    const std::optional<std::uint64_t> deviation = firstDeviation(engine, referenceOf(2, bell).amplitudes(), 5e-12);
    QCOMPARE(deviation.has_value(), expected >= 0);
    if (deviation) {
        QCOMPARE(*deviation, static_cast<std::uint64_t>(expected));
    }
}

void TestValidationReference::rejectsBadGates_data()
{
    QTest::addColumn<Gate>("bad");
    QTest::addColumn<QString>("message");
    QTest::addRow("target-out-of-range") << gate(GateKind::H, 2) << "Reference qubit out of range";
    QTest::addRow("negative-target") << gate(GateKind::X, -1) << "Reference qubit out of range";
    QTest::addRow("control-out-of-range") << gate(GateKind::Cnot, 0, 5) << "Reference qubit out of range";
    QTest::addRow("cnot-same-qubit") << gate(GateKind::Cnot, 1, 1) << "Reference CNOT needs distinct qubits";
    QTest::addRow("nan-angle") << gate(GateKind::P, 0, 0, std::nan("")) << "Reference angle not finite";
    QTest::addRow("unknown-kind") << gate(static_cast<GateKind>(7), 0) << "Reference gate kind unknown";
}

void TestValidationReference::rejectsBadGates()
{
    QFETCH(Gate, bad);
    QFETCH(QString, message);
    DenseReference reference = referenceOf(2, {gate(GateKind::H, 0)});
    const DenseReference::Amplitudes before = reference.amplitudes();
    try {
        reference.apply(bad);
        QFAIL("gate accepted");
    } catch (const std::exception &error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
    QVERIFY(reference.amplitudes() == before);
}

void TestValidationReference::drawsFollowTheRules_data()
{
    QTest::addColumn<int>("qubits");
    for (int n = 1; n <= 5; ++n) {
        QTest::addRow("n=%d", n) << n;
    }
}

void TestValidationReference::drawsFollowTheRules()
{
    QFETCH(int, qubits);
    const auto n = static_cast<std::uint32_t>(qubits);
    std::mt19937_64 engine(0x5155414E54554D);
    int kinds[kGateKindCount] = {};
    for (int i = 0; i < 2000; ++i) {
        std::mt19937_64 skipped = engine;
        skipped.discard(4);
        const Gate g = drawRandomGate(engine, n);
        QVERIFY2(engine == skipped, "one gate takes exactly four outputs");
        const auto kind = static_cast<std::int32_t>(g.kind);
        QVERIFY(kind >= 0 && kind < kGateKindCount);
        ++kinds[kind];
        QVERIFY(static_cast<std::uint32_t>(g.target) < n && static_cast<std::uint32_t>(g.control) < n);
        QVERIFY(g.kind != GateKind::Cnot || g.control != g.target);
        QVERIFY(g.angle >= -kPi && g.angle <= kPi);
    }
    for (int kind = 0; kind < kGateKindCount; ++kind) {
        // One qubit never draws CNOT; larger registers draw every kind.
        QCOMPARE(kinds[kind] > 0, n > 1 || kind != static_cast<int>(GateKind::Cnot));
    }
    QVERIFY_EXCEPTION_THROWN(drawRandomGate(engine, 0), std::invalid_argument);
    QVERIFY_EXCEPTION_THROWN(DenseReference(13), std::invalid_argument);
}

QTEST_GUILESS_MAIN(TestValidationReference)
#include "test_validation_reference.moc"
