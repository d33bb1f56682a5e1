#pragma once

#include "validation/suite/ValidationCheck.h"

#include <vector>

namespace Fasoria {

/// The engine part of the suite, in order: the eleven core self-test rows (group "Core v0.10", names, flags
/// and details copied), the golden vectors G01..G12 and the cross-checks R01..R08. Deterministic and free of
/// widgets; never throws for a failing check.
std::vector<ValidationCheck> runValidationSuite();

/// The toolkit part, Q01..Q07: circuit documents, bilingual texts and the settings store (in a temporary
/// directory only). The full suite is runValidationSuite() followed by this list.
std::vector<ValidationCheck> runQtChecks();

/// Both parts joined, as the window and the unattended self-test run them.
std::vector<ValidationCheck> runFullValidation();

} // namespace Fasoria
