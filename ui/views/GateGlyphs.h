#pragma once

#include "core/Circuit.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPointF>
#include <QString>

#include <cstddef>
#include <cstdint>

class QGraphicsItem;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;

namespace Fasoria {

/// Where things lie in the circuit drawing's scene: rows 76 units apart from y = 75, q(n−1) on the top row;
/// stage 0 (the |0> box) at x = 104.5 and step columns 102 units apart from x = 163. A gap is where a
/// dropped gate lands: gap g lies midway between stage g and stage g + 1.
namespace DrawingGeometry {

constexpr double kFirstWireY = 75.0;
constexpr double kRowPitch = 76.0;
constexpr double kStageZeroX = 104.5;
constexpr double kFirstStepX = 163.0;
constexpr double kStepPitch = 102.0;
constexpr double kStepHalfSize = 27.0;
/// The column of the wire labels, pinned at the left edge while the drawing scrolls.
constexpr double kLabelColumnWidth = 78.0;
/// The |0> box's right edge, which gap 0 keeps clear of.
constexpr double kStageZeroRight = 127.0;

inline bool isQubit(std::int32_t qubit, std::int32_t qubits)
{
    return qubit >= 0 && qubit < qubits;
}

/// Row 0 is the top wire, which carries the highest qubit.
inline double rowY(std::int32_t row)
{
    return kFirstWireY + kRowPitch * row;
}

inline double qubitY(std::int32_t qubit, std::int32_t qubits)
{
    return rowY(qubits - 1 - qubit);
}

inline double stageX(std::uint64_t stage)
{
    return stage == 0 ? kStageZeroX : kFirstStepX + kStepPitch * static_cast<double>(stage - 1);
}

/// Gap 0 sits between the |0> box and the first gate, the others halfway between two columns.
inline double gapX(std::size_t gap)
{
    return gap == 0 ? (kStageZeroRight + kFirstStepX - kStepHalfSize) / 2.0 : stageX(gap) + kStepPitch / 2.0;
}

/// The gap nearest to scene abscissa `x` among gaps 0..steps: right of a gate's centre is after it.
std::size_t gapAt(double x, std::size_t steps);

/// The qubit whose wire is nearest to scene ordinate `y`, within 0..qubits − 1.
std::int32_t wireAt(double y, std::int32_t qubits);

} // namespace DrawingGeometry

/// The drawing's gate glyphs, shared by the drawing, the drag's ghost and the palette, so a gate looks the
/// same wherever the student meets it. Text sizes are in drawing units.
namespace GateGlyphs {

constexpr double kGateLetterPoints = 12.0;
/// The item data key of the short role name every drawn item carries.
constexpr int kRoleDataKey = 1;

/// The current stage's border and fill; the focus frame, the chosen wire and an accepted drop take the same blue.
inline const QColor kCurrentBorder{40, 91, 183};
inline const QColor kCurrentFill{215, 230, 252};

QFont drawingFont(double pointSize, bool bold);
QColor textColour();
QColor letterColour();
/// "45.0°": the angle as the gate's label and the LaTeX picture write it.
QString angleText(double radians);
/// Half the width of a gate's box: a P gate's box is as wide as its angle needs, within 40 units.
double halfWidthOf(const Gate &gate);
/// How a gate's box is drawn: its border (a CNOT's glyph takes the same colour), pen width and fill.
struct BoxStyle
{
    QColor border;
    double width;
    QColor fill;
};
/// The box of `gate` around abscissa `x` from the row at `top` to the row at `bottom`, with its glyph as
/// children: the letter (or P with its angle) on the row at `targetY`, a CNOT from `controlY` to `targetY`. The
/// caller owns it until it is added to a scene.
QGraphicsRectItem *gateBox(const Gate &gate, double x, double top, double bottom, double targetY, double controlY,
                           const BoxStyle &style);
/// A "glyph" text child of `parent` centred on `centre`, which leaves clicks to its parent.
QGraphicsSimpleTextItem *centredText(QGraphicsItem *parent, const QString &text, const QFont &font,
                                     const QColor &colour, QPointF centre);
/// Marks an item with its role for pictures and tests.
void tag(QGraphicsItem *item, const char *role);
/// A palette tile's picture: the gate's box and glyph, `side` pixels square at `devicePixelRatio`; a CNOT shows
/// its control above its target.
QPixmap gateIcon(GateKind kind, int side, double devicePixelRatio);

} // namespace GateGlyphs

} // namespace Fasoria
