#pragma once

#include <QLineF>
#include <QPointF>
#include <QStyledItemDelegate>

namespace Education {

/// Item data of a phase cell: the amplitude's magnitude |a| and its phase atan2(Im, Re) in radians.
constexpr int kMagnitudeRole = Qt::UserRole;
constexpr int kPhaseRole = Qt::UserRole + 1;
/// How far the phase cell's text is shifted right to leave room for the arrow, in pixels.
constexpr int kPhaseTextIndent = 32;

/// The three strokes of a phase arrow in device pixels.
struct PhaseArrow
{
    QLineF shaft;
    QLineF headLeft;
    QLineF headRight;
};

/// The arrow drawn from `origin` for an amplitude of `magnitude` and `phase` (radians): 10·min(|a|, 1) + 3
/// pixels long, pointing right for phase 0 and up for 90° (the screen's y axis points down), with two head
/// strokes 4 pixels back and 2.5 pixels aside from the tip.
PhaseArrow phaseArrow(QPointF origin, double magnitude, double phase);

/// Draws the phase cell's text shifted right and, for a non-zero amplitude, the phase arrow in the free space
/// at its left.
class PhaseDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace Education
