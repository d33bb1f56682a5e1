#include "core/RandomGenerator.h"

namespace Fasoria {

namespace {

// MT19937-64 parameters.
constexpr std::size_t kShift = 156; // m: offset of the middle word
constexpr std::uint64_t kMatrix = 0xB5026F5AA96619E9ULL;
constexpr std::uint64_t kUpperMask = ~std::uint64_t{0} << 31; // the 33 high bits (r = 31)
constexpr std::uint64_t kLowerMask = ~kUpperMask;
constexpr std::uint64_t kInitMultiplier = 6364136223846793005ULL;

// White space as the C locale defines it, independent of the locale the program runs in.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

void RandomGenerator::seed(std::uint64_t value)
{
    m_words[0] = value;
    for (std::size_t i = 1; i < kStateSize; ++i) {
        const std::uint64_t previous = m_words[i - 1];
        m_words[i] = kInitMultiplier * (previous ^ (previous >> 62)) + i;
    }
    m_oldest = 0;
}

std::uint64_t RandomGenerator::next()
{
    // X(i) = X(i − 312 + 156) XOR twist(upper(X(i − 312)) | lower(X(i − 311))); X(i − 312) is the oldest word
    // and is replaced by X(i).
    const std::size_t second = m_oldest + 1 == kStateSize ? 0 : m_oldest + 1;
    const std::size_t middle = m_oldest + kShift >= kStateSize ? m_oldest + kShift - kStateSize : m_oldest + kShift;
    const std::uint64_t y = (m_words[m_oldest] & kUpperMask) | (m_words[second] & kLowerMask);
    const std::uint64_t word = m_words[middle] ^ (y >> 1) ^ ((y & 1U) != 0 ? kMatrix : 0);
    m_words[m_oldest] = word;
    m_oldest = second;

    std::uint64_t z = word;
    z ^= (z >> 29) & 0x5555555555555555ULL;
    z ^= (z << 17) & 0x71D67FFFEDA60000ULL;
    z ^= (z << 37) & 0xFFF7EEE000000000ULL;
    z ^= z >> 43;
    return z;
}

std::string RandomGenerator::stateText() const
{
    std::string text;
    text.reserve(kStateSize * 21);
    for (std::size_t k = 0; k < kStateSize; ++k) {
        text += std::to_string(m_words[(m_oldest + k) % kStateSize]);
        text += ' ';
    }
    return text;
}

RandomGenerator::StateText RandomGenerator::readStateText(const std::string &text, Words &words)
{
    std::size_t pos = 0;
    const std::size_t length = text.size();
    for (std::size_t k = 0; k < kStateSize; ++k) {
        while (pos < length && isBlank(text[pos])) {
            ++pos;
        }
        if (pos >= length || !isDigit(text[pos])) {
            return StateText::Unreadable;
        }
        std::uint64_t value = 0;
        while (pos < length && isDigit(text[pos])) {
            const auto digit = static_cast<std::uint64_t>(text[pos] - '0');
            if (value > (~std::uint64_t{0} - digit) / 10) {
                return StateText::Unreadable; // above 2^64 − 1
            }
            value = value * 10 + digit;
            ++pos;
        }
        // Words must be separated by white space: "12x" or a sign glued to the next word is refused. What
        // follows the last word is trailing data.
        if (k + 1 < kStateSize && pos < length && !isBlank(text[pos])) {
            return StateText::Unreadable;
        }
        words[k] = value;
    }
    while (pos < length) {
        if (!isBlank(text[pos])) {
            return StateText::Trailing;
        }
        ++pos;
    }
    // The recurrence reads only the high bits of the oldest word; with those and every other word 0 it
    // produces 0 from 0 for ever. Any other state lies on the one full-period orbit.
    bool degenerate = (words[0] & kUpperMask) == 0;
    for (std::size_t k = 1; degenerate && k < kStateSize; ++k) {
        degenerate = words[k] == 0;
    }
    return degenerate ? StateText::Degenerate : StateText::Valid;
}

RandomGenerator::StateText RandomGenerator::checkStateText(const std::string &text)
{
    Words words{};
    return readStateText(text, words);
}

bool RandomGenerator::restoreState(const std::string &text)
{
    Words words{};
    if (readStateText(text, words) != StateText::Valid) {
        return false;
    }
    m_words = words;
    m_oldest = 0;
    return true;
}

bool RandomGenerator::operator==(const RandomGenerator &other) const
{
    for (std::size_t k = 0; k < kStateSize; ++k) {
        if (m_words[(m_oldest + k) % kStateSize] != other.m_words[(other.m_oldest + k) % kStateSize]) {
            return false;
        }
    }
    return true;
}

} // namespace Fasoria
