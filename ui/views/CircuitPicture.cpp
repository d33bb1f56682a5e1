#include "ui/views/CircuitPicture.h"

#include "editor/AtomicSave.h"
#include "editor/CircuitLatex.h"
#include "ui/views/CircuitView.h"
#include "ui/views/SvgWriting.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QPainter>
#include <QStringList>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>
#include <exception>

namespace Fasoria {

namespace {

/// A drawing made the way the view makes it, with no selection outline: the colour marks the current stage.
void draw(CircuitView &view, const CircuitPictureRequest &request)
{
    view.showCircuit(request.circuit, request.stage, request.measured, request.language, request.isWorkingCircuit);
    view.scene()->clearSelection();
}

void strokeAttributes(QXmlStreamWriter &svg, const QPen &pen)
{
    svg.writeAttribute(QStringLiteral("stroke"),
                       pen.style() == Qt::NoPen ? QStringLiteral("none") : svgColour(pen.color()));
    svg.writeAttribute(QStringLiteral("stroke-width"), svgNumber(pen.widthF()));
    if (pen.style() == Qt::DashLine) {
        svg.writeAttribute(QStringLiteral("stroke-dasharray"),
                           svgNumber(4.0 * pen.widthF()) + QLatin1Char(',') + svgNumber(2.0 * pen.widthF()));
    }
}

void fillAttribute(QXmlStreamWriter &svg, const QBrush &brush)
{
    svg.writeAttribute(QStringLiteral("fill"),
                       brush.style() == Qt::NoBrush ? QStringLiteral("none") : svgColour(brush.color()));
}

void writeItem(QXmlStreamWriter &svg, const QGraphicsItem *item, QPointF offset)
{
    const QPointF at = item->scenePos() + offset;
    if (const auto *rect = qgraphicsitem_cast<const QGraphicsRectItem *>(item)) {
        svg.writeEmptyElement(QStringLiteral("rect"));
        svg.writeAttribute(QStringLiteral("x"), svgNumber(rect->rect().x() + at.x()));
        svg.writeAttribute(QStringLiteral("y"), svgNumber(rect->rect().y() + at.y()));
        svg.writeAttribute(QStringLiteral("width"), svgNumber(rect->rect().width()));
        svg.writeAttribute(QStringLiteral("height"), svgNumber(rect->rect().height()));
        fillAttribute(svg, rect->brush());
        strokeAttributes(svg, rect->pen());
    } else if (const auto *line = qgraphicsitem_cast<const QGraphicsLineItem *>(item)) {
        svg.writeEmptyElement(QStringLiteral("line"));
        svg.writeAttribute(QStringLiteral("x1"), svgNumber(line->line().x1() + at.x()));
        svg.writeAttribute(QStringLiteral("y1"), svgNumber(line->line().y1() + at.y()));
        svg.writeAttribute(QStringLiteral("x2"), svgNumber(line->line().x2() + at.x()));
        svg.writeAttribute(QStringLiteral("y2"), svgNumber(line->line().y2() + at.y()));
        strokeAttributes(svg, line->pen());
    } else if (const auto *ellipse = qgraphicsitem_cast<const QGraphicsEllipseItem *>(item)) {
        const QRectF box = ellipse->rect().translated(at);
        svg.writeEmptyElement(QStringLiteral("ellipse"));
        svg.writeAttribute(QStringLiteral("cx"), svgNumber(box.center().x()));
        svg.writeAttribute(QStringLiteral("cy"), svgNumber(box.center().y()));
        svg.writeAttribute(QStringLiteral("rx"), svgNumber(box.width() / 2.0));
        svg.writeAttribute(QStringLiteral("ry"), svgNumber(box.height() / 2.0));
        fillAttribute(svg, ellipse->brush());
        strokeAttributes(svg, ellipse->pen());
    } else if (const auto *text = qgraphicsitem_cast<const QGraphicsSimpleTextItem *>(item)) {
        const QFont font = text->font();
        svg.writeStartElement(QStringLiteral("text"));
        svg.writeAttribute(QStringLiteral("x"), svgNumber(at.x()));
        svg.writeAttribute(QStringLiteral("y"), svgNumber(at.y() + QFontMetricsF(font).ascent()));
        svg.writeAttribute(QStringLiteral("font-family"), font.family() + QStringLiteral(", sans-serif"));
        svg.writeAttribute(QStringLiteral("font-size"), svgNumber(QFontMetricsF(font).height() * 0.8));
        if (font.bold()) {
            svg.writeAttribute(QStringLiteral("font-weight"), QStringLiteral("bold"));
        }
        fillAttribute(svg, text->brush());
        svg.writeCharacters(text->text());
        svg.writeEndElement();
    }
}

} // namespace

QByteArray circuitSvg(const CircuitPictureRequest &request)
{
    CircuitView view;
    draw(view, request);
    const QRectF scene = view.scene()->sceneRect();
    const QPointF offset(kPictureMargin - scene.x(), kPictureMargin - scene.y());
    const QSizeF size = scene.size() + QSizeF(2 * kPictureMargin, 2 * kPictureMargin);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter svg(&buffer);
    startSvgDocument(svg, size);
    svg.writeEmptyElement(QStringLiteral("rect"));
    svg.writeAttribute(QStringLiteral("width"), QStringLiteral("100%"));
    svg.writeAttribute(QStringLiteral("height"), QStringLiteral("100%"));
    svg.writeAttribute(QStringLiteral("fill"), QStringLiteral("#ffffff"));
    // Items in painting order; a stage box carries its glyph as children, written inside its group. Hidden
    // items (the column under pinned labels, which only a scrolled view shows) are not part of the picture.
    for (const QGraphicsItem *item : view.scene()->items(Qt::AscendingOrder)) {
        if (item->parentItem() || !item->isVisible()) {
            continue;
        }
        const QString role = item->data(CircuitView::kRoleDataKey).toString();
        if (role == QLatin1String("stageBox")) {
            svg.writeStartElement(QStringLiteral("g"));
            svg.writeAttribute(QStringLiteral("class"), QStringLiteral("stage"));
            svg.writeAttribute(QStringLiteral("data-stage"), item->data(CircuitView::kStageDataKey).toString());
            writeItem(svg, item, offset);
            for (const QGraphicsItem *child : item->childItems()) {
                writeItem(svg, child, offset);
            }
            svg.writeEndElement();
        } else {
            writeItem(svg, item, offset);
        }
    }
    svg.writeEndElement();
    svg.writeEndDocument();
    return bytes;
}

namespace {

struct FormatEntry
{
    PictureFormat format;
    const char *ending;
    const char *filter;
};

const FormatEntry kFormats[] = {{PictureFormat::Svg, ".svg", "SVG (*.svg)"},
                                {PictureFormat::Png, ".png", "PNG (*.png)"},
                                {PictureFormat::Latex, ".tex", "LaTeX quantikz (*.tex)"}};

} // namespace

QString pictureFilter()
{
    QStringList filters;
    for (const FormatEntry &entry : kFormats) {
        filters << QString::fromLatin1(entry.filter);
    }
    return filters.join(QStringLiteral(";;"));
}

PictureFormat pictureFormat(const QString &name, const QString &selectedFilter)
{
    for (const FormatEntry &entry : kFormats) {
        if (name.endsWith(QLatin1String(entry.ending), Qt::CaseInsensitive)) {
            return entry.format;
        }
    }
    for (const FormatEntry &entry : kFormats) {
        if (selectedFilter == QLatin1String(entry.filter)) {
            return entry.format;
        }
    }
    return PictureFormat::Svg;
}

QString pictureFileName(const QString &name, PictureFormat format)
{
    for (const FormatEntry &entry : kFormats) {
        if (name.endsWith(QLatin1String(entry.ending), Qt::CaseInsensitive)) {
            return name;
        }
    }
    for (const FormatEntry &entry : kFormats) {
        if (entry.format == format) {
            return name + QLatin1String(entry.ending);
        }
    }
    return name;
}

bool saveCircuitPicture(const QString &path, PictureFormat format, const CircuitPictureRequest &request, QString *error)
{
    QByteArray bytes;
    try {
        if (format == PictureFormat::Svg) {
            bytes = circuitSvg(request);
        } else if (format == PictureFormat::Latex) {
            bytes = QByteArray::fromStdString(circuitLatex(request.circuit));
        } else {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            // An image the encoder refused would otherwise be saved as an empty file and called a picture.
            if (!circuitImage(request).save(&buffer, "PNG")) {
                if (error) {
                    *error = QStringLiteral("The picture could not be encoded as PNG.");
                }
                return false;
            }
        }
    } catch (const std::exception &refusal) {
        if (error) {
            *error = QString::fromUtf8(refusal.what());
        }
        return false;
    }
    return saveFileAtomically(path, bytes, error);
}

QImage circuitImage(const CircuitPictureRequest &request, double scale)
{
    CircuitView view;
    draw(view, request);
    const QRectF scene = view.scene()->sceneRect();
    const QSizeF drawing = scene.size() + QSizeF(2 * kPictureMargin, 2 * kPictureMargin);
    const double longest = std::max(drawing.width(), drawing.height()) * scale;
    if (longest > kMaximumImageSide) {
        scale *= kMaximumImageSide / longest;
    }
    const QSize pixels = (drawing * scale).toSize().boundedTo(QSize(kMaximumImageSide, kMaximumImageSide));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(scale, scale);
    view.scene()->render(&painter, QRectF(kPictureMargin, kPictureMargin, scene.width(), scene.height()), scene);
    painter.end();
    return image;
}

} // namespace Fasoria
