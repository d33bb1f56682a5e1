#pragma once

#include "core/Language.h"
#include "education/model/LearningLab.h"
#include "education/model/LearningSession.h"
#include "education/model/Worksheet.h"
#include "ui/model/Experiment.h"
#include "ui/model/LogEvent.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace Fasoria {

/// What the student typed and chose in the learning lab, as a session keeps it.
struct StudyTexts
{
    QString question;
    QString reasonDraft;
    QString notes;
    QString conclusion;
    /// The distribution selector's index, 0..4; one above a recorded prediction.
    std::int32_t distributionDraft = 0;
    /// The worksheet's header, typed once: they stay when a new experiment starts. An empty date is today's.
    QString studentName;
    QString className;
    QString date;

    bool operator==(const StudyTexts &other) const
    {
        return question == other.question && reasonDraft == other.reasonDraft && notes == other.notes &&
               conclusion == other.conclusion && distributionDraft == other.distributionDraft &&
               studentName == other.studentName && className == other.className && date == other.date;
    }
};

/// The session of the work in hand: the experiment, the learning lab's prediction and comparison copies, the
/// student's texts, and the preparations and beginner view chosen in the window.
SessionData gatherSession(const Experiment &experiment, const LearningLab &lab, const StudyTexts &texts,
                          std::int32_t selectedShots, bool simpleMode);

/// The experiment a restored session puts in place; nothing for a session without its replayed state.
std::optional<ExperimentRecord> experimentRecord(const SessionData &session);

/// The student's texts a session brings back.
StudyTexts studyTexts(const SessionData &session);

/// The student's learning session beside the experiment: the learning lab (distribution prediction and
/// comparison copies), the texts the student typed, the preparations and beginner view chosen, and the
/// session's marks (its file, its saved bytes and whether it changed since). Views show it and report the
/// student's input to it; it announces every change, so that no view has to be refreshed by hand.
///
/// A rebuilt experiment is a new experiment for the distribution prediction: the session clears it when the
/// experiment announces a restart or a replay.
class StudySession : public QObject
{
    Q_OBJECT

public:
    static constexpr std::uint64_t kDefaultPreparations = 1000;

    explicit StudySession(Experiment &experiment, QObject *parent = nullptr);

    const LearningLab &lab() const { return m_lab; }
    const StudyTexts &texts() const { return m_texts; }
    std::uint64_t preparations() const { return m_preparations; }
    bool simpleMode() const { return m_simpleMode; }
    const SessionMarks &marks() const { return m_experiment.document().session(); }

    /// The student's texts as typed: the session counts as touched.
    void setTexts(const StudyTexts &texts);
    /// The number of preparations chosen; announces without touching the session.
    void setPreparations(std::uint64_t count);
    /// Shows (false) or hides (true) the details; announced through simpleModeChanged.
    void setSimpleMode(bool beginner);

    // The learning lab's operations on the shown experiment. Each one that changes something touches the
    // session and announces it; a refused one changes nothing and returns false.
    /// Records the distribution draft with the reasoning draft while the prediction is open.
    bool recordPrediction();
    bool applyPreset(int index);
    /// Copies the shown circuit at the current step into comparison copy `side`.
    bool capture(CopySide side);
    bool appendH();
    bool setStage(CopySide side, int stage);

    /// The one way new work starts (a lesson from scratch, a guided experiment, a new, opened or generated
    /// circuit, a teacher's challenge): `start` puts the experiment in place and, only when it succeeds, the
    /// session starts afresh (texts, recorded prediction and marks cleared). The views see both as one change.
    bool startAfresh(const std::function<bool(Experiment &)> &start);

    /// The session as it stands.
    SessionData gather() const;
    /// The canonical compact bytes of the session; empty before the first state.
    QByteArray serialise() const;
    /// Puts a session, read and checked completely, in place, with its marks showing nothing unsaved. False,
    /// changing nothing, for a session without its replayed state.
    bool apply(const SessionData &session);
    /// Validates `bytes` completely and, only when every check passes, puts the session in place. On failure
    /// *message holds the reader's bilingual message and nothing has changed.
    bool restore(const QByteArray &bytes, QString *message);
    /// The session was written to `path` as `written`; a saved session also holds the circuit, which counts
    /// as saved.
    void markSaved(const QString &path, const QByteArray &written);
    /// The session now stands for the file at `path`, unchanged.
    void markOpened(const QString &path);
    /// The circuit and the session as they stand count as kept: neither is marked unsaved.
    void keepAsItStands();
    /// Recomputes the dirty mark against the saved bytes once the student touched the session.
    void refreshMarks();

    /// Everything besides an event that a notebook line depends on, in `language`: the experiment shown and
    /// the learning lab's texts.
    LogContext logContext(Language language) const;

    /// What the printable worksheet of the current state shows, in `language`.
    WorksheetInput worksheetInput(Language language) const;

signals:
    /// The session or the experiment it follows changed: the lab, the marks or the preparations.
    void changed();
    /// The program replaced the student's texts (cleared or restored): views show texts() again.
    void textsReplaced();
    void preparationsChanged(std::uint64_t count);
    void simpleModeChanged(bool beginner);

private:
    void followExperiment(Experiment::Changes changes);
    /// The student changed the session: it is touched, its marks recomputed and the change announced.
    void touch();

    Experiment &m_experiment;
    LearningLab m_lab;
    StudyTexts m_texts;
    std::uint64_t m_preparations = kDefaultPreparations;
    bool m_simpleMode = false;
    /// Set while a session is put in place or started afresh, so that the experiment's announcements do not
    /// recompute the marks half-way and the session announces itself once, complete.
    bool m_applying = false;
};

} // namespace Fasoria
