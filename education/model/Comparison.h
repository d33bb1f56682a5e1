#pragma once

#include "core/Circuit.h"
#include "core/Language.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace Fasoria {

/// A frozen copy of a circuit for the A/B comparison: later edits of the working circuit never reach it.
struct ComparisonCopy
{
    bool valid = false;
    Circuit circuit;
    /// Gates of the copy that are applied, 0..the copy's gate count.
    std::uint64_t stage = 0;
};

enum class CopySide
{
    A,
    B,
};

/// The copy's gates in order, joined by " ; ": "H q0", "X q1", "Z q0", "P(0.7854 rad) q0", "CX q0 -> q1";
/// "|0...0>" for a circuit without gates.
QString copyDescription(const Circuit &circuit);

/// Descriptions this long or longer are cut in the visible caption.
constexpr int kDescriptionCut = 221;
/// Characters of a cut description kept before "...".
constexpr int kDescriptionKept = 217;

/// The caption of one copy: the tooltip is "A: " or "B: " with the whole description (or "No copy"); the visible
/// text is the same, with a description of kDescriptionCut characters or more cut to kDescriptionKept
/// characters followed by "...".
struct CopyCaption
{
    QString text;
    QString toolTip;
};
CopyCaption copyCaption(CopySide side, const ComparisonCopy &copy, Language language);

/// A phase cell: the degrees text ("-" for a zero amplitude) and, for the arrow delegate, the magnitude and the
/// phase in radians.
struct PhaseCell
{
    QString text;
    double magnitude = 0.0;
    double radians = 0.0;
};

/// One basis state of both copies: label, then probability (percent, 3 decimals) and phase of A, then of B.
struct ComparisonRow
{
    QString state;
    QString probabilityA;
    PhaseCell phaseA;
    QString probabilityB;
    PhaseCell phaseB;
};

/// The comparison table's rows and the note under it.
struct ComparisonTable
{
    std::vector<ComparisonRow> rows;
    QString note;
};

/// Columns of the comparison table.
constexpr int kComparisonColumns = 5;
constexpr int kComparisonPhaseColumnA = 2;
constexpr int kComparisonPhaseColumnB = 4;

/// The five header labels.
QStringList comparisonHeaders(Language language);

/// Both copies replayed to their stages, one row per basis state, when both are valid with equal qubit counts;
/// otherwise no rows and the note saying what is missing.
ComparisonTable comparisonTable(const ComparisonCopy &a, const ComparisonCopy &b, Language language);

/// The phase cell of one amplitude: atan2(Im, Re) in degrees with 1 decimal, or "-" when hypot(Re, Im) is below
/// 1e-12.
PhaseCell phaseCell(const Complex &amplitude);

} // namespace Fasoria
