#include "ui/model/LogEvent.h"

#include "core/GateText.h"
#include "curriculum/Challenge.h"
#include "curriculum/LessonCatalog.h"
#include "editor/ChallengeFile.h"
#include "ui/model/LessonShelf.h"

#include <iterator>

namespace Fasoria {
namespace {

constexpr TextPair kDistributionPrefix = {"PREVISIONE DISTRIBUZIONE: ", "DISTRIBUTION PREDICTION: "};

/// The circuit an event refers to: the working circuit while its lesson is the one shown, otherwise the
/// catalog lesson; null for an index outside the catalog.
const Circuit *eventCircuit(const LogEvent &event, const LogContext &context, bool *isWorking)
{
    *isWorking = context.workingCircuit && event.lessonIndex == context.currentLessonIndex;
    if (*isWorking) {
        return context.workingCircuit;
    }
    return lessonAt(event.lessonIndex);
}

/// A step as it was applied: the recorded gate, and what it did in the words of that moment's circuit.
QString recordedStep(const LogEvent &event, Language language)
{
    QString detail;
    if (event.working) {
        detail = QString::fromUtf8(gateDescription(event.gate.kind, language));
    } else {
        // A lesson never changes (a pack's stays on the shelf as it was read), so its text for the step is the one
        // the student read.
        const Lesson *lesson = lessonAt(event.lessonIndex);
        if (lesson && event.value < lesson->steps.size()) {
            const LessonStep &step = lesson->steps[static_cast<std::size_t>(event.value)];
            detail = uiText({step.explanationIt, step.explanationEn}, language);
        }
    }
    return QString::fromStdString(gateLabel(event.gate)) + QStringLiteral(" - ") + detail;
}

QString hintText(const LogEvent &event, const LogContext &context)
{
    const std::uint64_t hint = event.value;
    const Language language = context.language;
    if (event.value2 != 0) {
        // A teacher's hint: quoted while that challenge is still the one answered.
        if (!context.customChallenge || hint >= 3) {
            return QString();
        }
        return catalogText(TextKey::LogHint, language, QString::number(hint + 1)) +
               QString::fromStdString(challengeHints(*context.customChallenge, language)[hint]);
    }
    const std::int32_t lessonIndex = event.lessonIndex;
    const Challenge *challenge = lessonIndex < 0 ? nullptr : findChallenge(static_cast<std::uint64_t>(lessonIndex));
    if (!challenge || hint >= 3) {
        return QString();
    }
    return catalogText(TextKey::LogHint, language, QString::number(hint + 1)) + catalogHint(*challenge, hint, language);
}

QString distributionText(const LogEvent &event, const LogContext &context)
{
    const QString choice =
        context.distributionChoice ? context.distributionChoice(event.value) : QString::number(event.value);
    return uiText(kDistributionPrefix, context.language) + choice + QStringLiteral(" - ") + context.reasoning;
}

} // namespace

QString basisLabel(std::uint64_t index, std::int32_t qubits)
{
    QString label;
    for (std::int32_t bit = qubits - 1; bit >= 0; --bit) {
        label += bit < 64 && ((index >> bit) & 1U) ? QLatin1Char('1') : QLatin1Char('0');
    }
    return label;
}

QString stepDescription(const Circuit &circuit, std::uint64_t step, bool isWorkingCircuit, Language language)
{
    if (step >= circuit.steps.size()) {
        return QStringLiteral("?");
    }
    const LessonStep &lessonStep = circuit.steps[static_cast<std::size_t>(step)];
    const QString detail = isWorkingCircuit ? QString::fromUtf8(gateDescription(lessonStep.gate.kind, language))
                                            : uiText({lessonStep.explanationIt, lessonStep.explanationEn}, language);
    return QString::fromStdString(gateLabel(lessonStep.gate)) + QStringLiteral(" - ") + detail;
}

QString catalogHint(const Challenge &challenge, std::uint64_t index, Language language)
{
    const TextPair hints[] = {{challenge.hint1It, challenge.hint1En},
                              {challenge.hint2It, challenge.hint2En},
                              {challenge.hint3It, challenge.hint3En}};
    return index < std::size(hints) ? uiText(hints[index], language) : QString();
}

QString fixedText(double value, int decimals)
{
    return QString::fromStdString(formatFixed(value, decimals));
}

QString renderLogEvent(const LogEvent &event, const LogContext &context)
{
    const Language language = context.language;
    bool isWorking = false;
    const Circuit *circuit = eventCircuit(event, context, &isWorking);
    const std::int32_t qubits = event.qubits > 0 ? event.qubits : circuit ? circuit->qubitCount : 0;
    switch (static_cast<LogEventKind>(event.kind)) {
    case LogEventKind::Prepared:
        if (!circuit) {
            return QString();
        }
        return catalogText(TextKey::LogPrepared, language, uiText({circuit->titleIt, circuit->titleEn}, language),
                           QLatin1Char('|') + basisLabel(0, qubits) + QLatin1Char('>'), QString::number(qubits),
                           qubitWord(qubits, language));
    case LogEventKind::Step:
        if (!circuit) {
            return QString();
        }
        return catalogText(TextKey::LogStep, language, QString::number(event.value + 1),
                           event.qubits > 0 ? recordedStep(event, language)
                                            : stepDescription(*circuit, event.value, isWorking, language));
    case LogEventKind::Navigation:
        return catalogText(TextKey::LogNavigation, language, QString::number(event.value));
    case LogEventKind::Measurement:
        return catalogText(TextKey::LogMeasure, language, basisLabel(event.value, qubits));
    case LogEventKind::Preparations:
        return catalogText(TextKey::LogPreparations, language, basisLabel(event.value, qubits),
                           QString::number(event.value2), QString::number(event.shots));
    case LogEventKind::Validation:
        return catalogText(TextKey::LogValidation, language, QString::number(event.value),
                           QString::number(event.value2));
    case LogEventKind::Editor: {
        const auto action = static_cast<EditAction>(static_cast<std::int32_t>(event.value));
        return catalogText(TextKey::LogEditor, language, QString::fromUtf8(editActionWord(action, language)),
                           QString::number(event.value2));
    }
    case LogEventKind::Prediction:
        return catalogText(TextKey::LogPrediction, language, basisLabel(event.value, qubits));
    case LogEventKind::ChallengeCheck:
        return catalogText(event.value != 0 ? TextKey::LogChallengeSolved : TextKey::LogChallengeIncomplete, language,
                           fixedText(static_cast<double>(event.value2) / 100.0, 2));
    case LogEventKind::Hint:
        return hintText(event, context);
    case LogEventKind::DistributionPrediction:
        return distributionText(event, context);
    }
    return QString();
}

} // namespace Fasoria
