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

    /// How a text state reads; restoreState accepts only Valid.
    enum class StateText
    {
        Valid,
        /// Fewer than 312 words can be read: a sign, a word above 2^64 − 1, a character glued to a word.
        Unreadable,
        /// The 312 words are followed by something other than white space.
        Trailing,
        /// Words that make every output 0 for ever: the 33 high bits of the oldest word and all the other
        /// words are 0 (the low 31 bits of the oldest word never reach an output).
        Degenerate,
    };

    /// The 312 words as unsigned decimals, oldest first, each followed by one blank.
    std::string stateText() const;
    /// Reads the text as restoreState does, changing nothing. Unreadable comes before Trailing, Trailing
    /// before Degenerate.
    static StateText checkStateText(const std::string &text);
    /// Reads exactly 312 unsigned decimals separated by white space, with nothing but white space around.
    /// On any rejection (see checkStateText) returns false and leaves this generator unchanged.
    bool restoreState(const std::string &text);

    bool operator==(const RandomGenerator &other) const;
    bool operator!=(const RandomGenerator &other) const { return !(*this == other); }

private:
    using Words = std::array<std::uint64_t, kStateSize>;
    static StateText readStateText(const std::string &text, Words &words);

    Words m_words{};
    std::size_t m_oldest = 0;
};

} // namespace Fasoria
