#include "ui/views/AmplitudeTable.h"

#include "core/GateText.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/InterfaceZoom.h"
#include "ui/widgets/PhaseDelegate.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableWidget>
#include <QTableWidgetItem>

#include <algorithm>
#include <cmath>
#include <stdexcept>

using namespace Fasoria;

namespace AmplitudeTable {

namespace {

constexpr int kRowHeight = 38;
constexpr int kCatalogHeaderCount = 6;
/// Room a cell needs beside its text: the style's margins on both sides.
constexpr int kCellPadding = 18;

QString fixed(double value, int decimals)
{
    return QString::fromStdString(formatFixed(value, decimals));
}

QString noValue()
{
    return QStringLiteral("-");
}

void checkTable(const QTableWidget *table)
{
    if (table == nullptr) {
        throw std::invalid_argument("Amplitude table missing");
    }
}

QTableWidgetItem *headerItem(QTableWidget *table, int column)
{
    QTableWidgetItem *item = table->horizontalHeaderItem(column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        table->setHorizontalHeaderItem(column, item);
    }
    return item;
}

QTableWidgetItem *cellItem(QTableWidget *table, int row, int column)
{
    QTableWidgetItem *item = table->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, column, item);
    }
    return item;
}

} // namespace

void setUp(QTableWidget *table)
{
    checkTable(table);
    table->setColumnCount(kColumnCount);
    table->setItemDelegateForColumn(kPhaseColumn, new Education::PhaseDelegate(table));
    InterfaceZoom::setRowHeight(table, kRowHeight);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(kStateColumn, QHeaderView::ResizeToContents);
    table->setAlternatingRowColors(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    for (int column = 0; column < kCatalogHeaderCount; ++column) {
        headerItem(table, column);
    }
    // The frequency header is not translated by the language pass.
    headerItem(table, kFrequencyColumn)->setText(QStringLiteral("Frequenza %"));
}

void applyLanguage(QTableWidget *table, Language language)
{
    checkTable(table);
    if (table->columnCount() < kColumnCount) {
        table->setColumnCount(kColumnCount);
    }
    const auto firstHeader = static_cast<std::int32_t>(TextKey::ColumnState);
    const auto firstTip = static_cast<std::int32_t>(TextKey::ColumnStateTip);
    for (int column = 0; column < kCatalogHeaderCount; ++column) {
        QTableWidgetItem *item = headerItem(table, column);
        item->setText(uiText(static_cast<TextKey>(firstHeader + column), language));
        item->setToolTip(uiText(static_cast<TextKey>(firstTip + column), language));
    }
    table->setToolTip(uiText(TextKey::TableTip, language));
}

void applyLearningHeaders(QTableWidget *table, Language language)
{
    checkTable(table);
    if (table->columnCount() < kColumnCount) {
        table->setColumnCount(kColumnCount);
    }
    static constexpr TextPair kFrequencyTip = {
        "Percentuale osservata nelle prove, distinta dalla probabilità teorica.",
        "Observed percentage across trials, distinct from theoretical probability."};
    static constexpr TextPair kPhaseTip = {
        "Freccia: direzione = fase, lunghezza = modulo; fase indefinita per ampiezza nulla. Valore in gradi.",
        "Arrow: direction = phase, length = magnitude; zero amplitude has undefined phase. Value in degrees."};
    // The count column's header is the catalog's already; the frequency column gets its language too.
    headerItem(table, kFrequencyColumn)->setText(uiText(MoreText::ColumnFrequency, language));
    headerItem(table, kFrequencyColumn)->setToolTip(uiText(kFrequencyTip, language));
    headerItem(table, kPhaseColumn)->setToolTip(uiText(kPhaseTip, language));
    fitColumnsToTexts(table);
}

void fitColumnsToTexts(QTableWidget *table)
{
    checkTable(table);
    // No column narrower than its header or the widest number it shows (the phase column also holds its
    // arrow): on a narrow screen or at a large zoom the table scrolls sideways instead of cutting digits.
    const QFontMetrics metrics(table->font());
    const QFontMetrics headerMetrics(table->horizontalHeader()->font());
    int widest = metrics.horizontalAdvance(QStringLiteral("-0.000000")) + Education::kPhaseTextIndent;
    for (int column = 0; column < table->columnCount(); ++column) {
        if (const QTableWidgetItem *item = table->horizontalHeaderItem(column)) {
            widest = std::max(widest, headerMetrics.horizontalAdvance(item->text()));
        }
    }
    table->horizontalHeader()->setMinimumSectionSize(widest + kCellPadding);
}

void fill(QTableWidget *table, const StateVector &state, const Histogram &histogram, std::uint64_t shotsTotal)
{
    checkTable(table);
    const std::uint64_t dimension = state.dimension();
    if (shotsTotal > 0 && histogram.size() != dimension) {
        throw std::invalid_argument("Histogram does not match the state");
    }
    if (table->columnCount() < kColumnCount) {
        table->setColumnCount(kColumnCount);
    }

    table->setRowCount(static_cast<int>(dimension));
    table->setUpdatesEnabled(false);
    for (std::uint64_t index = 0; index < dimension; ++index) {
        const int row = static_cast<int>(index);
        const std::array<QString, kColumnCount> texts = rowTexts(state, index, histogram, shotsTotal);
        for (int column = 0; column < kColumnCount; ++column) {
            cellItem(table, row, column)->setText(texts[static_cast<std::size_t>(column)]);
        }
        const Complex &amplitude = state.amplitude(index);
        QTableWidgetItem *phase = table->item(row, kPhaseColumn);
        phase->setData(Education::kMagnitudeRole, std::hypot(amplitude.re, amplitude.im));
        phase->setData(Education::kPhaseRole, std::atan2(amplitude.im, amplitude.re));
    }
    table->setUpdatesEnabled(true);
}

QString normText(const StateVector &state, Language language)
{
    return uiText(TextKey::NormLabel, language).arg(fixed(state.totalProbability(), 9));
}

QString basisLabel(std::uint64_t index, int qubits)
{
    QString label;
    label.reserve(qubits > 0 ? qubits : 0);
    for (int bit = qubits - 1; bit >= 0; --bit) {
        const bool set = bit < 64 && ((index >> bit) & 1U) != 0;
        label += set ? QLatin1Char('1') : QLatin1Char('0');
    }
    return label;
}

QString componentText(double value)
{
    return fixed(value, 6);
}

QString phaseText(const Complex &amplitude)
{
    if (std::hypot(amplitude.re, amplitude.im) < kZeroAmplitude) {
        return noValue();
    }
    return fixed(std::atan2(amplitude.im, amplitude.re) * 180.0 / std::acos(-1.0), 1);
}

QString probabilityText(double probability)
{
    return fixed(probability * 100.0, 2);
}

QString countText(std::uint64_t count, std::uint64_t shotsTotal)
{
    return shotsTotal > 0 ? QString::number(count) : noValue();
}

QString frequencyText(std::uint64_t count, std::uint64_t shotsTotal)
{
    if (shotsTotal == 0) {
        return noValue();
    }
    return fixed(static_cast<double>(count) * 100.0 / static_cast<double>(shotsTotal), 2);
}

std::array<QString, kColumnCount> rowTexts(const StateVector &state, std::uint64_t index, const Histogram &histogram,
                                           std::uint64_t shotsTotal)
{
    const Complex &amplitude = state.amplitude(index);
    const std::uint64_t count = shotsTotal > 0 && index < histogram.size() ? histogram[index] : 0;
    return {basisLabel(index, state.qubitCount()),
            componentText(amplitude.re),
            componentText(amplitude.im),
            phaseText(amplitude),
            probabilityText(state.probability(index)),
            countText(count, shotsTotal),
            frequencyText(count, shotsTotal)};
}

} // namespace AmplitudeTable
