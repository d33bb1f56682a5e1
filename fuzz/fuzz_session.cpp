// libFuzzer target for the learning-session reader. Beyond "no crash, no sanitizer report", every input must
// satisfy the reader's contract: a refused document leaves the destination exactly as it was, and an accepted
// one is consistent (plain texts, a generator that does not draw 0 for ever), serialises back canonically
// (its bytes read again to the same bytes and the same generator) and gives a worksheet.

#include "editor/PlainText.h"
#include "education/model/LearningSession.h"
#include "education/model/Worksheet.h"
#include "fuzz/FuzzChecks.h"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>

using namespace Fasoria;
using Fuzz::makeSentinel;
using Fuzz::sameSteps;
using Fuzz::sameTexts;

namespace {

constexpr const char *kContract = "session file";

[[noreturn]] void violation(const char *what)
{
    Fuzz::violation(kContract, what);
}

// A destination no document can give: sentinel circuit texts, a state of another register, a copy, notes.
SessionData makeSentinelSession()
{
    SessionData session;
    session.lessonIndex = 7;
    session.circuit = makeSentinel();
    session.editor = true;
    session.stage = 1;
    session.notes = QStringLiteral("sentinel");
    session.selectedShots = 1000;
    session.comparisonA = {true, makeSentinel(), 2};
    session.random = RandomGenerator(0xF00D);
    session.state = createState(2);
    return session;
}

bool isUntouched(const SessionData &session, const QByteArray &sentinelBytes)
{
    const Circuit expected = makeSentinel();
    return serialiseSession(session) == sentinelBytes && sameSteps(session.circuit, expected) &&
           sameTexts(session.circuit, expected) && sameTexts(session.comparisonA.circuit, expected) &&
           !session.algorithm && session.state && session.state->qubitCount() == 2 &&
           session.state->amplitude(0).re == 1.0;
}

void checkConsistent(const SessionData &session)
{
    const Circuit &circuit = session.circuit;
    if (session.stage > circuit.steps.size() || !session.state || session.state->qubitCount() != circuit.qubitCount) {
        violation("accepted stage or state outside the circuit");
    }
    std::uint64_t total = 0;
    for (std::uint64_t count : session.histogram) {
        total += count;
    }
    if (total != session.shotCount ||
        (session.shotCount != 0 && session.histogram.size() != session.state->dimension())) {
        violation("accepted histogram disagrees with its shot count");
    }
    if (!(std::fabs(session.state->totalProbability() - 1.0) < 1e-9)) {
        violation("accepted state is not normalised");
    }
    for (const QString *text :
         {&session.predictionReason, &session.draftReason, &session.question, &session.notes, &session.conclusion}) {
        if (!isPlainMultilineText(*text)) {
            violation("accepted text is not plain");
        }
    }
    if (RandomGenerator::checkStateText(session.random.stateText()) != RandomGenerator::StateText::Valid) {
        violation("accepted generator state draws 0 for ever");
    }
}

void checkWorksheet(const SessionData &session)
{
    WorksheetInput input;
    input.circuit = session.circuit;
    input.currentStep = session.stage;
    input.notes = session.notes;
    input.lastShotsTotal = session.shotCount;
    input.lastShotsCounts = session.histogram;
    input.lastOutcome = session.measurement;
    try {
        if (buildWorksheet(input, English).isEmpty()) {
            violation("empty worksheet");
        }
    } catch (const std::exception &) {
        violation("an accepted session gives no worksheet");
    }
    if (sessionSummary(session, Italian).isEmpty()) {
        violation("empty summary");
    }
}

void checkAccepted(const SessionData &session)
{
    checkConsistent(session);
    const QByteArray canonical = serialiseSession(session);
    SessionData reread = makeSentinelSession();
    QString error;
    if (!restoreSession(canonical, reread, &error)) {
        violation("the serialisation of an accepted session is refused");
    }
    if (serialiseSession(reread) != canonical) {
        violation("serialisation is not canonical");
    }
    if (reread.random != session.random || reread.measurement != session.measurement) {
        violation("re-read session differs");
    }
    checkWorksheet(session);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QByteArray kSentinelBytes = serialiseSession(makeSentinelSession());

    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<int>(size));
    SessionData destination = makeSentinelSession();
    SessionRefusal refusal;
    bool accepted = false;
    try {
        accepted = restoreSession(input, destination, &refusal);
    } catch (...) {
        violation("the reader threw");
    }
    if (!accepted) {
        if (refusal.error == SessionError::None || refusal.text().isEmpty() || refusal.text(Italian).isEmpty()) {
            violation("refusal without a message");
        }
        if (!isUntouched(destination, kSentinelBytes)) {
            violation("refused document changed the destination");
        }
        return 0;
    }
    if (refusal.error != SessionError::None) {
        violation("acceptance with a refusal");
    }
    checkAccepted(destination);
    return 0;
}
