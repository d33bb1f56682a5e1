#include "core/Measurement.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace Fasoria {

namespace {

std::vector<double> probabilitiesOf(const StateVector &state)
{
    std::vector<double> probabilities(state.dimension());
    for (std::uint64_t i = 0; i < probabilities.size(); ++i) {
        probabilities[i] = state.probability(i);
    }
    return probabilities;
}

// Turns the weights into normalised cumulative sums in place: normalised unless they already sum to exactly
// 1.0, then c(i) = c(i − 1) + p(i).
void toCumulative(std::vector<double> &weights)
{
    double sum = 0.0;
    for (double p : weights) {
        sum += p;
    }
    if (sum != 1.0) {
        for (double &p : weights) {
            p /= sum;
        }
    }
    for (std::size_t i = 1; i < weights.size(); ++i) {
        weights[i] = weights[i - 1] + weights[i];
    }
}

// The outcomes a draw may give: from the first to the last index of positive weight. Outside that range
// every weight is 0, so a u of 0 would otherwise pick a leading zero and a u above the rounded last
// cumulative sum a trailing one. Without any positive weight the whole range stays open.
struct OutcomeRange
{
    std::size_t first = 0;
    std::size_t last = 0;
};

OutcomeRange possibleOutcomes(const std::vector<double> &weights)
{
    const auto positive = [](double p) { return p > 0.0; };
    const auto first = std::find_if(weights.begin(), weights.end(), positive);
    if (first == weights.end()) {
        return {0, weights.size() - 1};
    }
    const auto last = std::find_if(weights.rbegin(), weights.rend(), positive);
    return {static_cast<std::size_t>(first - weights.begin()),
            weights.size() - 1 - static_cast<std::size_t>(last - weights.rbegin())};
}

// Finds, for each u, the smallest i in first .. last − 1 with c(i) ≥ u, else last, in constant expected
// time. The unit interval is cut into N buckets of width 1/N (a power of two, so b/N and u·N are exact);
// the guide of bucket b is the first index from `first` on whose cumulative sum reaches b/N. Every index
// between `first` and the guide of u's bucket has c(i) < b/N ≤ u, so scanning upwards from the guide finds
// exactly the index a full scan would. A zero weight inside the range repeats the cumulative sum before it,
// so the smallest index reaching u never has weight 0.
class OutcomeSearch
{
public:
    OutcomeSearch(const std::vector<double> &cumulative, OutcomeRange range)
        : m_cumulative(cumulative), m_last(range.last), m_guide(cumulative.size() + 1)
    {
        const double buckets = static_cast<double>(cumulative.size());
        std::size_t i = range.first;
        for (std::size_t b = 0; b < m_guide.size(); ++b) {
            const double floor = static_cast<double>(b) / buckets;
            while (i < m_last && m_cumulative[i] < floor) {
                ++i;
            }
            m_guide[b] = i;
        }
    }

    std::uint64_t find(double u) const
    {
        // u lies in [0, 1], so the bucket index lies in [0, N].
        std::size_t i = m_guide[static_cast<std::size_t>(u * static_cast<double>(m_cumulative.size()))];
        while (i < m_last && m_cumulative[i] < u) {
            ++i;
        }
        return i;
    }

private:
    const std::vector<double> &m_cumulative;
    std::size_t m_last;
    std::vector<std::size_t> m_guide;
};

} // namespace

double drawUniform(RandomGenerator &generator)
{
    return static_cast<double>(generator.next()) / 18446744073709551616.0; // 2^64
}

std::uint64_t pickOutcome(const std::vector<double> &probabilities, double u)
{
    if (probabilities.empty()) {
        throw std::invalid_argument("No outcomes to choose from");
    }
    std::vector<double> cumulative = probabilities;
    toCumulative(cumulative);
    const OutcomeRange range = possibleOutcomes(probabilities);
    // A linear scan that skips zero weights itself: weights handed in by a caller need not be non-negative,
    // so the cumulative sums need not rise.
    for (std::size_t i = range.first; i < range.last; ++i) {
        if (probabilities[i] > 0.0 && cumulative[i] >= u) {
            return i;
        }
    }
    return range.last;
}

std::uint64_t measureAll(StateVector &state, RandomGenerator &generator)
{
    const std::uint64_t k = pickOutcome(probabilitiesOf(state), drawUniform(generator));
    std::fill(state.m_amplitudes.begin(), state.m_amplitudes.end(), Complex{});
    state.m_amplitudes[k] = Complex{1.0, 0.0};
    return k;
}

bool measureQubit(StateVector &state, std::uint32_t qubit, RandomGenerator &generator)
{
    state.checkQubit(qubit);
    const std::size_t m = std::size_t{1} << qubit;
    std::vector<Complex> &amplitudes = state.m_amplitudes;
    const std::size_t n = amplitudes.size();

    double p0 = 0.0;
    double p1 = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double p = amplitudes[i].re * amplitudes[i].re + amplitudes[i].im * amplitudes[i].im;
        ((i & m) != 0 ? p1 : p0) += p;
    }
    // A branch of probability 0 is never the outcome, even when rounding leaves the other one below 1:
    // collapsing onto it would leave nothing to renormalise.
    bool outcome;
    if (p1 <= 0.0) {
        outcome = false;
    } else if (p1 >= 1.0 || p0 <= 0.0) {
        outcome = true;
    } else {
        outcome = p1 > drawUniform(generator);
    }

    double remaining = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        if (((i & m) != 0) != outcome) {
            amplitudes[i] = Complex{};
        } else {
            remaining += amplitudes[i].re * amplitudes[i].re + amplitudes[i].im * amplitudes[i].im;
        }
    }
    const double scale = 1.0 / std::sqrt(remaining);
    for (Complex &a : amplitudes) {
        a.re *= scale;
        a.im *= scale;
    }
    return outcome;
}

Histogram sampleCounts(const StateVector &state, std::uint64_t shots, RandomGenerator &generator)
{
    const std::vector<double> probabilities = probabilitiesOf(state);
    std::vector<double> cumulative = probabilities;
    toCumulative(cumulative);
    const OutcomeSearch search(cumulative, possibleOutcomes(probabilities));
    Histogram counts(cumulative.size(), 0);
    for (std::uint64_t shot = 0; shot < shots; ++shot) {
        ++counts[search.find(drawUniform(generator))];
    }
    return counts;
}

std::uint64_t mostFrequentOutcome(const Histogram &histogram)
{
    std::uint64_t best = 0;
    for (std::uint64_t i = 1; i < histogram.size(); ++i) {
        if (histogram[i] > histogram[best]) {
            best = i;
        }
    }
    return best;
}

void checkHistogramSize(const Histogram &counts, std::uint64_t dimension)
{
    if (counts.size() != dimension) {
        throw std::invalid_argument("Histogram size differs from register");
    }
}

void checkMeasuredOutcome(std::uint64_t outcome, std::uint64_t dimension)
{
    if (outcome >= dimension) {
        throw std::out_of_range("Measured outcome outside register");
    }
}

} // namespace Fasoria
