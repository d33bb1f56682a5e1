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

// Finds, for each u, the smallest i in 0 .. N − 2 with c(i) ≥ u, else N − 1, in constant expected time.
// The unit interval is cut into N buckets of width 1/N (a power of two, so b/N and u·N are exact); the guide
// of bucket b is the first index whose cumulative sum reaches b/N. Every index below the guide of u's bucket
// has c(i) < b/N ≤ u, so scanning upwards from the guide finds exactly the index a full scan would.
class OutcomeSearch
{
public:
    explicit OutcomeSearch(const std::vector<double> &cumulative)
        : m_cumulative(cumulative), m_last(cumulative.size() - 1), m_guide(cumulative.size() + 1)
    {
        const double buckets = static_cast<double>(cumulative.size());
        std::size_t i = 0;
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
    // A linear scan: weights handed in by a caller need not be non-negative.
    for (std::size_t i = 0; i + 1 < cumulative.size(); ++i) {
        if (cumulative[i] >= u) {
            return i;
        }
    }
    return cumulative.size() - 1;
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

    double p1 = 0.0;
    for (std::size_t base = m; base < n; base += 2 * m) {
        for (std::size_t i = base; i < base + m; ++i) {
            p1 += amplitudes[i].re * amplitudes[i].re + amplitudes[i].im * amplitudes[i].im;
        }
    }
    bool outcome;
    if (p1 <= 0.0) {
        outcome = false;
    } else if (p1 >= 1.0) {
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
    std::vector<double> cumulative = probabilitiesOf(state);
    toCumulative(cumulative);
    const OutcomeSearch search(cumulative);
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

} // namespace Fasoria
