#include "ui/views/ChartDrawing.h"

#include "ui/model/LogEvent.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/AmplitudeTable.h"
#include "ui/widgets/PhaseDelegate.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>

namespace Fasoria {

static_assert(kChartZeroAmplitude == AmplitudeTable::kZeroAmplitude, "the chart and the table agree on zero");

namespace {

constexpr TextPair kTheoryLegend = {"Probabilità teorica", "Theoretical probability"};
constexpr TextPair kFrequencyLegend = {"Frequenza osservata, %1 preparazioni", "Observed frequency, %1 preparations"};
constexpr TextPair kMediumFrequencyLegend = {"Frequenza osservata (n = %1)", "Observed frequency (n = %1)"};
constexpr TextPair kShortFrequencyLegend = {"Frequenza osservata", "Observed frequency"};
/// The frequency's legend from the longest wording to the shortest: the longest that costs no extra row is used.
constexpr const TextPair *kFrequencyWordings[] = {&kFrequencyLegend, &kMediumFrequencyLegend, &kShortFrequencyLegend};
constexpr TextPair kMeasuredLegend = {"Esito misurato %1", "Measured outcome %1"};
constexpr TextPair kMeasuredTip = {"Esito misurato", "Measured outcome"};
constexpr TextPair kNoState = {"Nessuno stato da mostrare", "No state to show"};
constexpr TextPair kTitle = {"Grafico delle probabilità", "Probability chart"};

const QColor kTheoryColour(0x2f, 0x6d, 0xb5);
const QColor kFrequencyColour(0xf6, 0xc0, 0x7e);
const QColor kHatchColour(0xa8, 0x55, 0x00);
const QColor kInkColour(0x20, 0x20, 0x20);
const QColor kAxisColour(0x60, 0x60, 0x60);
const QColor kGridColour(0xdc, 0xdc, 0xdc);

/// phaseArrow reaches at most 13 pixels from its origin, head included; the row holds it in any direction.
constexpr double kArrowReach = 13.0;
constexpr double kArrowRow = 2.0 * kArrowReach + 2.0;
constexpr double kArrowPen = 1.7;
/// Below this column width bars fill their column; wider columns keep a gap between neighbours.
constexpr double kGaplessColumn = 4.0;
constexpr int kTickCount = 5;
/// The bars besides the widest ones whose value may stand above neighbouring columns.
constexpr std::size_t kValuesBeyondColumn = 3;
/// The legend, the axis ticks and the values are written smaller than the basis labels, in this proportion.
constexpr double kSmallText = 0.85;

/// The basis labels' font and the smaller one of the other texts, both fixed to pixel sizes, with the heights
/// of their lines and the spacing derived from them.
struct Metrics
{
    QFont font;
    QFont small;
    double line = 0.0;
    double smallLine = 0.0;
    double gap = 0.0;
    double margin = 0.0;
};

Metrics metricsOf(const QFont &font)
{
    Metrics metrics;
    metrics.font = font;
    if (metrics.font.pixelSize() <= 0) {
        metrics.font.setPixelSize(std::max(1, QFontInfo(font).pixelSize()));
    }
    metrics.small = metrics.font;
    metrics.small.setPixelSize(std::max(1, static_cast<int>(std::lround(metrics.font.pixelSize() * kSmallText))));
    metrics.line = std::ceil(QFontMetricsF(metrics.font).height());
    metrics.smallLine = std::ceil(QFontMetricsF(metrics.small).height());
    metrics.gap = std::ceil(metrics.line * 0.4);
    metrics.margin = metrics.gap;
    return metrics;
}

double textWidth(const Metrics &metrics, const QString &text, bool small = false)
{
    return std::ceil(QFontMetricsF(small ? metrics.small : metrics.font).horizontalAdvance(text));
}

QString tickText(int tick)
{
    return QString::number(tick * 100 / (kTickCount - 1)) + QStringLiteral(" %");
}

double tickWidth(const Metrics &metrics)
{
    return textWidth(metrics, tickText(kTickCount - 1), true);
}

/// The width a column's label and arrow need, a little space included.
double annotationWidth(const Metrics &metrics, const QString &label)
{
    return std::max(textWidth(metrics, label), 2.0 * kArrowReach) + metrics.gap / 2.0;
}

ChartShape rectShape(ChartShape::Role role, const QRectF &rect, const QPen &pen, const QBrush &brush,
                     std::int64_t bar = -1)
{
    ChartShape shape;
    shape.kind = ChartShape::Kind::Rect;
    shape.role = role;
    shape.rect = rect;
    shape.pen = pen;
    shape.brush = brush;
    shape.bar = bar;
    return shape;
}

ChartShape lineShape(ChartShape::Role role, const QLineF &line, const QPen &pen, std::int64_t bar = -1)
{
    ChartShape shape;
    shape.kind = ChartShape::Kind::Line;
    shape.role = role;
    shape.line = line;
    shape.pen = pen;
    shape.bar = bar;
    return shape;
}

ChartShape textShape(ChartShape::Role role, const QRectF &rect, const QString &text, int alignment,
                     std::int64_t bar = -1)
{
    ChartShape shape;
    shape.small = role != ChartShape::Role::Label;
    shape.kind = ChartShape::Kind::Text;
    shape.role = role;
    shape.rect = rect;
    shape.text = text;
    shape.alignment = alignment;
    shape.pen = QPen(kInkColour);
    shape.bar = bar;
    return shape;
}

bool isMeasured(const ChartData &data, const ChartBar &bar)
{
    return data.measuredOutcome >= 0 && bar.basis == static_cast<std::uint64_t>(data.measuredOutcome);
}

QPen measuredPen()
{
    return QPen(kInkColour, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

struct LegendEntry
{
    ChartShape swatch;
    QString text;
    /// The text's lines as placed.
    std::vector<ChartShape> lines = {};
};

std::vector<LegendEntry> legendEntries(const ChartData &data, Language language, const TextPair &frequency)
{
    std::vector<LegendEntry> entries;
    entries.push_back(
        {rectShape(ChartShape::Role::Legend, {}, Qt::NoPen, kTheoryColour), uiText(kTheoryLegend, language)});
    if (data.shots > 0) {
        LegendEntry entry{rectShape(ChartShape::Role::Legend, {}, Qt::NoPen, kFrequencyColour),
                          uiText(frequency, language).replace(QStringLiteral("%1"), QString::number(data.shots))};
        entry.swatch.hatched = true;
        entries.push_back(entry);
    }
    if (data.measuredOutcome >= 0) {
        const QString ket = QLatin1Char('|') +
                            basisLabel(static_cast<std::uint64_t>(data.measuredOutcome), data.qubits) +
                            QLatin1Char('>');
        entries.push_back({rectShape(ChartShape::Role::Legend, {}, measuredPen(), Qt::white),
                           uiText(kMeasuredLegend, language).arg(ket)});
    }
    return entries;
}

/// `text` broken at spaces into lines no wider than `room` in the small font; a word alone wider is elided.
QStringList wrappedLines(const Metrics &metrics, const QString &text, double room)
{
    const QFontMetricsF fm(metrics.small);
    QStringList lines;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString joined = lines.isEmpty() ? word : lines.last() + QLatin1Char(' ') + word;
        if (!lines.isEmpty() && textWidth(metrics, joined, true) <= room) {
            lines.last() = joined;
        } else {
            lines << fm.elidedText(word, Qt::ElideRight, std::max(0.0, room));
        }
    }
    return lines;
}

/// The legend entries placed in rows from the top left, a text alone wider than the chart on several lines,
/// and the bottom of the last row.
double placeLegend(std::vector<LegendEntry> &entries, const Metrics &metrics, double width)
{
    const double swatch = std::round(metrics.smallLine * 0.7);
    const double right = width - metrics.margin;
    double x = metrics.margin;
    double y = metrics.margin;
    for (LegendEntry &entry : entries) {
        const double room = right - metrics.margin - swatch - metrics.gap;
        const QStringList lines = wrappedLines(metrics, entry.text, room);
        double textRoom = 0.0;
        for (const QString &line : lines) {
            textRoom = std::max(textRoom, textWidth(metrics, line, true));
        }
        const double entryWidth = swatch + metrics.gap + textRoom;
        if (x > metrics.margin && (x + entryWidth > right || lines.size() > 1)) {
            x = metrics.margin;
            y += metrics.smallLine;
        }
        entry.swatch.rect = QRectF(x, y + (metrics.smallLine - swatch) / 2.0, swatch, swatch);
        for (int i = 0; i < lines.size(); ++i) {
            entry.lines.push_back(textShape(
                ChartShape::Role::Legend,
                QRectF(x + swatch + metrics.gap, y + metrics.smallLine * i, textRoom + 1.0, metrics.smallLine),
                lines.at(i), Qt::AlignLeft | Qt::AlignVCenter));
        }
        if (lines.size() > 1) {
            // The next entry starts on a row of its own.
            x = right;
            y += metrics.smallLine * (lines.size() - 1);
        } else {
            x += entryWidth + 2.0 * metrics.gap;
        }
    }
    return y + metrics.smallLine;
}

/// Lays the legend out, naming the number of preparations only where that costs no extra row; returns its
/// bottom.
double layoutLegend(ChartLayout &layout, const Metrics &metrics, const ChartData &data, Language language)
{
    std::vector<LegendEntry> entries;
    double bottom = 0.0;
    for (const TextPair *wording : kFrequencyWordings) {
        std::vector<LegendEntry> candidate = legendEntries(data, language, *wording);
        const double candidateBottom = placeLegend(candidate, metrics, layout.size.width());
        if (entries.empty() || candidateBottom < bottom) {
            entries = std::move(candidate);
            bottom = candidateBottom;
        }
    }
    for (const LegendEntry &entry : entries) {
        layout.shapes.push_back(entry.swatch);
        layout.shapes.insert(layout.shapes.end(), entry.lines.begin(), entry.lines.end());
    }
    return bottom;
}

void layoutAxis(ChartLayout &layout, const Metrics &metrics)
{
    const QRectF &plot = layout.plot;
    const QPen axisPen(kAxisColour, 1.0);
    const double bottom = std::round(plot.bottom()) + 0.5;
    if (layout.rows) {
        // The probability runs to the right: grid lines stand, their ticks are written under the plot, every
        // other one (or only the ends) where the plot is too narrow for all five.
        const double room = tickWidth(metrics) + metrics.gap;
        const double step = plot.width() / (kTickCount - 1);
        const int labelEvery = step >= room ? 1 : 2.0 * step >= room ? 2 : kTickCount - 1;
        // A plot narrower than two ticks names only its end, 100 %.
        const int firstLabelled = 4.0 * step >= room ? 0 : kTickCount - 1;
        for (int tick = 0; tick < kTickCount; ++tick) {
            const double x = std::round(plot.left() + step * tick) + 0.5;
            if (tick > 0) {
                layout.shapes.push_back(
                    lineShape(ChartShape::Role::Grid, QLineF(x, plot.top(), x, bottom), QPen(kGridColour, 1.0)));
            }
            if (tick % labelEvery != 0 || tick < firstLabelled) {
                continue;
            }
            const double width = textWidth(metrics, tickText(tick), true) + 2.0;
            layout.shapes.push_back(textShape(ChartShape::Role::Tick,
                                              QRectF(x - width / 2.0, bottom + 2.0, width, metrics.smallLine),
                                              tickText(tick), Qt::AlignCenter));
        }
    } else {
        // A short plot names every other grid line, so that the tick labels never touch.
        const int labelEvery = plot.height() / (kTickCount - 1) < metrics.smallLine ? 2 : 1;
        for (int tick = 0; tick < kTickCount; ++tick) {
            const double y = std::round(plot.bottom() - plot.height() * tick / (kTickCount - 1)) + 0.5;
            if (tick > 0) {
                layout.shapes.push_back(
                    lineShape(ChartShape::Role::Grid, QLineF(plot.left(), y, plot.right(), y), QPen(kGridColour, 1.0)));
            }
            if (tick % labelEvery != 0) {
                continue;
            }
            layout.shapes.push_back(textShape(ChartShape::Role::Tick,
                                              QRectF(metrics.margin, y - metrics.smallLine / 2.0,
                                                     plot.left() - metrics.gap - metrics.margin, metrics.smallLine),
                                              tickText(tick), Qt::AlignRight | Qt::AlignVCenter));
        }
    }
    layout.shapes.push_back(
        lineShape(ChartShape::Role::Axis, QLineF(plot.left(), bottom, plot.right(), bottom), axisPen));
    layout.shapes.push_back(
        lineShape(ChartShape::Role::Axis, QLineF(plot.left(), plot.top(), plot.left(), bottom), axisPen));
}

/// Bars by decreasing probability as shown, then decreasing count, then basis order: who gets a label or a
/// value first.
std::vector<std::size_t> priorityOrder(const ChartData &data)
{
    std::vector<std::size_t> order(data.bars.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const ChartBar &first = data.bars[a];
        const ChartBar &second = data.bars[b];
        const std::int64_t firstShown = shownHundredths(first.probability);
        const std::int64_t secondShown = shownHundredths(second.probability);
        if (firstShown != secondShown) {
            return firstShown > secondShown;
        }
        return first.count > second.count;
    });
    return order;
}

/// The thickness of a column's bars together: narrow columns are filled, wider ones keep a gap between
/// neighbours, never thicker than a few lines of text.
double barGroup(const Metrics &metrics, double slot, std::uint64_t shots)
{
    return std::min(slot < kGaplessColumn ? slot : slot * 0.8, metrics.line * (shots > 0 ? 4.0 : 3.0));
}

/// A value written inside the end of a lying bar keeps this far from the bar's end.
constexpr double kInsideGap = 3.0;

/// Whether a value `width` wide is written inside a lying bar of that length and thickness.
bool fitsInside(const Metrics &metrics, double length, double thickness, double width)
{
    return length >= width + 2.0 * kInsideGap && thickness >= metrics.smallLine - 2.0;
}

bool overlapsAny(const QRectF &rect, const std::vector<QRectF> &others)
{
    return std::any_of(others.begin(), others.end(), [&](const QRectF &other) { return rect.intersects(other); });
}

/// Which columns carry a label and an arrow: the largest bars first, each where its label does not meet one
/// already placed.
std::vector<bool> annotatedColumns(const ChartLayout &layout, const Metrics &metrics, const ChartData &data,
                                   const std::vector<std::size_t> &order)
{
    std::vector<bool> annotated(data.bars.size(), false);
    std::vector<QRectF> taken;
    for (std::size_t index : order) {
        const QPointF centre = layout.columns[index].center();
        // Labels of columns meet side by side, labels of rows one above the other.
        const QRectF span = layout.rows ? QRectF(0.0, centre.y() - metrics.line / 2.0, 1.0, metrics.line)
                                        : QRectF(centre.x() - annotationWidth(metrics, data.bars[index].label) / 2.0,
                                                 0.0, annotationWidth(metrics, data.bars[index].label), 1.0);
        const bool inside = layout.rows ? span.top() >= 0.0 && span.bottom() <= layout.size.height()
                                        : span.left() >= 0.0 && span.right() <= layout.size.width();
        if (inside && !overlapsAny(span, taken)) {
            annotated[index] = true;
            taken.push_back(span);
        }
    }
    return annotated;
}

/// The value text above each bar that has one: the largest first, inside its column when the column is wide
/// enough, and for the largest few also above neighbouring columns the text does not touch, unless a bar
/// outside the few shows the same value (equal bars are labelled alike).
std::vector<QRectF> valueRects(const ChartLayout &layout, const Metrics &metrics, const ChartData &data,
                               const std::vector<std::size_t> &order, const std::vector<QString> &texts)
{
    std::vector<QRectF> values(data.bars.size());
    std::vector<QRectF> taken;
    std::vector<QRectF> bars;
    for (std::size_t i = 0; i < data.bars.size(); ++i) {
        bars.push_back(layout.theoryBars[i]);
        bars.push_back(layout.frequencyBars[i]);
    }
    const QString firstOthers = order.size() > kValuesBeyondColumn ? texts[order[kValuesBeyondColumn]] : QString();
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        const std::size_t index = order[rank];
        if (texts[index].isEmpty()) {
            continue;
        }
        const QRectF &column = layout.columns[index];
        const QRectF &theory = layout.theoryBars[index];
        const QRectF bar = theory.united(layout.frequencyBars[index]);
        const double lift = isMeasured(data, data.bars[index]) ? 4.0 : 2.0;
        const double width = textWidth(metrics, texts[index], true) + 2.0;
        const bool inside = layout.rows && fitsInside(metrics, theory.width(), theory.height(), width);
        // Above a standing bar; inside the end of a lying one long enough, after its end otherwise.
        QRectF rect(column.center().x() - width / 2.0, bar.top() - lift - metrics.smallLine, width, metrics.smallLine);
        if (inside) {
            rect = QRectF(theory.right() - kInsideGap - width, theory.center().y() - metrics.smallLine / 2.0, width,
                          metrics.smallLine);
        } else if (layout.rows) {
            rect = QRectF(bar.right() + lift, column.center().y() - metrics.smallLine / 2.0, width, metrics.smallLine);
        }
        const bool inBounds = rect.left() >= layout.plot.left() && rect.right() <= layout.size.width() &&
                              rect.top() >= 0.0 && rect.bottom() <= layout.size.height();
        const bool inColumn = layout.rows ? metrics.smallLine <= column.height() && inBounds : width <= column.width();
        const bool clear = rank < kValuesBeyondColumn && texts[index] != firstOthers && inBounds &&
                           (inside || !overlapsAny(rect, bars));
        if ((inColumn || clear) && !overlapsAny(rect, taken)) {
            values[index] = rect;
            taken.push_back(rect);
        }
    }
    return values;
}

void layoutBar(ChartLayout &layout, const Metrics &metrics, const ChartData &data, std::size_t index, bool annotated,
               const QRectF &value, const QString &valueText)
{
    const ChartBar &bar = data.bars[index];
    const auto id = static_cast<std::int64_t>(index);
    const QRectF &theory = layout.theoryBars[index];
    const QRectF &frequency = layout.frequencyBars[index];
    layout.shapes.push_back(rectShape(ChartShape::Role::Theory, theory, Qt::NoPen, kTheoryColour, id));
    if (data.shots > 0) {
        ChartShape shape = rectShape(ChartShape::Role::Frequency, frequency, Qt::NoPen, kFrequencyColour, id);
        shape.hatched = true;
        layout.shapes.push_back(shape);
    }
    if (isMeasured(data, bar)) {
        // The outline stays off the axis the bar stands on.
        const QRectF group = theory.united(frequency);
        const QRectF outline = layout.rows ? group.adjusted(0.0, -2.0, 2.0, 2.0) : group.adjusted(-2.0, -2.0, 2.0, 0.0);
        layout.shapes.push_back(rectShape(ChartShape::Role::Measured, outline, measuredPen(), Qt::NoBrush, id));
    }
    if (annotated) {
        // Under a column the arrow, then the label; before a row the label, then the arrow.
        const QPointF centre = layout.columns[index].center();
        const QPointF arrowCentre = layout.rows ? QPointF(layout.plot.left() - 2.0 - kArrowRow / 2.0, centre.y())
                                                : QPointF(centre.x(), layout.plot.bottom() + 2.0 + kArrowRow / 2.0);
        if (bar.magnitude >= kChartZeroAmplitude) {
            const Education::PhaseArrow arrow = Education::phaseArrow(arrowCentre, bar.magnitude, bar.phase);
            const QPen pen(kInkColour, kArrowPen, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
            for (const QLineF &stroke : {arrow.shaft, arrow.headLeft, arrow.headRight}) {
                layout.shapes.push_back(lineShape(ChartShape::Role::Arrow, stroke, pen, id));
            }
        }
        const double width = textWidth(metrics, bar.label) + 2.0;
        const QRectF label =
            layout.rows ? QRectF(arrowCentre.x() - kArrowRow / 2.0 - width, centre.y() - metrics.line / 2.0, width,
                                 metrics.line)
                        : QRectF(centre.x() - width / 2.0, arrowCentre.y() + kArrowRow / 2.0, width, metrics.line);
        layout.shapes.push_back(textShape(ChartShape::Role::Label, label, bar.label,
                                          layout.rows ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter, id));
    }
    if (!value.isNull()) {
        ChartShape shape = textShape(ChartShape::Role::Value, value, valueText, Qt::AlignCenter, id);
        if (theory.contains(value.center())) {
            // Written on the bar's own colour.
            shape.pen = QPen(Qt::white);
        }
        layout.shapes.push_back(shape);
    }
}

/// Columns and bars: bars fill narrow columns and keep a gap in wide ones, never thicker than a few lines of
/// text; after preparations the frequency bar stands right of the theoretical one (lies under it in rows).
void layoutColumns(ChartLayout &layout, const Metrics &metrics, const ChartData &data)
{
    const std::size_t count = data.bars.size();
    const QRectF &plot = layout.plot;
    const double length = layout.rows ? plot.width() : plot.height();
    const double slot = (layout.rows ? plot.height() : plot.width()) / static_cast<double>(count);
    const double group = barGroup(metrics, slot, data.shots);
    const double thickness = data.shots > 0 ? group / 2.0 : group;
    for (std::size_t i = 0; i < count; ++i) {
        const ChartBar &bar = data.bars[i];
        const double start = (layout.rows ? plot.top() : plot.left()) + slot * static_cast<double>(i);
        const double centre = start + slot / 2.0;
        const double theory = bar.probability * length;
        const double frequency =
            data.shots > 0 ? static_cast<double>(bar.count) / static_cast<double>(data.shots) * length : 0.0;
        if (layout.rows) {
            layout.columns.emplace_back(metrics.margin, start, layout.size.width() - 2.0 * metrics.margin, slot);
            layout.theoryBars.emplace_back(plot.left(), centre - group / 2.0, theory, thickness);
            layout.frequencyBars.push_back(data.shots > 0 ? QRectF(plot.left(), centre, frequency, thickness)
                                                          : QRectF());
        } else {
            const double top = plot.top() - metrics.smallLine;
            layout.columns.emplace_back(start, top, slot, layout.size.height() - metrics.margin - top);
            layout.theoryBars.emplace_back(centre - group / 2.0, plot.bottom() - theory, thickness, theory);
            layout.frequencyBars.push_back(
                data.shots > 0 ? QRectF(centre, plot.bottom() - frequency, thickness, frequency) : QRectF());
        }
    }
}

/// Texts of the values: the table's two decimals; none for a bar that shows as zero.
std::vector<QString> valueTexts(const ChartData &data)
{
    std::vector<QString> texts(data.bars.size());
    for (std::size_t i = 0; i < data.bars.size(); ++i) {
        const QString text = AmplitudeTable::probabilityText(data.bars[i].probability) + QLatin1Char('%');
        // A value that shows as zero says nothing the empty bar does not.
        texts[i] = data.bars[i].magnitude >= kChartZeroAmplitude && text != QLatin1String("0.00%") ? text : QString();
    }
    return texts;
}

/// The plot of a chart whose bars stand in columns, under the legend's bottom `top`.
QRectF columnPlot(const Metrics &metrics, const QSizeF &size, double top, std::size_t count, double widestLabel)
{
    const double axisLeft = metrics.margin + tickWidth(metrics) + metrics.gap;
    const double roughSlot = (size.width() - axisLeft - metrics.margin) / static_cast<double>(count);
    // Narrow columns keep half a label free at both ends (a little more than the exact need, which depends on
    // the columns' final width), so that the first and last labels stay inside the chart.
    const double overhang = roughSlot < widestLabel ? widestLabel / 2.0 : 0.0;
    const double left = std::max(axisLeft, overhang);
    const double right = size.width() - std::max(metrics.margin, overhang);
    const double plotTop = top + metrics.gap + metrics.smallLine;
    const double bottom = size.height() - metrics.margin - metrics.line - kArrowRow - 2.0;
    return QRectF(left, plotTop, std::max(1.0, right - left), std::max(1.0, bottom - plotTop));
}

/// The plot of a chart whose bars lie in rows: labels and arrows on the left, the widest value on the right,
/// the ticks underneath.
QRectF rowPlot(const Metrics &metrics, const QSizeF &size, double top, const ChartData &data, double labelWidth,
               const std::vector<QString> &values)
{
    const std::size_t count = std::max<std::size_t>(data.bars.size(), 1);
    const double left = metrics.margin + labelWidth + kArrowRow + 2.0;
    const double right = size.width() - metrics.margin;
    double plotTop = top + metrics.gap;
    double bottom = size.height() - metrics.margin - metrics.smallLine - 2.0;
    // Thin rows keep half a label free above the first and below the last.
    if ((bottom - plotTop) / static_cast<double>(count) < metrics.line) {
        plotTop += metrics.line / 2.0;
        bottom -= metrics.line / 2.0;
    }
    // Each value fits inside the end of a long enough bar or after a short enough one. Of the lengths where
    // that changes, the one that fits the largest bar's value, then the most values, then the longest bars.
    const double slot = (bottom - plotTop) / static_cast<double>(count);
    const double group = barGroup(metrics, slot, data.shots);
    const double thickness = data.shots > 0 ? group / 2.0 : group;
    // The 100 % tick may reach into the margin.
    const double longest = std::max(1.0, right + metrics.margin - (tickWidth(metrics) + 2.0) / 2.0 - 1.0 - left);
    struct Value
    {
        double probability;
        double reach;
        double width;
    };
    std::vector<Value> shown;
    std::vector<double> candidates = {longest};
    for (std::size_t i = 0; i < data.bars.size(); ++i) {
        const ChartBar &bar = data.bars[i];
        if (values[i].isEmpty()) {
            continue;
        }
        const double frequency =
            data.shots > 0 ? static_cast<double>(bar.count) / static_cast<double>(data.shots) : 0.0;
        const Value value{bar.probability, std::max(bar.probability, frequency),
                          textWidth(metrics, values[i], true) + 2.0};
        shown.push_back(value);
        if (value.probability > 0.0) {
            candidates.push_back((value.width + 2.0 * kInsideGap) / value.probability);
        }
        if (value.reach > 0.0) {
            candidates.push_back((right - left - 4.0 - value.width) / value.reach);
        }
    }
    const auto fits = [&](const Value &value, double length) {
        return fitsInside(metrics, value.probability * length, thickness, value.width) ||
               left + value.reach * length + 4.0 + value.width <= right;
    };
    const auto largest = std::max_element(shown.begin(), shown.end(),
                                          [](const Value &a, const Value &b) { return a.probability < b.probability; });
    double length = longest;
    std::tuple<bool, std::size_t, double> best{false, 0, 0.0};
    for (double candidate : candidates) {
        if (candidate <= 0.0 || candidate > longest) {
            continue;
        }
        const auto fitting = static_cast<std::size_t>(
            std::count_if(shown.begin(), shown.end(), [&](const Value &value) { return fits(value, candidate); }));
        const std::tuple<bool, std::size_t, double> score{largest != shown.end() && fits(*largest, candidate), fitting,
                                                          candidate};
        if (score > best) {
            best = score;
            length = candidate;
        }
    }
    return QRectF(left, plotTop, std::max(1.0, length), std::max(1.0, bottom - plotTop));
}

} // namespace

ChartLayout layoutChart(const ChartData &data, Language language, const QFont &font, QSizeF size)
{
    const Metrics metrics = metricsOf(font);
    ChartLayout layout;
    layout.size = size;
    layout.font = metrics.font;
    layout.smallFont = metrics.small;
    layout.shapes.push_back(rectShape(ChartShape::Role::Background, QRectF(QPointF(0, 0), size), Qt::NoPen, Qt::white));

    const double legendBottom = layoutLegend(layout, metrics, data, language);
    const std::size_t count = data.bars.size();
    double widestLabel = 0.0;
    double labelWidth = 0.0;
    for (const ChartBar &bar : data.bars) {
        widestLabel = std::max(widestLabel, annotationWidth(metrics, bar.label));
        labelWidth = std::max(labelWidth, textWidth(metrics, bar.label) + 2.0);
    }
    const std::vector<QString> texts = valueTexts(data);
    const std::size_t columnCount = std::max<std::size_t>(count, 1);
    layout.plot = columnPlot(metrics, size, legendBottom, columnCount, widestLabel);
    // A tall, narrow chart whose columns would leave labels out lays its bars in rows, where more are named.
    if (size.height() > size.width() && count > 0) {
        const QRectF rows = rowPlot(metrics, size, legendBottom, data, labelWidth, texts);
        const auto columnLabels = static_cast<std::size_t>(layout.plot.width() / widestLabel);
        const auto rowLabels = static_cast<std::size_t>(rows.height() / metrics.line) + 1;
        if (columnLabels < count && rowLabels > columnLabels && rows.width() >= 1.5 * metrics.line) {
            layout.rows = true;
            layout.plot = rows;
        }
    }
    layoutAxis(layout, metrics);

    if (count == 0) {
        layout.shapes.push_back(textShape(ChartShape::Role::Empty, layout.plot, uiText(kNoState, language),
                                          Qt::AlignCenter | Qt::TextWordWrap));
        return layout;
    }
    layoutColumns(layout, metrics, data);
    const std::vector<std::size_t> order = priorityOrder(data);
    const std::vector<bool> annotated = annotatedColumns(layout, metrics, data, order);
    const std::vector<QRectF> values = valueRects(layout, metrics, data, order, texts);
    for (std::size_t i = 0; i < count; ++i) {
        layoutBar(layout, metrics, data, i, annotated[i], values[i], texts[i]);
    }
    return layout;
}

void paintChart(QPainter &painter, const ChartLayout &layout, std::int64_t selected)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const ChartShape &shape : layout.shapes) {
        painter.setPen(shape.pen);
        switch (shape.kind) {
        case ChartShape::Kind::Rect:
            painter.setBrush(shape.brush);
            painter.drawRect(shape.rect);
            if (shape.hatched) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(QBrush(kHatchColour, Qt::BDiagPattern));
                painter.drawRect(shape.rect);
            }
            break;
        case ChartShape::Kind::Line:
            painter.drawLine(shape.line);
            break;
        case ChartShape::Kind::Text:
            painter.setFont(shape.small ? layout.smallFont : layout.font);
            painter.drawText(shape.rect, shape.alignment, shape.text);
            break;
        }
    }
    if (selected >= 0 && static_cast<std::size_t>(selected) < layout.columns.size()) {
        painter.setPen(QPen(kInkColour, 1.0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(layout.columns[static_cast<std::size_t>(selected)].adjusted(0.5, 0.5, -0.5, -0.5));
    }
    painter.restore();
}

QSizeF chartMinimumSize(const QFont &font, std::size_t bars, std::int32_t qubits)
{
    const Metrics metrics = metricsOf(font);
    const double column = annotationWidth(metrics, basisLabel(0, qubits));
    const double width = 2.0 * metrics.margin + tickWidth(metrics) + metrics.gap + column * static_cast<double>(bars);
    // One legend row, the value row, a plot three lines high, the arrows and the labels.
    const double height = 2.0 * metrics.margin + 2.0 * metrics.smallLine + metrics.gap + 3.0 * metrics.line + 2.0 +
                          kArrowRow + metrics.line;
    return QSizeF(std::ceil(width), std::ceil(height));
}

QSizeF chartPictureSize(const ChartData &data, const QFont &font)
{
    const Metrics metrics = metricsOf(font);
    const QSizeF minimum = chartMinimumSize(font, std::min<std::size_t>(data.bars.size(), 64), data.qubits);
    const double width = std::clamp(minimum.width() * 1.25, 40.0 * metrics.line, 64.0 * metrics.line);
    return QSizeF(std::ceil(width), std::ceil(std::max(minimum.height() * 1.4, 16.0 * metrics.line)));
}

QString chartBarToolTip(const ChartData &data, std::size_t index, Language language)
{
    if (index >= data.bars.size()) {
        return QString();
    }
    const ChartBar &bar = data.bars[index];
    const auto line = [language](TextKey header, const QString &value) {
        return uiText(header, language) + QStringLiteral(": ") + value;
    };
    QStringList lines;
    lines << QLatin1Char('|') + bar.label + QLatin1Char('>')
          << line(TextKey::ColumnProbability, AmplitudeTable::probabilityText(bar.probability))
          << line(TextKey::ColumnPhase, AmplitudeTable::phaseText(bar.amplitude));
    if (data.shots > 0) {
        lines << line(TextKey::ColumnCount, AmplitudeTable::countText(bar.count, data.shots))
              << uiText(MoreText::ColumnFrequency, language) + QStringLiteral(": ") +
                     AmplitudeTable::frequencyText(bar.count, data.shots);
    }
    if (isMeasured(data, bar)) {
        lines << uiText(kMeasuredTip, language);
    }
    return lines.join(QLatin1Char('\n'));
}

QColor chartHatchColour()
{
    return kHatchColour;
}

QString chartTitle(Language language)
{
    return uiText(kTitle, language);
}

} // namespace Fasoria
