#pragma once

#include <functional>
#include <string>
#include <vector>

namespace Fasoria {

/// One row of a validation run. `group` is one of the stored (English) group names below; `details` is "OK"
/// for a passed check, otherwise the failure's message or "Unknown exception".
struct ValidationCheck
{
    std::string id;
    std::string group;
    bool passed = false;
    std::string details;
};

/// Stored group names; the Italian forms exist for display only (validationGroupName).
constexpr const char *kGroupCore = "Core v0.10";
constexpr const char *kGroupGolden = "Analytic golden vectors";
constexpr const char *kGroupCrossCheck = "Cross-check";
constexpr const char *kGroupMeasurement = "Measurement";
constexpr const char *kGroupAlgebra = "Algebra";
constexpr const char *kGroupReplay = "Replay";
constexpr const char *kGroupAlgorithms = "Algorithms";
constexpr const char *kGroupEditor = "Editor";
constexpr const char *kGroupChallenges = "Challenges";
constexpr const char *kGroupDocuments = "Qt / Documents";
constexpr const char *kGroupLocalization = "Qt / Localization";
constexpr const char *kGroupSettings = "Qt / QSettings";

/// A check body returns normally on success and throws to report a failure.
using CheckBody = std::function<void()>;

/// One check waiting to run.
struct CheckEntry
{
    std::string id;
    std::string group;
    CheckBody body;
};

/// Runs one body: (id, group, true, "OK") when it returns; the message of a thrown standard exception; and
/// "Unknown exception" for anything else thrown. Never throws itself.
ValidationCheck runCheck(const std::string &id, const std::string &group, const CheckBody &body);

/// Runs every entry in order through runCheck, so a failing check never stops the ones after it.
std::vector<ValidationCheck> runChecks(const std::vector<CheckEntry> &entries);

/// Number of rows with passed true.
int passedCount(const std::vector<ValidationCheck> &checks);

/// Overall PASS: at least one row, and every row passed.
bool isOverallPass(const std::vector<ValidationCheck> &checks);

} // namespace Fasoria
