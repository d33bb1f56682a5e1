// libFuzzer target for the circuit-file reader. Beyond "no crash, no sanitizer report", every input must
// satisfy the reader's contract: a refused document leaves the destination exactly as it was, and an
// accepted one is a valid working copy whose file reads back to the same circuit and the same bytes.

#include "editor/CircuitFile.h"
#include "fuzz/FuzzChecks.h"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace Fasoria;
using Fuzz::makeSentinel;
using Fuzz::sameSteps;
using Fuzz::sameTexts;

namespace {

constexpr const char *kContract = "circuit file";

[[noreturn]] void violation(const char *what)
{
    Fuzz::violation(kContract, what);
}

void checkAccepted(const Circuit &circuit)
{
    Fuzz::checkCustomWorkingCopy(kContract, circuit);
    const double limit = 2.0 * std::acos(-1.0) + 1e-9;
    for (const LessonStep &step : circuit.steps) {
        if (step.gate.kind == GateKind::P && !(std::fabs(step.gate.angle) <= limit)) {
            violation("accepted angle outside the file's range");
        }
    }
    const QByteArray written = serializeCircuit(circuit);
    Circuit reread = makeSentinel();
    QString error;
    if (!parseCircuit(written, reread, &error)) {
        violation("written file is refused");
    }
    if (!sameSteps(circuit, reread) || !sameTexts(circuit, reread)) {
        violation("written file reads back to a different circuit");
    }
    if (serializeCircuit(reread) != written) {
        violation("re-serialised bytes differ");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const Circuit kSentinel = makeSentinel();
    static const QByteArray kSentinelBytes = serializeCircuit(kSentinel);

    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<int>(size));
    Circuit destination = kSentinel;
    QString error;
    bool accepted = false;
    try {
        accepted = parseCircuit(input, destination, &error);
    } catch (...) {
        violation("the reader threw");
    }
    if (!accepted) {
        if (error.isEmpty()) {
            violation("refusal without a message");
        }
        if (serializeCircuit(destination) != kSentinelBytes || !sameSteps(destination, kSentinel) ||
            !sameTexts(destination, kSentinel)) {
            violation("refused document changed the destination");
        }
        return 0;
    }
    checkAccepted(destination);
    return 0;
}
