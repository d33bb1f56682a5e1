#include "validation/suite/ValidationTexts.h"

#include "ui/texts/TextCatalog.h"

namespace Fasoria {

namespace {

struct GroupName
{
    const char *stored;
    const char *italian;
};

// Every stored group with its Italian display form.
constexpr GroupName kGroupNames[] = {
    {kGroupCore, "Motore v0.10"},
    {kGroupGolden, "Vettori analitici"},
    {kGroupCrossCheck, "Verifica indipendente"},
    {kGroupMeasurement, "Misure"},
    {kGroupAlgebra, "Algebra"},
    {kGroupReplay, "Ricostruzione"},
    {kGroupAlgorithms, "Algoritmi"},
    {kGroupEditor, "Editor"},
    {kGroupChallenges, "Sfide"},
    {kGroupDocuments, "Qt / Documenti"},
    {kGroupLocalization, "Qt / Lingue"},
    {kGroupSettings, "Qt / Preferenze"},
};

// Dialog texts the window's catalog does not hold, (Italian, English).
constexpr TextPair kExportButton{"Esporta report JSON...", "Export JSON report..."};
constexpr TextPair kSaveDialogTitle{"Salva report della validazione scientifica", "Save scientific validation report"};
constexpr TextPair kSaveError{"Impossibile salvare il report di validazione.", "Cannot save validation report."};

} // namespace

QString validationGroupName(const std::string &group, Language language)
{
    if (!isEnglish(language)) {
        for (const GroupName &name : kGroupNames) {
            if (group == name.stored) {
                return QString::fromUtf8(name.italian);
            }
        }
    }
    return QString::fromStdString(group);
}

QString validationDisplayId(const ValidationCheck &check, Language language)
{
    if (!isEnglish(language) && check.group == kGroupCore) {
        return coreCheckTitle(check.id, language);
    }
    return QString::fromStdString(check.id);
}

QString validationDetailedText(const std::vector<ValidationCheck> &checks, Language language)
{
    QString text;
    for (const ValidationCheck &check : checks) {
        text += QStringLiteral("%1 | %2 | %3 | %4\n")
                    .arg(check.passed ? QStringLiteral("PASS") : QStringLiteral("FAIL"),
                         validationGroupName(check.group, language), validationDisplayId(check, language),
                         QString::fromStdString(check.details));
    }
    return text;
}

QString validationDialogTitle(Language language)
{
    return uiText(TextKey::ValidationDialogTitle, language);
}

QString validationSummaryText(const std::vector<ValidationCheck> &checks, Language language)
{
    return uiText(TextKey::ValidationSummary, language)
        .arg(passedCount(checks))
        .arg(static_cast<qulonglong>(checks.size()));
}

QString validationExportButtonText(Language language)
{
    return uiText(kExportButton, language);
}

QString validationSaveDialogTitle(Language language)
{
    return uiText(kSaveDialogTitle, language);
}

QString validationFileFilter()
{
    return QStringLiteral("JSON (*.json)");
}

QString validationSaveErrorText(Language language)
{
    return uiText(kSaveError, language);
}

} // namespace Fasoria
