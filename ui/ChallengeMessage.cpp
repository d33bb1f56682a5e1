#include "ui/ChallengeMessage.h"

#include "core/GateText.h"
#include "ui/TextCatalog.h"

namespace Fasoria {

namespace {

const char *const kPhaseHintIt = " Stesse probabilità, fase relativa diversa. Confronta H e H-Z, poi aggiungi H a "
                                 "entrambi nel laboratorio didattico.";
const char *const kPhaseHintEn =
    " Same probabilities, different relative phase. Compare H and H-Z, then add H to both in the learning lab.";

} // namespace

QString fidelityPercent(double fidelity)
{
    return QString::fromStdString(formatFixed(fidelity * 100.0, 4));
}

QString challengeMessage(const ChallengeResult &result, Language language)
{
    // Statuses 0..5 follow one another from key 157 ("Solved") on.
    const auto statusKey =
        static_cast<TextKey>(static_cast<std::int32_t>(TextKey::Solved) + static_cast<std::int32_t>(result.status));
    QString message =
        uiText(statusKey, language) + uiText(TextKey::Fidelity, language).arg(fidelityPercent(result.fidelity));
    if (result.probabilitiesMatch && !isSolvingFidelity(result.fidelity)) {
        message += QString::fromUtf8(pick(language, kPhaseHintIt, kPhaseHintEn));
    }
    return message;
}

} // namespace Fasoria
