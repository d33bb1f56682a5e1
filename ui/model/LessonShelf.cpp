#include "ui/model/LessonShelf.h"

#include <QByteArray>

#include <deque>
#include <mutex>
#include <utility>

namespace Fasoria {
namespace {

/// A shelved lesson with the UTF-8 bytes its circuit's texts point into; never moved once shelved.
struct ShelfEntry
{
    ShelvedLesson shelved;
    std::deque<QByteArray> texts;
    QByteArray key;
};

struct Shelf
{
    std::mutex mutex;
    std::deque<ShelfEntry> entries;
};

Shelf &shelf()
{
    static Shelf instance;
    return instance;
}

/// The pack lesson in the pack file's own words, with its pack's titles: two lessons are the same exactly
/// when these bytes are.
QByteArray shelfKey(const PackLesson &lesson, const QString &packTitleIt, const QString &packTitleEn)
{
    return serializeLessonPack(LessonPack{packTitleIt, packTitleEn, {lesson}});
}

const char *keep(ShelfEntry &entry, const QString &text)
{
    entry.texts.push_back(text.toUtf8());
    return entry.texts.back().constData();
}

} // namespace

std::int32_t catalogLessonCount()
{
    return static_cast<std::int32_t>(lessonCatalog().size());
}

Circuit packLessonGates(const PackLesson &lesson)
{
    Circuit circuit;
    if (lesson.guided) {
        circuit.qubitCount = lesson.guided->qubitCount;
        circuit.steps = lesson.guided->steps;
    } else if (lesson.challenge) {
        circuit.qubitCount = lesson.challenge->definition.qubitCount;
    }
    for (LessonStep &step : circuit.steps) {
        step.explanationIt = nullptr;
        step.explanationEn = nullptr;
    }
    return circuit;
}

const Lesson *lessonAt(std::int32_t index)
{
    if (index >= 0 && index < catalogLessonCount()) {
        return &lessonCatalog()[static_cast<std::size_t>(index)];
    }
    const ShelvedLesson *shelved = shelvedLesson(index);
    return shelved ? &shelved->lesson : nullptr;
}

const ShelvedLesson *shelvedLesson(std::int32_t index)
{
    const std::int64_t position = static_cast<std::int64_t>(index) - catalogLessonCount();
    Shelf &lessons = shelf();
    const std::lock_guard<std::mutex> lock(lessons.mutex);
    if (position < 0 || position >= static_cast<std::int64_t>(lessons.entries.size())) {
        return nullptr;
    }
    return &lessons.entries[static_cast<std::size_t>(position)].shelved;
}

std::int32_t shelveLesson(const PackLesson &lesson, const QString &packTitleIt, const QString &packTitleEn)
{
    const QByteArray key = shelfKey(lesson, packTitleIt, packTitleEn);
    Shelf &lessons = shelf();
    const std::lock_guard<std::mutex> lock(lessons.mutex);
    for (std::size_t i = 0; i < lessons.entries.size(); ++i) {
        if (lessons.entries[i].key == key) {
            return catalogLessonCount() + static_cast<std::int32_t>(i);
        }
    }
    ShelfEntry &entry = lessons.entries.emplace_back();
    entry.key = key;
    ShelvedLesson &shelved = entry.shelved;
    shelved.source = lesson;
    shelved.packTitleIt = packTitleIt;
    shelved.packTitleEn = packTitleEn;
    if (lesson.challenge) {
        shelved.challenge = std::make_shared<const ChallengeFile>(*lesson.challenge);
    }
    Lesson &shown = shelved.lesson;
    shown = packLessonGates(lesson);
    shown.titleIt = keep(entry, lesson.titleIt);
    shown.titleEn = keep(entry, lesson.titleEn);
    shown.questionIt = keep(entry, lesson.questionIt);
    shown.questionEn = keep(entry, lesson.questionEn);
    shown.explanationIt = keep(entry, lesson.explanationIt);
    shown.explanationEn = keep(entry, lesson.explanationEn);
    for (std::size_t i = 0; i < lesson.stepTexts.size() && i < shown.steps.size(); ++i) {
        shown.steps[i].explanationIt = keep(entry, lesson.stepTexts[i].first);
        shown.steps[i].explanationEn = keep(entry, lesson.stepTexts[i].second);
    }
    return catalogLessonCount() + static_cast<std::int32_t>(lessons.entries.size() - 1);
}

} // namespace Fasoria
