#pragma once

#include "education/model/LearningSession.h"
#include "ui/model/Experiment.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace Fasoria {

class LearningLab;

/// What the student typed and chose in the learning lab, as a session keeps it.
struct StudyTexts
{
    QString question;
    QString reasonDraft;
    QString notes;
    QString conclusion;
    /// The distribution selector's index, 0..4; one above a recorded prediction.
    std::int32_t distributionDraft = 0;
};

/// The session of the work in hand: the experiment, the learning lab's prediction and comparison copies, the
/// student's texts, and the preparations and beginner view chosen in the window.
SessionData gatherSession(const Experiment &experiment, const LearningLab &lab, const StudyTexts &texts,
                          std::int32_t selectedShots, bool simpleMode);

/// The experiment a restored session puts in place; nothing for a session without its replayed state.
std::optional<ExperimentRecord> experimentRecord(const SessionData &session);

/// The student's texts a session brings back.
StudyTexts studyTexts(const SessionData &session);

} // namespace Fasoria
