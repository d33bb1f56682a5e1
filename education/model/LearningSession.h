#pragma once

#include "core/Circuit.h"
#include "core/Language.h"
#include "core/Measurement.h"
#include "core/RandomGenerator.h"
#include "core/StateVector.h"
#include "curriculum/AlgorithmGenerator.h"
#include "editor/ChallengeFile.h"
#include "editor/LessonPack.h"
#include "education/model/Comparison.h"
#include "ui/model/LogEvent.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace Fasoria {

/// Characters (UTF-16 code units) a text member of a session may hold ("question", "notes", "conclusion",
/// both reasonings and the generator state). The student's texts must also be plain (isPlainMultilineText).
constexpr int kMaxSessionTextLength = 32768;

/// Everything a learning session file holds, as plain data: what the window gathers from its experiment and
/// its learning lab to save, and what it applies after a successful restore. Counts and indices have the
/// types the experiment keeps them in; the file writes every one as a JSON number.
struct SessionData
{
    /// Catalog lesson selected in the lesson list, 0..20, or 21 for the pack lesson `lessonPack` holds.
    std::int32_t lessonIndex = 0;
    /// The teacher's pack lesson the session was made in ("lesson_pack", the lesson pack file's object holding
    /// exactly that lesson under its pack's titles), so that the session opens without the pack; present
    /// exactly when lessonIndex is 21. A session without it reads as it always did.
    std::optional<LessonPack> lessonPack;
    /// The shown circuit: the working circuit when `editor` is set, otherwise catalog lesson `lessonIndex`.
    /// A restore gives the catalog lesson itself (with its texts) without an editor, the generated circuit
    /// when `algorithm` is set, the parsed circuit with the lesson's texts in challenge mode, and the parsed
    /// custom circuit otherwise.
    Circuit circuit;
    /// A working circuit exists.
    bool editor = false;
    /// Challenge mode is on (always with a working circuit).
    bool challenge = false;
    /// Challenge hints shown, 0..3 (for a teacher's challenge, at most the hints it has).
    std::int32_t hintLevel = 0;
    /// The teacher's challenge the working circuit answers instead of the lesson's ("custom_challenge", the
    /// challenge file's object; only in challenge mode). A session without it reads as it always did.
    std::optional<ChallengeFile> customChallenge;
    /// Steps of `circuit` applied (the displayed stage).
    std::uint64_t stage = 0;
    /// Basis index of the single measurement at this stage, −1 for none.
    std::int32_t measurement = -1;
    /// Preparations of the last repeated-preparation run, 0 for none (10, 100, 1000 or 10000 otherwise).
    std::uint64_t shotCount = 0;
    /// Preparations shown in the histogram: 0 or `shotCount` (a single measurement hides them).
    std::uint64_t visibleShots = 0;
    /// Counts of the last run per basis state: 2^n entries adding up to `shotCount`, empty without a run.
    Histogram histogram;
    /// The main window's single-outcome prediction, a basis index or −1.
    std::int32_t predictionBasis = -1;
    /// The learning lab's recorded distribution prediction, −1..3.
    std::int32_t distributionPrediction = -1;
    /// The reasoning recorded with it.
    QString predictionReason;
    /// The current texts of the learning lab's `reason`, `question`, `notes` and `conclusion`.
    QString draftReason;
    QString question;
    QString notes;
    QString conclusion;
    /// The worksheet's header: the student's name, the class and the date, as typed ("student_name",
    /// "class_name", "date"; a session without them reads as it always did, with all three empty).
    QString studentName;
    QString className;
    QString date;
    /// The current index of the distribution selector, 0..4; one above a recorded prediction.
    std::int32_t draftDistribution = 0;
    /// Preparations per run chosen in the main window: 10, 100, 1000 or 10000.
    std::int32_t selectedShots = 10;
    /// The beginner view is on.
    bool simpleMode = false;
    ComparisonCopy comparisonA;
    ComparisonCopy comparisonB;
    /// The generated algorithm the working circuit came from; its parameters are what the file stores.
    std::optional<GeneratedAlgorithm> algorithm;
    /// The experiment's generator: saving stores its text state; a restore gives one that continues exactly
    /// where the saved one stood.
    RandomGenerator random;
    /// The notebook's events, oldest first ("notebook", at most 200). A session without the member reads as it
    /// always did, with no notebook to show.
    std::optional<std::vector<LogEvent>> notebook;
    /// Filled by a restore, never read by the writer: `circuit` replayed to `stage`, collapsed to the
    /// measured basis state when a measurement is recorded, ready to become the displayed state.
    std::optional<StateVector> state;
};

/// The compact JSON of the session (format "FasoriaSession", version 1, members in ascending key order,
/// the embedded circuits compact as well), canonical: restoring it and writing again gives the same bytes.
QByteArray serialiseSession(const SessionData &session);

/// Why a session was refused, in the order the reader checks.
enum class SessionError : std::int32_t
{
    None,
    Oversized,
    InvalidJson,
    /// An object names a member twice; SessionRefusal::detail holds the name as shownName shows it.
    RepeatedMember,
    FormatOrLesson,
    MissingCircuit,
    /// The embedded circuit was refused; SessionRefusal::circuitMessage holds the circuit reader's text.
    CircuitRefused,
    Values,
    SampleCounts,
    Prediction,
    ChallengeContext,
    CatalogMismatch,
    Texts,
    GeneratorState,
    GeneratorTrailing,
    MissingHistogram,
    HistogramSize,
    HistogramValues,
    HistogramTotal,
    Comparison,
    ParameterContext,
    Parameters,
    ParameterCircuit,
    ParameterMismatch,
    ImpossibleHistogram,
    ImpossibleMeasurement,
    /// "custom_challenge" is not a challenge the challenge reader accepts.
    CustomChallenge,
    /// "notebook" is not a list of at most 200 events the notebook could have recorded.
    Notebook,
    /// "lesson_pack" is not a lesson pack of exactly one lesson, or lesson_index 21 comes without it.
    LessonPack,
    /// The file could not be read, is not a regular file or exceeds 1 MiB (openSessionFile only).
    Unreadable,
};

/// A refusal and its message.
struct SessionRefusal
{
    SessionError error = SessionError::None;
    /// The circuit reader's English message for CircuitRefused; the file's error text for Unreadable; the
    /// shown member name for RepeatedMember.
    QString detail;

    /// Both languages, English first, separated by " / " ("Invalid session values / Valori sessione non
    /// validi", "Repeated member \"stage\" / Membro ripetuto \"stage\""); the circuit reader's message as it
    /// is for CircuitRefused; empty for None.
    QString text() const;
    /// The message in one language, for a window that shows only one.
    QString text(Language language) const;
};

/// Validates the whole document (size, JSON, repeated members, format and lesson, circuit, numbers, sample
/// counts, prediction, challenge context, catalog circuit, texts, generator, histogram, comparisons,
/// parameters, replay) and only when every check passes replaces `out`, including its replayed state. On
/// the first failure returns false, fills *refusal (when given) and leaves `out` untouched.
bool restoreSession(const QByteArray &bytes, SessionData &out, SessionRefusal *refusal);
/// The same, with the bilingual message of SessionRefusal::text() in *error.
bool restoreSession(const QByteArray &bytes, SessionData &out, QString *error);

/// Whether saving must be refused with sessionLimitWarning: the serialisation exceeds 1 MiB or a text member
/// exceeds kMaxSessionTextLength characters (such a file could never be opened again).
bool exceedsSessionLimits(const SessionData &session, const QByteArray &serialised);
/// "Session text exceeds the supported limit (32,768 characters per field)."
QString sessionLimitWarning(Language language);

/// The name a session is saved under: chosen as is when it ends in ".json" (any letter case), otherwise
/// with ".session.json" appended.
QString sessionFileName(const QString &chosenName);

/// Serialises and writes the session atomically. Refused before anything is written: sessionLimitWarning
/// when a limit is exceeded, and a message naming the reader's refusal when the bytes would not open again
/// (an inconsistent state). Otherwise the file's error text on a failed write. On success *written (when
/// given) holds the bytes written, the window's new baseline.
bool saveSessionFile(const QString &path, const SessionData &session, Language language, QByteArray *written,
                     QString *error);

/// Reads a session file (readInputFile: regular files only, at most 1 MiB, refused before parsing) and
/// restores it. An unreadable or oversized file gives SessionError::Unreadable ("Unreadable or oversized
/// session."); otherwise the result of restoreSession. `out` changes only on success.
bool openSessionFile(const QString &path, SessionData &out, SessionRefusal *refusal);

/// One line on a valid session: lesson number and title, stage of total, the single measurement or none,
/// the preparations, the recorded predictions, whether notes are present and, when it keeps one, how many
/// entries its notebook holds.
QString sessionSummary(const SessionData &session, Language language);

} // namespace Fasoria
