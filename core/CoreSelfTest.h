#pragma once

#include <string>
#include <vector>

namespace Fasoria {

/// One check of the engine battery. `name` is the fixed (Italian) name that doubles as a display key.
struct CoreCheckResult
{
    std::string name;
    bool passed = false;
    std::string detail;
};

/// Runs the eleven engine checks in their fixed order. Never throws: failures are captured per check.
std::vector<CoreCheckResult> runCoreSelfTest();

} // namespace Fasoria
