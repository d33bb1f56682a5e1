#include "validation/suite/ValidationSuite.h"

#include "core/CoreSelfTest.h"
#include "curriculum/LessonCatalog.h"
#include "validation/suite/EngineChecks.h"
#include "validation/suite/QtChecks.h"

#include <utility>

namespace Fasoria {

namespace {

std::vector<CheckEntry> engineEntries()
{
    std::vector<CheckEntry> entries;
    for (const GoldenVector &golden : goldenVectors()) {
        entries.push_back({golden.id, kGroupGolden, [&golden] { checkGoldenVector(golden); }});
    }
    entries.push_back({"R01-dense-independent", kGroupCrossCheck, checkDenseIndependent});
    entries.push_back({"R02-measurement-collapse", kGroupMeasurement, checkMeasurementCollapse});
    entries.push_back({"R03-gate-inverse", kGroupAlgebra, checkGateInverse});
    entries.push_back({"R04-replay-all-lessons", kGroupReplay, [] { checkReplayAllLessons(lessonCatalog()); }});
    entries.push_back({"R05-standard-algorithms", kGroupAlgorithms, checkStandardAlgorithms});
    entries.push_back({"R06-configurable-82", kGroupAlgorithms, checkConfigurableAlgorithms});
    entries.push_back({"R07-editor-rollback", kGroupEditor, checkEditorRollback});
    entries.push_back({"R08-fidelity-phase", kGroupChallenges, checkFidelityPhase});
    return entries;
}

} // namespace

std::vector<ValidationCheck> runValidationSuite()
{
    std::vector<ValidationCheck> checks;
    for (const CoreCheckResult &core : runCoreSelfTest()) {
        checks.push_back(ValidationCheck{core.name, kGroupCore, core.passed, core.detail});
    }
    for (ValidationCheck &check : runChecks(engineEntries())) {
        checks.push_back(std::move(check));
    }
    return checks;
}

std::vector<ValidationCheck> runQtChecks()
{
    return runChecks({
        {"Q01-JSON-roundtrip", kGroupDocuments, checkJsonRoundtrip},
        {"Q02-JSON-invalid-header", kGroupDocuments, checkJsonInvalidHeader},
        {"Q03-JSON-invalid-gates", kGroupDocuments, checkJsonInvalidGates},
        {"Q04-JSON-truncated-large", kGroupDocuments, checkJsonTruncatedLarge},
        {"Q05-ITEN-labels", kGroupLocalization, checkTextLabels},
        {"Q06-ITEN-lessons", kGroupLocalization, [] { checkLessonTexts(lessonCatalog()); }},
        {"Q07-settings-roundtrip", kGroupSettings, checkSettingsRoundtrip},
    });
}

std::vector<ValidationCheck> runFullValidation()
{
    std::vector<ValidationCheck> checks = runValidationSuite();
    for (ValidationCheck &check : runQtChecks()) {
        checks.push_back(std::move(check));
    }
    return checks;
}

} // namespace Fasoria
