#pragma once

#include "core/Language.h"
#include "validation/suite/ValidationCheck.h"

#include <QString>

#include <string>
#include <vector>

namespace Fasoria {

/// The display form of a stored group name: its Italian form in Italian, the stored name in English (and
/// for any name outside the group list).
QString validationGroupName(const std::string &group, Language language);

/// The display form of a row's id: in Italian, a "Core v0.10" row shows its core check's Italian title;
/// every other id is never translated.
QString validationDisplayId(const ValidationCheck &check, Language language);

/// The message box's detailed text: one "PASS|FAIL | group | id | details\n" line per row, with group and id
/// in their display forms.
QString validationDetailedText(const std::vector<ValidationCheck> &checks, Language language);

/// "Fasoria - Scientific validation" / "Fasoria - Validazione scientifica".
QString validationDialogTitle(Language language);
/// "Validation: <passed> / <total> checks passed. Details and export available." and its Italian form.
QString validationSummaryText(const std::vector<ValidationCheck> &checks, Language language);
/// "Export JSON report..." / "Esporta report JSON...".
QString validationExportButtonText(Language language);
/// "Save scientific validation report" / "Salva report della validazione scientifica".
QString validationSaveDialogTitle(Language language);
/// "JSON (*.json)" in both languages.
QString validationFileFilter();
/// "Cannot save validation report." / "Impossibile salvare il report di validazione.".
QString validationSaveErrorText(Language language);

} // namespace Fasoria
