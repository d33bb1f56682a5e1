// The handbook quotes numbers the engine computes. Every such number is marked up as
//   <span class="figure" data-figure="NAME" data-format="FORMAT">TEXT</span>
// and this test recomputes NAME with the engine, writes it as FORMAT and compares the result with TEXT, in
// both languages. Besides, it checks the structure the help window relies on: the anchors, the links
// between the two documents, the lesson titles and the version.
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

#include "Help/Resources.h"
#include "core/CoreSelfTest.h"
#include "core/Measurement.h"
#include "core/RandomGenerator.h"
#include "core/StateVector.h"
#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/AlgorithmInfo.h"
#include "curriculum/Challenge.h"
#include "curriculum/LessonCatalog.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTextCodec>
#include <QtTest>

#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>

using namespace Fasoria;

namespace {

// The version every handbook states; the program's version in the top-level CMakeLists.txt.
const QString kVersion = QStringLiteral("0.16.0");

// Chapter anchors and headings: the headings are the help window's topic labels, so a topic and the chapter
// it opens read the same.
const struct
{
    const char *anchor;
    const char *italian;
    const char *english;
} kChapters[] = {
    {"chapter-start", "Da zero", "Start here"},
    {"chapter-model", "Che cos'è un qubit", "What is a qubit"},
    {"chapter-gates", "Le porte", "Quantum gates"},
    {"chapter-workflow", "Usare il programma", "Using the program"},
    {"chapter-learning", "Metodo di studio", "Learning method"},
    {"chapter-oracles", "Algoritmi e oracoli", "Algorithms and oracles"},
    {"chapter-limits", "Limiti del simulatore", "Simulator limits"},
    {"chapter-validation", "Validazione", "Validation"},
    {"chapter-faq", "Domande e problemi", "Questions and troubleshooting"},
    {"chapter-glossary", "Glossario", "Glossary"},
    {"chapter-math", "Matematica di approfondimento", "Mathematical appendix"},
    {"chapter-teacher", "Per chi insegna", "For teachers"},
    {"chapter-education", "Laboratorio didattico 0.16", "Learning lab 0.16"},
};

// Each document quotes at least this many figures; far fewer would mean the markup was lost.
constexpr int kMinimumFigures = 80;

struct Document
{
    QString code;
    QString otherCode;
    Language language;
    QString html;
};

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

/// A figure that cannot be evaluated: unknown kind or format, malformed or out-of-range argument.
struct FigureError
{
    QString message;
};

/// A computed figure; `undefined` for a phase of a zero amplitude, printed as "-".
struct FigureValue
{
    double value = 0.0;
    bool undefined = false;
};

QMap<QString, QString> attributesOf(const QString &tagBody)
{
    static const QRegularExpression attribute(QStringLiteral("([A-Za-z][A-Za-z0-9-]*)\\s*=\\s*\"([^\"]*)\""));
    QMap<QString, QString> attributes;
    QRegularExpressionMatchIterator it = attribute.globalMatch(tagBody);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        attributes.insert(match.captured(1).toLower(), match.captured(2));
    }
    return attributes;
}

Extraction extractFigures(const QString &html)
{
    static const QRegularExpression openingTag(QStringLiteral("<([A-Za-z][A-Za-z0-9]*)(\\s[^>]*)?>"));
    Extraction extraction;
    QRegularExpressionMatchIterator it = openingTag.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch tag = it.next();
        const QMap<QString, QString> attributes = attributesOf(tag.captured(2));
        const bool hasClass =
            attributes.value(QStringLiteral("class")).split(QLatin1Char(' ')).contains(QStringLiteral("figure"));
        const bool hasName = attributes.contains(QStringLiteral("data-figure"));
        if (!hasClass && !hasName) {
            continue;
        }
        ++extraction.markedElements;
        const QString name = attributes.value(QStringLiteral("data-figure"));
        const QString where = QStringLiteral("figure \"%1\" at offset %2").arg(name).arg(tag.capturedStart());
        if (!hasClass || !hasName || name.isEmpty()) {
            extraction.problems << where + QStringLiteral(": needs both class=\"figure\" and data-figure");
            continue;
        }
        if (!attributes.contains(QStringLiteral("data-format"))) {
            extraction.problems << where + QStringLiteral(": no data-format");
            continue;
        }
        const QString closing = QStringLiteral("</%1>").arg(tag.captured(1));
        const int end = html.indexOf(closing, tag.capturedEnd(), Qt::CaseInsensitive);
        if (end < 0) {
            extraction.problems << where + QStringLiteral(": element not closed");
            continue;
        }
        const QString text = html.mid(tag.capturedEnd(), end - tag.capturedEnd());
        if (text.contains(QLatin1Char('<')) || text.contains(QLatin1Char('&'))) {
            extraction.problems << where + QStringLiteral(": the printed value must be plain text");
            continue;
        }
        extraction.figures.append({name, attributes.value(QStringLiteral("data-format")), text});
    }
    return extraction;
}

// ---- arguments --------------------------------------------------------------------------------------------

[[noreturn]] void fail(const QString &message)
{
    throw FigureError{message};
}

std::uint64_t numberAfter(const QString &token, const QString &prefix)
{
    const QRegularExpression pattern(QStringLiteral("^%1-(\\d{1,9})$").arg(QRegularExpression::escape(prefix)));
    const QRegularExpressionMatch match = pattern.match(token);
    if (!match.hasMatch()) {
        fail(QStringLiteral("expected %1-NUMBER, found \"%2\"").arg(prefix, token));
    }
    return match.captured(1).toULongLong();
}

std::size_t lessonArgument(const QString &token)
{
    static const QRegularExpression pattern(QStringLiteral("^lesson-(\\d\\d)$"));
    const QRegularExpressionMatch match = pattern.match(token);
    if (!match.hasMatch()) {
        fail(QStringLiteral("expected lesson-NN, found \"%1\"").arg(token));
    }
    const std::size_t number = match.captured(1).toUInt();
    if (number < 1 || number > lessonCatalog().size()) {
        fail(QStringLiteral("there is no lesson %1").arg(match.captured(1)));
    }
    return number - 1;
}

std::uint64_t stepArgument(const QString &token, const Circuit &circuit)
{
    const std::uint64_t step = numberAfter(token, QStringLiteral("step"));
    if (step > circuit.steps.size()) {
        fail(QStringLiteral("step %1 is beyond the %2 steps of the circuit").arg(step).arg(circuit.steps.size()));
    }
    return step;
}

std::uint64_t basisArgument(const QString &token, std::int32_t qubits)
{
    static const QRegularExpression pattern(QStringLiteral("^basis-([01]+)$"));
    const QRegularExpressionMatch match = pattern.match(token);
    if (!match.hasMatch() || match.captured(1).size() != qubits) {
        fail(QStringLiteral("expected basis- and %1 binary digits, found \"%2\"").arg(qubits).arg(token));
    }
    return match.captured(1).toULongLong(nullptr, 2);
}

void expectArguments(const QStringList &arguments, int count)
{
    if (arguments.size() != count) {
        fail(QStringLiteral("expects %1 arguments, found %2").arg(count).arg(arguments.size()));
    }
}

const AlgorithmInfo &algorithmLesson(std::size_t index)
{
    const AlgorithmInfo *info = findAlgorithmInfo(static_cast<std::int64_t>(index));
    if (info == nullptr) {
        fail(QStringLiteral("lesson %1 is not an algorithm lesson").arg(index + 1));
    }
    return *info;
}

/// The state a lesson figure names by its first two arguments: lesson-NN, step-K.
StateVector lessonState(const QStringList &arguments)
{
    const Circuit &lesson = lessonCatalog()[lessonArgument(arguments.at(0))];
    return replayPrefix(lesson, stepArgument(arguments.at(1), lesson));
}

/// The parameters of a generated-circuit figure: every parameter of the algorithm exactly once.
AlgorithmParameters generatorParameters(const QString &algorithm, const QStringList &tokens)
{
    AlgorithmParameters parameters;
    std::map<QString, std::int32_t *> fields;
    if (algorithm == QLatin1String("deutsch")) {
        parameters.kind = AlgorithmKind::Deutsch;
        fields = {{QStringLiteral("function"), &parameters.deutschFunction}};
    } else if (algorithm == QLatin1String("bv")) {
        parameters.kind = AlgorithmKind::BernsteinVazirani;
        fields = {{QStringLiteral("qubits"), &parameters.qubits}, {QStringLiteral("secret"), &parameters.bvSecret}};
    } else if (algorithm == QLatin1String("grover")) {
        parameters.kind = AlgorithmKind::Grover;
        fields = {{QStringLiteral("qubits"), &parameters.qubits},
                  {QStringLiteral("target"), &parameters.groverTarget},
                  {QStringLiteral("iterations"), &parameters.groverIterations}};
    } else {
        fail(QStringLiteral("unknown algorithm \"%1\"").arg(algorithm));
    }
    QSet<QString> given;
    for (const QString &token : tokens) {
        const QString key = token.section(QLatin1Char('-'), 0, 0);
        const auto field = fields.find(key);
        if (field == fields.end() || given.contains(key)) {
            fail(QStringLiteral("unexpected parameter \"%1\" for %2").arg(token, algorithm));
        }
        given.insert(key);
        *field->second = static_cast<std::int32_t>(numberAfter(token, key));
    }
    if (given.size() != static_cast<int>(fields.size())) {
        fail(QStringLiteral("%1 needs all of its parameters").arg(algorithm));
    }
    return parameters;
}

/// "circuit-h0.cx01.z0" on a copy of the challenge lesson (whose circuit is empty).
Circuit challengeCircuit(const QString &token, std::size_t lessonIndex)
{
    if (!token.startsWith(QLatin1String("circuit-"))) {
        fail(QStringLiteral("expected circuit-GATES, found \"%1\"").arg(token));
    }
    Circuit circuit = lessonCatalog()[lessonIndex];
    const QString gates = token.mid(8);
    if (gates == QLatin1String("empty")) {
        return circuit;
    }
    static const QRegularExpression gatePattern(QStringLiteral("^(?:([hxz])(\\d)|cx(\\d)(\\d))$"));
    for (const QString &gate : gates.split(QLatin1Char('.'))) {
        const QRegularExpressionMatch match = gatePattern.match(gate);
        if (!match.hasMatch()) {
            fail(QStringLiteral("unknown gate \"%1\"").arg(gate));
        }
        if (match.capturedLength(1) > 0) {
            const QChar letter = match.captured(1).at(0);
            const GateKind kind = letter == QLatin1Char('h')   ? GateKind::H
                                  : letter == QLatin1Char('x') ? GateKind::X
                                                               : GateKind::Z;
            circuit.steps.emplace_back(kind, match.captured(2).toInt(), 0, 0.0);
        } else {
            circuit.steps.emplace_back(GateKind::Cnot, match.captured(4).toInt(), match.captured(3).toInt(), 0.0);
        }
    }
    return circuit;
}

// ---- kinds ------------------------------------------------------------------------------------------------

using Computation = std::function<FigureValue(const QStringList &)>;

FigureValue amplitudeFigure(const QStringList &arguments, bool imaginary)
{
    expectArguments(arguments, 3);
    const StateVector state = lessonState(arguments);
    const Complex &a = state.amplitude(basisArgument(arguments.at(2), state.qubitCount()));
    return {imaginary ? a.im : a.re};
}

FigureValue probabilityFigure(const QStringList &arguments)
{
    expectArguments(arguments, 3);
    const StateVector state = lessonState(arguments);
    return {state.probability(basisArgument(arguments.at(2), state.qubitCount()))};
}

FigureValue phaseFigure(const QStringList &arguments)
{
    expectArguments(arguments, 3);
    const StateVector state = lessonState(arguments);
    const Complex &a = state.amplitude(basisArgument(arguments.at(2), state.qubitCount()));
    if (std::hypot(a.re, a.im) < 1e-12) {
        return {0.0, true};
    }
    return {std::atan2(a.im, a.re) * 180.0 / std::acos(-1.0)};
}

FigureValue normFigure(const QStringList &arguments)
{
    expectArguments(arguments, 2);
    return {lessonState(arguments).totalProbability()};
}

FigureValue readoutFigure(const QStringList &arguments)
{
    if (arguments.size() != 1 && arguments.size() != 2) {
        fail(QStringLiteral("expects lesson-NN and an optional step-K"));
    }
    const std::size_t index = lessonArgument(arguments.at(0));
    const AlgorithmInfo &info = algorithmLesson(index);
    const Circuit &lesson = lessonCatalog()[index];
    if (arguments.size() == 1) {
        return {readoutProbability(info, lesson)};
    }
    const StateVector state = replayPrefix(lesson, stepArgument(arguments.at(1), lesson));
    return {readoutProbability(state, info.readoutMask, info.readoutValue)};
}

FigureValue queriesFigure(const QStringList &arguments, bool classical)
{
    expectArguments(arguments, 1);
    const AlgorithmInfo &info = algorithmLesson(lessonArgument(arguments.at(0)));
    return {static_cast<double>(classical ? info.classicalQueries : info.quantumQueries)};
}

FigureValue gatesFigure(const QStringList &arguments)
{
    expectArguments(arguments, 1);
    return {static_cast<double>(lessonCatalog()[lessonArgument(arguments.at(0))].steps.size())};
}

FigureValue checkpointFigure(const QStringList &arguments)
{
    expectArguments(arguments, 2);
    const std::size_t index = lessonArgument(arguments.at(0));
    algorithmLesson(index); // only algorithm lessons have checkpoints
    const std::vector<AlgorithmStage> stages = algorithmStages(static_cast<std::int64_t>(index));
    bool ok = false;
    const int position = arguments.at(1).toInt(&ok);
    if (!ok || position < 1 || static_cast<std::size_t>(position) > stages.size()) {
        fail(QStringLiteral("lesson %1 has no checkpoint \"%2\"").arg(index + 1).arg(arguments.at(1)));
    }
    return {static_cast<double>(stages[static_cast<std::size_t>(position) - 1].gateIndex)};
}

FigureValue generatedFigure(const QStringList &arguments)
{
    if (arguments.size() < 3) {
        fail(QStringLiteral("expects an algorithm, its parameters and a quantity"));
    }
    const AlgorithmParameters parameters =
        generatorParameters(arguments.first(), arguments.mid(1, arguments.size() - 2));
    const QString quantity = arguments.last();
    const GeneratedAlgorithm algorithm = generateAlgorithm(parameters);
    if (quantity == QLatin1String("readout")) {
        return {readoutProbability(algorithm, algorithm.circuit)};
    }
    if (quantity == QLatin1String("expected")) {
        return {algorithm.expectedProbability};
    }
    if (quantity == QLatin1String("gates")) {
        return {static_cast<double>(algorithm.circuit.steps.size())};
    }
    if (quantity == QLatin1String("classical-queries")) {
        return {static_cast<double>(algorithm.classicalQueries)};
    }
    if (quantity == QLatin1String("quantum-queries")) {
        return {static_cast<double>(algorithm.quantumQueries)};
    }
    fail(QStringLiteral("unknown quantity \"%1\"").arg(quantity));
}

FigureValue bestIterationsFigure(const QStringList &arguments)
{
    expectArguments(arguments, 2);
    AlgorithmParameters parameters = generatorParameters(
        QStringLiteral("grover"), {arguments.at(0), arguments.at(1), QStringLiteral("iterations-1")});
    int best = 0;
    double bestProbability = -1.0;
    for (int k = 1; k <= 4; ++k) {
        parameters.groverIterations = k;
        const GeneratedAlgorithm algorithm = generateAlgorithm(parameters);
        const double probability = readoutProbability(algorithm, algorithm.circuit);
        if (probability > bestProbability) {
            best = k;
            bestProbability = probability;
        }
    }
    return {static_cast<double>(best)};
}

FigureValue challengeFidelityFigure(const QStringList &arguments)
{
    expectArguments(arguments, 2);
    const std::size_t index = lessonArgument(arguments.at(0));
    const Challenge *challenge = findChallenge(index);
    if (challenge == nullptr) {
        fail(QStringLiteral("lesson %1 is not a challenge").arg(index + 1));
    }
    return {checkChallenge(*challenge, challengeCircuit(arguments.at(1), index)).fidelity};
}

FigureValue shotsFigure(const QStringList &arguments)
{
    expectArguments(arguments, 5);
    const StateVector state = lessonState(arguments);
    const std::uint64_t count = numberAfter(arguments.at(2), QStringLiteral("count"));
    RandomGenerator generator(numberAfter(arguments.at(3), QStringLiteral("seed")));
    const Histogram histogram = sampleCounts(state, count, generator);
    return {static_cast<double>(histogram.at(basisArgument(arguments.at(4), state.qubitCount())))};
}

// The learning lab's table: Bell+ = H q0, CNOT(q0 → q1), against the equal mixture of |00⟩ and |11⟩ whose
// branches are measured separately; an X-basis readout is H before the measurement.
FigureValue bellFigure(const QStringList &arguments)
{
    expectArguments(arguments, 3);
    static const QRegularExpression bases(QStringLiteral("^[zx][zx]$"));
    if (!bases.match(arguments.at(0)).hasMatch()) {
        fail(QStringLiteral("unknown bases \"%1\"").arg(arguments.at(0)));
    }
    const bool xOnQ1 = arguments.at(0).at(0) == QLatin1Char('x');
    const bool xOnQ0 = arguments.at(0).at(1) == QLatin1Char('x');
    const std::uint64_t outcome = basisArgument(arguments.at(2), 2);
    const auto readout = [&](StateVector &state) {
        if (xOnQ1) {
            state.applyH(1);
        }
        if (xOnQ0) {
            state.applyH(0);
        }
        return state.probability(outcome);
    };
    if (arguments.at(1) == QLatin1String("bell")) {
        StateVector state = createState(2);
        state.applyH(0);
        state.applyCnot(0, 1);
        return {readout(state)};
    }
    if (arguments.at(1) == QLatin1String("mixture")) {
        StateVector zeros = createState(2);
        StateVector ones = createState(2);
        ones.applyX(0);
        ones.applyX(1);
        return {0.5 * readout(zeros) + 0.5 * readout(ones)};
    }
    fail(QStringLiteral("unknown preparation \"%1\"").arg(arguments.at(1)));
}

FigureValue maxQubitsFigure(const QStringList &arguments)
{
    expectArguments(arguments, 0);
    // Stops at 20 qubits (16 MiB of amplitudes) should the limit ever be lifted.
    int largest = 0;
    for (std::uint32_t n = 1; n <= 20; ++n) {
        try {
            createState(n);
        } catch (const std::invalid_argument &) {
            break;
        }
        largest = static_cast<int>(n);
    }
    return {static_cast<double>(largest)};
}

FigureValue amplitudeCountFigure(const QStringList &arguments)
{
    expectArguments(arguments, 1);
    return {static_cast<double>(
        createState(static_cast<std::uint32_t>(numberAfter(arguments.at(0), QStringLiteral("qubits")))).dimension())};
}

FigureValue coreChecksFigure(const QStringList &arguments)
{
    expectArguments(arguments, 1);
    const std::vector<CoreCheckResult> results = runCoreSelfTest();
    if (arguments.at(0) == QLatin1String("count")) {
        return {static_cast<double>(results.size())};
    }
    if (arguments.at(0) == QLatin1String("passed")) {
        int passed = 0;
        for (const CoreCheckResult &result : results) {
            passed += result.passed ? 1 : 0;
        }
        return {static_cast<double>(passed)};
    }
    fail(QStringLiteral("expects count or passed"));
}

// Every combination of the fields that matter, with the others at their defaults and ranges wide enough to
// include the invalid values on both sides.
FigureValue parameterSetsFigure(const QStringList &arguments)
{
    expectArguments(arguments, 0);
    int accepted = 0;
    const auto tryGenerate = [&](const AlgorithmParameters &parameters) {
        try {
            generateAlgorithm(parameters);
            ++accepted;
        } catch (const std::invalid_argument &) {
        }
    };
    AlgorithmParameters deutsch;
    deutsch.kind = AlgorithmKind::Deutsch;
    for (deutsch.deutschFunction = -1; deutsch.deutschFunction <= 6; ++deutsch.deutschFunction) {
        tryGenerate(deutsch);
    }
    AlgorithmParameters bv;
    bv.kind = AlgorithmKind::BernsteinVazirani;
    for (bv.qubits = -1; bv.qubits <= 6; ++bv.qubits) {
        for (bv.bvSecret = -1; bv.bvSecret <= 40; ++bv.bvSecret) {
            tryGenerate(bv);
        }
    }
    AlgorithmParameters grover;
    grover.kind = AlgorithmKind::Grover;
    for (grover.qubits = -1; grover.qubits <= 5; ++grover.qubits) {
        for (grover.groverTarget = -1; grover.groverTarget <= 17; ++grover.groverTarget) {
            for (grover.groverIterations = -1; grover.groverIterations <= 6; ++grover.groverIterations) {
                tryGenerate(grover);
            }
        }
    }
    return {static_cast<double>(accepted)};
}

const std::map<QString, Computation> &figureKinds()
{
    static const std::map<QString, Computation> kinds = {
        {QStringLiteral("amplitude-re"), [](const QStringList &a) { return amplitudeFigure(a, false); }},
        {QStringLiteral("amplitude-im"), [](const QStringList &a) { return amplitudeFigure(a, true); }},
        {QStringLiteral("probability"), probabilityFigure},
        {QStringLiteral("phase"), phaseFigure},
        {QStringLiteral("norm"), normFigure},
        {QStringLiteral("readout"), readoutFigure},
        {QStringLiteral("classical-queries"), [](const QStringList &a) { return queriesFigure(a, true); }},
        {QStringLiteral("quantum-queries"), [](const QStringList &a) { return queriesFigure(a, false); }},
        {QStringLiteral("gates"), gatesFigure},
        {QStringLiteral("checkpoint"), checkpointFigure},
        {QStringLiteral("generated"), generatedFigure},
        {QStringLiteral("grover-best-iterations"), bestIterationsFigure},
        {QStringLiteral("challenge-fidelity"), challengeFidelityFigure},
        {QStringLiteral("shots"), shotsFigure},
        {QStringLiteral("bell"), bellFigure},
        {QStringLiteral("engine-max-qubits"), maxQubitsFigure},
        {QStringLiteral("amplitude-count"), amplitudeCountFigure},
        {QStringLiteral("core-checks"), coreChecksFigure},
        {QStringLiteral("generator-parameter-sets"), parameterSetsFigure},
    };
    return kinds;
}

// ---- formats ----------------------------------------------------------------------------------------------

QString fixedText(double value, int decimals)
{
    // Below half a unit of the last decimal the text is a zero without a sign, as everywhere in the program.
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) {
        value = 0.0;
    }
    return QString::number(value, 'f', decimals);
}

QString shortestText(double value)
{
    for (int digits = 1; digits <= 17; ++digits) {
        const QString text = QString::number(value, 'g', digits);
        if (text.toDouble() == value) {
            return text;
        }
    }
    return QString::number(value, 'g', 17);
}

QString formatted(const FigureValue &figure, const QString &format)
{
    static const QRegularExpression withDecimals(QStringLiteral("^(fixed|percent|percent-value):(\\d{1,2})$"));
    const QRegularExpressionMatch match = withDecimals.match(format);
    const bool known = match.hasMatch() || format == QLatin1String("integer") || format == QLatin1String("shortest");
    if (!known) {
        fail(QStringLiteral("unknown format \"%1\"").arg(format));
    }
    if (figure.undefined) {
        return QStringLiteral("-");
    }
    if (format == QLatin1String("integer")) {
        if (figure.value != std::floor(figure.value)) {
            fail(QStringLiteral("the value %1 is not a whole number").arg(shortestText(figure.value)));
        }
        return QString::number(static_cast<qlonglong>(figure.value));
    }
    if (format == QLatin1String("shortest")) {
        return shortestText(figure.value);
    }
    const int decimals = match.captured(2).toInt();
    if (decimals > 17) {
        fail(QStringLiteral("too many decimals in \"%1\"").arg(format));
    }
    const QString style = match.captured(1);
    if (style == QLatin1String("fixed")) {
        return fixedText(figure.value, decimals);
    }
    const QString percent = fixedText(figure.value * 100.0, decimals);
    return style == QLatin1String("percent") ? percent + QLatin1Char('%') : percent;
}

/// The text the figure must print, computed with the engine; throws FigureError.
QString expectedText(const Figure &figure)
{
    const QStringList words = figure.name.split(QLatin1Char(':'));
    const auto kind = figureKinds().find(words.first());
    if (kind == figureKinds().end()) {
        fail(QStringLiteral("unknown figure kind \"%1\"").arg(words.first()));
    }
    FigureValue value;
    try {
        value = kind->second(words.mid(1));
    } catch (const std::exception &error) {
        fail(QStringLiteral("the engine refused it: %1").arg(QString::fromUtf8(error.what())));
    }
    return formatted(value, figure.format);
}

/// Empty when the figure prints what the engine computes, else what is wrong, naming the figure.
QString checkFigure(const Figure &figure)
{
    try {
        const QString expected = expectedText(figure);
        if (expected != figure.text) {
            return QStringLiteral("%1 [%2] prints \"%3\" but the engine gives \"%4\"")
                .arg(figure.name, figure.format, figure.text, expected);
        }
        return QString();
    } catch (const FigureError &error) {
        return QStringLiteral("%1 [%2]: %3").arg(figure.name, figure.format, error.message);
    }
}

/// Every problem of a text: markup problems and figures that are not true.
QStringList problemsOf(const QString &html)
{
    const Extraction extraction = extractFigures(html);
    QStringList problems = extraction.problems;
    for (const Figure &figure : extraction.figures) {
        const QString problem = checkFigure(figure);
        if (!problem.isEmpty()) {
            problems << problem;
        }
    }
    return problems;
}

// ---- structure --------------------------------------------------------------------------------------------

QMap<QString, int> anchorCounts(const QString &html)
{
    static const QRegularExpression anchor(QStringLiteral("<a\\s[^>]*\\bname=\"([^\"]*)\""));
    QMap<QString, int> counts;
    QRegularExpressionMatchIterator it = anchor.globalMatch(html);
    while (it.hasNext()) {
        ++counts[it.next().captured(1)];
    }
    return counts;
}

QString unescaped(QString text)
{
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

/// The text of the heading that opens with the anchor, or a null string when there is none.
QString headingOf(const QString &html, const QString &level, const QString &anchor)
{
    const QRegularExpression heading(
        QStringLiteral("<%1><a name=\"%2\"></a>([^<]*)</%1>").arg(level, QRegularExpression::escape(anchor)));
    const QRegularExpressionMatch match = heading.match(html);
    return match.hasMatch() ? unescaped(match.captured(1)) : QString();
}

QString lessonAnchor(std::size_t index)
{
    return QStringLiteral("lesson-%1").arg(index + 1, 2, 10, QLatin1Char('0'));
}

QStringList requiredAnchors()
{
    QStringList anchors;
    for (const auto &chapter : kChapters) {
        anchors << QString::fromLatin1(chapter.anchor);
    }
    for (std::size_t i = 0; i < lessonCatalog().size(); ++i) {
        anchors << lessonAnchor(i);
    }
    return anchors;
}

QString figureSpan(const QString &name, const QString &format, const QString &text)
{
    return QStringLiteral("<p>Text <span class=\"figure\" data-figure=\"%1\" data-format=\"%2\">%3</span>.</p>")
        .arg(name, format, text);
}

} // namespace

class TestHandbook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void figuresMatchTheEngine_data();
    void figuresMatchTheEngine();
    void everyMarkedElementIsAFigure_data();
    void everyMarkedElementIsAFigure();
    void bothLanguagesQuoteTheSameFigures();
    void requiredAnchorsOccurOnce_data();
    void requiredAnchorsOccurOnce();
    void anchorsAndLinksAgree_data();
    void anchorsAndLinksAgree();
    void headingsCarryTheirTitles_data();
    void headingsCarryTheirTitles();
    void documentIsStandalone_data();
    void documentIsStandalone();
    void checkerRejectsBadFigures_data();
    void checkerRejectsBadFigures();
    void checkerAcceptsTrueFigures_data();
    void checkerAcceptsTrueFigures();

private:
    void addDocumentRows();
    const Document &document(const QString &code) const;

    QVector<Document> m_documents;
};

void TestHandbook::initTestCase()
{
    initResources();
    const Language languages[] = {English, Italian};
    for (const Language language : languages) {
        const QString code = isEnglish(language) ? QStringLiteral("en") : QStringLiteral("it");
        QFile file(QStringLiteral(":/manual/%1/index.html").arg(code));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName() + QStringLiteral(" is not compiled in")));
        const QByteArray bytes = file.readAll();
        QTextCodec::ConverterState state;
        const QString html = QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
        QVERIFY2(state.invalidChars == 0, qPrintable(file.fileName() + QStringLiteral(" is not valid UTF-8")));
        m_documents.append({code, isEnglish(language) ? QStringLiteral("it") : QStringLiteral("en"), language, html});
    }
}

void TestHandbook::addDocumentRows()
{
    QTest::addColumn<QString>("code");
    for (const Document &doc : m_documents) {
        QTest::newRow(qPrintable(doc.code)) << doc.code;
    }
}

const Document &TestHandbook::document(const QString &code) const
{
    for (const Document &doc : m_documents) {
        if (doc.code == code) {
            return doc;
        }
    }
    qFatal("no document %s", qPrintable(code));
}

void TestHandbook::figuresMatchTheEngine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    for (const Document &doc : m_documents) {
        const QVector<Figure> figures = extractFigures(doc.html).figures;
        for (int i = 0; i < figures.size(); ++i) {
            const Figure &figure = figures[i];
            QTest::addRow("%s #%d %s", qPrintable(doc.code), i + 1, qPrintable(figure.name))
                << figure.name << figure.format << figure.text;
        }
    }
}

void TestHandbook::figuresMatchTheEngine()
{
    QFETCH(QString, name);
    QFETCH(QString, format);
    QFETCH(QString, text);
    const QString problem = checkFigure({name, format, text});
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void TestHandbook::everyMarkedElementIsAFigure_data()
{
    addDocumentRows();
}

// Every element that looks like a figure is one the test above checks: none has broken markup, none hides
// from the extraction, and there are enough of them.
void TestHandbook::everyMarkedElementIsAFigure()
{
    QFETCH(QString, code);
    const QString &html = document(code).html;
    const Extraction extraction = extractFigures(html);
    QVERIFY2(extraction.problems.isEmpty(), qPrintable(extraction.problems.join(QLatin1Char('\n'))));
    QCOMPARE(extraction.figures.size(), extraction.markedElements);
    QCOMPARE(html.count(QStringLiteral("data-figure")), extraction.figures.size());
    QCOMPARE(html.count(QStringLiteral("class=\"figure\"")), extraction.figures.size());
    QVERIFY2(extraction.figures.size() >= kMinimumFigures,
             qPrintable(QStringLiteral("only %1 figures").arg(extraction.figures.size())));
}

void TestHandbook::bothLanguagesQuoteTheSameFigures()
{
    QSet<QString> names[2];
    for (int i = 0; i < 2; ++i) {
        for (const Figure &figure : extractFigures(m_documents[i].html).figures) {
            names[i].insert(figure.name + QStringLiteral(" [") + figure.format + QLatin1Char(']'));
        }
    }
    QStringList onlyEnglish = QSet<QString>(names[0]).subtract(names[1]).values();
    QStringList onlyItalian = QSet<QString>(names[1]).subtract(names[0]).values();
    onlyEnglish.sort();
    onlyItalian.sort();
    QVERIFY2(onlyEnglish.isEmpty(),
             qPrintable(QStringLiteral("only in en: ") + onlyEnglish.join(QStringLiteral(", "))));
    QVERIFY2(onlyItalian.isEmpty(),
             qPrintable(QStringLiteral("only in it: ") + onlyItalian.join(QStringLiteral(", "))));
}

void TestHandbook::requiredAnchorsOccurOnce_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("anchor");
    for (const Document &doc : m_documents) {
        for (const QString &anchor : requiredAnchors()) {
            QTest::addRow("%s %s", qPrintable(doc.code), qPrintable(anchor)) << doc.code << anchor;
        }
    }
}

void TestHandbook::requiredAnchorsOccurOnce()
{
    QFETCH(QString, code);
    QFETCH(QString, anchor);
    QCOMPARE(anchorCounts(document(code).html).value(anchor), 1);
}

void TestHandbook::anchorsAndLinksAgree_data()
{
    addDocumentRows();
}

// No anchor is defined twice, every link inside the document reaches an anchor, and every chapter and
// lesson is reachable from the document itself (the table of contents).
void TestHandbook::anchorsAndLinksAgree()
{
    QFETCH(QString, code);
    const QString &html = document(code).html;
    const QMap<QString, int> anchors = anchorCounts(html);
    for (auto it = anchors.cbegin(); it != anchors.cend(); ++it) {
        QVERIFY2(it.value() == 1,
                 qPrintable(QStringLiteral("anchor %1 defined %2 times").arg(it.key()).arg(it.value())));
    }
    static const QRegularExpression internalLink(QStringLiteral("href=\"#([^\"]*)\""));
    QSet<QString> linked;
    QRegularExpressionMatchIterator it = internalLink.globalMatch(html);
    while (it.hasNext()) {
        const QString target = it.next().captured(1);
        QVERIFY2(anchors.contains(target), qPrintable(QStringLiteral("link to missing anchor #") + target));
        linked.insert(target);
    }
    for (const QString &anchor : requiredAnchors()) {
        QVERIFY2(linked.contains(anchor), qPrintable(QStringLiteral("nothing links to #") + anchor));
    }
}

void TestHandbook::headingsCarryTheirTitles_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<QString>("title");
    for (const Document &doc : m_documents) {
        for (const auto &chapter : kChapters) {
            QTest::addRow("%s %s", qPrintable(doc.code), chapter.anchor)
                << doc.code << QStringLiteral("h2") << QString::fromLatin1(chapter.anchor)
                << QString::fromUtf8(pick(doc.language, chapter.italian, chapter.english));
        }
        const LessonCatalog &lessons = lessonCatalog();
        for (std::size_t i = 0; i < lessons.size(); ++i) {
            QTest::addRow("%s %s", qPrintable(doc.code), qPrintable(lessonAnchor(i)))
                << doc.code << QStringLiteral("h3") << lessonAnchor(i)
                << QString::fromUtf8(pick(doc.language, lessons[i].titleIt, lessons[i].titleEn));
        }
    }
}

// Chapters open with the help window's topic label, lessons with the catalog title in the same language.
void TestHandbook::headingsCarryTheirTitles()
{
    QFETCH(QString, code);
    QFETCH(QString, level);
    QFETCH(QString, anchor);
    QFETCH(QString, title);
    QCOMPARE(headingOf(document(code).html, level, anchor), title);
}

void TestHandbook::documentIsStandalone_data()
{
    addDocumentRows();
}

// One file that QTextBrowser shows as it is: its own language and style sheet, the version, the link to the
// other language, and nothing fetched from elsewhere.
void TestHandbook::documentIsStandalone()
{
    QFETCH(QString, code);
    const Document &doc = document(code);
    QVERIFY(doc.html.startsWith(QLatin1String("<!DOCTYPE html>")));
    QVERIFY(doc.html.contains(QStringLiteral("<html lang=\"%1\">").arg(code)));
    QVERIFY(doc.html.contains(QLatin1String("<meta charset=\"utf-8\">")));
    QCOMPARE(doc.html.count(QLatin1String("<style>")), 1);
    QVERIFY(doc.html.contains(kVersion));
    QVERIFY(doc.html.contains(QStringLiteral("href=\"../%1/index.html\"").arg(doc.otherCode)));
    QVERIFY(doc.html.trimmed().endsWith(QLatin1String("</html>")));
    const char *const forbidden[] = {
        "<script", "<img", "<link", "<iframe", "src=", "url(", "http:", "https:", "@import"};
    for (const char *word : forbidden) {
        QVERIFY2(!doc.html.contains(QLatin1String(word), Qt::CaseInsensitive), word);
    }
}

void TestHandbook::checkerRejectsBadFigures_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("named");
    const auto row = [](const char *tag, const QString &html, const QString &named) {
        QTest::newRow(tag) << html << named;
    };
    row("unknown kind", figureSpan("colour:lesson-01", "integer", "3"), "colour:lesson-01");
    row("wrong value", figureSpan("readout:lesson-20", "percent:3", "78.000%"), "readout:lesson-20");
    row("rounded the wrong way", figureSpan("probability:lesson-01:step-1:basis-0", "percent:2", "49.99%"),
        "probability:lesson-01:step-1:basis-0");
    row("percent sign missing", figureSpan("readout:lesson-20", "percent:3", "78.125"), "readout:lesson-20");
    row("decimal comma", figureSpan("readout:lesson-20", "percent:3", "78,125%"), "readout:lesson-20");
    row("negative zero", figureSpan("amplitude-im:lesson-04:step-2:basis-1", "fixed:6", "-0.000000"),
        "amplitude-im:lesson-04:step-2:basis-1");
    row("unknown format", figureSpan("gates:lesson-19", "roman", "XVIII"), "gates:lesson-19");
    row("format without decimals", figureSpan("readout:lesson-20", "percent", "78%"), "readout:lesson-20");
    row("no format", "<span class=\"figure\" data-figure=\"gates:lesson-19\">18</span>", "gates:lesson-19");
    row("no lesson 22", figureSpan("gates:lesson-22", "integer", "1"), "gates:lesson-22");
    row("step beyond the circuit", figureSpan("probability:lesson-01:step-2:basis-0", "percent:2", "50.00%"),
        "probability:lesson-01:step-2:basis-0");
    row("basis label too short", figureSpan("probability:lesson-03:step-2:basis-1", "percent:2", "0.00%"),
        "probability:lesson-03:step-2:basis-1");
    row("not an algorithm lesson", figureSpan("readout:lesson-01", "percent:0", "100%"), "readout:lesson-01");
    row("extra argument", figureSpan("gates:lesson-01:step-1", "integer", "1"), "gates:lesson-01:step-1");
    row("unknown parameter", figureSpan("generated:grover:qubits-3:target-5:rounds-2:readout", "percent:3", "94.531%"),
        "generated:grover:qubits-3:target-5:rounds-2:readout");
    row("missing parameter", figureSpan("generated:grover:qubits-3:target-5:readout", "percent:3", "94.531%"),
        "generated:grover:qubits-3:target-5:readout");
    row("parameters the generator refuses",
        figureSpan("generated:grover:qubits-4:target-5:iterations-1:readout", "percent:0", "100%"),
        "generated:grover:qubits-4:target-5:iterations-1:readout");
    row("not a challenge", figureSpan("challenge-fidelity:lesson-03:circuit-h0", "percent:0", "50%"),
        "challenge-fidelity:lesson-03:circuit-h0");
    row("phase defined where it is not", figureSpan("phase:lesson-01:step-0:basis-1", "fixed:1", "0.0"),
        "phase:lesson-01:step-0:basis-1");
    row("markup inside",
        "<p><span class=\"figure\" data-figure=\"gates:lesson-19\" data-format=\"integer\"><b>18</b></span></p>",
        "gates:lesson-19");
    row("class without name", "<p><span class=\"figure\">18</span></p>", "");
    row("name without class", "<p><span data-figure=\"gates:lesson-19\" data-format=\"integer\">18</span></p>",
        "gates:lesson-19");
}

// The checker itself: each broken or untrue figure is reported, by name when it has one.
void TestHandbook::checkerRejectsBadFigures()
{
    QFETCH(QString, html);
    QFETCH(QString, named);
    const QStringList problems = problemsOf(html);
    QCOMPARE(problems.size(), 1);
    QVERIFY2(problems.first().contains(named), qPrintable(problems.first()));
}

void TestHandbook::checkerAcceptsTrueFigures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::newRow("H then H") << "amplitude-re:lesson-02:step-2:basis-0"
                              << "shortest"
                              << "0.9999999999999998";
    QTest::newRow("1/sqrt(2)") << "amplitude-re:lesson-01:step-1:basis-0"
                               << "fixed:6"
                               << "0.707107";
    QTest::newRow("Z makes -180") << "phase:lesson-04:step-2:basis-1"
                                  << "fixed:1"
                                  << "-180.0";
    QTest::newRow("zero amplitude") << "phase:lesson-01:step-0:basis-1"
                                    << "fixed:1"
                                    << "-";
    QTest::newRow("Grover one iteration") << "readout:lesson-20"
                                          << "percent:3"
                                          << "78.125%";
    QTest::newRow("Grover four iterations") << "generated:grover:qubits-3:target-5:iterations-4:readout"
                                            << "percent:9"
                                            << "1.220703125%";
    QTest::newRow("mixture in X") << "bell:xx:mixture:basis-01"
                                  << "percent-value:2"
                                  << "25.00";
    QTest::newRow("Bell in X") << "bell:xx:bell:basis-01"
                               << "percent-value:2"
                               << "0.00";
    QTest::newRow("lesson 19 gates") << "gates:lesson-19"
                                     << "integer"
                                     << "18";
    QTest::newRow("wrong phase") << "challenge-fidelity:lesson-10:circuit-h0.cx01.z0"
                                 << "percent:4"
                                 << "0.0000%";
}

// The same checker accepts figures whose values are known by hand, so the rejections above are not a checker
// that refuses everything.
void TestHandbook::checkerAcceptsTrueFigures()
{
    QFETCH(QString, name);
    QFETCH(QString, format);
    QFETCH(QString, text);
    const QStringList problems = problemsOf(figureSpan(name, format, text));
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestHandbook)
#include "test_handbook.moc"
