#pragma once

#include "core/Language.h"
#include "ui/model/ChartModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPen>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;

namespace Fasoria {

/// One thing the chart draws, in logical pixels: the probability chart widget paints these, the pictures paint
/// or write the same list, so a picture is what the window shows.
struct ChartShape
{
    enum class Kind
    {
        Rect,
        Line,
        Text,
    };
    /// What the shape is, for the SVG's classes: "background", "grid", "tick", "axis", "legend", "theory", "frequency",
    /// "measured", "arrow", "label", "value", "empty".
    enum class Role
    {
        Background,
        Grid,
        Tick,
        Axis,
        Legend,
        Theory,
        Frequency,
        Measured,
        Arrow,
        Label,
        Value,
        Empty,
    };

    Kind kind = Kind::Rect;
    Role role = Role::Grid;
    QRectF rect;
    QLineF line;
    /// Text shapes: written in `rect` with `alignment`, in the pen's colour.
    QString text;
    int alignment = 0;
    QPen pen = QPen(Qt::NoPen);
    QBrush brush;
    /// Text in ChartLayout::smallFont rather than ChartLayout::font.
    bool small = false;
    /// Frequency bars and their legend swatch carry a diagonal hatch over their fill, so that they differ from
    /// the theoretical bars by more than colour.
    bool hatched = false;
    /// The index into ChartData::bars the shape belongs to; −1 for the axes, grid and legend.
    std::int64_t bar = -1;
};

/// The chart laid out in a rectangle of `size` logical pixels.
struct ChartLayout
{
    QSizeF size;
    /// The font every text is measured and written in: the caller's font fixed to its pixel size, so that a
    /// widget, an image and an SVG measure alike.
    QFont font;
    /// The smaller font of the legend, the axis ticks and the values.
    QFont smallFont;
    QRectF plot;
    /// The bars lie in rows, the probability running to the right: a tall, narrow chart names more of them
    /// that way. Otherwise they stand in columns over the basis labels.
    bool rows = false;
    /// Per bar: the column a click or a tool tip hits, the drawn theoretical bar and frequency bar (empty
    /// without preparations).
    std::vector<QRectF> columns;
    std::vector<QRectF> theoryBars;
    std::vector<QRectF> frequencyBars;
    /// Painting order.
    std::vector<ChartShape> shapes;
};

/// Lays `data` out in `size` with the texts of `language` measured in `font`: the legend on top, the 0–100 %
/// axis with grid lines, one column per bar (theoretical bar, frequency bar beside it after preparations, the
/// measured outcome outlined), under each column with room its phase arrow (Education::phaseArrow, none for a
/// zero amplitude) and its label, the largest bars first; the value above the bars wide enough for it. In a
/// chart taller than wide whose columns would leave labels out, rows instead: label and arrow before each
/// row, the value after its bar.
ChartLayout layoutChart(const ChartData &data, Language language, const QFont &font, QSizeF size);

/// Paints the layout with its origin at the painter's origin; `selected` ≥ 0 adds the keyboard selection's
/// dotted frame around that column (the widget only).
void paintChart(QPainter &painter, const ChartLayout &layout, std::int64_t selected = -1);

/// The size in which `bars` bars of `qubits`-bit labels stay readable in `font`: eight bars of three qubits
/// fit in about 380 × 170 pixels at the usual font.
QSizeF chartMinimumSize(const QFont &font, std::size_t bars, std::int32_t qubits);
/// The size of a picture of `data`: wide enough for a comfortable column per bar, up to 256 bars.
QSizeF chartPictureSize(const ChartData &data, const QFont &font);

/// The tool tip of bar `index` in `language`: its label, probability %, phase in degrees and, after
/// preparations, its count and frequency %, each as the amplitude table writes it.
QString chartBarToolTip(const ChartData &data, std::size_t index, Language language);

/// The colour of the diagonal hatch over the frequency bars.
QColor chartHatchColour();

/// The chart's accessible name in `language`.
QString chartTitle(Language language);

} // namespace Fasoria
