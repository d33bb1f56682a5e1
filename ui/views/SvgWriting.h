#pragma once

#include <QColor>
#include <QSizeF>
#include <QString>

class QXmlStreamWriter;

namespace Fasoria {

/// A coordinate or length as the pictures write it: rounded to hundredths, without trailing zeros.
QString svgNumber(double value);
/// A colour as "#rrggbb".
QString svgColour(const QColor &colour);
/// Opens the document and its <svg> element of `size` (width, height and the view box in the same units);
/// the caller writes the content and closes both.
void startSvgDocument(QXmlStreamWriter &svg, QSizeF size);

} // namespace Fasoria
