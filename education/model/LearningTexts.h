#pragma once

#include "core/Language.h"

#include <QString>

#include <cstdint>

namespace Fasoria {

/// The fixed texts of the learning lab, by name. Texts may carry %1..%3 placeholders.
enum class LearningText : std::int32_t
{
    WindowTitle,
    TabStart,
    TabCompare,
    TabNotes,
    TabBell,
    Intro,
    GuidedCoin,
    GuidedSecondH,
    GuidedSign,
    DoingPrefix,
    Expect,
    DistributionChoose,
    DistributionAlways,
    DistributionEqual,
    DistributionUnknown,
    ReasonPlaceholder,
    ReasonAccessible,
    DistributionAccessible,
    RecordButton,
    FeedbackNone,
    FeedbackIncomplete,
    FeedbackObserve,
    FeedbackMatches,
    FeedbackDiffers,
    RestartButton,
    NextButton,
    MeasureButton,
    ShotsButton,
    ObservedPrefix,
    ObservedMore,
    LimitsMeasured,
    LimitsCalculated,
    DetailsStart,
    DetailsTry,
    DetailsShots,
    DetailsShotLine,
    CompareIntro,
    LoadPreset,
    CaptureA,
    CaptureB,
    AppendH,
    StageA,
    StageB,
    NoCopy,
    ColumnState,
    ColumnProbabilityA,
    ColumnPhaseA,
    ColumnProbabilityB,
    ColumnPhaseB,
    NoteArrows,
    NoteQubits,
    NoteChoose,
    NotesIntro,
    QuestionLabel,
    NotesLabel,
    ConclusionLabel,
    SaveSession,
    OpenSession,
    ExportSheet,
    SessionNotSaved,
    SessionUnsaved,
    CloseButton,
    BellIntro,
    BellColumnOutcome,
    BellColumnBell,
    BellColumnMixture,
    BellExplanation,
};

/// The text in `language` (English for 1, Italian for every other value), decoded from the built-in UTF-8
/// table; "[missing text]" for a value outside the enumeration.
QString learningText(LearningText key, Language language);

/// Number of entries of LearningText.
constexpr std::int32_t kLearningTextCount = static_cast<std::int32_t>(LearningText::BellExplanation) + 1;

} // namespace Fasoria
