#include "validation/suite/ValidationCheck.h"

#include <algorithm>
#include <exception>

namespace Fasoria {

ValidationCheck runCheck(const std::string &id, const std::string &group, const CheckBody &body)
{
    try {
        body();
        return ValidationCheck{id, group, true, "OK"};
    } catch (const std::exception &exception) {
        return ValidationCheck{id, group, false, exception.what()};
    } catch (...) {
        return ValidationCheck{id, group, false, "Unknown exception"};
    }
}

std::vector<ValidationCheck> runChecks(const std::vector<CheckEntry> &entries)
{
    std::vector<ValidationCheck> checks;
    checks.reserve(entries.size());
    for (const CheckEntry &entry : entries) {
        checks.push_back(runCheck(entry.id, entry.group, entry.body));
    }
    return checks;
}

int passedCount(const std::vector<ValidationCheck> &checks)
{
    return static_cast<int>(
        std::count_if(checks.begin(), checks.end(), [](const ValidationCheck &check) { return check.passed; }));
}

bool isOverallPass(const std::vector<ValidationCheck> &checks)
{
    return !checks.empty() && passedCount(checks) == static_cast<int>(checks.size());
}

} // namespace Fasoria
