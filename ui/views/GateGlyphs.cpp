#include "ui/views/GateGlyphs.h"

#include "core/GateText.h"

#include <QBrush>
#include <QFontMetricsF>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <memory>

namespace Fasoria {

namespace DrawingGeometry {

std::size_t gapAt(double x, std::size_t steps)
{
    // In stage units stage k lies at k and gap g at g + 0.5, so the nearest gap is the floor.
    const double stage = (x - kFirstStepX) / kStepPitch + 1.0;
    if (!(stage > 0.0)) {
        return 0;
    }
    return std::min(steps, static_cast<std::size_t>(std::floor(stage)));
}

std::int32_t wireAt(double y, std::int32_t qubits)
{
    const double row = std::round((y - kFirstWireY) / kRowPitch);
    const double clamped = std::clamp(row, 0.0, static_cast<double>(std::max(0, qubits - 1)));
    return qubits - 1 - static_cast<std::int32_t>(clamped);
}

} // namespace DrawingGeometry

namespace GateGlyphs {

namespace {

// A P gate's angle under its letter, in a smaller font. A long angle widens its box up to a half width that
// leaves 22 units between neighbouring boxes, then takes a smaller font still.
constexpr double kAnglePoints = 10.0;
constexpr double kAngleMinimumPoints = 6.0;
constexpr double kAngleSideSpace = 3.0;
constexpr double kWidestHalfSize = 40.0;
// Letter and angle overlap by their fonts' empty leading, so the pair sits as one block on the wire.
constexpr double kAngleTuck = 4.0;

void addCnotGlyph(QGraphicsRectItem *box, double x, double targetY, double controlY, const QColor &colour)
{
    auto *line = new QGraphicsLineItem(x, controlY, x, targetY, box);
    line->setPen(QPen(colour, 2.1));

    constexpr double kDotRadius = 6.0;
    auto *dot = new QGraphicsEllipseItem(x - kDotRadius, controlY - kDotRadius, 2 * kDotRadius, 2 * kDotRadius, box);
    dot->setPen(QPen(colour, 1.0));
    dot->setBrush(colour);

    constexpr double kTargetRadius = 13.0;
    auto *circle =
        new QGraphicsEllipseItem(x - kTargetRadius, targetY - kTargetRadius, 2 * kTargetRadius, 2 * kTargetRadius, box);
    circle->setPen(QPen(colour, 2.0));
    circle->setBrush(Qt::white);

    constexpr double kPlusArm = 10.0;
    auto *horizontal = new QGraphicsLineItem(x - kPlusArm, targetY, x + kPlusArm, targetY, box);
    auto *vertical = new QGraphicsLineItem(x, targetY - kPlusArm, x, targetY + kPlusArm, box);
    for (QGraphicsLineItem *stroke : {horizontal, vertical}) {
        stroke->setPen(QPen(colour, 1.9));
    }

    for (QGraphicsItem *part : std::initializer_list<QGraphicsItem *>{line, dot, circle, horizontal, vertical}) {
        part->setAcceptedMouseButtons(Qt::NoButton);
        tag(part, "glyph");
    }
}

double angleWidth(const QString &text)
{
    return QFontMetricsF(drawingFont(kAnglePoints, false)).horizontalAdvance(text);
}

// A P gate: its letter above the wire and its angle below, the pair centred on the wire; an angle wider than
// the box takes a smaller font.
void addPhaseGlyph(QGraphicsRectItem *box, double x, double y, double angle)
{
    QFont angleFont = drawingFont(kAnglePoints, false);
    const QString text = angleText(angle);
    const double room = box->rect().width() - 2 * kAngleSideSpace;
    const double width = angleWidth(text);
    if (width > room) {
        angleFont.setPointSizeF(std::max(kAngleMinimumPoints, kAnglePoints * room / width));
    }
    const QFont letterFont = drawingFont(kGateLetterPoints, true);
    const double letterHeight = QFontMetricsF(letterFont).height();
    const double angleHeight = QFontMetricsF(angleFont).height();
    const double top = y - (letterHeight + angleHeight - kAngleTuck) / 2.0;
    centredText(box, QStringLiteral("P"), letterFont, letterColour(), QPointF(x, top + letterHeight / 2.0));
    centredText(box, text, angleFont, letterColour(), QPointF(x, top + letterHeight - kAngleTuck + angleHeight / 2.0));
}

QString letterOf(GateKind kind)
{
    switch (kind) {
    case GateKind::H:
        return QStringLiteral("H");
    case GateKind::X:
        return QStringLiteral("X");
    case GateKind::Z:
        return QStringLiteral("Z");
    case GateKind::P:
        return QStringLiteral("P");
    case GateKind::Cnot:
        break;
    }
    return QStringLiteral("?");
}

} // namespace

QFont drawingFont(double pointSize, bool bold)
{
    QFont font(QStringLiteral("Segoe UI"), -1, bold ? QFont::Bold : QFont::Normal);
    font.setPointSizeF(pointSize);
    return font;
}

QColor textColour()
{
    return QColor(32, 49, 68);
}

QColor letterColour()
{
    return QColor(28, 53, 82);
}

QString angleText(double radians)
{
    return QString::fromStdString(degreesText(radians)) + QStringLiteral("°");
}

double halfWidthOf(const Gate &gate)
{
    if (gate.kind != GateKind::P) {
        return DrawingGeometry::kStepHalfSize;
    }
    const double needed = angleWidth(angleText(gate.angle)) / 2.0 + kAngleSideSpace;
    return std::min(kWidestHalfSize, std::max(DrawingGeometry::kStepHalfSize, needed));
}

QGraphicsSimpleTextItem *centredText(QGraphicsItem *parent, const QString &text, const QFont &font,
                                     const QColor &colour, QPointF centre)
{
    auto *item = new QGraphicsSimpleTextItem(text, parent);
    item->setFont(font);
    item->setBrush(colour);
    item->setPos(centre - item->boundingRect().center());
    item->setAcceptedMouseButtons(Qt::NoButton);
    tag(item, "glyph");
    return item;
}

void tag(QGraphicsItem *item, const char *role)
{
    item->setData(kRoleDataKey, QString::fromLatin1(role));
}

QGraphicsRectItem *gateBox(const Gate &gate, double x, double top, double bottom, double targetY, double controlY,
                           const BoxStyle &style)
{
    using DrawingGeometry::kStepHalfSize;
    const double halfWidth = halfWidthOf(gate);
    auto *box =
        new QGraphicsRectItem(x - halfWidth, top - kStepHalfSize, 2 * halfWidth, bottom - top + 2 * kStepHalfSize);
    box->setPen(QPen(style.border, style.width));
    box->setBrush(style.fill);
    if (gate.kind == GateKind::Cnot) {
        addCnotGlyph(box, x, targetY, controlY, style.border);
    } else if (gate.kind == GateKind::P) {
        addPhaseGlyph(box, x, targetY, gate.angle);
    } else {
        centredText(box, letterOf(gate.kind), drawingFont(kGateLetterPoints, true), letterColour(),
                    QPointF(x, targetY));
    }
    return box;
}

QPixmap gateIcon(GateKind kind, int side, double devicePixelRatio)
{
    using DrawingGeometry::kStepHalfSize;
    const bool cnot = kind == GateKind::Cnot;
    // A P tile names the gate alone: its angle is chosen when it lands.
    const Gate gate{kind, 0, cnot ? 1 : 0, 0.0};
    // A tile has no room for a row pitch: its CNOT's wires lie close, in a box just around the glyph.
    constexpr double kTileWireSpacing = 32.0;
    constexpr double kTileBoxMargin = 15.0;
    constexpr double kTileLetterPoints = 20.0;
    const double controlY = cnot ? -kTileWireSpacing / 2.0 : 0.0;
    const double targetY = cnot ? kTileWireSpacing / 2.0 : 0.0;
    QGraphicsScene scene;
    QGraphicsRectItem *box =
        gateBox(gate, 0.0, controlY, targetY, targetY, controlY, {kCurrentBorder, 2.5, kCurrentFill});
    if (cnot) {
        box->setRect(-kStepHalfSize, controlY - kTileBoxMargin, 2 * kStepHalfSize,
                     targetY - controlY + 2 * kTileBoxMargin);
    }
    if (!cnot) {
        // The angle's line would read as "0.0°", so a P tile shows its letter alone; letters are drawn larger
        // than on a wire, so that they stay legible on a tile a third of a stage's size.
        const QList<QGraphicsItem *> parts = box->childItems();
        if (kind == GateKind::P) {
            delete parts.back();
        }
        auto *letter = static_cast<QGraphicsSimpleTextItem *>(parts.front());
        letter->setFont(drawingFont(kTileLetterPoints, true));
        letter->setPos(QPointF(0.0, 0.0) - letter->boundingRect().center());
    }
    scene.addItem(box);
    const double extent = std::max(box->rect().width(), box->rect().height()) + 4.0;
    QPixmap pixmap(QSize(side, side) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    scene.render(&painter, QRectF(0.0, 0.0, side, side), QRectF(-extent / 2.0, -extent / 2.0, extent, extent),
                 Qt::KeepAspectRatio);
    return pixmap;
}

} // namespace GateGlyphs

} // namespace Fasoria
