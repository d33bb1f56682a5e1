#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace Fasoria {

/// MT19937-64, with its state kept as the 312 most recent words of the recurrence (a ring whose oldest word
/// is at m_oldest). Each output computes the next word from the oldest ones, replaces the oldest word and
/// returns its tempering, so the ring is always exactly the engine's textual state.
class RandomGenerator
{
public:
    static constexpr std::size_t kStateSize = 312;
    static constexpr std::uint64_t kDefaultSeed = 5489;

    RandomGenerator() { seed(kDefaultSeed); }
    explicit RandomGenerator(std::uint64_t value) { seed(value); }

    void seed(std::uint64_t value);
    std::uint64_t next();

    /// The 312 words as unsigned decimals, oldest first, each followed by one blank.
    std::string stateText() const;
    /// Reads exactly 312 unsigned decimals separated by white space, with nothing but white space around.
    /// On any rejection (a sign, a word above 2^64 − 1, too few words, trailing text) returns false and
    /// leaves this generator unchanged.
    bool restoreState(const std::string &text);

    bool operator==(const RandomGenerator &other) const;
    bool operator!=(const RandomGenerator &other) const { return !(*this == other); }

private:
    std::array<std::uint64_t, kStateSize> m_words{};
    std::size_t m_oldest = 0;
};

} // namespace Fasoria
