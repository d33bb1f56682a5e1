#include "ui/widgets/PhaseDelegate.h"

#include <QPainter>
#include <QPen>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace Education {

namespace {

constexpr double kZeroMagnitude = 1e-12;
constexpr double kOriginIndent = 16.0;
constexpr double kHeadBack = 4.0;
constexpr double kHeadAside = 2.5;

QPalette::ColorGroup colourGroup(const QStyleOptionViewItem &option)
{
    if (!(option.state & QStyle::State_Enabled)) {
        return QPalette::Disabled;
    }
    return (option.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
}

} // namespace

PhaseArrow phaseArrow(QPointF origin, double magnitude, double phase)
{
    const double length = 10.0 * std::min(magnitude, 1.0) + 3.0;
    const double c = std::cos(phase);
    const double s = std::sin(phase);
    const double x0 = origin.x();
    const double y0 = origin.y();
    const double x1 = x0 + length * c;
    const double y1 = y0 - length * s;
    return {QLineF(x0, y0, x1, y1),
            QLineF(x1, y1, x1 - kHeadBack * c + kHeadAside * s, y1 + kHeadBack * s + kHeadAside * c),
            QLineF(x1, y1, x1 - kHeadBack * c - kHeadAside * s, y1 + kHeadBack * s - kHeadAside * c)};
}

void PhaseDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const double magnitude = index.data(kMagnitudeRole).toDouble();
    // A zero (or unreadable) magnitude has no phase to show: the cell keeps its plain "-".
    if (!(magnitude > kZeroMagnitude)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }

    QStyleOptionViewItem textOption(option);
    textOption.rect.setLeft(option.rect.left() + kPhaseTextIndent);
    QStyledItemDelegate::paint(painter, textOption, index);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QPen(option.palette.color(colourGroup(option), QPalette::Text), 1.7, Qt::SolidLine, Qt::SquareCap,
                         Qt::BevelJoin));
    const QRectF cell(option.rect);
    const PhaseArrow arrow = phaseArrow(QPointF(cell.left() + kOriginIndent, cell.center().y()), magnitude,
                                        index.data(kPhaseRole).toDouble());
    painter->drawLine(arrow.shaft);
    painter->drawLine(arrow.headLeft);
    painter->drawLine(arrow.headRight);
    painter->restore();
}

} // namespace Education
