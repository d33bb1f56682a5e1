#include "ui/model/ChartModel.h"

#include "ui/model/Experiment.h"
#include "ui/model/LogEvent.h"
#include "ui/texts/TextCatalog.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace Fasoria {

namespace {

constexpr std::size_t kDescribedBars = 3;

constexpr TextPair kWhatItShows = {"Grafico delle probabilità di %1 qubit: %2 stati di base su %3.",
                                   "Probability chart of %1 qubits: %2 of %3 basis states."};
constexpr TextPair kMostLikely = {"Più probabili: %1.", "Most likely: %1."};
constexpr TextPair kMostFrequent = {"Più frequenti in %1 preparazioni: %2.", "Most frequent in %1 preparations: %2."};
constexpr TextPair kMeasured = {"Esito misurato: %1.", "Measured outcome: %1."};
constexpr TextPair kNothingLikely = {"Nessuno stato da mostrare.", "No state to show."};

void checkCounts(const Histogram *counts, std::uint64_t shots, std::uint64_t dimension)
{
    if (counts != nullptr) {
        checkHistogramSize(*counts, dimension);
    }
    if (shots == 0) {
        return;
    }
    if (counts == nullptr) {
        throw std::invalid_argument("Preparations without their counts");
    }
    std::uint64_t sum = 0;
    for (std::uint64_t count : *counts) {
        if (count > shots - sum) {
            throw std::invalid_argument("Counts do not add up to the preparations");
        }
        sum += count;
    }
    if (sum != shots) {
        throw std::invalid_argument("Counts do not add up to the preparations");
    }
}

QString ket(const ChartBar &bar)
{
    return QLatin1Char('|') + bar.label + QLatin1Char('>');
}

QString listed(const ChartData &data, const std::vector<std::size_t> &indices, bool byCount)
{
    QStringList parts;
    for (std::size_t index : indices) {
        const ChartBar &bar = data.bars[index];
        const double value =
            byCount ? static_cast<double>(bar.count) / static_cast<double>(data.shots) : bar.probability;
        parts << ket(bar) + QLatin1Char(' ') + chartPercentText(value);
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace

bool isNonZeroBar(const ChartBar &bar)
{
    return bar.magnitude >= kChartZeroAmplitude || bar.count > 0;
}

ChartData nonZeroBars(const ChartData &data)
{
    ChartData kept = data;
    kept.bars.clear();
    for (const ChartBar &bar : data.bars) {
        if (isNonZeroBar(bar) || static_cast<std::int64_t>(bar.basis) == data.measuredOutcome) {
            kept.bars.push_back(bar);
        }
    }
    return kept;
}

ChartData chartData(const StateVector &state, const Histogram *counts, std::uint64_t shots,
                    std::int32_t measuredOutcome, bool nonZeroOnly)
{
    const std::uint64_t dimension = state.dimension();
    checkCounts(counts, shots, dimension);
    if (measuredOutcome != -1) {
        if (measuredOutcome < 0) {
            throw std::out_of_range("Measured outcome outside register");
        }
        checkMeasuredOutcome(static_cast<std::uint64_t>(measuredOutcome), dimension);
    }

    ChartData data;
    data.qubits = state.qubitCount();
    data.shots = shots;
    data.measuredOutcome = measuredOutcome;
    data.bars.reserve(dimension);
    for (std::uint64_t basis = 0; basis < dimension; ++basis) {
        ChartBar bar;
        bar.basis = basis;
        bar.amplitude = state.amplitude(basis);
        bar.label = basisLabel(basis, data.qubits);
        bar.probability = state.probability(basis);
        bar.magnitude = std::hypot(bar.amplitude.re, bar.amplitude.im);
        bar.phase = std::atan2(bar.amplitude.im, bar.amplitude.re);
        bar.count = shots > 0 ? (*counts)[basis] : 0;
        data.bars.push_back(std::move(bar));
    }
    return nonZeroOnly ? nonZeroBars(data) : data;
}

ChartData chartData(const Experiment &experiment, bool nonZeroOnly)
{
    const StateVector *state = experiment.state();
    if (state == nullptr) {
        ChartData empty;
        empty.qubits = experiment.shownCircuit().qubitCount;
        return empty;
    }
    const std::int32_t outcome = experiment.isMeasured() ? experiment.lastOutcome() : -1;
    // The preparations the amplitude table counts, so that the chart and the table show the same numbers.
    const std::uint64_t shots = experiment.shotsTotal();
    return chartData(*state, shots > 0 ? &experiment.histogram() : nullptr, shots, outcome, nonZeroOnly);
}

QString chartPercentText(double fraction)
{
    return fixedText(fraction * 100.0, 2) + QStringLiteral(" %");
}

std::int64_t shownHundredths(double fraction)
{
    return std::llround(fraction * 10000.0);
}

std::vector<std::size_t> largestBars(const ChartData &data, std::size_t limit, bool byCount)
{
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < data.bars.size(); ++i) {
        const ChartBar &bar = data.bars[i];
        if (byCount ? bar.count > 0 : bar.magnitude >= kChartZeroAmplitude) {
            indices.push_back(i);
        }
    }
    // Stable: equal values keep basis order.
    std::stable_sort(indices.begin(), indices.end(), [&](std::size_t a, std::size_t b) {
        const ChartBar &first = data.bars[a];
        const ChartBar &second = data.bars[b];
        return byCount ? first.count > second.count
                       : shownHundredths(first.probability) > shownHundredths(second.probability);
    });
    if (indices.size() > limit) {
        indices.resize(limit);
    }
    return indices;
}

QString chartDescription(const ChartData &data, Language language)
{
    const std::uint64_t dimension = data.qubits >= 1 && data.qubits < 64 ? std::uint64_t{1} << data.qubits : 0;
    QStringList sentences;
    sentences << uiText(kWhatItShows, language)
                     .arg(QString::number(data.qubits), QString::number(data.bars.size()), QString::number(dimension));
    const std::vector<std::size_t> likely = largestBars(data, kDescribedBars, false);
    sentences << (likely.empty() ? uiText(kNothingLikely, language)
                                 : uiText(kMostLikely, language).arg(listed(data, likely, false)));
    if (data.shots > 0) {
        sentences << uiText(kMostFrequent, language)
                         .arg(QString::number(data.shots), listed(data, largestBars(data, kDescribedBars, true), true));
    }
    if (data.measuredOutcome >= 0) {
        sentences << uiText(kMeasured, language)
                         .arg(QLatin1Char('|') +
                              basisLabel(static_cast<std::uint64_t>(data.measuredOutcome), data.qubits) +
                              QLatin1Char('>'));
    }
    return sentences.join(QLatin1Char(' '));
}

} // namespace Fasoria
