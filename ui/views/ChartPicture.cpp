#include "ui/views/ChartPicture.h"

#include "editor/AtomicSave.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/ChartDrawing.h"
#include "ui/views/SvgWriting.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>
#include <QXmlStreamWriter>

#include <cmath>
#include <iterator>
#include <stdexcept>

namespace Fasoria {

namespace {

constexpr TextPair kOnlySvgOrPng = {"Il grafico si salva solo come SVG o PNG.",
                                    "The chart can only be saved as SVG or PNG."};
constexpr TextPair kNotEncoded = {"Il grafico non si può codificare come PNG.",
                                  "The chart could not be encoded as PNG."};

/// The SVG class of each ChartShape::Role, in its order.
constexpr const char *kRoleNames[] = {"background", "grid",     "tick",  "axis",  "legend", "theory",
                                      "frequency",  "measured", "arrow", "label", "value",  "empty"};
static_assert(std::size(kRoleNames) == static_cast<std::size_t>(ChartShape::Role::Empty) + 1, "one name per role");

QString roleName(ChartShape::Role role)
{
    return QString::fromLatin1(kRoleNames[static_cast<std::size_t>(role)]);
}

void writeRect(QXmlStreamWriter &svg, const ChartShape &shape, const QString &fill)
{
    svg.writeEmptyElement(QStringLiteral("rect"));
    svg.writeAttribute(QStringLiteral("class"), roleName(shape.role));
    svg.writeAttribute(QStringLiteral("x"), svgNumber(shape.rect.x()));
    svg.writeAttribute(QStringLiteral("y"), svgNumber(shape.rect.y()));
    svg.writeAttribute(QStringLiteral("width"), svgNumber(shape.rect.width()));
    svg.writeAttribute(QStringLiteral("height"), svgNumber(shape.rect.height()));
    svg.writeAttribute(QStringLiteral("fill"), fill);
    if (shape.pen.style() == Qt::NoPen) {
        svg.writeAttribute(QStringLiteral("stroke"), QStringLiteral("none"));
    } else {
        svg.writeAttribute(QStringLiteral("stroke"), svgColour(shape.pen.color()));
        svg.writeAttribute(QStringLiteral("stroke-width"), svgNumber(shape.pen.widthF()));
    }
}

void writeText(QXmlStreamWriter &svg, const ChartShape &shape, const QFont &font)
{
    const QFontMetricsF metrics(font);
    QString anchor = QStringLiteral("middle");
    double x = shape.rect.center().x();
    if (shape.alignment & Qt::AlignLeft) {
        anchor = QStringLiteral("start");
        x = shape.rect.left();
    } else if (shape.alignment & Qt::AlignRight) {
        anchor = QStringLiteral("end");
        x = shape.rect.right();
    }
    // The baseline where QPainter::drawText puts it for a vertically centred line.
    const double baseline = shape.rect.top() + (shape.rect.height() - metrics.height()) / 2.0 + metrics.ascent();
    svg.writeStartElement(QStringLiteral("text"));
    svg.writeAttribute(QStringLiteral("class"), roleName(shape.role));
    svg.writeAttribute(QStringLiteral("x"), svgNumber(x));
    svg.writeAttribute(QStringLiteral("y"), svgNumber(baseline));
    svg.writeAttribute(QStringLiteral("text-anchor"), anchor);
    svg.writeAttribute(QStringLiteral("font-family"), font.family() + QStringLiteral(", sans-serif"));
    svg.writeAttribute(QStringLiteral("font-size"), QString::number(font.pixelSize()));
    svg.writeAttribute(QStringLiteral("fill"), svgColour(shape.pen.color()));
    svg.writeCharacters(shape.text);
    svg.writeEndElement();
}

void writeShape(QXmlStreamWriter &svg, const ChartShape &shape, const QFont &font)
{
    switch (shape.kind) {
    case ChartShape::Kind::Rect:
        writeRect(svg, shape,
                  shape.brush.style() == Qt::NoBrush ? QStringLiteral("none") : svgColour(shape.brush.color()));
        if (shape.hatched) {
            ChartShape hatch = shape;
            hatch.pen = QPen(Qt::NoPen);
            writeRect(svg, hatch, QStringLiteral("url(#hatch)"));
        }
        break;
    case ChartShape::Kind::Line:
        svg.writeEmptyElement(QStringLiteral("line"));
        svg.writeAttribute(QStringLiteral("class"), roleName(shape.role));
        svg.writeAttribute(QStringLiteral("x1"), svgNumber(shape.line.x1()));
        svg.writeAttribute(QStringLiteral("y1"), svgNumber(shape.line.y1()));
        svg.writeAttribute(QStringLiteral("x2"), svgNumber(shape.line.x2()));
        svg.writeAttribute(QStringLiteral("y2"), svgNumber(shape.line.y2()));
        svg.writeAttribute(QStringLiteral("stroke"), svgColour(shape.pen.color()));
        svg.writeAttribute(QStringLiteral("stroke-width"), svgNumber(shape.pen.widthF()));
        break;
    case ChartShape::Kind::Text:
        writeText(svg, shape, font);
        break;
    }
}

void writeHatchPattern(QXmlStreamWriter &svg, const QColor &ink)
{
    svg.writeStartElement(QStringLiteral("defs"));
    svg.writeStartElement(QStringLiteral("pattern"));
    svg.writeAttribute(QStringLiteral("id"), QStringLiteral("hatch"));
    svg.writeAttribute(QStringLiteral("patternUnits"), QStringLiteral("userSpaceOnUse"));
    svg.writeAttribute(QStringLiteral("width"), QStringLiteral("8"));
    svg.writeAttribute(QStringLiteral("height"), QStringLiteral("8"));
    svg.writeEmptyElement(QStringLiteral("path"));
    svg.writeAttribute(QStringLiteral("d"), QStringLiteral("M0,8 L8,0 M-2,2 L2,-2 M6,10 L10,6"));
    svg.writeAttribute(QStringLiteral("stroke"), svgColour(ink));
    svg.writeAttribute(QStringLiteral("stroke-width"), QStringLiteral("1"));
    svg.writeEndElement();
    svg.writeEndElement();
}

ChartLayout pictureLayout(const ChartData &data, Language language)
{
    const QFont font;
    return layoutChart(data, language, font, chartPictureSize(data, font));
}

/// A name ending in another picture format's ending (".tex" for an SVG, ".svg" for a PNG).
bool namesAnotherFormat(const QString &path, PictureFormat format)
{
    // pictureFileName leaves alone exactly the names that end in one of the picture endings.
    const bool hasPictureEnding = pictureFileName(path, format) == path;
    return hasPictureEnding && pictureFormat(path, QString()) != format;
}

void fail(QString *error, const QString &reason)
{
    if (error) {
        *error = reason;
    }
}

} // namespace

QByteArray chartSvg(const ChartData &data, Language language)
{
    const ChartLayout layout = pictureLayout(data, language);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter svg(&buffer);
    startSvgDocument(svg, layout.size);
    svg.writeTextElement(QStringLiteral("title"), chartTitle(language));
    svg.writeTextElement(QStringLiteral("desc"), chartDescription(data, language));
    writeHatchPattern(svg, chartHatchColour());
    // The layout lists each bar's shapes together, so a group is one run of them.
    std::int64_t open = -1;
    for (const ChartShape &shape : layout.shapes) {
        if (shape.bar != open && open >= 0) {
            svg.writeEndElement();
            open = -1;
        }
        if (shape.bar >= 0 && shape.bar != open) {
            const ChartBar &bar = data.bars[static_cast<std::size_t>(shape.bar)];
            svg.writeStartElement(QStringLiteral("g"));
            svg.writeAttribute(QStringLiteral("class"), QStringLiteral("bar"));
            svg.writeAttribute(QStringLiteral("data-basis"), QString::number(bar.basis));
            svg.writeAttribute(QStringLiteral("data-label"), bar.label);
            svg.writeTextElement(QStringLiteral("title"),
                                 chartBarToolTip(data, static_cast<std::size_t>(shape.bar), language));
            open = shape.bar;
        }
        writeShape(svg, shape, shape.small ? layout.smallFont : layout.font);
    }
    if (open >= 0) {
        svg.writeEndElement();
    }
    svg.writeEndElement();
    svg.writeEndDocument();
    return bytes;
}

QImage chartImage(const ChartData &data, Language language, double scale)
{
    const ChartLayout layout = pictureLayout(data, language);
    const QSizeF pixels = layout.size * scale;
    if (!(scale > 0.0) || !std::isfinite(scale) || pixels.width() > kMaximumImageSide ||
        pixels.height() > kMaximumImageSide) {
        throw std::invalid_argument("Chart image scale out of range");
    }
    QImage image(pixels.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paintChart(painter, layout);
    painter.end();
    return image;
}

bool saveChartPicture(const QString &path, PictureFormat format, const ChartData &data, Language language,
                      QString *error)
{
    const bool known = format == PictureFormat::Svg || format == PictureFormat::Png;
    if (!known || namesAnotherFormat(path, format)) {
        fail(error, uiText(kOnlySvgOrPng, language));
        return false;
    }
    QByteArray bytes;
    if (format == PictureFormat::Svg) {
        bytes = chartSvg(data, language);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        // An image the encoder refused would otherwise be saved as an empty file and called a picture.
        if (!chartImage(data, language).save(&buffer, "PNG")) {
            fail(error, uiText(kNotEncoded, language));
            return false;
        }
    }
    return saveFileAtomically(path, bytes, error);
}

QString chartPictureFilter()
{
    // The circuit pictures' entries without LaTeX, which only circuits have.
    QStringList filters = pictureFilter().split(QStringLiteral(";;"));
    filters.removeAt(static_cast<int>(PictureFormat::Latex));
    return filters.join(QStringLiteral(";;"));
}

PictureFormat chartPictureFormat(const QString &name, const QString &selectedFilter)
{
    const PictureFormat format = pictureFormat(name, selectedFilter);
    return format == PictureFormat::Latex ? PictureFormat::Svg : format;
}

} // namespace Fasoria
