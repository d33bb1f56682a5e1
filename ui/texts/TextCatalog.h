#pragma once

#include "core/Language.h"

#include <QString>

#include <cstdint>
#include <string>

namespace Fasoria {

/// Number of interface texts; every key lies in 0..kTextKeyCount - 1.
constexpr std::int32_t kTextKeyCount = 192;

/// The interface texts of the main window, its drawing and table, and the notebook, by fixed number. The
/// underlying type is fixed so that any number, even one outside the table, can be carried as a key.
enum class TextKey : std::int32_t
{
    AppTitle = 0,
    HeaderTitle = 1,
    Subtitle = 2,
    LanguageLabel = 3,
    LanguageTip = 4,
    TabLesson = 5,
    TabAlgorithms = 6,
    TabEditor = 7,
    TabMeasurements = 8,
    ExercisesBox = 9,
    LessonsTip = 10,
    ResourcesBox = 11,
    RequiredQubits = 12,
    BasisStates = 13,
    QubitCountTip = 14,
    ResourceSummaryTip = 15,
    InitialPreparation = 16,
    InitialStateTip = 17,
    OperationsCount = 18,
    MeasuredSuffix = 19,
    QuestionTip = 20,
    RestartButton = 21,
    RestartTip = 22,
    NextButton = 23,
    NextTip = 24,
    MeasureBox = 25,
    MeasureButton = 26,
    MeasureTip = 27,
    ShotsButton = 28,
    ShotsTip = 29,
    ShotsHint = 30,
    ExplanationBox = 31,
    ExplanationStart = 32,
    ExplanationTip = 33,
    ExplanationMeasured = 34,
    ValidationButton = 35,
    ValidationTip = 36,
    StatesTitle = 37,
    TableTip = 38,
    ColumnState = 39,
    ColumnRe = 40,
    ColumnIm = 41,
    ColumnPhase = 42,
    ColumnProbability = 43,
    ColumnCount = 44,
    ColumnStateTip = 45,
    ColumnReTip = 46,
    ColumnImTip = 47,
    ColumnPhaseTip = 48,
    ColumnProbabilityTip = 49,
    ColumnCountTip = 50,
    NormLabel = 51,
    NotebookTitle = 52,
    NotebookTip = 53,
    StatusEngine = 54,
    LogPrepared = 55,
    LogStep = 56,
    LogMeasure = 57,
    LogPreparations = 58,
    LogValidation = 59,
    ValidationDialogTitle = 60,
    ValidationSummary = 61,
    LessonItem = 62,
    QubitSingular = 63,
    QubitPlural = 64,
    CheckPrepareZero = 65,
    CheckHadamard = 66,
    CheckIdentityHH = 67,
    CheckPauliXZ = 68,
    CheckRelativePhase = 69,
    CheckPhaseRotation = 70,
    CheckBell = 71,
    CheckPartialMeasurement = 72,
    CheckFullMeasurement = 73,
    CheckIndependentShots = 74,
    CheckErrorHandling = 75,
    CircuitBox = 76,
    CircuitTip = 77,
    CircuitHint = 78,
    CircuitStage = 79,
    StageZeroTip = 80,
    StageTip = 81,
    MeasurementSymbolTip = 82,
    MeasuredMark = 83,
    PreviousButton = 84,
    PreviousTip = 85,
    ZoomIn = 86,
    ZoomOut = 87,
    Fit = 88,
    ZoomTip = 89,
    LogNavigation = 90,
    EditorBox = 91,
    EditCopyButton = 92,
    RestoreLessonButton = 93,
    QubitsLabel = 94,
    ApplyButton = 95,
    GateLabel = 96,
    TargetLabel = 97,
    ControlLabel = 98,
    PhaseLabel = 99,
    InsertButton = 100,
    ReplaceButton = 101,
    DeleteButton = 102,
    MoveLeftButton = 103,
    MoveRightButton = 104,
    EditorHintProtected = 105,
    EditorHintEditing = 106,
    EditCopyTip = 107,
    RestoreLessonTip = 108,
    InsertTip = 109,
    SelectGateTip = 110,
    QubitsTip = 111,
    GateTip = 112,
    TargetTip = 113,
    ControlTip = 114,
    PhaseTip = 115,
    InvalidEditTitle = 116,
    QubitReductionError = 117,
    LogEditor = 118,
    FreeLabQuestion = 119,
    FreeLabStart = 120,
    FreeLabEnd = 121,
    FileMenu = 122,
    NewAction = 123,
    OpenAction = 124,
    SaveAction = 125,
    SaveAsAction = 126,
    ExportAction = 127,
    ExitAction = 128,
    HelpMenu = 129,
    GatesGuideAction = 130,
    PredictionBox = 131,
    PredictionHint = 132,
    PredictionPlaceholder = 133,
    PredictionButton = 134,
    PredictionRecorded = 135,
    PredictionMissing = 136,
    PredictionShort = 137,
    PredictionTheory = 138,
    PredictionObserved = 139,
    PredictionIncomplete = 140,
    LogPrediction = 141,
    ModifiedTitle = 142,
    ModifiedQuestion = 143,
    SaveErrorTitle = 144,
    OpenErrorTitle = 145,
    ExportDone = 146,
    CircuitCaption = 147,
    ChallengeBox = 148,
    ChallengeTargetTip = 149,
    CheckSolutionButton = 150,
    ShowHintButton = 151,
    CheckSolutionTip = 152,
    ShowHintTip = 153,
    NoHint = 154,
    HintPrefix = 155,
    NotChecked = 156,
    Solved = 157,
    NeedMoreGates = 158,
    RequiredGateMissing = 159,
    NotYet = 160,
    WrongQubitCount = 161,
    ForbiddenX = 162,
    Fidelity = 163,
    LogHint = 164,
    LogChallengeSolved = 165,
    LogChallengeIncomplete = 166,
    AlgorithmBox = 167,
    RunCompleteButton = 168,
    RunCompleteTip = 169,
    Oracle = 170,
    ClassicalMethod = 171,
    QueryStats = 172,
    Readout = 173,
    StepProbability = 174,
    FinalProbability = 175,
    QueryCaveat = 176,
    CheckpointLabel = 177,
    GoToStageButton = 178,
    GoToStageTip = 179,
    ParametricBox = 180,
    ParametricIntro = 181,
    AlgorithmLabel = 182,
    DataQubitsLabel = 183,
    MarkedLabel = 184,
    IterationsLabel = 185,
    SecretLabel = 186,
    FunctionLabel = 187,
    GenerateButton = 188,
    GenerateHint = 189,
    ParametricReady = 190,
    ParametricNote = 191,
};

/// The text of `key` in `language` (English for 1, Italian for every other value), decoded afresh from the
/// built-in UTF-8 table; "[missing text]" for a key outside the table. Texts may carry %1..%4 placeholders.
QString uiText(TextKey key, Language language);

/// Interface texts of the features that came after the numbered table above; they are kept apart so the
/// numbers of that table never move. Looked up like TextKey.
enum class MoreText : std::int32_t
{
    ReplaceTitle,
    ReplaceQuestion,
    AlgorithmHandbookLink,
    LearningHandbookLink,
    ImportQasmAction,
    ExportQasmAction,
    ExportPictureAction,
    ImportQasmTitle,
    ExportQasmTitle,
    ExportPictureTitle,
    QasmRefused,
    QasmSkipped,
    ExportFailed,
    CircuitDrawingName,
    CircuitDrawingKeys,
    QubitsTab,
    OpenChallengeAction,
    OpenChallengeTitle,
    /// The amplitude table's and the worksheet's frequency column.
    ColumnFrequency,
    /// How to record a prediction while the shown stage is past the start, where none can be recorded.
    PredictionAtStart,
    // Saving a lesson into a pack
    /// The File menu action, its tip, and the title of its file dialog and of the lesson form.
    PackLessonAction,
    PackLessonActionTip,
    PackLessonTitle,
    /// The form's first line for a new pack (%1 the file) and for a pack that exists (%1 its title, %2 the
    /// file, %3 the number of its lessons).
    PackLessonNewPack,
    PackLessonExistingPack,
    /// Group boxes, field labels and column headers of the form.
    PackLessonPackBox,
    PackLessonLessonBox,
    PackLessonStepsBox,
    PackLessonPackTitleField,
    PackLessonIdField,
    PackLessonIdTip,
    PackLessonTitleField,
    PackLessonQuestionField,
    PackLessonExplanationField,
    PackLessonStepColumn,
    PackLessonItalianColumn,
    PackLessonEnglishColumn,
    /// A language inside a sentence: "(italiano)", "in inglese".
    PackLessonItalianWord,
    PackLessonEnglishWord,
    PackLessonSaveButton,
    PackLessonCancelButton,
    /// What the form's message line says: ready, or the first problem (%1 names the field).
    PackLessonReady,
    PackLessonBlank,
    PackLessonNotPlain,
    PackLessonTooLong,
    PackLessonIdShape,
    PackLessonIdTaken,
    PackLessonPackFull,
    PackLessonStepMissing,
    PackLessonCircuitRefused,
    /// The command's messages: a pack that does not read, a lesson the pack refused, a lesson saved.
    PackLessonUnreadable,
    PackLessonNotSaved,
    PackLessonSaved,
};

/// Number of MoreText texts; every one lies in 0..kMoreTextCount - 1.
constexpr std::int32_t kMoreTextCount = static_cast<std::int32_t>(MoreText::PackLessonSaved) + 1;

/// The text of `key` in `language`; "[missing text]" for a key outside the table.
QString uiText(MoreText key, Language language);

/// The half of an (Italian, English) pair that `language` shows, decoded from UTF-8; a null half reads as
/// empty. Two separate fields make a pair in braces: uiText({circuit.titleIt, circuit.titleEn}, language).
QString uiText(const TextPair &text, Language language);

/// The code that names a language in files and resources: "en" for English, "it" for every other language.
QString languageCode(Language language);

/// The word for `count` qubits: "qubit" for exactly one, otherwise the plural ("qubits", and "qubit" again
/// in Italian, where the word does not change).
QString qubitWord(std::int64_t count, Language language);

/// The catalog title of an engine self-test check from its stored name (kCoreCheckNames), compared byte for
/// byte; any other name is returned unchanged. The validation report shows English rows by their stored
/// names and calls this only for Italian ones.
QString coreCheckTitle(const std::string &name, Language language);

} // namespace Fasoria
