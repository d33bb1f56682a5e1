#include "ui/views/SvgWriting.h"

#include <QXmlStreamWriter>

#include <cmath>

namespace Fasoria {

QString svgNumber(double value)
{
    return QString::number(std::round(value * 100.0) / 100.0, 'g', 10);
}

QString svgColour(const QColor &colour)
{
    return colour.name(QColor::HexRgb);
}

void startSvgDocument(QXmlStreamWriter &svg, QSizeF size)
{
    svg.setAutoFormatting(true);
    svg.writeStartDocument();
    svg.writeStartElement(QStringLiteral("svg"));
    svg.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    svg.writeAttribute(QStringLiteral("width"), svgNumber(size.width()));
    svg.writeAttribute(QStringLiteral("height"), svgNumber(size.height()));
    svg.writeAttribute(QStringLiteral("viewBox"),
                       QStringLiteral("0 0 %1 %2").arg(svgNumber(size.width()), svgNumber(size.height())));
}

} // namespace Fasoria
