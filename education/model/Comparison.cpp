#include "education/model/Comparison.h"

#include "core/GateText.h"
#include "education/model/LearningTexts.h"
#include "ui/model/LogEvent.h"

#include <cmath>

namespace Fasoria {
namespace {

constexpr double kZeroAmplitude = 1e-12;

QString gateName(const Gate &gate)
{
    switch (gate.kind) {
    case GateKind::H:
        return QStringLiteral("H");
    case GateKind::X:
        return QStringLiteral("X");
    case GateKind::Z:
        return QStringLiteral("Z");
    case GateKind::P: {
        // An exact zero is shown without its sign, like every other number of the interface.
        const double angle = gate.angle == 0.0 ? 0.0 : gate.angle;
        return QStringLiteral("P(%1 rad)").arg(QString::number(angle, 'g', 4));
    }
    case GateKind::Cnot:
        return QStringLiteral("CX q%1 ->").arg(gate.control);
    }
    return QStringLiteral("?");
}

QString probabilityText(const StateVector &state, std::uint64_t index)
{
    return fixedText(state.probability(index) * 100.0, 3);
}

} // namespace

QString copyDescription(const Circuit &circuit)
{
    if (circuit.steps.empty()) {
        return QStringLiteral("|0...0>");
    }
    QStringList gates;
    for (const LessonStep &step : circuit.steps) {
        gates << gateName(step.gate) + QStringLiteral(" q%1").arg(step.gate.target);
    }
    return gates.join(QStringLiteral(" ; "));
}

CopyCaption copyCaption(CopySide side, const ComparisonCopy &copy, Language language)
{
    const QString prefix = side == CopySide::A ? QStringLiteral("A: ") : QStringLiteral("B: ");
    if (!copy.valid) {
        const QString none = prefix + learningText(LearningText::NoCopy, language);
        return {none, none};
    }
    const QString description = copyDescription(copy.circuit);
    const QString shown = description.size() >= kDescriptionCut
                              ? description.left(kDescriptionKept) + QStringLiteral("...")
                              : description;
    return {prefix + shown, prefix + description};
}

QStringList comparisonHeaders(Language language)
{
    return {learningText(LearningText::ColumnState, language), learningText(LearningText::ColumnProbabilityA, language),
            learningText(LearningText::ColumnPhaseA, language),
            learningText(LearningText::ColumnProbabilityB, language),
            learningText(LearningText::ColumnPhaseB, language)};
}

PhaseCell phaseCell(const Complex &amplitude)
{
    PhaseCell cell;
    cell.magnitude = std::hypot(amplitude.re, amplitude.im);
    cell.radians = std::atan2(amplitude.im, amplitude.re);
    cell.text = cell.magnitude < kZeroAmplitude ? QStringLiteral("-") : fixedText(radiansToDegrees(cell.radians), 1);
    return cell;
}

ComparisonTable comparisonTable(const ComparisonCopy &a, const ComparisonCopy &b, Language language)
{
    ComparisonTable table;
    if (!a.valid || !b.valid) {
        table.note = learningText(LearningText::NoteChoose, language);
        return table;
    }
    if (a.circuit.qubitCount != b.circuit.qubitCount) {
        table.note = learningText(LearningText::NoteQubits, language);
        return table;
    }
    const StateVector stateA = replayPrefix(a.circuit, a.stage);
    const StateVector stateB = replayPrefix(b.circuit, b.stage);
    table.rows.reserve(static_cast<std::size_t>(stateA.dimension()));
    for (std::uint64_t i = 0; i < stateA.dimension(); ++i) {
        table.rows.push_back({basisLabel(i, stateA.qubitCount()), probabilityText(stateA, i),
                              phaseCell(stateA.amplitude(i)), probabilityText(stateB, i),
                              phaseCell(stateB.amplitude(i))});
    }
    table.note = learningText(LearningText::NoteArrows, language);
    return table;
}

} // namespace Fasoria
