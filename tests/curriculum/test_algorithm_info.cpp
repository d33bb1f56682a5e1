#include "curriculum/AlgorithmInfo.h"
#include "curriculum/LessonCatalog.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace Fasoria;

namespace {

// Well-formed UTF-8: no stray continuation bytes, no truncated or overlong sequences, no surrogates.
bool isValidUtf8(const std::string &text)
{
    static const std::uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        std::uint32_t code = lead;
        if (lead >= 0x80) {
            if ((lead & 0xE0) == 0xC0) {
                length = 2;
            } else if ((lead & 0xF0) == 0xE0) {
                length = 3;
            } else if ((lead & 0xF8) == 0xF0) {
                length = 4;
            } else {
                return false;
            }
            if (i + length > text.size()) {
                return false;
            }
            code = lead & (0x7FU >> length);
            for (std::size_t k = 1; k < length; ++k) {
                const auto next = static_cast<unsigned char>(text[i + k]);
                if ((next & 0xC0) != 0x80) {
                    return false;
                }
                code = (code << 6) | (next & 0x3FU);
            }
            if (code < kMinimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

bool hasVisibleText(const char *text)
{
    if (text == nullptr) {
        return false;
    }
    for (const char *c = text; *c != '\0'; ++c) {
        if (!std::isspace(static_cast<unsigned char>(*c))) {
            return true;
        }
    }
    return false;
}

template <typename Exception, typename Call>
std::string thrownMessage(Call call)
{
    try {
        call();
    } catch (const Exception &error) {
        return error.what();
    }
    return "<nothing thrown>";
}

enum Stage
{
    Initial,
    Preparation,
    FirstOracle,
    FinalInterference,
    FirstDiffusion,
    SecondOracle,
    SecondDiffusion
};

const std::pair<std::string, std::string> kStageNames[] = {
    {"Stato iniziale", "Initial state"},
    {"Preparazione della sovrapposizione", "Prepare superposition"},
    {"Dopo la prima chiamata all'oracolo", "After first oracle call"},
    {"Dopo l'interferenza finale", "After final interference"},
    {"Dopo la prima diffusione", "After first diffusion"},
    {"Dopo la seconda chiamata all'oracolo", "After second oracle call"},
    {"Dopo la seconda diffusione", "After second diffusion"},
};

struct Record
{
    std::int64_t lessonIndex;
    std::int32_t classicalQueries;
    std::int32_t quantumQueries;
    std::uint64_t mask;
    std::uint64_t value;
    double probability;
    std::vector<std::pair<std::int64_t, Stage>> stages;
};

const Record kRecords[] = {
    {14, 2, 1, 1, 0, 1.0, {{0, Initial}, {3, Preparation}, {4, FirstOracle}, {5, FinalInterference}}},
    {15, 2, 1, 1, 1, 1.0, {{0, Initial}, {3, Preparation}, {4, FirstOracle}, {5, FinalInterference}}},
    {16, 2, 1, 1, 1, 1.0, {{0, Initial}, {3, Preparation}, {5, FirstOracle}, {6, FinalInterference}}},
    {17, 3, 1, 7, 5, 1.0, {{0, Initial}, {5, Preparation}, {7, FirstOracle}, {10, FinalInterference}}},
    {18, 3, 1, 3, 2, 1.0, {{0, Initial}, {2, Preparation}, {7, FirstOracle}, {18, FirstDiffusion}}},
    {19, 7, 1, 7, 5, 0.78125, {{0, Initial}, {3, Preparation}, {22, FirstOracle}, {51, FirstDiffusion}}},
    {20,
     7,
     2,
     7,
     5,
     0.9453125,
     {{0, Initial},
      {3, Preparation},
      {22, FirstOracle},
      {51, FirstDiffusion},
      {70, SecondOracle},
      {99, SecondDiffusion}}},
};

class AlgorithmRecordTest : public ::testing::TestWithParam<Record>
{};

} // namespace

TEST(Utf8Validator, RejectsMalformedSequences)
{
    EXPECT_TRUE(isValidUtf8("s\xc2\xb7x, probabilit\xc3\xa0, \xe2\x86\x92, \xf0\x9f\x98\x80"));
    for (const char *bad : {"\xc3", "\x80", "\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xff"}) {
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
    }
}

TEST_P(AlgorithmRecordTest, FiguresMatchTheLesson)
{
    const Record &expected = GetParam();
    const AlgorithmInfo *info = findAlgorithmInfo(expected.lessonIndex);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->lessonIndex, expected.lessonIndex);
    EXPECT_EQ(info->classicalQueries, expected.classicalQueries);
    EXPECT_EQ(info->quantumQueries, expected.quantumQueries);
    EXPECT_EQ(info->readoutMask, expected.mask);
    EXPECT_EQ(info->readoutValue, expected.value);
    EXPECT_EQ(info->expectedProbability, expected.probability);
}

TEST_P(AlgorithmRecordTest, EveryTextIsPresentAndValidUtf8)
{
    const AlgorithmInfo *info = findAlgorithmInfo(GetParam().lessonIndex);
    ASSERT_NE(info, nullptr);
    for (const char *text : {info->nameIt, info->nameEn, info->oracleIt, info->oracleEn, info->classicalIt,
                             info->classicalEn, info->readoutIt, info->readoutEn, info->caveatIt, info->caveatEn}) {
        ASSERT_TRUE(hasVisibleText(text));
        EXPECT_TRUE(isValidUtf8(text)) << text;
    }
}

TEST_P(AlgorithmRecordTest, StagesFollowTheTable)
{
    const Record &expected = GetParam();
    const std::vector<AlgorithmStage> stages = algorithmStages(expected.lessonIndex);
    ASSERT_EQ(stages.size(), expected.stages.size());
    for (std::size_t i = 0; i < stages.size(); ++i) {
        EXPECT_EQ(stages[i].gateIndex, expected.stages[i].first) << i;
        EXPECT_EQ(stages[i].nameIt, kStageNames[expected.stages[i].second].first) << i;
        EXPECT_EQ(stages[i].nameEn, kStageNames[expected.stages[i].second].second) << i;
    }
}

TEST_P(AlgorithmRecordTest, LessonCircuitReachesTheExpectedReadout)
{
    const Record &expected = GetParam();
    const Circuit &lesson = lessonCatalog().at(static_cast<std::size_t>(expected.lessonIndex));
    const AlgorithmInfo *info = findAlgorithmInfo(expected.lessonIndex);
    ASSERT_NE(info, nullptr);
    EXPECT_NEAR(readoutProbability(*info, lesson), info->expectedProbability, 1e-9);
    // The last checkpoint is the complete circuit.
    EXPECT_EQ(static_cast<std::size_t>(algorithmStages(expected.lessonIndex).back().gateIndex), lesson.steps.size());
}

INSTANTIATE_TEST_SUITE_P(Lessons15To21, AlgorithmRecordTest, ::testing::ValuesIn(kRecords),
                         [](const ::testing::TestParamInfo<Record> &row) {
                             return "lesson" + std::to_string(row.param.lessonIndex + 1);
                         });

TEST(AlgorithmInfo, TextsAreStoredByteForByte)
{
    const AlgorithmInfo *bv = findAlgorithmInfo(17);
    const AlgorithmInfo *grover = findAlgorithmInfo(20);
    const AlgorithmInfo *deutsch = findAlgorithmInfo(14);
    ASSERT_TRUE(bv != nullptr && grover != nullptr && deutsch != nullptr);
    EXPECT_STREQ(bv->oracleIt,
                 "s=101; il circuito CNOT seleziona q0 e q2, e la funzione restituisce s\xc2\xb7x mod 2.");
    EXPECT_STREQ(bv->oracleEn, "s=101; the oracle CNOTs select q0 and q2; f(x)=s\xc2\xb7x mod 2.");
    EXPECT_STREQ(bv->readoutIt, "Leggi q2q1q0=101. Il bit q3 resta in |-> e NON \xc3\xa8 parte del segreto.");
    EXPECT_STREQ(grover->nameIt, "Grover 3 qubit");
    EXPECT_STREQ(grover->nameEn, "Grover 3 qubits");
    EXPECT_STREQ(grover->readoutIt, "Misura q2q1q0: P(101)=94,53125%; 2 iterazioni superano 1.");
    EXPECT_STREQ(grover->caveatIt, "Ciascun CCZ \xc3\xa8 decomposto in 17 porte. La profondit\xc3\xa0 reale conta: "
                                   "non leggere il numero di query come tempo.");
    EXPECT_STREQ(deutsch->caveatIt,
                 "Le interrogazioni contano l'oracolo logico; non i tempi n\xc3\xa9 le porte fisiche.");
}

TEST(AlgorithmInfo, OtherLessonsHaveNoMetadata)
{
    for (std::int64_t index : {-1, 0, 13, 21, 1000}) {
        EXPECT_EQ(findAlgorithmInfo(index), nullptr) << index;
        EXPECT_TRUE(algorithmStages(index).empty()) << index;
    }
}

TEST(ReadoutProbability, SumsTheMatchingOutcomes)
{
    Circuit circuit;
    circuit.qubitCount = 2;
    circuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
    EXPECT_NEAR(readoutProbability(1, 1, circuit), 0.5, 1e-15);
    EXPECT_NEAR(readoutProbability(3, 1, circuit), 0.5, 1e-15);
    EXPECT_EQ(readoutProbability(2, 2, circuit), 0.0);
    EXPECT_NEAR(readoutProbability(0, 0, circuit), 1.0, 1e-15);
}

TEST(ReadoutProbability, AncillaOutsideTheMaskCountsBothWays)
{
    const Circuit &lesson18 = lessonCatalog().at(17);
    const double ancillaZero = readoutProbability(15, 5, lesson18);
    const double ancillaOne = readoutProbability(15, 13, lesson18);
    EXPECT_NEAR(ancillaZero, 0.5, 1e-9);
    EXPECT_NEAR(ancillaOne, 0.5, 1e-9);
    EXPECT_NEAR(readoutProbability(7, 5, lesson18), ancillaZero + ancillaOne, 1e-12);
}

TEST(ReadoutProbability, ChecksTheMaskBeforeReplaying)
{
    // This circuit cannot be replayed, so only a check made first can report the mask.
    Circuit unplayable;
    unplayable.qubitCount = 0;
    EXPECT_EQ(thrownMessage<std::invalid_argument>([&] { readoutProbability(3, 4, unplayable); }),
              "Algorithm readout value outside mask");
    EXPECT_EQ(thrownMessage<std::invalid_argument>([&] { readoutProbability(1, 0, unplayable); }),
              "Qubits must be in the range 1..12");

    Circuit badGate;
    badGate.qubitCount = 2;
    badGate.steps.emplace_back(GateKind::Cnot, 1, 1, 0.0);
    EXPECT_EQ(thrownMessage<std::invalid_argument>([&] { readoutProbability(1, 0, badGate); }),
              "Control and target must be distinct");
}
