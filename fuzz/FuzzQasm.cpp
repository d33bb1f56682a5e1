// libFuzzer target for the OpenQASM reader. Beyond "no crash, no sanitizer report", every input must satisfy
// the reader's contract: a refused text leaves the circuit and the warnings exactly as they were, and an
// accepted one is a valid working copy that the writer turns into text reading back to the same circuit and
// the same text, and that the circuit file can hold as well.

#include "editor/CircuitFile.h"
#include "editor/Qasm.h"
#include "fuzz/FuzzChecks.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

using namespace Fasoria;
using Fuzz::makeSentinel;
using Fuzz::sameSteps;
using Fuzz::sameTexts;

namespace {

constexpr const char *kContract = "OpenQASM reader";

[[noreturn]] void violation(const char *what)
{
    Fuzz::violation(kContract, what);
}

void checkAccepted(const Circuit &circuit)
{
    Fuzz::checkCustomWorkingCopy(kContract, circuit);
    std::string written;
    try {
        written = writeQasm(circuit);
    } catch (const std::exception &) {
        violation("the writer refused an accepted circuit");
    }
    Circuit reread = makeSentinel();
    std::string error;
    if (!readQasm(written, reread, nullptr, &error)) {
        violation("written text is refused");
    }
    if (!sameSteps(circuit, reread) || !sameTexts(circuit, reread)) {
        violation("written text reads back to a different circuit");
    }
    if (writeQasm(reread) != written) {
        violation("re-written text differs");
    }
    Circuit filed = makeSentinel();
    if (!parseCircuit(serializeCircuit(circuit), filed, nullptr)) {
        violation("the circuit file refuses an accepted circuit");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const Circuit kSentinel = makeSentinel();
    static const std::vector<std::string> kSentinelWarnings{"sentinel warning"};

    const std::string input(reinterpret_cast<const char *>(data), size);
    Circuit destination = kSentinel;
    std::vector<std::string> warnings = kSentinelWarnings;
    std::string error;
    bool accepted = false;
    try {
        accepted = readQasm(input, destination, &warnings, &error);
    } catch (...) {
        violation("the reader threw");
    }
    if (!accepted) {
        if (error.empty()) {
            violation("refusal without a message");
        }
        if (!sameSteps(destination, kSentinel) || !sameTexts(destination, kSentinel) || warnings != kSentinelWarnings) {
            violation("refused text changed the destination");
        }
        return 0;
    }
    checkAccepted(destination);
    return 0;
}
