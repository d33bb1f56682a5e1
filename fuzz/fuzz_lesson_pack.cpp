// libFuzzer target for the lesson-pack reader. Beyond "no crash, no sanitizer report", every input must
// satisfy the reader's contract: a refused document leaves the destination exactly as it was, and an
// accepted one keeps every rule of the file (at most 50 lessons with unique ids, plain texts in both
// languages within their lengths, exactly one activity per lesson, one step text per gate or none, valid
// embedded circuits and challenges) and serialises to bytes that read back to the same pack and the same
// bytes.

#include "editor/LessonPack.h"
#include "editor/PlainText.h"
#include "fuzz/FuzzChecks.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QSet>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <exception>
#include <utility>
#include <vector>

using namespace Fasoria;

namespace {

constexpr const char *kContract = "lesson pack";

[[noreturn]] void violation(const char *what)
{
    Fuzz::violation(kContract, what);
}

// A destination no document can give: an id with a space, blank texts, both activities and a step text
// for a circuit with two gates.
LessonPack makeSentinel()
{
    PackLesson lesson;
    lesson.id = QStringLiteral("sentinel id");
    lesson.titleIt = QStringLiteral("sentinel");
    lesson.guided = Fuzz::makeSentinel();
    lesson.stepTexts = {{QStringLiteral("sentinel"), QString()}};
    lesson.challenge = ChallengeFile{};
    lesson.challenge->reference = Fuzz::makeSentinel();
    LessonPack pack;
    pack.titleEn = QStringLiteral("sentinel");
    pack.lessons = {lesson, lesson};
    return pack;
}

bool sameCircuit(const std::optional<Circuit> &a, const std::optional<Circuit> &b)
{
    return a.has_value() == b.has_value() && (!a || (Fuzz::sameSteps(*a, *b) && Fuzz::sameTexts(*a, *b)));
}

// The bytes say nearly everything; the circuits are compared bit for bit as well.
bool samePack(const LessonPack &a, const LessonPack &b)
{
    if (serializeLessonPack(a) != serializeLessonPack(b) || a.lessons.size() != b.lessons.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.lessons.size(); ++i) {
        const PackLesson &x = a.lessons[i];
        const PackLesson &y = b.lessons[i];
        if (!sameCircuit(x.guided, y.guided) || x.challenge.has_value() != y.challenge.has_value() ||
            (x.challenge && !sameCircuit(x.challenge->reference, y.challenge->reference))) {
            return false;
        }
    }
    return true;
}

void checkText(const QString &text, int maxLength)
{
    if (!isPlainText(text) || text.trimmed().isEmpty() || text.size() > maxLength) {
        violation("accepted text is not plain, blank or too long");
    }
}

void checkActivity(const PackLesson &lesson)
{
    if (lesson.guided.has_value() == lesson.challenge.has_value()) {
        violation("accepted lesson without exactly one activity");
    }
    if (lesson.challenge) {
        if (!lesson.stepTexts.empty()) {
            violation("accepted step texts in a challenge lesson");
        }
        try {
            validateChallengeDefinition(lesson.challenge->definition);
            checkRulesCanBeMet(lesson.challenge->definition);
        } catch (const std::exception &) {
            violation("accepted challenge is invalid");
        }
        return;
    }
    Fuzz::checkCustomWorkingCopy(kContract, *lesson.guided);
    if (!lesson.stepTexts.empty() && lesson.stepTexts.size() != lesson.guided->steps.size()) {
        violation("accepted step texts that do not match the gates");
    }
}

void checkRules(const LessonPack &pack)
{
    static const QRegularExpression kId(QStringLiteral("\\A[A-Za-z0-9-]{1,40}\\z"));
    checkText(pack.titleIt, kMaxLessonTitleLength);
    checkText(pack.titleEn, kMaxLessonTitleLength);
    if (pack.lessons.size() > static_cast<std::size_t>(kMaxPackLessons)) {
        violation("accepted too many lessons");
    }
    QSet<QString> ids;
    for (const PackLesson &lesson : pack.lessons) {
        if (!kId.match(lesson.id).hasMatch() || ids.contains(lesson.id)) {
            violation("accepted an invalid or repeated id");
        }
        ids.insert(lesson.id);
        for (const QString *text : {&lesson.titleIt, &lesson.titleEn}) {
            checkText(*text, kMaxLessonTitleLength);
        }
        for (const QString *text :
             {&lesson.questionIt, &lesson.questionEn, &lesson.explanationIt, &lesson.explanationEn}) {
            checkText(*text, kMaxLessonTextLength);
        }
        for (const std::pair<QString, QString> &texts : lesson.stepTexts) {
            checkText(texts.first, kMaxLessonStepTextLength);
            checkText(texts.second, kMaxLessonStepTextLength);
        }
        checkActivity(lesson);
    }
}

void checkAccepted(const LessonPack &pack)
{
    checkRules(pack);
    const QByteArray written = serializeLessonPack(pack);
    LessonPack reread = makeSentinel();
    QString error;
    if (!parseLessonPack(written, reread, &error)) {
        violation("written file is refused");
    }
    if (!samePack(pack, reread)) {
        violation("written file reads back to a different pack");
    }
    if (serializeLessonPack(reread) != written) {
        violation("re-serialised bytes differ");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const LessonPack kSentinel = makeSentinel();

    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<int>(size));
    LessonPack destination = kSentinel;
    QString error;
    bool accepted = false;
    try {
        accepted = parseLessonPack(input, destination, &error);
    } catch (...) {
        violation("the reader threw");
    }
    if (!accepted) {
        if (error.isEmpty()) {
            violation("refusal without a message");
        }
        if (!samePack(destination, kSentinel)) {
            violation("refused document changed the destination");
        }
        return 0;
    }
    checkAccepted(destination);
    return 0;
}
