// The figures of the handbook: numbers the engine computes, marked up as
//   <span class="figure" data-figure="NAME" data-format="FORMAT">TEXT</span>
// and recomputed here.
//
// Figure names are words separated by colons; the first word is the kind:
//   amplitude-re | amplitude-im | probability | phase : lesson-NN : step-K : basis-BITS
//       the state after the first K steps of lesson NN; BITS is the basis label, q0 rightmost, one digit per
//       qubit of the lesson; phase is atan2(Im, Re) in degrees, undefined ("-") for |a| < 1e-12
//   norm : lesson-NN : step-K                       the sum of all probabilities
//   readout : lesson-NN [: step-K]                  probability of the correct output of an algorithm lesson
//                                                   after the whole circuit or after K steps
//   classical-queries | quantum-queries : lesson-NN the query counts of an algorithm lesson
//   gates : lesson-NN                               number of steps of a lesson
//   checkpoint : lesson-NN : N                      gate index of the N-th checkpoint (1-based)
//   generated : deutsch|bv|grover : PARAMETERS : readout|expected|gates|classical-queries|quantum-queries
//       a generated circuit; PARAMETERS are function-F (deutsch), qubits-N and secret-S (bv), qubits-N,
//       target-M and iterations-K (grover), all of them required
//   grover-best-iterations : qubits-N : target-M    the iteration count 1..4 with the highest success
//   challenge-fidelity : lesson-NN : circuit-GATES  fidelity of a circuit (h0, x1, z0, cx01 = CNOT q0 → q1,
//                                                   joined by dots; "circuit-empty" for none)
//   shots : lesson-NN : step-K : count-N : seed-S : basis-BITS
//       count of BITS among N preparations sampled with a generator seeded with S
//   bell : zz|xx|zx|xz : bell|mixture : basis-BITS  the Bell-versus-mixture table (bases of q1, then q0)
//   engine-max-qubits                               the largest register the engine creates
//   amplitude-count : qubits-N                      amplitudes stored for N qubits
//   core-checks : count|passed                      the engine's own checks
//   generator-parameter-sets                        parameter sets the generator accepts
// Formats: fixed:D, percent:D (value × 100, then "%"), percent-value:D (value × 100, no sign), integer, and
// shortest (the shortest decimal that reads back as the same double). Numbers carry a decimal point in both
// languages, and a value that rounds to zero is written without a minus sign.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace HandbookFigures {

/// One marked-up figure as printed in a document.
struct Figure
{
    QString name;
    QString format;
    QString text;
};

/// The figures of a text, with what is wrong with the markup of any marked element.
struct Extraction
{
    QVector<Figure> figures;
    QStringList problems;
    /// Opening tags that carry the figure class or a data-figure attribute.
    int markedElements = 0;
};

Extraction extractFigures(const QString &html);

/// Empty when the figure prints what the engine computes, else what is wrong, naming the figure.
QString checkFigure(const Figure &figure);

/// Every problem of a text: markup problems and figures that are not true.
QStringList problemsOf(const QString &html);

} // namespace HandbookFigures
