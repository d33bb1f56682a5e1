#include "tests/Help/HandbookFigures.h"

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

#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>

using namespace Fasoria;

namespace HandbookFigures {

namespace {

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

} // namespace

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

namespace {

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

} // namespace

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

} // namespace HandbookFigures
