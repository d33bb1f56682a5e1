#pragma once

#include "core/Language.h"
#include "core/Measurement.h"
#include "core/StateVector.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace Fasoria {

class Experiment;

/// Below this magnitude an amplitude has no defined phase and its bar counts as zero: the amplitude table's
/// threshold (AmplitudeTable::kZeroAmplitude), so the chart and the table agree on what is zero.
constexpr double kChartZeroAmplitude = 1e-12;

/// One basis state of the chart.
struct ChartBar
{
    std::uint64_t basis = 0;
    /// The n-bit label, q(n-1) first and q0 last.
    QString label;
    /// The engine's own re² + im² of the amplitude, as the amplitude table's P column shows it.
    double probability = 0.0;
    /// hypot(re, im).
    double magnitude = 0.0;
    /// atan2(im, re) in radians, as the amplitude table's phase column takes it.
    double phase = 0.0;
    /// Observed count in the repeated preparations; 0 without them.
    std::uint64_t count = 0;
    /// The amplitude itself, so that every text of the bar is the table's text of the same number.
    Complex amplitude;
};

/// What the probability chart shows of one state.
struct ChartData
{
    std::int32_t qubits = 1;
    /// In basis order; with nonZeroOnly only the bars with a non-zero amplitude or count.
    std::vector<ChartBar> bars;
    /// Preparations behind the counts; 0 shows no frequency bars.
    std::uint64_t shots = 0;
    /// After a single measurement: the collapsed outcome, marked; −1 for none.
    std::int32_t measuredOutcome = -1;
};

/// Whether a bar carries anything to show: an amplitude of at least kChartZeroAmplitude or a count.
bool isNonZeroBar(const ChartBar &bar);

/// The bars of `data` that carry something (isNonZeroBar) and the measured outcome's, in their order.
ChartData nonZeroBars(const ChartData &data);

/// The chart of `state`, with the observed `counts` of `shots` preparations when shots > 0 (counts are ignored
/// otherwise) and the collapsed `measuredOutcome` (−1 for none). Throws std::invalid_argument when counts is
/// non-null and its size differs from the state's dimension, when shots > 0 without counts or with counts that
/// do not add up to shots; std::out_of_range for an outcome outside the register. Checks everything first.
ChartData chartData(const StateVector &state, const Histogram *counts, std::uint64_t shots,
                    std::int32_t measuredOutcome, bool nonZeroOnly);

/// The shown stage of the experiment: its state, the last repeated preparations' histogram and the single
/// measurement's outcome. Before the first preparation of a state: the shown circuit's qubits and no bars.
ChartData chartData(const Experiment &experiment, bool nonZeroOnly);

/// The percentage of a probability or frequency as the table writes it, two decimals and no negative zero,
/// followed by " %".
QString chartPercentText(double fraction);

/// A probability or frequency in hundredths of a percent, the precision the chart shows: bars are ranked by it,
/// so that bars that read alike rank in basis order whatever their last bits.
std::int64_t shownHundredths(double fraction);

/// The indices into data.bars of up to `limit` bars with the largest non-zero probability as shown (ties in
/// basis order); by count instead of probability when `byCount`.
std::vector<std::size_t> largestBars(const ChartData &data, std::size_t limit, bool byCount);

/// The chart's accessible description in `language`: what it shows, the largest probabilities in words
/// ("Most likely: |101> 94.53 %, ..."), the most frequent outcomes and the measured outcome when present.
QString chartDescription(const ChartData &data, Language language);

} // namespace Fasoria
