#include "core/CoreSelfTest.h"

#include <cstdio>

// Until the window lands, the program runs what exists: the engine's own checks.
int main()
{
    std::printf("Fasoria 0.16.0: the main window is not built yet; running the engine self-test.\n\n");
    bool allPassed = true;
    for (const Fasoria::CoreCheckResult &result : Fasoria::runCoreSelfTest()) {
        std::printf("  %-4s %-40s %s\n", result.passed ? "PASS" : "FAIL", result.name.c_str(), result.detail.c_str());
        allPassed = allPassed && result.passed;
    }
    std::printf("\n%s\n", allPassed ? "All engine checks passed." : "Some engine checks FAILED.");
    return allPassed ? 0 : 1;
}
