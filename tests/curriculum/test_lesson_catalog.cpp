#include "core/Circuit.h"
#include "curriculum/Challenge.h"
#include "curriculum/LessonCatalog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace Fasoria {
namespace {

constexpr double kTolerance = 1e-12;
constexpr std::size_t kLessonCount = 21;

// Strict UTF-8: no stray continuation bytes, truncated sequences, overlong forms, surrogates or code points
// above U+10FFFF. A NUL inside a sequence fails the continuation test, so the scan never passes the end.
bool isValidUtf8(const char *text)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(text);
    std::size_t i = 0;
    while (bytes[i] != 0) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        std::uint32_t codePoint = 0;
        std::uint32_t smallest = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            codePoint = lead & 0x1FU;
            smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            codePoint = lead & 0x0FU;
            smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            codePoint = lead & 0x07U;
            smallest = 0x10000;
        } else {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) {
                return false;
            }
            codePoint = (codePoint << 6) | (bytes[i + k] & 0x3FU);
        }
        if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

bool hasVisibleText(const char *text)
{
    return std::string(text).find_first_not_of(" \t\n\r\f\v") != std::string::npos;
}

void expectDisplayable(const char *text, const std::string &what)
{
    ASSERT_NE(text, nullptr) << what;
    EXPECT_TRUE(isValidUtf8(text)) << what << ": " << text;
    EXPECT_TRUE(hasVisibleText(text)) << what;
}

std::string twoDigits(std::size_t number)
{
    return std::string(1, static_cast<char>('0' + number / 10)) + static_cast<char>('0' + number % 10);
}

const Lesson &lesson(std::size_t index)
{
    return lessonCatalog().at(index);
}

TEST(Utf8Validator, TellsWellFormedFromMalformedText)
{
    EXPECT_TRUE(isValidUtf8("plain ASCII"));
    EXPECT_TRUE(isValidUtf8("\xC3\xA8 \xC2\xB7 \xE2\x9F\xA9 \xF0\x9F\x98\x80"));
    EXPECT_FALSE(isValidUtf8("truncated \xC3"));
    EXPECT_FALSE(isValidUtf8("\xC3("));
    EXPECT_FALSE(isValidUtf8("stray \x80"));
    EXPECT_FALSE(isValidUtf8("overlong \xC0\xAF"));
    EXPECT_FALSE(isValidUtf8("surrogate \xED\xA0\x80"));
    EXPECT_FALSE(isValidUtf8("beyond \xF4\x90\x80\x80"));
}

TEST(LessonCatalog, HoldsTheTwentyOneLessonsWithTheirQubitCounts)
{
    const std::vector<std::int32_t> qubits{1, 1, 2, 1, 1, 1, 1, 2, 2, 2, 1, 2, 1, 3, 2, 2, 2, 4, 2, 3, 3};
    const LessonCatalog &catalog = lessonCatalog();
    ASSERT_EQ(catalog.size(), kLessonCount);
    for (std::size_t i = 0; i < kLessonCount; ++i) {
        EXPECT_EQ(catalog[i].qubitCount, qubits[i]) << "lesson " << twoDigits(i + 1);
    }
    EXPECT_EQ(&lessonCatalog(), &catalog);
}

TEST(LessonCatalog, OnlyChallengesStartEmpty)
{
    for (std::size_t i = 0; i < kLessonCount; ++i) {
        const bool isChallenge = i >= 4 && i <= 13;
        EXPECT_EQ(lesson(i).steps.empty(), isChallenge) << "lesson " << twoDigits(i + 1);
        EXPECT_EQ(findChallenge(i) != nullptr, isChallenge) << "lesson " << twoDigits(i + 1);
    }
}

TEST(LessonCatalog, PinsTextsByteForByte)
{
    const LessonCatalog &catalog = lessonCatalog();
    ASSERT_EQ(catalog.size(), kLessonCount);
    const std::vector<std::pair<const char *, const char *>> pinned{
        {catalog[8].titleIt, "09 - Quattro possibilit\xC3\xA0"},
        {catalog[12].titleIt, "13 - Le probabilit\xC3\xA0 ingannano"},
        {catalog[2].explanationIt,
         "Lo stato di Bell correla le due misure. L'entanglement non \xC3\xA8 una semplice coppia di monete."},
        {catalog[3].steps.at(1).explanationIt, "Z: l'ampiezza di |1> cambia segno; probabilit\xC3\xA0 invariate."},
        {catalog[4].explanationIt, "Sfida: costruisci il circuito e premi Verifica. I suggerimenti sono opzionali."},
        {catalog[17].questionEn,
         "The oracle returns f(x)=s\xC2\xB7x (mod 2), s=101. Recover three bits with one query."},
        {catalog[19].explanationIt, "Dopo una iterazione P(|101>)=78,125%. Osserva quanto \xC3\xA8 aumentata."},
        {catalog[20].questionIt,
         "Ripeti oracolo e diffusione: il risultato \xC3\xA8 pi\xC3\xB9 probabile, ma non certo."},
        {kPreparationText.it, "Preparazione: osserva nascere la sovrapposizione."},
        {kOracleText.en, "Oracle: these gates implement a function, not one primitive gate."},
        {kDiffusionText.en, "Grover diffusion: reflection of amplitudes about their average."},
        {kFinalInterferenceText.it, "Interferenza finale: il risultato utile compare nei qubit dati."},
    };
    for (const auto &[actual, expected] : pinned) {
        EXPECT_STREQ(actual, expected);
    }
}

class LessonRow : public ::testing::TestWithParam<std::size_t>
{};

TEST_P(LessonRow, IsNumberedAndDisplayableInBothLanguages)
{
    const std::size_t index = GetParam();
    ASSERT_LT(index, lessonCatalog().size());
    const Lesson &entry = lesson(index);
    const std::string prefix = twoDigits(index + 1) + " - ";
    expectDisplayable(entry.titleIt, "titleIt");
    expectDisplayable(entry.titleEn, "titleEn");
    expectDisplayable(entry.questionIt, "questionIt");
    expectDisplayable(entry.questionEn, "questionEn");
    expectDisplayable(entry.explanationIt, "explanationIt");
    expectDisplayable(entry.explanationEn, "explanationEn");
    EXPECT_EQ(std::string(entry.titleIt).rfind(prefix, 0), 0U) << entry.titleIt;
    EXPECT_EQ(std::string(entry.titleEn).rfind(prefix, 0), 0U) << entry.titleEn;
    for (std::size_t s = 0; s < entry.steps.size(); ++s) {
        expectDisplayable(entry.steps[s].explanationIt, "step " + std::to_string(s) + " it");
        expectDisplayable(entry.steps[s].explanationEn, "step " + std::to_string(s) + " en");
    }
}

TEST_P(LessonRow, CarriesZerosInIgnoredFieldsAndReplaysToTheEnd)
{
    const std::size_t index = GetParam();
    ASSERT_LT(index, lessonCatalog().size());
    const Lesson &entry = lesson(index);
    for (const LessonStep &step : entry.steps) {
        if (step.gate.kind != GateKind::Cnot) {
            EXPECT_EQ(step.gate.control, 0);
        }
        if (step.gate.kind != GateKind::P) {
            EXPECT_EQ(step.gate.angle, 0.0);
        }
    }
    const StateVector state = replayPrefix(entry, entry.steps.size());
    EXPECT_NEAR(state.totalProbability(), 1.0, kTolerance);
}

INSTANTIATE_TEST_SUITE_P(AllLessons, LessonRow, ::testing::Range<std::size_t>(0, kLessonCount),
                         [](const ::testing::TestParamInfo<std::size_t> &row) {
                             return "lesson" + twoDigits(row.param + 1);
                         });

class ChallengeRow : public ::testing::TestWithParam<std::uint64_t>
{};

TEST_P(ChallengeRow, IsDisplayableInBothLanguages)
{
    const Challenge *challenge = findChallenge(GetParam());
    ASSERT_NE(challenge, nullptr);
    expectDisplayable(challenge->goalIt, "goalIt");
    expectDisplayable(challenge->goalEn, "goalEn");
    expectDisplayable(challenge->hint1It, "hint1It");
    expectDisplayable(challenge->hint1En, "hint1En");
    expectDisplayable(challenge->hint2It, "hint2It");
    expectDisplayable(challenge->hint2En, "hint2En");
    expectDisplayable(challenge->hint3It, "hint3It");
    expectDisplayable(challenge->hint3En, "hint3En");
}

INSTANTIATE_TEST_SUITE_P(AllChallenges, ChallengeRow, ::testing::Range<std::uint64_t>(4, 14),
                         [](const ::testing::TestParamInfo<std::uint64_t> &row) {
                             return "lesson" + twoDigits(static_cast<std::size_t>(row.param) + 1);
                         });

struct GuidedFinalState
{
    std::size_t lesson;
    std::vector<Complex> amplitudes;
};

TEST(LessonCatalog, GuidedLessonsEndInTheirStates)
{
    const double a = 1.0 / std::sqrt(2.0);
    const std::vector<GuidedFinalState> rows{
        {0, {{a, 0.0}, {a, 0.0}}},
        {1, {{1.0, 0.0}, {0.0, 0.0}}},
        {2, {{a, 0.0}, {0.0, 0.0}, {0.0, 0.0}, {a, 0.0}}},
        {3, {{0.0, 0.0}, {1.0, 0.0}}},
    };
    for (const GuidedFinalState &row : rows) {
        const Lesson &entry = lesson(row.lesson);
        const StateVector state = replayPrefix(entry, entry.steps.size());
        ASSERT_EQ(state.dimension(), row.amplitudes.size()) << entry.titleEn;
        for (std::size_t i = 0; i < row.amplitudes.size(); ++i) {
            EXPECT_NEAR(state.amplitude(i).re, row.amplitudes[i].re, kTolerance) << entry.titleEn << " |" << i;
            EXPECT_NEAR(state.amplitude(i).im, row.amplitudes[i].im, kTolerance) << entry.titleEn << " |" << i;
        }
    }
}

// Probability that the qubits selected by `mask` read `value` after the whole lesson.
struct AlgorithmOutcome
{
    std::size_t lesson;
    std::uint64_t mask;
    std::uint64_t value;
    double probability;
};

TEST(LessonCatalog, AlgorithmLessonsReachTheirAnswers)
{
    const std::vector<AlgorithmOutcome> rows{
        {14, 0b1, 0b0, 1.0},     // Deutsch, constant: q0 = 0
        {15, 0b1, 0b1, 1.0},     // Deutsch, balanced: q0 = 1
        {16, 0b1, 0b1, 1.0},     // Deutsch, the other balanced oracle
        {17, 0b111, 0b101, 1.0}, // Bernstein-Vazirani: data qubits give the secret, whatever q3 shows
        {18, 0b11, 0b10, 1.0},   // Grover on four values
        {19, 0b111, 0b101, 0.78125}, {20, 0b111, 0b101, 0.9453125},
    };
    for (const AlgorithmOutcome &row : rows) {
        const Lesson &entry = lesson(row.lesson);
        const StateVector state = replayPrefix(entry, entry.steps.size());
        double probability = 0.0;
        for (std::uint64_t i = 0; i < state.dimension(); ++i) {
            if ((i & row.mask) == row.value) {
                probability += state.probability(i);
            }
        }
        EXPECT_NEAR(probability, row.probability, 1e-9) << entry.titleEn;
    }
}

struct PhaseRun
{
    const StepText *text;
    std::size_t length;
};

struct AlgorithmShape
{
    std::size_t lesson;
    std::size_t gateCount;
    std::vector<PhaseRun> phases;
};

TEST(LessonCatalog, AlgorithmStepsCarryTheTextOfTheirPhase)
{
    const StepText *prep = &kPreparationText;
    const StepText *oracle = &kOracleText;
    const StepText *diffusion = &kDiffusionText;
    const StepText *closing = &kFinalInterferenceText;
    const std::vector<AlgorithmShape> rows{
        {14, 5, {{prep, 3}, {oracle, 1}, {closing, 1}}},
        {15, 5, {{prep, 3}, {oracle, 1}, {closing, 1}}},
        {16, 6, {{prep, 3}, {oracle, 2}, {closing, 1}}},
        {17, 10, {{prep, 5}, {oracle, 2}, {closing, 3}}},
        {18, 18, {{prep, 2}, {oracle, 5}, {diffusion, 11}}},
        {19, 51, {{prep, 3}, {oracle, 19}, {diffusion, 29}}},
        {20, 99, {{prep, 3}, {oracle, 19}, {diffusion, 29}, {oracle, 19}, {diffusion, 29}}},
    };
    for (const AlgorithmShape &row : rows) {
        const Lesson &entry = lesson(row.lesson);
        ASSERT_EQ(entry.steps.size(), row.gateCount) << entry.titleEn;
        std::size_t step = 0;
        for (const PhaseRun &run : row.phases) {
            for (std::size_t k = 0; k < run.length; ++k, ++step) {
                ASSERT_LT(step, entry.steps.size());
                EXPECT_STREQ(entry.steps[step].explanationIt, run.text->it) << entry.titleEn << " step " << step;
                EXPECT_STREQ(entry.steps[step].explanationEn, run.text->en) << entry.titleEn << " step " << step;
            }
        }
        EXPECT_EQ(step, row.gateCount) << entry.titleEn;
    }
}

// A slice of lesson 20's oracle (3 H, X q1, CCZ, X q1, diffusion) applied to the uniform superposition.
struct OracleSlice
{
    const char *name;
    std::size_t first;
    std::size_t end;
    std::uint64_t flipped;
};

TEST(LessonCatalog, GroverNetworksFlipOnlyTheirBasisState)
{
    const std::vector<OracleSlice> rows{
        {"CCZ", 4, 21, 0b111},
        {"oracle for 101", 3, 22, 0b101},
    };
    const Lesson &grover = lesson(19);
    for (const OracleSlice &row : rows) {
        Circuit circuit;
        circuit.qubitCount = 3;
        for (std::int32_t k = 0; k < 3; ++k) {
            circuit.steps.emplace_back(GateKind::H, k, 0, 0.0);
        }
        circuit.steps.insert(circuit.steps.end(), grover.steps.begin() + static_cast<std::ptrdiff_t>(row.first),
                             grover.steps.begin() + static_cast<std::ptrdiff_t>(row.end));
        const StateVector state = replayPrefix(circuit, circuit.steps.size());
        const double uniform = 1.0 / std::sqrt(8.0);
        for (std::uint64_t i = 0; i < 8; ++i) {
            EXPECT_NEAR(state.amplitude(i).re, i == row.flipped ? -uniform : uniform, kTolerance)
                << row.name << " |" << i;
            EXPECT_NEAR(state.amplitude(i).im, 0.0, kTolerance) << row.name << " |" << i;
        }
    }
}

TEST(AppendAlgorithmLessons, RefusesAListThatIsNotLessons01To14)
{
    const LessonCatalog &catalog = lessonCatalog();
    ASSERT_EQ(catalog.size(), kLessonCount);
    for (std::size_t size : {std::size_t{0}, std::size_t{13}, std::size_t{15}, kLessonCount}) {
        LessonCatalog lessons(catalog.begin(), catalog.begin() + static_cast<std::ptrdiff_t>(size));
        try {
            appendAlgorithmLessons(lessons);
            ADD_FAILURE() << "no error for " << size << " lessons";
        } catch (const std::logic_error &error) {
            EXPECT_STREQ(error.what(), "Algorithm lessons must follow lessons 01..14");
        }
        EXPECT_EQ(lessons.size(), size);
    }
}

TEST(AppendAlgorithmLessons, CompletesLessons01To14)
{
    const LessonCatalog &catalog = lessonCatalog();
    ASSERT_EQ(catalog.size(), kLessonCount);
    LessonCatalog lessons(catalog.begin(), catalog.begin() + 14);
    appendAlgorithmLessons(lessons);
    ASSERT_EQ(lessons.size(), kLessonCount);
    for (std::size_t i = 14; i < kLessonCount; ++i) {
        EXPECT_STREQ(lessons[i].titleEn, catalog[i].titleEn);
        EXPECT_EQ(lessons[i].steps.size(), catalog[i].steps.size());
    }
}

} // namespace
} // namespace Fasoria
