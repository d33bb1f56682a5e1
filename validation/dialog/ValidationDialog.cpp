#include "validation/dialog/ValidationDialog.h"

#include "ui/widgets/Prompts.h"
#include "validation/suite/ValidationCheck.h"
#include "validation/suite/ValidationReport.h"
#include "validation/suite/ValidationSuite.h"
#include "validation/suite/ValidationTexts.h"

#include <vector>

namespace Fasoria {

ValidationOutcome runValidationDialog(const Prompts &prompts, Language language)
{
    const std::vector<ValidationCheck> checks = runFullValidation();
    ReportBox box;
    box.icon = isOverallPass(checks) ? QMessageBox::Information : QMessageBox::Warning;
    box.title = validationDialogTitle(language);
    box.text = validationSummaryText(checks, language);
    box.detailedText = validationDetailedText(checks, language);
    box.extraButton = validationExportButtonText(language);
    if (prompts.report(box)) {
        const QString path = prompts.fileName(FileDialogMode::Save, validationSaveDialogTitle(language),
                                              validationReportFileName(), validationFileFilter());
        QString error;
        if (!path.isEmpty() && !saveValidationReport(path, checks, &error)) {
            // The file's own reason (a missing folder, a full disk) tells the teacher what to change.
            prompts.message(QMessageBox::Warning, validationDialogTitle(language),
                            validationSaveErrorText(language) + QLatin1Char('\n') + error);
        }
    }
    return ValidationOutcome{passedCount(checks), static_cast<int>(checks.size())};
}

} // namespace Fasoria
