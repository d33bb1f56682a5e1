#pragma once

#include "core/Circuit.h"
#include "core/Language.h"
#include "curriculum/ChallengeDefinition.h"
#include "ui/texts/TextCatalog.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <type_traits>

namespace Fasoria {

struct Challenge;

/// What a notebook entry records, by its stored number.
enum class LogEventKind : std::int32_t
{
    Prepared = 0,
    Step = 1,
    Navigation = 2,
    Measurement = 3,
    Preparations = 4,
    Validation = 5,
    Editor = 6,
    Prediction = 7,
    ChallengeCheck = 8,
    Hint = 9,
    DistributionPrediction = 10,
};

/// One notebook entry, kept as data so that the whole notebook can be rendered again in another language.
/// The meaning of value and value2 depends on the kind (see renderLogEvent).
struct LogEvent
{
    std::int32_t kind = 0;
    /// Lesson selector index when the event was recorded.
    std::int32_t lessonIndex = 0;
    std::uint64_t value = 0;
    std::uint64_t value2 = 0;
    /// Preparations in the histogram at the moment of recording.
    std::uint64_t shots = 0;
    /// What the line needs of the circuit as it was when recorded, so that an edit made later (the notebook
    /// runs on across edits) never rewrites it: the register's size, 0 when unknown (the circuit shown then
    /// decides), and for a step the gate applied and whether it was the working circuit's (described by its
    /// kind) or the catalog lesson's (described by the lesson's own text for that step).
    std::int32_t qubits = 0;
    Gate gate;
    bool working = false;
};

/// Everything besides the event itself that a notebook line depends on.
struct LogContext
{
    Language language = Italian;
    /// Lesson selector index now shown; events of this lesson describe the working circuit when there is one.
    std::int32_t currentLessonIndex = -1;
    const Circuit *workingCircuit = nullptr;
    /// The teacher's challenge being answered, whose hints the hint events marked as its own quote.
    const ChallengeDefinition *customChallenge = nullptr;
    /// Text of the learning lab's distribution choice `value`; unset while there is no learning lab, in which
    /// case the number itself is written.
    std::function<QString(std::uint64_t value)> distributionChoice;
    /// The learning lab's current reasoning text.
    QString reasoning;
};

/// The n-bit label of a basis index: q(n−1) first and q0 last, "1" for a set bit.
QString basisLabel(std::uint64_t index, std::int32_t qubits);

/// Fills the placeholders %1, %2, … of a catalog text at once, so that an argument containing "%1" is never
/// substituted again. Numbers are passed already written (QString::number, fixedText).
template <typename... Args>
QString catalogText(TextKey key, Language language, const Args &...args)
{
    static_assert(sizeof...(Args) > 0 && (std::is_same_v<Args, QString> && ...), "arguments are texts");
    return uiText(key, language).arg(args...);
}

/// Hint `index` (0, 1 or 2) of a catalog challenge in `language`; empty for any other index.
QString catalogHint(const Challenge &challenge, std::uint64_t index, Language language);

/// A number in fixed notation with a decimal point; a value that would round to zero has no minus sign.
QString fixedText(double value, int decimals);

/// "H(q0) - " followed by what step `step` does: the gate's description for a working circuit, the step's
/// own explanation for a catalog lesson; "?" for a step the circuit does not have.
QString stepDescription(const Circuit &circuit, std::uint64_t step, bool isWorkingCircuit, Language language);

/// The notebook line of one event in the context's language; empty for an unknown kind.
QString renderLogEvent(const LogEvent &event, const LogContext &context);

} // namespace Fasoria
