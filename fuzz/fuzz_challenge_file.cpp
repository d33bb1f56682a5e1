// libFuzzer target for the challenge-file reader. Beyond "no crash, no sanitizer report", every input must
// satisfy the reader's contract: a refused document leaves the destination exactly as it was, and an
// accepted one is a valid definition (plain texts within their lengths, rules some circuit can keep, a
// target that is its reference circuit's replay and a reference that keeps the rules) whose file reads back
// to the same challenge and the same bytes.

#include "editor/ChallengeFile.h"
#include "editor/PlainText.h"
#include "fuzz/FuzzChecks.h"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

using namespace Fasoria;

namespace {

constexpr const char *kContract = "challenge file";

[[noreturn]] void violation(const char *what)
{
    Fuzz::violation(kContract, what);
}

// Texts, rules and a target no input can give, over the circuit sentinel as its reference.
ChallengeFile makeSentinel()
{
    ChallengeFile challenge;
    ChallengeDefinition &definition = challenge.definition;
    definition.qubitCount = 5;
    definition.goalIt = definition.goalEn = definition.hint1It = definition.hint3En = "sentinel";
    definition.target = {{31, {0.0, std::nextafter(1.0, 2.0)}}};
    definition.minGates = 4;
    definition.required = {{GateKind::Z, 3}};
    definition.forbidden = {GateKind::P};
    definition.maxGates = 9;
    challenge.reference = Fuzz::makeSentinel();
    return challenge;
}

bool sameTarget(const std::vector<ChallengeTarget> &a, const std::vector<ChallengeTarget> &b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].index != b[i].index || !Fuzz::sameBits(a[i].amplitude.re, b[i].amplitude.re) ||
            !Fuzz::sameBits(a[i].amplitude.im, b[i].amplitude.im)) {
            return false;
        }
    }
    return true;
}

bool sameRules(const ChallengeDefinition &a, const ChallengeDefinition &b)
{
    if (a.minGates != b.minGates || a.maxGates != b.maxGates || a.forbidden != b.forbidden ||
        a.required.size() != b.required.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.required.size(); ++i) {
        if (a.required[i].kind != b.required[i].kind || a.required[i].count != b.required[i].count) {
            return false;
        }
    }
    return true;
}

std::vector<const std::string *> texts(const ChallengeDefinition &definition)
{
    return {&definition.goalIt,  &definition.goalEn,  &definition.hint1It, &definition.hint1En,
            &definition.hint2It, &definition.hint2En, &definition.hint3It, &definition.hint3En};
}

bool sameChallenge(const ChallengeFile &a, const ChallengeFile &b)
{
    const std::vector<const std::string *> first = texts(a.definition);
    const std::vector<const std::string *> second = texts(b.definition);
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (*first[i] != *second[i]) {
            return false;
        }
    }
    if (a.definition.qubitCount != b.definition.qubitCount || !sameTarget(a.definition.target, b.definition.target) ||
        !sameRules(a.definition, b.definition) || a.reference.has_value() != b.reference.has_value()) {
        return false;
    }
    return !a.reference || (Fuzz::sameSteps(*a.reference, *b.reference) && Fuzz::sameTexts(*a.reference, *b.reference));
}

void checkDefinition(const ChallengeFile &challenge)
{
    try {
        validateChallengeDefinition(challenge.definition);
    } catch (const std::exception &) {
        violation("accepted definition is invalid");
    }
    try {
        checkRulesCanBeMet(challenge.definition);
    } catch (const std::exception &) {
        violation("accepted rules no circuit can keep");
    }
    const std::vector<const std::string *> all = texts(challenge.definition);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const QString text = QString::fromStdString(*all[i]);
        // The first two are the goals.
        if (!isPlainText(text) || text.size() > (i < 2 ? kMaxChallengeGoalLength : kMaxChallengeHintLength)) {
            violation("accepted text is not plain or too long");
        }
    }
    if (challenge.reference) {
        if (gradeChallenge(challenge.definition, *challenge.reference).status != ChallengeStatus::Solved) {
            violation("accepted reference breaks its own rules");
        }
        Fuzz::checkCustomWorkingCopy(kContract, *challenge.reference);
        if (challenge.reference->qubitCount != challenge.definition.qubitCount ||
            !sameTarget(targetFromCircuit(*challenge.reference), challenge.definition.target)) {
            violation("target is not the reference circuit's replay");
        }
    }
}

void checkAccepted(const ChallengeFile &challenge)
{
    checkDefinition(challenge);
    const QByteArray written = serializeChallenge(challenge);
    ChallengeFile reread = makeSentinel();
    QString error;
    if (!parseChallenge(written, reread, &error)) {
        violation("written file is refused");
    }
    if (!sameChallenge(challenge, reread)) {
        violation("written file reads back to a different challenge");
    }
    if (serializeChallenge(reread) != written) {
        violation("re-serialised bytes differ");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const ChallengeFile kSentinel = makeSentinel();

    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<int>(size));
    ChallengeFile destination = kSentinel;
    QString error;
    bool accepted = false;
    try {
        accepted = parseChallenge(input, destination, &error);
    } catch (...) {
        violation("the reader threw");
    }
    if (!accepted) {
        if (error.isEmpty()) {
            violation("refusal without a message");
        }
        if (!sameChallenge(destination, kSentinel)) {
            violation("refused document changed the destination");
        }
        return 0;
    }
    checkAccepted(destination);
    return 0;
}
