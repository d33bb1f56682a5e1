// The circuit as a LaTeX quantikz figure: wires in the drawing's order, one column per step.
#include "core/Circuit.h"
#include "editor/CircuitLatex.h"
#include "tests/editor/GateLists.h"

#include <QtTest>

#include <cmath>

using namespace Fasoria;

namespace {

QString body(const Circuit &circuit)
{
    const QString text = QString::fromStdString(circuitLatex(circuit));
    const int start = text.indexOf(QLatin1String("\\begin{quantikz}\n"));
    const int end = text.indexOf(QLatin1String("\\end{quantikz}"));
    return start < 0 || end < 0 ? QString() : text.mid(start + 17, end - start - 17);
}

} // namespace

class TestCircuitLatex : public QObject
{
    Q_OBJECT

private slots:
    void bellIsPinned()
    {
        const Circuit bell = circuitOf(2, {gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0)});
        const QString text = QString::fromStdString(circuitLatex(bell));
        QCOMPARE(text,
                 QStringLiteral("% Fasoria circuit: pdflatex compiles this file on its own (quantikz, from CTAN).\n"
                                "\\documentclass[border=6pt]{standalone}\n"
                                "\\usepackage{tikz}\n"
                                "\\usetikzlibrary{quantikz}\n"
                                "\\begin{document}\n"
                                "\\begin{quantikz}\n"
                                "\\lstick{$q_{1}\\ \\ket{0}$} & \\qw & \\targ{} & \\qw \\\\\n"
                                "\\lstick{$q_{0}\\ \\ket{0}$} & \\gate{H} & \\ctrl{-1} & \\qw\n"
                                "\\end{quantikz}\n"
                                "\\end{document}\n"));
    }

    void cellsFollowTheDrawing_data()
    {
        QTest::addColumn<int>("qubits");
        QTest::addColumn<Gate>("step");
        QTest::addColumn<QString>("expected");
        const double pi = std::acos(-1.0);
        QTest::addRow("phase in degrees")
            << 1 << gate(GateKind::P, 0, 0, pi / 4) << "\\gate{P(45.0^{\\circ})} & \\qw\n";
        QTest::addRow("negative phase") << 1 << gate(GateKind::P, 0, 0, -pi / 2)
                                        << "\\gate{P(-90.0^{\\circ})} & \\qw\n";
        QTest::addRow("control below its target") << 3 << gate(GateKind::Cnot, 2, 0, 0.0)
                                                  << "\\targ{} & \\qw \\\\\n"
                                                     "\\lstick{$q_{1}\\ \\ket{0}$} & \\qw & \\qw \\\\\n"
                                                     "\\lstick{$q_{0}\\ \\ket{0}$} & \\ctrl{-2} & \\qw\n";
        QTest::addRow("control above its target") << 2 << gate(GateKind::Cnot, 0, 1, 0.0)
                                                  << "\\ctrl{1} & \\qw \\\\\n"
                                                     "\\lstick{$q_{0}\\ \\ket{0}$} & \\targ{} & \\qw\n";
    }

    void cellsFollowTheDrawing()
    {
        QFETCH(int, qubits);
        QFETCH(Gate, step);
        QFETCH(QString, expected);
        const QString text = body(circuitOf(qubits, {step}));
        const QString first = QStringLiteral("\\lstick{$q_{%1}\\ \\ket{0}$} & ").arg(qubits - 1);
        QCOMPARE(text, first + expected);
    }

    void refusesWhatTheEditorRefuses()
    {
        QVERIFY_EXCEPTION_THROWN(circuitLatex(circuitOf(9, QVector<Gate>{})), std::exception);
        QVERIFY_EXCEPTION_THROWN(circuitLatex(circuitOf(2, {gate(GateKind::Cnot, 1, 1, 0.0)})), std::exception);
    }
};

QTEST_GUILESS_MAIN(TestCircuitLatex)

#include "test_circuit_latex.moc"
