#include "ui/texts/ChallengeMessage.h"

#include "core/GateText.h"
#include "ui/texts/TextCatalog.h"

namespace Fasoria {

namespace {

constexpr TextPair kPhaseHint = {
    " Stesse probabilità, fase relativa diversa. Confronta H e H-Z, poi aggiungi H a entrambi nel laboratorio "
    "didattico.",
    " Same probabilities, different relative phase. Compare H and H-Z, then add H to both in the learning lab."};

// The two rules only a teacher's challenge has; the numbered texts of the catalog end with status 5.
constexpr TextPair kForbiddenKind = {"Il circuito usa un tipo di porta vietato dalla consegna.",
                                     "A gate kind the exercise forbids is used."};
constexpr TextPair kTooManyGates = {"Il circuito ha più porte di quante la consegna ne ammetta.",
                                    "The circuit has more gates than the exercise allows."};

QString statusText(ChallengeStatus status, Language language)
{
    if (status == ChallengeStatus::ForbiddenKind) {
        return uiText(kForbiddenKind, language);
    }
    if (status == ChallengeStatus::TooManyGates) {
        return uiText(kTooManyGates, language);
    }
    // Statuses 0..5 follow one another from key 157 ("Solved") on.
    return uiText(static_cast<TextKey>(static_cast<std::int32_t>(TextKey::Solved) + static_cast<std::int32_t>(status)),
                  language);
}

} // namespace

QString fidelityPercent(double fidelity)
{
    return QString::fromStdString(formatFixed(fidelity * 100.0, 4));
}

QString challengeMessage(const ChallengeResult &result, Language language)
{
    QString message =
        statusText(result.status, language) + uiText(TextKey::Fidelity, language).arg(fidelityPercent(result.fidelity));
    if (result.probabilitiesMatch && !isSolvingFidelity(result.fidelity)) {
        message += uiText(kPhaseHint, language);
    }
    return message;
}

} // namespace Fasoria
