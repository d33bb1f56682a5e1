#include "core/RandomGenerator.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace Fasoria;

namespace {

std::vector<std::uint64_t> words(const std::string &text)
{
    std::istringstream in(text);
    std::vector<std::uint64_t> result;
    std::uint64_t value;
    while (in >> value) {
        result.push_back(value);
    }
    return result;
}

std::string repeated(const std::string &word, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += word + " ";
    }
    return text;
}

} // namespace

class SameSequenceAsStandardEngine : public ::testing::TestWithParam<std::uint64_t>
{};

TEST_P(SameSequenceAsStandardEngine, ForThousandsOfOutputs)
{
    RandomGenerator generator(GetParam());
    std::mt19937_64 reference(GetParam());
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(generator.next(), reference()) << "output " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SameSequenceAsStandardEngine,
                         ::testing::Values(0ULL, 1ULL, 42ULL, 456ULL, 5489ULL, 12345ULL, 4294967295ULL,
                                           18446744073709551615ULL));

TEST(RandomGenerator, TenThousandthOutputOfDefaultSeed)
{
    RandomGenerator generator;
    std::uint64_t value = 0;
    for (int i = 0; i < 10000; ++i) {
        value = generator.next();
    }
    EXPECT_EQ(value, 9981545732273789042ULL);
}

TEST(RandomGenerator, FreshTextStateIsTheSeedingWords)
{
    const std::string text = RandomGenerator().stateText();
    const std::vector<std::uint64_t> state = words(text);
    ASSERT_EQ(state.size(), 312U);
    EXPECT_EQ(state[0], 5489U);
    std::uint64_t expected = 5489;
    for (std::size_t i = 1; i < 312; ++i) {
        expected = 6364136223846793005ULL * (expected ^ (expected >> 62)) + i;
        ASSERT_EQ(state[i], expected) << "word " << i;
    }
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), ' ');
    EXPECT_EQ(text.find("  "), std::string::npos) << "exactly one blank after each word";
    EXPECT_EQ(text.find_first_not_of("0123456789 "), std::string::npos);
}

class TextRoundTrip : public ::testing::TestWithParam<int>
{};

TEST_P(TextRoundTrip, ContinuesIdentically)
{
    RandomGenerator original(777);
    for (int i = 0; i < GetParam(); ++i) {
        original.next();
    }
    const std::string text = original.stateText();
    RandomGenerator restored(1);
    ASSERT_TRUE(restored.restoreState(text));
    EXPECT_EQ(restored.stateText(), text);
    EXPECT_TRUE(restored == original);
    for (int i = 0; i < 2000; ++i) {
        ASSERT_EQ(restored.next(), original.next()) << "after " << GetParam() << " outputs, draw " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(MidStream, TextRoundTrip, ::testing::Values(0, 1, 311, 312, 313, 1000));

TEST(RandomGenerator, TextStateMatchesTheStandardOldestFirstOrder)
{
    // The text alone determines the continuation: a generator restored from it carries on the standard
    // engine's sequence exactly where the original stopped.
    RandomGenerator generator(99);
    for (int i = 0; i < 500; ++i) {
        generator.next();
    }
    RandomGenerator copy(5);
    ASSERT_TRUE(copy.restoreState(generator.stateText()));
    std::mt19937_64 reference(99);
    reference.discard(500);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(copy.next(), reference());
    }
}

struct BadText
{
    const char *name;
    std::string text;
};

class RejectedText : public ::testing::TestWithParam<BadText>
{};

TEST_P(RejectedText, LeavesTheGeneratorUnchanged)
{
    RandomGenerator generator(2024);
    generator.next();
    const std::string before = generator.stateText();
    EXPECT_FALSE(generator.restoreState(GetParam().text));
    EXPECT_EQ(generator.stateText(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, RejectedText,
    ::testing::Values(BadText{"empty", ""}, BadText{"only_blanks", "   \n\t "},
                      BadText{"words_311", repeated("7", 311)}, BadText{"trailing_letter", repeated("7", 312) + "x"},
                      BadText{"trailing_word", repeated("7", 313)}, BadText{"sign_plus", "+" + repeated("7", 312)},
                      BadText{"sign_minus", repeated("7", 100) + "-7 " + repeated("7", 211)},
                      BadText{"above_2_64", repeated("7", 5) + "18446744073709551616 " + repeated("7", 306)},
                      BadText{"far_above", repeated("7", 5) + "99999999999999999999999 " + repeated("7", 306)},
                      BadText{"glued_letter", "7x " + repeated("7", 311)},
                      BadText{"decimal_point", "7.5 " + repeated("7", 311)},
                      BadText{"comma", repeated("7", 311) + "7,"}, BadText{"all_zero", repeated("0", 312)},
                      BadText{"zero_but_low_bits_of_oldest", "2147483647 " + repeated("0", 311)}),
    [](const ::testing::TestParamInfo<BadText> &row) { return std::string(row.param.name); });

TEST(RandomGenerator, AcceptsWhiteSpaceAroundAndBetween)
{
    std::string text = "\n  ";
    for (int i = 0; i < 312; ++i) {
        text += std::to_string(1000 + i) + (i % 3 == 0 ? "\t" : (i % 3 == 1 ? "\n\n" : "   "));
    }
    text += "\n \n  ";
    RandomGenerator generator;
    ASSERT_TRUE(generator.restoreState(text));
    const std::vector<std::uint64_t> state = words(generator.stateText());
    ASSERT_EQ(state.size(), 312U);
    EXPECT_EQ(state.front(), 1000U);
    EXPECT_EQ(state.back(), 1311U);
}

TEST(RandomGenerator, AcceptsTheLargestWord)
{
    RandomGenerator generator;
    ASSERT_TRUE(generator.restoreState(repeated("18446744073709551615", 312)));
    EXPECT_EQ(words(generator.stateText()).front(), 18446744073709551615ULL);
}

struct ClassifiedText
{
    const char *name;
    std::string text;
    RandomGenerator::StateText expected;
};

class StateTextCheck : public ::testing::TestWithParam<ClassifiedText>
{};

TEST_P(StateTextCheck, TellsWhyRestoreRefuses)
{
    EXPECT_EQ(RandomGenerator::checkStateText(GetParam().text), GetParam().expected);
    RandomGenerator generator;
    EXPECT_EQ(generator.restoreState(GetParam().text), GetParam().expected == RandomGenerator::StateText::Valid);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, StateTextCheck,
    ::testing::Values(
        ClassifiedText{"fresh", RandomGenerator(9).stateText(), RandomGenerator::StateText::Valid},
        ClassifiedText{"high_bit_of_oldest", "2147483648 " + repeated("0", 311), RandomGenerator::StateText::Valid},
        ClassifiedText{"newest_word", repeated("0", 311) + "1", RandomGenerator::StateText::Valid},
        ClassifiedText{"words_311", repeated("7", 311), RandomGenerator::StateText::Unreadable},
        ClassifiedText{"glued_to_first", "7x " + repeated("7", 311), RandomGenerator::StateText::Unreadable},
        ClassifiedText{"glued_to_last", repeated("7", 311) + "7x", RandomGenerator::StateText::Trailing},
        ClassifiedText{"zeros_then_letter", repeated("0", 312) + "x", RandomGenerator::StateText::Trailing},
        ClassifiedText{"all_zero", repeated("0", 312) + "\n", RandomGenerator::StateText::Degenerate},
        ClassifiedText{"low_bits_of_oldest", "2147483647 " + repeated("0", 311),
                       RandomGenerator::StateText::Degenerate}),
    [](const ::testing::TestParamInfo<ClassifiedText> &row) { return std::string(row.param.name); });

// The standard engine reads the same text state: it shows which states draw 0 for ever and which do not.
TEST(RandomGenerator, DegenerateStatesAreExactlyThoseThatDrawOnlyZeros)
{
    const auto zerosFromStandardEngine = [](const std::string &text) {
        std::istringstream in(text);
        std::mt19937_64 engine;
        in >> engine;
        for (int i = 0; i < 2000; ++i) {
            if (engine() != 0) {
                return false;
            }
        }
        return true;
    };
    EXPECT_TRUE(zerosFromStandardEngine("2147483647 " + repeated("0", 311)));
    EXPECT_FALSE(zerosFromStandardEngine("2147483648 " + repeated("0", 311)));
    EXPECT_FALSE(zerosFromStandardEngine(repeated("0", 311) + "1"));
}
