// libFuzzer target for the circuit-file reader. Beyond "no crash, no sanitizer report", every input must
// satisfy the reader's contract: a refused document leaves the destination exactly as it was, and an
// accepted one is a valid working copy whose file reads back to the same circuit and the same bytes.

#include "editor/CircuitEditor.h"
#include "editor/CircuitFile.h"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

using namespace Fasoria;

namespace {

[[noreturn]] void violation(const char *what)
{
    std::fprintf(stderr, "circuit file contract violated: %s\n", what);
    std::abort();
}

// A destination with texts no document can give and an angle that is no short decimal, so any change a
// refused parse makes shows up in its serialisation or its fields.
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
