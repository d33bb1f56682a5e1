#pragma once

#include "core/Circuit.h"
#include "editor/ChallengeFile.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace Fasoria {

/// A teacher's lesson pack as a file (".lessons.json"): indented JSON, keys in ascending order, a final
/// newline, 1 MiB at most (kMaxJsonDocumentBytes). Members:
///
///   "format"               "FasoriaLessonPack"
///   "version"              1
///   "title_it", "title_en" the pack's title in Italian and in English
///   "lessons"              a list of 0..50 lessons (kMaxPackLessons), in the order the class meets them
///
/// Each lesson is an object with:
///
///   "id"                   1..40 ASCII letters, digits and hyphens, unique in the pack; ids compare
///                          case-sensitively ("sdc" and "SDC" are two lessons)
///   "title_it", "title_en" the lesson's title
///   "question_it", "question_en"
///                          the question put to the student before the lesson
///   "explanation_it", "explanation_en"
///                          the closing explanation, shown at the end
///
/// and exactly one of the two activities:
///
///   "circuit"              a guided lesson: a circuit file object (editor/CircuitFile.h, 1..8 qubits, at
///                          most 256 gates) the student steps through, with optionally
///   "steps"                [{"it": text, "en": text}, …], one explanation of each gate in the circuit's
///                          order: exactly as many entries as gates, or the member left out
///   "challenge"            a challenge lesson: a challenge file object (editor/ChallengeFile.h) with its goal,
///                          hints, rules and target
///
/// Every text is plain (isPlainText: one line, no control or bidirectional characters) and not blank in
/// either language, so that switching the language never shows nothing. Lengths count UTF-16 code units, as
/// the challenge file's do: titles at most kMaxLessonTitleLength, questions and explanations at most
/// kMaxLessonTextLength, a step's explanation at most kMaxLessonStepTextLength. Any other member, at the
/// top, in a lesson or in a step, is refused, as is any member named twice at any depth. Messages count
/// lessons and steps from 1, as a teacher does.
struct PackLesson
{
    QString id;
    QString titleIt;
    QString titleEn;
    QString questionIt;
    QString questionEn;
    QString explanationIt;
    QString explanationEn;
    /// The guided lesson's circuit (read by parseCircuit, so it carries the custom-circuit texts; the
    /// lesson's own texts are the QStrings here).
    std::optional<Circuit> guided;
    /// One (Italian, English) explanation per gate of `guided`, or none at all.
    std::vector<std::pair<QString, QString>> stepTexts;
    /// The challenge lesson's challenge; a valid lesson has exactly one of guided and challenge.
    std::optional<ChallengeFile> challenge;
};

struct LessonPack
{
    QString titleIt;
    QString titleEn;
    std::vector<PackLesson> lessons;
};

/// The most lessons a pack holds.
constexpr int kMaxPackLessons = 50;
/// The longest lesson id, in characters.
constexpr int kMaxLessonIdLength = 40;
/// The longest title (of the pack or of a lesson) in one language, in UTF-16 code units.
constexpr int kMaxLessonTitleLength = 200;
/// The longest question or closing explanation in one language, in UTF-16 code units.
constexpr int kMaxLessonTextLength = 2000;
/// The longest explanation of one step in one language, in UTF-16 code units.
constexpr int kMaxLessonStepTextLength = 1000;

/// The file's bytes. Step texts are written only when there are some, the circuit or challenge as its own
/// file writes it.
QByteArray serializeLessonPack(const LessonPack &pack);

/// Reads a lesson pack completely: readJsonObject's size, syntax and repeated-member checks, then every
/// member, the embedded circuits with parseCircuit and the challenges with parseChallenge (their messages
/// follow the lesson and the member: "Lesson 2 (\"sdc\"): circuit: Missing gates array"). On success replaces
/// pack and returns true; on failure returns false, sets *error (when given) to an English message naming
/// the lesson and the member and leaves pack untouched. Never throws for bad input. What
/// serializeLessonPack writes for a pack read here reads back to the same bytes.
bool parseLessonPack(const QByteArray &bytes, LessonPack &pack, QString *error);

/// Writes the pack atomically (see saveFileAtomically), but only when its bytes read back: a pack that
/// parseLessonPack would refuse (a blank translation, two lessons with one id, over 1 MiB) is reported and
/// nothing is written.
bool saveLessonPackFile(const QString &path, const LessonPack &pack, QString *error);

/// Reads (readInputFile: regular files only, never blocking, 1 MiB at most) and parses a lesson pack; pack
/// changes only on success.
bool loadLessonPackFile(const QString &path, LessonPack &pack, QString *error);

/// Writes a pack titled `titleIt`/`titleEn` holding no lesson yet. Refused, with nothing written, when a file
/// already exists at `path` (making a pack must never empty one a teacher has filled) or when the titles are
/// not what the reader accepts.
bool createLessonPackFile(const QString &path, const QString &titleIt, const QString &titleEn, QString *error);

/// Reads the pack at `path` completely, appends `lesson` and writes the pack back atomically. Refused, with the
/// file as it was, when the pack does not read, already holds kMaxPackLessons lessons or a lesson with the same
/// id, or when the pack with the lesson would not read back (a blank translation, a text over its limit).
bool addLessonToPackFile(const QString &path, const PackLesson &lesson, QString *error);

/// Whether `id` is a lesson id the reader accepts: 1..kMaxLessonIdLength ASCII letters, digits and hyphens.
bool isLessonId(const QString &id);

/// The name a pack is saved under: chosen as is when it ends in ".json" (any letter case), otherwise with
/// ".lessons.json" appended.
QString lessonPackFileName(const QString &chosenName);

} // namespace Fasoria
