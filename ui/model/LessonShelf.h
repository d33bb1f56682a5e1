#pragma once

#include "curriculum/LessonCatalog.h"
#include "editor/ChallengeFile.h"
#include "editor/LessonPack.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace Fasoria {

/// A teachers' lesson as the program runs it: the pack lesson it was read from, the title of its pack, and the
/// lesson the experiment shows, a circuit whose texts are the pack lesson's (a challenge lesson shows an empty
/// circuit of its register, answered in a working copy).
struct ShelvedLesson
{
    PackLesson source;
    QString packTitleIt;
    QString packTitleEn;
    Lesson lesson;
    /// The challenge a challenge lesson is answered against; null for a guided lesson. The experiment keeps
    /// this very object, so that it can tell the lesson's own challenge from a teacher's file opened over it.
    std::shared_ptr<const ChallengeFile> challenge;
};

/// The lessons 0..20 of the catalog, then the lessons teachers' packs and sessions added during this run.
/// Lesson indices name both: a pack lesson keeps its index (and its texts stay valid) until the program
/// ends, as the catalog's do, so that a notebook or a selector never refers to a lesson that went away.

/// How many lessons the catalog holds; pack lessons are numbered from here.
std::int32_t catalogLessonCount();

/// The lesson `index` names: a catalog lesson or a shelved one; null for any other index.
const Lesson *lessonAt(std::int32_t index);

/// The shelved lesson `index` names; null for a catalog lesson or an unknown index.
const ShelvedLesson *shelvedLesson(std::int32_t index);

/// Puts a lesson read from a pack (or kept by a session) on the shelf and returns its index. The same lesson
/// of the same pack title shelved again gets its earlier index, so opening a pack twice adds nothing. The
/// lesson must be one the pack reader accepted.
std::int32_t shelveLesson(const PackLesson &lesson, const QString &packTitleIt, const QString &packTitleEn);

/// The circuit of a pack lesson as the experiment shows it, without texts: the guided circuit, or an empty
/// circuit on the challenge's qubits.
Circuit packLessonGates(const PackLesson &lesson);

} // namespace Fasoria
