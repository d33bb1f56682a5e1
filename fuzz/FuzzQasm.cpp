// libFuzzer target for the OpenQASM reader. Beyond "no crash, no sanitizer report", every input must satisfy
// the reader's contract: a refused text leaves the circuit and the warnings exactly as they were, and an
// accepted one is a valid working copy that the writer turns into text reading back to the same circuit and
// the same text, and that the circuit file can hold as well.

#include "editor/CircuitEditor.h"
#include "editor/CircuitFile.h"
#include "editor/Qasm.h"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

using namespace Fasoria;

namespace {

[[noreturn]] void violation(const char *what)
{
    std::fprintf(stderr, "OpenQASM reader contract violated: %s\n", what);
    std::abort();
}

// A destination no text can give: own texts, 5 qubits and an angle that is no short decimal.
Circuit makeSentinel()
{
    static const char *const kText = "sentinel";
    Circuit circuit;
    circuit.titleIt = circuit.titleEn = kText;
    circuit.questionIt = circuit.questionEn = kText;
    circuit.explanationIt = circuit.explanationEn = kText;
    circuit.qubitCount = 5;
    circuit.steps.emplace_back(GateKind::P, 4, 0, std::nextafter(1.0, 2.0));
    circuit.steps.emplace_back(GateKind::Cnot, 0, 3, 0.0);
    return circuit;
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool sameSteps(const Circuit &a, const Circuit &b)
{
    if (a.qubitCount != b.qubitCount || a.steps.size() != b.steps.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.steps.size(); ++i) {
        const Gate &x = a.steps[i].gate;
        const Gate &y = b.steps[i].gate;
        if (x.kind != y.kind || x.target != y.target || x.control != y.control || !sameBits(x.angle, y.angle)) {
            return false;
        }
    }
    return true;
}

bool sameTexts(const Circuit &a, const Circuit &b)
{
    return a.titleIt == b.titleIt && a.titleEn == b.titleEn && a.questionIt == b.questionIt &&
           a.questionEn == b.questionEn && a.explanationIt == b.explanationIt && a.explanationEn == b.explanationEn;
}

void checkAccepted(const Circuit &circuit)
{
    if (circuit.titleEn != kCustomTitleEn || circuit.questionEn != kCustomQuestionEn) {
        violation("accepted circuit lacks the custom-circuit texts");
    }
    try {
        const CircuitEditor workingCopy(circuit);
    } catch (const std::exception &) {
        violation("accepted circuit is not a valid working copy");
    }
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
